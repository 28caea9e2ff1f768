#include "stamp/SvgPixels.h"

#include "stamp/RecentByHash.h"

#include <cmath>

namespace {

const DecoderProcess::Helper &helper()
{
    static const DecoderProcess::Helper svg{
        QStringLiteral("lumovander-svg"), "LUMO_SVG_DRAWER", QByteArrayLiteral("LSVG"),
#ifdef LUMO_SVG_DRAWER_BUILD_PATH
        QStringLiteral(LUMO_SVG_DRAWER_BUILD_PATH),
#else
        QString(),
#endif
        SvgPixels::defaultLimits(), true};
    return svg;
}

// The last drawings: a card's logos opened again, a logo placed twice. Few, as each holds
// up to 23 MB that no card may still show.
constexpr size_t Remembered = 8;

} // namespace

namespace SvgPixels {

DecoderProcess::Limits defaultLimits()
{
    DecoderProcess::Limits limits;
    limits.cpuSeconds = 5;
    limits.memoryMb = 700;
    // CPU time is the bound; the wall clock only catches a helper that sleeps, and is
    // generous so that a busy machine does not refuse a good logo.
    limits.wallClockMs = 20000;
    return limits;
}

QString helperPath() { return DecoderProcess::helperPath(helper()); }

QSize sizeFor(QSizeF own)
{
    if (!(own.width() > 0) || !(own.height() > 0) || !std::isfinite(own.width() / own.height()))
        return QSize(DrawnSide, DrawnSide);
    const double aspect = own.width() / own.height();
    return aspect >= 1 ? QSize(DrawnSide, std::max(1, int(std::lround(DrawnSide / aspect))))
                       : QSize(std::max(1, int(std::lround(DrawnSide * aspect))), DrawnSide);
}

Drawing draw(const QByteArray &svg, QSize size, const DecoderProcess::Limits &limits, const QString &program)
{
    if (program.isEmpty() && helperPath().isEmpty())
        return {QImage(), Verdict::NoHelper};
    const QStringList request{QStringLiteral("--crop-width"), QString::number(size.width()),
                              QStringLiteral("--crop-height"), QString::number(size.height())};
    const DecoderProcess::Decoded drawn = DecoderProcess::decodeFully(helper(), svg, limits, program, request);
    if (drawn.stopped)
        return {QImage(), Verdict::TooCostly};
    if (drawn.picture.size() != size)
        return {QImage(), Verdict::Damaged};
    return {drawn.picture, Verdict::Drawn};
}

Drawing draw(const QByteArray &svg, QSizeF own)
{
    static RecentByHash<Drawing> recent(Remembered);
    const QByteArray key = recent.keyOf(svg);
    if (const auto known = recent.find(key))
        return *known;
    Drawing drawing = draw(svg, sizeFor(own), helper().limits);
    // Without a helper nothing was learnt of the drawing: asked again next time.
    if (drawing.verdict != Verdict::NoHelper)
        recent.keep(key, drawing);
    return drawing;
}

} // namespace SvgPixels
