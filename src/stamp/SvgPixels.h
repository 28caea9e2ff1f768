#pragma once

#include "stamp/DecoderProcess.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

// A logo's rewritten SVG in pixels, drawn by the helper program lumovander-svg under
// limits of CPU time and memory. Qt SVG's rasteriser has no bounds of its own, and what
// it costs cannot be read from the text: one path of a few hundred points (a comb of thin
// teeth) keeps it busy for minutes, a long text is slow at one size and quick at a larger
// one, while logos of thousands of points draw in a fraction of a second. So the program
// never draws an SVG it read into pixels itself: the helper draws it once, large enough
// for every picture the program makes of it (a window, a print preview, the press page at
// 600 ppi, a render), and what it cannot draw within its limits is not kept as a logo.
// Paper and PDFs still take the SVG's paths, which cost what the drawing's size costs.
namespace SvgPixels {

// The long side of a logo's pixels: a 100 mm card at 600 ppi.
constexpr int DrawnSide = 2400;

enum class Verdict {
    Drawn,
    TooCostly, // stopped by a limit
    Damaged,   // the helper drew nothing of it
    NoHelper,  // the helper was not found
};

struct Drawing {
    QImage pixels; // Format_ARGB32_Premultiplied; null unless drawn
    Verdict verdict = Verdict::Damaged;
};

// Five seconds of CPU time and 700 MB, and a wall clock for a machine that is busy.
DecoderProcess::Limits defaultLimits();

// The size a drawing of its own size `own` (its view box) is drawn at: that shape, its
// long side DrawnSide.
QSize sizeFor(QSizeF own);

// svg, whose own size is `own` (DesignPainter::logoSize), at sizeFor() that size under
// the default limits. The last drawings are remembered by the SVG's hash, so that a card
// opened again is not drawn again.
Drawing draw(const QByteArray &svg, QSizeF own);
// The same at a size and under limits of the caller's, never remembered: for tests.
Drawing draw(const QByteArray &svg, QSize size, const DecoderProcess::Limits &limits, const QString &program = {});

// The helper program: $LUMO_SVG_DRAWER when set, else lumovander-svg beside the running
// program, else the one of the build tree; empty when none is found.
QString helperPath();

} // namespace SvgPixels
