#include "app/USafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The regular file (or new name) a write to a path goes to, and the permission bits to give it.
struct TTarget {
    QString path;     // absolute, links resolved
    mode_t mode = 0;  // the old file's permission bits
    bool exists = false;
};

mode_t CurrentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Why a file of this kind is not replaced, or nothing for a regular file.
std::optional<QString> KindFault(mode_t mode)
{
    if (S_ISREG(mode))
        return std::nullopt;
    if (S_ISDIR(mode))
        return QStringLiteral("a folder of that name exists");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device, not a regular file");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a named pipe, not a regular file");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a regular file");
    return QStringLiteral("it is not a regular file");
}

std::optional<QString> Resolve(const QString& path, TTarget& target)
{
    if (path.isEmpty())
        return QStringLiteral("no file name given");
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            return SystemReason(errno);
        const QString folder = QFileInfo(path).absolutePath();
        struct stat dir {};
        if (::stat(QFile::encodeName(folder).constData(), &dir) != 0)
            return QStringLiteral("the folder %1 does not exist").arg(QDir::toNativeSeparators(folder));
        if (!S_ISDIR(dir.st_mode))
            return QStringLiteral("%1 is not a folder").arg(QDir::toNativeSeparators(folder));
        target.path = QFileInfo(path).absoluteFilePath();
        return std::nullopt;
    }
    if (S_ISLNK(st.st_mode) && ::stat(name.constData(), &st) != 0)
        return errno == ENOENT ? QStringLiteral("it is a link to a file that does not exist")
                               : SystemReason(errno);
    if (auto fault = KindFault(st.st_mode))
        return fault;
    target.path = QFileInfo(path).canonicalFilePath();
    target.mode = st.st_mode & 07777;
    target.exists = true;
    return std::nullopt;
}

// A temporary file in the target's folder. Where the file system allows it, the file has no name
// until its data is safely on the disk, so a process killed while writing leaves nothing behind.
class TTempFile {
public:
    explicit TTempFile(const QString& folder) : folder_(QFile::encodeName(folder))
    {
        fd_ = ::open(folder_.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
            return;
        name_ = folder_ + "/.vx-save-XXXXXX";
        fd_ = ::mkostemp(name_.data(), O_CLOEXEC);
        if (fd_ < 0)
            name_.clear();
    }
    ~TTempFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!name_.isEmpty())
            ::unlink(name_.constData());
    }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }

    bool Write(const QByteArray& data)
    {
        const char* p = data.constData();
        qsizetype left = data.size();
        while (left > 0) {
            const ssize_t n = ::write(fd_, p, static_cast<size_t>(left));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (n == 0)
                    errno = EIO;
                return false;
            }
            p += n;
            left -= n;
        }
        return true;
    }

    // Data and size on the disk, then the permission bits.
    bool Finish(qsizetype size, mode_t mode)
    {
        if (::fsync(fd_) != 0)
            return false;
        struct stat st {};
        if (::fstat(fd_, &st) != 0)
            return false;
        if (st.st_size != size) {
            errno = EIO;
            return false;
        }
        return ::fchmod(fd_, mode) == 0;
    }

    // Gives the file its name in the target's folder (if it has none yet), closes it and renames it
    // over the target.
    bool RenameOver(const QByteArray& target)
    {
        if (name_.isEmpty() && !Link())
            return false;
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 || ::rename(name_.constData(), target.constData()) != 0)
            return false;
        name_.clear();
        SyncFolder();
        return true;
    }

private:
    bool Link()
    {
        const QByteArray source = "/proc/self/fd/" + QByteArray::number(fd_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray candidate = folder_ + "/.vx-save-"
                + QByteArray::number(QRandomGenerator::global()->generate(), 36);
            if (::linkat(AT_FDCWD, source.constData(), AT_FDCWD, candidate.constData(), AT_SYMLINK_FOLLOW) == 0) {
                name_ = candidate;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    // Makes the rename itself durable; a failure here leaves a complete file either way.
    void SyncFolder() const
    {
        const int dir = ::open(folder_.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }

    QByteArray folder_;
    QByteArray name_;  // empty while the file has no name
    int fd_ = -1;
};

}  // namespace

QString TFileFault::Message() const
{
    return QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(Path), Reason);
}

std::optional<TFileFault> ReplaceableTargetFault(const QString& path)
{
    TTarget target;
    if (auto reason = Resolve(path, target))
        return TFileFault{path, *reason};
    return std::nullopt;
}

std::optional<TFileFault> ReplaceFile(const QString& path, const QByteArray& data)
{
    TTarget target;
    if (auto reason = Resolve(path, target))
        return TFileFault{path, *reason};
    // The old file's bits are kept as they are; a new file gets the usual 0666 less the umask.
    const mode_t mode = target.exists ? target.mode : 0666 & ~CurrentUmask();
    TTempFile temp(QFileInfo(target.path).absolutePath());
    const bool ok = temp.IsOpen() && temp.Write(data) && temp.Finish(data.size(), mode)
        && temp.RenameOver(QFile::encodeName(target.path));
    if (!ok)
        return TFileFault{path, SystemReason(errno)};
    return std::nullopt;
}

std::optional<QString> CheckReplaceableTarget(const QString& path)
{
    if (auto fault = ReplaceableTargetFault(path))
        return fault->Message();
    return std::nullopt;
}

std::optional<QString> WriteFileAtomically(const QString& path, const QByteArray& data)
{
    if (auto fault = ReplaceFile(path, data))
        return fault->Message();
    return std::nullopt;
}
