// lumovander-wmf: draws one Windows metafile read from standard input and writes its
// pixels to standard output, under limits it puts on itself first. The program and the
// batch tool run it as a separate process, so that a metafile that makes libwmf loop,
// crash or swallow memory costs them a bad picture and nothing more.
//
//   lumovander-wmf [--cpu-seconds N] [--memory-mb M] < picture.wmf > pixels
//
// Output: "LWMF", width and height (32-bit little-endian), then width x height pixels,
// 32-bit 0xAARRGGBB in native order, row by row. Exit status 0 only with a whole picture.
#include "wmf/WmfDrawing.h"

#include <QByteArray>
#include <QGuiApplication>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
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

// The largest metafile read: real ones are kilobytes to a few megabytes.
constexpr qsizetype MaxInput = qsizetype(256) << 20;

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

bool readAll(int fd, QByteArray &bytes)
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
        if (bytes.size() + n > MaxInput)
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

int main(int argc, char **argv)
{
    long cpuSeconds = 5, memoryMb = 1024;
    for (int i = 1; i + 1 < argc; i += 2) {
        const long value = std::strtol(argv[i + 1], nullptr, 10);
        if (std::strcmp(argv[i], "--cpu-seconds") == 0 && value > 0)
            cpuSeconds = value;
        else if (std::strcmp(argv[i], "--memory-mb") == 0 && value > 0)
            memoryMb = value;
        else
            return 64;
    }
    if (!applyLimits(cpuSeconds, memoryMb))
        return 71;

    QByteArray bytes;
    if (!readAll(STDIN_FILENO, bytes))
        return 66;

    // Text needs Qt's fonts and with them an application; everything else draws without
    // one, which spares the process start most pictures.
    std::unique_ptr<QGuiApplication> app;
    if (WmfDrawing::hasText(bytes)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    const QImage picture = WmfDrawing::draw(bytes);
    if (picture.isNull() || picture.format() != QImage::Format_RGB32)
        return 65;

    QByteArray header("LWMF");
    put32(header, quint32(picture.width()));
    put32(header, quint32(picture.height()));
    if (!writeAll(STDOUT_FILENO, header.constData(), size_t(header.size())))
        return 74;
    const size_t rowBytes = size_t(picture.width()) * 4;
    for (int y = 0; y < picture.height(); ++y)
        if (!writeAll(STDOUT_FILENO, reinterpret_cast<const char *>(picture.constScanLine(y)), rowBytes))
            return 74;
    return 0;
}
