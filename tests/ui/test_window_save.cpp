// The settings save at exit: one write of all layers, complete or not at all, whatever happens to
// the program or the disk during it.
#include <QElapsedTimer>
#include <QFileInfo>

#include <csignal>
#include <random>

#include <sys/wait.h>
#include <unistd.h>

#include "SafeFileTestSupport.h"
#include "WindowFixture.h"
#include "app/USafeFile.h"

namespace {

// A stored file that every layer rewrites: each value is written back in another form, so a file
// with only some layers saved differs from both the old and the new one.
const QByteArray OldSettings = "[GLOBAL]\nVersion=201611\nLanguage=2\n\n[VX]\n"
                               "pbar=1013.000\nSI=01\nSVol11=200.000\nTemp21_S=22.000\nWidth=0250\n";

// Runs the exit save of the window in a child process; kills it after delayUs unless negative.
// Returns the time the child ran, in microseconds.
qint64 SaveInChild(TFormVX& window, qint64 delayUs) {
    QElapsedTimer t;
    t.start();
    const pid_t child = ::fork();
    if (child == 0) {
        window.close();
        ::_exit(0);
    }
    if (delayUs >= 0) {
        ::usleep(static_cast<useconds_t>(delayUs));
        ::kill(child, SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return t.nsecsElapsed() / 1000;
}

TEST_F(WindowTest, ExitSaveKilledAtAnyMomentLeavesTheOldOrTheNewFile) {
    const QString path = SettingsFilePath();
    const QString folder = QFileInfo(path).absolutePath();
    ASSERT_EQ(WriteFileAtomically(path, OldSettings), std::nullopt);
    const qint64 saveUs = SaveInChild(*w, -1);
    const QByteArray complete = ReadFileBytes(path);
    ASSERT_NE(complete, OldSettings);
    ASSERT_TRUE(complete.contains("Width=250\n") && complete.contains("pbar=1013\n") &&
                complete.contains("SVol11=200\n") && complete.contains("Temp21_S=22\n"))
        << complete.toStdString();

    std::mt19937 rng(1208);
    std::uniform_int_distribution<qint64> moment(0, saveUs * 3 / 2);
    int oldCount = 0, newCount = 0;
    for (int round = 0; round < 50; ++round) {
        ASSERT_EQ(WriteFileAtomically(path, OldSettings), std::nullopt);
        SaveInChild(*w, moment(rng));
        const QByteArray now = ReadFileBytes(path);
        ASSERT_TRUE(now == OldSettings || now == complete) << "round " << round << ":\n" << now.toStdString();
        (now == OldSettings ? oldCount : newCount)++;
    }
    std::printf("exit save %lld us; killed before the rename %d times, after it %d times\n",
                static_cast<long long>(saveUs), oldCount, newCount);
    // A killed save leaves no file of its own behind.
    EXPECT_EQ(FolderEntries(folder).filter(QStringLiteral(".vx-save")), QStringList());
}

TEST_F(WindowTest, FullDiskAtExitKeepsTheOldFileAndTellsTheUserOnce) {
    const QString path = SettingsFilePath();
    const QString folder = QFileInfo(path).absolutePath();
    ASSERT_EQ(WriteFileAtomically(path, OldSettings), std::nullopt);
    const QStringList before = FolderEntries(folder);
    ClearMessages();
    {
        TFileSizeLimit limit(100);
        w->SelectLanguage(LangGerman);  // saved at once: fails
        w->SelectLanguage(LangEnglish);  // fails again, told no more
        w->close();                      // the exit save fails the same way
    }
    EXPECT_EQ(ReadFileBytes(path), OldSettings);
    EXPECT_EQ(FolderEntries(folder), before);
    ASSERT_EQ(ShownMessages().size(), 1);
    EXPECT_TRUE(ShownMessages()[0].Text.contains(QStringLiteral("File too large")))
        << ShownMessages()[0].Text.toStdString();
    EXPECT_TRUE(ShownMessages()[0].Text.contains(QDir::toNativeSeparators(path)));
}

}  // namespace
