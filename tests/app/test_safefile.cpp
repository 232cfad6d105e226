// Replacing files: the old file survives every failure, special files are never replaced.
#include "app/USafeFile.h"
#include "SafeFileTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class SafeFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir_;
};

TEST_F(SafeFileTest, WritesNewFilesAndReplacesOldOnesKeepingTheirPermissions)
{
    const QString path = Path("a.txt");
    ASSERT_EQ(WriteFileAtomically(path, "first"), std::nullopt);
    EXPECT_EQ(ReadFileBytes(path), "first");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_EQ(WriteFileAtomically(path, QByteArray()), std::nullopt);
    EXPECT_EQ(ReadFileBytes(path), QByteArray());
    ASSERT_EQ(WriteFileAtomically(path, QByteArray(300000, 'x')), std::nullopt);
    EXPECT_EQ(ReadFileBytes(path), QByteArray(300000, 'x'));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(FolderEntries(dir_.path()), QStringList{"a.txt"});
}

TEST_F(SafeFileTest, LinkToARegularFileReplacesTheFileAndStaysALink)
{
    ASSERT_EQ(WriteFileAtomically(Path("real.txt"), "old"), std::nullopt);
    ASSERT_TRUE(QFile::link(Path("real.txt"), Path("link.txt")));
    ASSERT_EQ(WriteFileAtomically(Path("link.txt"), "new"), std::nullopt);
    EXPECT_TRUE(QFileInfo(Path("link.txt")).isSymLink());
    EXPECT_EQ(ReadFileBytes(Path("real.txt")), "new");
}

TEST_F(SafeFileTest, SpecialFilesAndMissingFoldersAreRefusedAndLeftAsTheyAre)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
    ASSERT_TRUE(QFile::link(Path("pipe"), Path("link-to-pipe")));
    ASSERT_TRUE(QFile::link(Path("folder"), Path("link-to-folder")));
    ASSERT_TRUE(QFile::link(Path("nothing"), Path("dangling")));
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    const QByteArray sockPath = QFile::encodeName(Path("sock"));
    ASSERT_LT(sockPath.size(), qsizetype(sizeof addr.sun_path));
    std::memcpy(addr.sun_path, sockPath.constData(), sockPath.size());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    const QStringList before = FolderEntries(dir_.path());

    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"pipe", "named pipe"},        {"link-to-pipe", "named pipe"},  {"folder", "folder"},
        {"link-to-folder", "folder"},  {"sock", "socket"},             {"dangling", "link to a file that does not exist"},
        {"no/such/file", "does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto checked = CheckReplaceableTarget(Path(c.name));
        const auto written = WriteFileAtomically(Path(c.name), "data");
        ASSERT_TRUE(checked && written);
        EXPECT_EQ(*checked, *written);
        EXPECT_TRUE(written->contains(QDir::toNativeSeparators(Path(c.name)))) << written->toStdString();
        EXPECT_TRUE(written->contains(QString::fromLatin1(c.reason))) << written->toStdString();
    }
    ::close(sock);
    EXPECT_EQ(FolderEntries(dir_.path()), before);
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(Path("pipe")).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(SafeFileTest, AFullDiskLeavesTheOldFileByteIdenticalAndNoTemporaryFile)
{
    const QString path = Path("settings.ini");
    const QByteArray old = "[VX]\nWidth=800\n";
    ASSERT_EQ(WriteFileAtomically(path, old), std::nullopt);
    std::optional<QString> fault;
    {
        TFileSizeLimit limit(4096);
        fault = WriteFileAtomically(path, QByteArray(10000, 'n'));
    }
    ASSERT_TRUE(fault);
    EXPECT_TRUE(fault->contains("File too large")) << fault->toStdString();
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(FolderEntries(dir_.path()), QStringList{"settings.ini"});
}

}  // namespace
