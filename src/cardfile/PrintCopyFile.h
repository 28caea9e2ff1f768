#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// The print copies of a saved card: N-back.print.png beside N-back.bmp and N.print.png
// beside N.bmp. Each PNG carries, as a text entry, the SHA-256 of the bitmap written in
// the same save, so that opening takes a print copy only for the very bitmap it was made
// with: a bitmap changed since (by hand, by another program) prints from itself again.
namespace PrintCopyFile {

// The PNG bytes of print, tagged with the bitmap file's bytes it belongs to.
QByteArray bytes(const QImage &print, const QByteArray &bitmapBytes);

// The print copy stored at path, Format_RGB32, when it is size and belongs to the
// bitmap file at bitmapPath; a null image otherwise (missing, damaged, another size,
// another bitmap).
QImage read(const QString &path, const QString &bitmapPath, QSize size);

} // namespace PrintCopyFile
