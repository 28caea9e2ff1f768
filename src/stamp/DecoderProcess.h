#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>
#include <QStringList>

// Pictures whose decoding library cannot be trusted with the program's process (libwmf,
// libheif) are decoded by a helper program under CPU, memory and wall-clock limits
// (helper/HelperMain.h): the file goes to its standard input, the pixels come back on
// its standard output. Whatever goes wrong there (a crash, an abort, a limit, a hang, a
// short or garbled answer) is a bad picture, and nothing more.
namespace DecoderProcess {

// The limits a decoding runs under; tests shorten them.
struct Limits {
    int cpuSeconds = 5;
    int memoryMb = 1024;
    // Waited at most for the helper's answer; the window is busy (hourglass) meanwhile.
    int wallClockMs = 8000;
};

// One kind of helper.
struct Helper {
    // Its file name, looked for beside the running program (an installed copy).
    QString name;
    // The environment variable that names it first, when set.
    const char *environment = nullptr;
    // The first four bytes of its answer.
    QByteArray magic;
    // Its copy in the build tree, for the program and tests run from there.
    QString buildPath;
    // What a decoding runs under unless told otherwise.
    Limits limits;
    // Whether its pictures keep their transparency (premultiplied), else they are opaque.
    bool alpha = false;
};

// The helper program: the environment variable's when set, else the one beside the
// running program, else the build tree's; empty when none is found.
QString helperPath(const Helper &helper);

// The picture the helper makes of the bytes, Format_RGB32; a null image when it fails in
// any way. With the helper's own limits and no program given, a helper started ahead
// after the previous decoding is used and another one started afterwards.
QImage decode(const Helper &helper, QByteArrayView bytes);
// request: further arguments for the helper (helper/HelperMain.h: a scale and crop).
QImage decode(const Helper &helper, QByteArrayView bytes, const Limits &limits, const QString &program = {},
              const QStringList &request = {});

// decode() with why it failed: `stopped` when the helper did not give its verdict (it
// was not found or did not start, was killed past the wall clock, or ended by a signal,
// as its CPU and memory limits end it); a null picture without it is a file the helper
// refused or answered wrongly.
struct Decoded {
    QImage picture;
    bool stopped = false;
};
Decoded decodeFully(const Helper &helper, QByteArrayView bytes, const Limits &limits, const QString &program = {},
                    const QStringList &request = {});

// The picture of a helper's answer: the magic, width and height (32-bit little-endian),
// then exactly that many 32-bit pixels, within what the program holds. Anything else is
// a null image. Opaque (Format_RGB32), or with alpha Format_ARGB32_Premultiplied.
QImage readAnswer(QByteArrayView answer, QByteArrayView magic, bool alpha = false);

} // namespace DecoderProcess
