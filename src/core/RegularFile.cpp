#include "core/RegularFile.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

namespace RegularFile {

std::optional<QByteArray> read(const QString &path, qint64 maxBytes)
{
    if (path.isEmpty() || maxBytes < 0)
        return std::nullopt;
    // O_NONBLOCK: opening a named pipe for reading would otherwise wait for a writer.
    // The type is judged on the opened descriptor, so the file cannot be swapped for a
    // pipe between the check and the reading.
    const Descriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxBytes)
        return std::nullopt;

    // The size is only a hint: the file may grow or shrink while it is read. One byte
    // past the cap tells a file that grew beyond it.
    QByteArray bytes;
    bytes.resize(qsizetype(info.st_size) + 1);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > maxBytes)
                return std::nullopt;
            bytes.resize(qsizetype(qMin<qint64>(maxBytes + 1, qint64(filled) * 2 + 4096)));
        }
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > maxBytes)
        return std::nullopt;
    bytes.truncate(filled);
    return bytes;
}

} // namespace RegularFile
