#include "core/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString fileNameOf(const QString &path) { return QFileInfo(path).fileName(); }

AtomicFile::Failure failed(const QString &what, int errorNumber)
{
    const QString reason = errorNumber != 0 ? AtomicFile::reasonFor(errorNumber) : QString();
    return {reason.isEmpty() ? what : what + QLatin1Char(' ') + reason, reason};
}

AtomicFile::Failure notWritten(const QString &path, int errorNumber)
{
    return failed(QStringLiteral("Het bestand '%1' kon niet worden geschreven.").arg(fileNameOf(path)), errorNumber);
}

// A write-only device on a file descriptor that checks every write to the file itself.
// It keeps its own buffer so that the many small writes of an image or PDF writer cost
// few system calls, but the buffer's final flush is part of finish(), checked like the
// rest. After the first failure every write fails, so a writer cannot go on unaware.
class CheckedFile : public QIODevice {
public:
    explicit CheckedFile(int descriptor) : m_fd(descriptor) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

    int error() const { return m_error; }
    qint64 size() const override { return m_written; }
    bool isSequential() const override { return true; }

    // Everything written reaches the disk: the buffer is flushed and the file synced.
    bool finish()
    {
        if (!flushBuffer())
            return false;
        if (::fsync(m_fd) != 0 && errno != EINVAL && errno != EROFS) {
            m_error = errno; // EINVAL/EROFS: a file system that cannot sync, e.g. a pipe
            return false;
        }
        return m_error == 0;
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }

    qint64 writeData(const char *data, qint64 size) override
    {
        if (m_error != 0)
            return -1;
        if (m_buffer.size() + size > Capacity && !flushBuffer())
            return -1;
        if (size >= Capacity) {
            if (!writeAll(data, size))
                return -1;
        } else {
            m_buffer.append(data, size);
        }
        m_written += size;
        return size;
    }

private:
    static constexpr qsizetype Capacity = 64 * 1024;

    bool flushBuffer()
    {
        const bool ok = m_error == 0 && writeAll(m_buffer.constData(), m_buffer.size());
        m_buffer.clear();
        return ok;
    }

    bool writeAll(const char *data, qint64 size)
    {
        while (size > 0) {
            const ssize_t n = ::write(m_fd, data, size_t(size));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                m_error = n < 0 ? errno : ENOSPC; // a write of nothing: no room left
                return false;
            }
            data += n;
            size -= n;
        }
        return true;
    }

    int m_fd;
    int m_error = 0;
    qint64 m_written = 0;
    QByteArray m_buffer;
};

// Removes the hidden file unless it was handed on, also when the filler throws.
class TemporaryGuard {
public:
    explicit TemporaryGuard(QByteArray path) : m_path(std::move(path)) {}
    ~TemporaryGuard()
    {
        if (!m_path.isEmpty())
            ::unlink(m_path.constData());
    }
    void release() { m_path.clear(); }

private:
    QByteArray m_path;
};

// How a target takes its content.
enum class Target { Replace, Stream, Refuse };

// Whether the folder of path, or the link path itself, leads into /proc: then path names
// one of a process's open files (/dev/stdout, /dev/fd/1), not a file of a folder.
bool namesOpenFile(const QString &path, bool isLink)
{
    const QString folder = QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
    if (folder.startsWith(QLatin1String("/proc/")))
        return true;
    if (!isLink)
        return false;
    char target[64] = {};
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), target, sizeof target - 1);
    return length > 0 && QByteArrayView(target, length).startsWith("/proc/");
}

Target targetOf(const QString &path)
{
    struct stat own {};
    if (::lstat(QFile::encodeName(path).constData(), &own) != 0)
        return Target::Replace; // nothing there yet, or the rename will say why not
    const bool isLink = S_ISLNK(own.st_mode);
    struct stat target = own;
    if (isLink && ::stat(QFile::encodeName(path).constData(), &target) != 0)
        return Target::Replace; // a dangling link: the link itself is replaced
    if (S_ISFIFO(target.st_mode) || S_ISCHR(target.st_mode))
        return Target::Stream;
    if (S_ISBLK(target.st_mode) || S_ISSOCK(target.st_mode))
        return Target::Refuse;
    // A link to a regular file is replaced itself; one into a process's open files
    // (a shell's "> file" seen as /dev/stdout) means that open file.
    return S_ISREG(target.st_mode) && namesOpenFile(path, isLink) ? Target::Stream : Target::Replace;
}

