#pragma once

#include <QImage>

// The pictures the program carries: drawn by code on first use and kept for the run.
// Callers get copies and never change the stored pictures. The pictures with text
// need a running QGuiApplication for their fonts.
namespace BuiltinPictures {

// Img(1)..Img(8): the stamp frames; odd n portrait 140 x 180, even n landscape 180 x 140.
// Their light-grey inside RGB(220, 220, 220) covers the photo window from (8, 8),
// 124 x 164 (portrait) or 164 x 124 (landscape). Any other n gives a null picture.
QImage frame(int n);
// Img(n) drawn at scale times its size with the same geometry scaled (the print copy of
// a stamp uses PrintScale): lines, margins and teeth are scale times as wide and the
// photo window is (8, 8) * scale with scale times the size. Scale 1 is frame(n).
inline constexpr int PrintScale = 4;
QImage frame(int n, int scale);
// Klein(1)..Klein(4): the thumbnails of the four border styles; any other k gives a
// null picture.
QImage thumbnail(int k);
// The picture shown in the photo panel when no photo is loaded, 230 x 420.
QImage startPicture();
// The diagram of the sheet margins in the margins dialog, 240 x 260.
QImage marginsDiagram();
// The small printer picture of the print dialog, 80 x 43.
QImage printerPicture();

} // namespace BuiltinPictures
