// libFuzzer target: any bytes as a logo's SVG. What the rewriting keeps must name nothing
// outside itself, must come back the same when rewritten again (a card's own copy does not
// drift), and Qt SVG must open no file while it reads and draws it. The last is watched
// here, in the target itself: it defines the C library's file-opening functions, which
// every library of the process reaches first, and forwards them to the real ones, failing
// the run when one is called for a file while the rewriting or the drawing is under way.
#include "FuzzSupport.h"
#include "stamp/SvgSanitiser.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>

namespace {

bool watching = false;

// What the system itself opens while it draws: fonts (a fallback font is found when a
// character first needs one) and the libraries and plugins it loads.
bool isSystemFile(const char *path)
{
    static const char *const prefixes[] = {"/usr/share/fonts/", "/usr/local/share/fonts/", "/etc/fonts/",
                                           "/var/cache/fontconfig/", "/usr/lib/", "/lib/", "/usr/share/fontconfig/"};
    for (const char *prefix : prefixes)
        if (std::strncmp(path, prefix, std::strlen(prefix)) == 0)
            return true;
    const char *home = std::getenv("HOME");
    return home && std::strncmp(path, home, std::strlen(home)) == 0 && std::strstr(path, "fontconfig");
}

void opening(const char *path)
{
    if (watching && path && !isSystemFile(path)) {
        watching = false;
        std::fprintf(stderr, "fuzz_svg_sanitiser: a logo made the process open \"%s\"\n", path);
        std::abort();
    }
}

template <typename Function>
Function real(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

mode_t modeOf(int flags, va_list arguments)
{
    return (flags & (O_CREAT | O_TMPFILE)) ? mode_t(va_arg(arguments, int)) : 0;
}

} // namespace

extern "C" {

int open(const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeOf(flags, arguments);
    va_end(arguments);
    opening(path);
    static const auto next = real<int (*)(const char *, int, ...)>("open");
    return next(path, flags, mode);
}

int open64(const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeOf(flags, arguments);
    va_end(arguments);
    opening(path);
    static const auto next = real<int (*)(const char *, int, ...)>("open64");
    return next(path, flags, mode);
}

int openat(int folder, const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeOf(flags, arguments);
    va_end(arguments);
    opening(path);
    static const auto next = real<int (*)(int, const char *, int, ...)>("openat");
    return next(folder, path, flags, mode);
}

int openat64(int folder, const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeOf(flags, arguments);
    va_end(arguments);
    opening(path);
    static const auto next = real<int (*)(int, const char *, int, ...)>("openat64");
    return next(folder, path, flags, mode);
}

int __open_2(const char *path, int flags)
{
    opening(path);
    static const auto next = real<int (*)(const char *, int)>("__open_2");
    return next(path, flags);
}

int __open64_2(const char *path, int flags)
{
    opening(path);
    static const auto next = real<int (*)(const char *, int)>("__open64_2");
    return next(path, flags);
}

FILE *fopen(const char *path, const char *mode)
{
    opening(path);
    static const auto next = real<FILE *(*)(const char *, const char *)>("fopen");
    return next(path, mode);
}

FILE *fopen64(const char *path, const char *mode)
{
    opening(path);
    static const auto next = real<FILE *(*)(const char *, const char *)>("fopen64");
    return next(path, mode);
}

} // extern "C"

namespace {

void draw(const QByteArray &svg)
{
    QSvgRenderer renderer(svg);
    QImage image(64, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::startApplication();
    // The plugins and fonts a drawing loads once, loaded before anything is watched.
    QImage tiny(2, 2, QImage::Format_RGB32);
    tiny.fill(Qt::red);
    QByteArray png;
    for (const char *format : {"PNG", "JPEG", "GIF", "BMP", "WEBP"}) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        tiny.save(&buffer, format);
        png += R"(<image width="2" height="2" xlink:href="data:image/x;base64,)" + bytes.toBase64() + R"("/>)";
    }
    const QByteArray warm = R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" )"
                            R"(viewBox="0 0 20 10"><text x="1" y="9" font-family="sans">Lumo ÆØ</text>)"
                            + png + "</svg>";
    draw(SvgSanitiser::sanitise(warm).svg);
    draw(warm);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    watching = true;
    const SvgSanitiser::Result rewritten = SvgSanitiser::sanitise(bytes);
    if (rewritten) {
        // libFuzzer writes the input to a file after an abort: nothing is watched then.
        if (!SvgSanitiser::namesOnlyItself(rewritten.svg)) {
            watching = false;
            std::fprintf(stderr, "fuzz_svg_sanitiser: the rewriting names something outside:\n%s\n",
                         rewritten.svg.constData());
            std::abort();
        }
        const SvgSanitiser::Result again = SvgSanitiser::sanitise(rewritten.svg);
        if (!again || again.svg != rewritten.svg) {
            watching = false;
            std::fprintf(stderr, "fuzz_svg_sanitiser: rewriting the rewriting changed it:\n%s\n---\n%s\n",
                         rewritten.svg.constData(), again.svg.constData());
            std::abort();
        }
        draw(rewritten.svg);
    }
    watching = false;
    return 0;
}
