#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

// Pictures and picture files made by the tests themselves.
namespace StampTestFiles {

// Every pixel a different colour (for pictures up to 4096 pixels on a side), so that a
// pixel taken from the wrong place shows.
QImage numbered(int width, int height);
QRgb numberedPixel(int x, int y);
// The place in a numbered picture that a pixel came from.
QPoint numberedOrigin(QRgb pixel);

// Red left half, blue right half, in pure colours: which way a picture was turned shows,
// and a lossy coder keeps each half's colour.
QImage redLeftBlueRight(int width = 64, int height = 32);

// The colour a test gives a photo view's backdrop: no test picture has it.
constexpr QRgb ViewBackdrop = 0xff010203;
// What a view shows of a whole picture: the picture from the top-left, clipped to rect,
// and the backdrop where it does not reach.
QImage placed(const QImage &whole, const QRect &rect);

// Whether a stamp shows the frame picture everywhere outside its photo window.
bool frameAround(const QImage &stamp, const QImage &frame, const QRect &window);

// The picture encoded by Qt in a format it writes ("JPG", "BMP", "PNG").
QByteArray encoded(const QImage &image, const char *format);
// A PNG whose header claims another size (its checksum made right again).
QByteArray withPngSize(QByteArray png, quint32 width, quint32 height);
// A GIF of the frames, all colours from one palette; empty when they have more than
// 256 colours in all.
QByteArray gif(const QList<QImage> &frames);
// A JPEG whose EXIF block says how the picture is to be turned (6: 90 degrees clockwise).
QByteArray withExifOrientation(const QByteArray &jpeg, int orientation);

// The picture as WebP (lossless) and TIFF, written by Qt's image-format plugins; the TIFF
// carries an orientation tag when `turn` is given (Rotate90: stored as it is, shown
// turned clockwise).
QByteArray webp(const QImage &image);
QByteArray tiff(const QImage &image, int turn = 0);
// The picture as HEIC, encoded by libheif (HEVC, 4:2:0, so colours come back near, not
// equal), with the irot/imir boxes of an EXIF orientation (6: shown turned clockwise).
QByteArray heic(const QImage &image, int orientation = 1);

// A placeable metafile, 100 x 50 units at 96 units per inch, that fills the rectangle
// from (10, 10) to (60, 40) red with no outline.
QByteArray placeableWmf(int unitsPerInch = 96, int width = 100, int height = 50);
// The same drawing as a plain metafile without the placeable header.
QByteArray plainWmf();

// Writes bytes to a file in the folder and returns its path.
QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes);

} // namespace StampTestFiles
