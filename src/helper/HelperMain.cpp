#include "helper/HelperMain.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool AddressSanitizer = true;
#else
constexpr bool AddressSanitizer = false;
#endif
#else
constexpr bool AddressSanitizer = false;
#endif

// Exit statuses (sysexits.h): only 0 carries a picture.
enum Exit { Usage = 64, BadPicture = 65, NoInput = 66, NoLimits = 71, NoOutput = 74 };

bool limit(int resource, rlim_t soft, rlim_t hard)
{
    const rlimit value{soft, hard};
    return setrlimit(resource, &value) == 0;
}

bool applyLimits(long cpuSeconds, long memoryMb)
{
    // The soft CPU limit ends the process with SIGXCPU; the hard one a second later with
    // SIGKILL, should the first be caught by anything.
    if (!limit(RLIMIT_CPU, rlim_t(cpuSeconds), rlim_t(cpuSeconds + 1)))
        return false;
    // AddressSanitizer reserves terabytes of address space for its shadow memory at
    // start; under it the pixel budget and the parent's wall clock must do.
    if (!AddressSanitizer && !limit(RLIMIT_AS, rlim_t(memoryMb) << 20, rlim_t(memoryMb) << 20))
        return false;
    return true;
}

bool readAll(int fd, QByteArray &bytes, qsizetype maxInput)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (bytes.size() + n > maxInput)
            return false;
        bytes.append(buffer, n);
    }
}

bool writeAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

void put32(QByteArray &out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

} // namespace

namespace HelperMain {

int run(int argc, char **argv, const char (&magic)[5], const Defaults &defaults, const Decode &decode)
{
    long cpuSeconds = defaults.cpuSeconds, memoryMb = defaults.memoryMb;
    long scale = 1, cropWidth = 0, cropHeight = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const long value = std::strtol(argv[i + 1], nullptr, 10);
        if (std::strcmp(argv[i], "--cpu-seconds") == 0 && value > 0)
            cpuSeconds = value;
        else if (std::strcmp(argv[i], "--memory-mb") == 0 && value > 0)
            memoryMb = value;
        else if (std::strcmp(argv[i], "--scale") == 0 && value > 0 && value <= 16)
            scale = value;
        else if (std::strcmp(argv[i], "--crop-width") == 0 && value > 0 && value <= 65535)
            cropWidth = value;
        else if (std::strcmp(argv[i], "--crop-height") == 0 && value > 0 && value <= 65535)
            cropHeight = value;
        else
            return Usage;
    }
    if (argc % 2 == 0)
        return Usage;
    if (!applyLimits(cpuSeconds, memoryMb))
        return NoLimits;

    QByteArray bytes;
    if (!readAll(STDIN_FILENO, bytes, defaults.maxInput))
        return NoInput;
    const QImage picture = decode(bytes, Request{int(scale), QSize(int(cropWidth), int(cropHeight))});
    if (picture.isNull()
        || (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_ARGB32_Premultiplied))
        return BadPicture;

    QByteArray header(magic, 4);
    put32(header, quint32(picture.width()));
    put32(header, quint32(picture.height()));
    if (!writeAll(STDOUT_FILENO, header.constData(), size_t(header.size())))
        return NoOutput;
    const size_t rowBytes = size_t(picture.width()) * 4;
    for (int y = 0; y < picture.height(); ++y)
        if (!writeAll(STDOUT_FILENO, reinterpret_cast<const char *>(picture.constScanLine(y)), rowBytes))
            return NoOutput;
    return 0;
}

} // namespace HelperMain