// Fills an open descriptor in place, checked as a hidden file is; closes it when owned.
std::optional<AtomicFile::Failure> fillInPlace(int fd, bool owned, const QString &path,
                                               const AtomicFile::Filler &fill)
{
    bool complete = false;
    int error = 0;
    {
        CheckedFile device(fd);
        try {
            complete = fill(device) && device.error() == 0;
            complete = device.finish() && complete;
        } catch (...) {
            if (owned)
                ::close(fd);
            throw;
        }
        error = device.error();
    }
    if (owned && ::close(fd) != 0 && error == 0) {
        error = errno;
        complete = false;
    }
    return complete ? std::nullopt : std::optional(notWritten(path, error));
}

std::optional<AtomicFile::Failure> writeInPlace(const QString &path, const AtomicFile::Filler &fill)
{
    if (path == QLatin1String(AtomicFile::StandardOutput))
        return fillInPlace(STDOUT_FILENO, false, path, fill);
    // No O_CREAT: what stood there a moment ago is what is written, or nothing. A FIFO
    // waits for its reader here, as a shell's redirection would.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return notWritten(path, errno);
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !(S_ISFIFO(opened.st_mode) || S_ISCHR(opened.st_mode) || S_ISREG(opened.st_mode))) {
        ::close(fd);
        return notWritten(path, 0);
    }
    return fillInPlace(fd, true, path, fill);
}

} // namespace

namespace AtomicFile {

QString reasonFor(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("De schijf is vol.");
    case EACCES:
    case EPERM:
        return QStringLiteral("U hebt geen toestemming om daar te schrijven.");
    case EROFS:
        return QStringLiteral("De schijf kan alleen worden gelezen.");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("De map bestaat niet.");
    case EISDIR:
    case ENOTEMPTY:
        return QStringLiteral("Er staat een map met die naam.");
    case ENAMETOOLONG:
        return QStringLiteral("De naam is te lang voor een bestand.");
    case EIO:
        return QStringLiteral("De schijf gaf een schrijffout.");
    default:
        return QStringLiteral("Foutcode %1 (%2).").arg(errorNumber).arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
    }
}

QString freeName(const QString &folder)
{
    for (;;) {
        const QString candidate = QDir(folder).filePath(
            QStringLiteral(".lumovander-%1").arg(QRandomGenerator::global()->generate64(), 16, 16,
                                                QLatin1Char('0')));
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

bool isFreeName(const QString &fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^\\.lumovander-[0-9a-f]{16}$"));
    return pattern.match(fileName).hasMatch();
}

Temporary writeTemporary(const QString &folder, const QString &finalPath, const Filler &fill)
{
    QString name;
    int fd = -1;
    // O_EXCL never opens another's file; a name taken in between is simply tried anew.
    for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        name = freeName(folder);
        fd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return {{}, notWritten(finalPath, errno)};
    }
    if (fd < 0)
        return {{}, notWritten(finalPath, EEXIST)};
    TemporaryGuard guard(QFile::encodeName(name));

    // A replaced file keeps its permissions, as an edited file would.
    struct stat old {};
    if (::stat(QFile::encodeName(finalPath).constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);

    if (auto failure = fillInPlace(fd, true, finalPath, fill))
        return {{}, std::move(failure)};
    guard.release();
    return {name, std::nullopt};
}

std::optional<Failure> write(const QString &path, const Filler &fill, Destination destination)
{
    const Target target = destination == Destination::Output ? targetOf(path) : Target::Replace;
    if (destination == Destination::Output && path == QLatin1String(StandardOutput))
        return writeInPlace(path, fill);
    switch (target) {
    case Target::Stream:
        return writeInPlace(path, fill);
    case Target::Refuse: {
        const QString reason = QStringLiteral("Het is geen gewoon bestand.");
        return Failure{QStringLiteral("Het bestand '%1' kon niet worden geschreven. %2").arg(fileNameOf(path), reason),
                       reason};
    }
    case Target::Replace:
        break;
    }
    const QString folder = QFileInfo(path).absolutePath();
    Temporary temporary = writeTemporary(folder, path, fill);
    if (temporary.failure)
        return temporary.failure;
    const QByteArray from = QFile::encodeName(temporary.path);
    if (::rename(from.constData(), QFile::encodeName(path).constData()) != 0) {
        const int error = errno;
        ::unlink(from.constData());
        return failed(QStringLiteral("Het bestand '%1' kon niet worden vervangen.").arg(fileNameOf(path)), error);
    }
    // The new name must reach the disk too; a folder that cannot be synced is no failure.
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return std::nullopt;
}

std::optional<Failure> write(const QString &path, const QByteArray &bytes, Destination destination)
{
    return write(path, [&bytes](QIODevice &device) { return device.write(bytes) == bytes.size(); }, destination);
}

} // namespace AtomicFile
