#pragma once

#include <QImage>

// The drawing routines behind BuiltinPictures; each makes one picture from scratch.
// They are slow enough to be worth caching, so only BuiltinPictures calls them.
namespace PictureMakers {

// The light grey onto which the stamp photo is later stretched.
inline constexpr QRgb frameInside = qRgb(220, 220, 220);

enum class FrameStyle { Single = 1, Perforated = 2, Double = 3, SquareTeeth = 4 };

// A stamp frame of the given style, 140 x 180 when portrait, 180 x 140 otherwise,
// both times scale.
QImage makeFrame(FrameStyle style, bool portrait, int scale = 1);
// The top-left corner of a portrait frame, its light-grey inside turned a darker grey.
QImage makeThumbnail(const QImage &portraitFrame, int width);
QImage makeStartPicture();
QImage makeMarginsDiagram();
QImage makePrinterPicture();

} // namespace PictureMakers
