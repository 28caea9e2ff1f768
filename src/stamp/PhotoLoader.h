#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

// Turns a picture file the user picked into pixels: JPEG (upright as its EXIF
// orientation says), BMP, GIF (first frame), PNG, WebP, TIFF (upright as its
// orientation tag says), HEIC/HEIF (upright as the phone recorded it) and Windows
// metafiles.
//
// A few bytes can claim a picture of gigabytes (a GIF's screen, a run-length bitmap, a
// progressive JPEG), so the size is read from the header first: what the use does not
// need is never decoded, and what would take more memory than the picture budget is
// refused before a pixel is decoded.
namespace PhotoLoader {

// Why a file gave no picture.
enum class Fault {
    None,
    Unreadable,    // missing, unreadable, not a regular file, or larger than any picture
    NotAPicture,   // no format the program reads
    Damaged,       // cut short or undecodable
    TooLarge,      // its pixels would pass the picture budget
    WrongSize,     // not the size its use requires
    HelperStopped, // the helper drawing it (metafile, HEIC) stopped before its verdict
};

// What a picture is loaded for.
struct Use {
    // When valid, the file must claim exactly this size (a card's own bitmaps).
    QSize exact;
    // When valid, the picture is used no larger than covering this size (it is stretched
    // to it): a larger photo comes back scaled down, aspect kept, to the smallest size
    // that covers it, and a JPEG decodes at that size to begin with.
    QSize cover;
    // When valid, only this part is used (a template's part on the card): a JPEG decodes
    // only that part. Other formats decode whole and are cut.
    QRect clip;
    // A logo keeps its transparency (Format_ARGB32_Premultiplied); everything else is
    // laid on white.
    bool keepAlpha = false;
};

// How a load ended, for the message the user gets; true when it loaded.
struct Outcome {
    Fault fault = Fault::None;
    // The size the file claims, when its header was read.
    QSize claimed;
    explicit operator bool() const { return fault == Fault::None; }
};

struct Loaded {
    QImage picture; // Format_RGB32; null with a fault
    Fault fault = Fault::None;
    QSize claimed;
    Outcome outcome() const { return {fault, claimed}; }
};

// The picture of a file, for a use.
Loaded read(const QString &path, const Use &use = {});
// The same of a file already read (through RegularFile).
Loaded fromBytes(const QByteArray &bytes, const Use &use = {});

// The picture at its natural size, Format_RGB32, decoded once. A null image when the
// file is missing, empty, cut short, not a picture, or claims a size the program does
// not hold; such files are refused from their header, before decoding.
QImage load(const QString &path);

// The picture as load() gives it and, when it has no pixels of its own (a metafile), its
// top-left part crop (in the picture's pixels; a template's part on the card) drawn again
// at scale times the size, finer for paper. `finer` is null for every other file: its
// pixels are all it has. The file is read once. A JPEG decodes only the part crop.
struct WithFinerCopy {
    QImage picture;
    QImage finer;
    Fault fault = Fault::None;
    QSize claimed;
    Outcome outcome() const { return {fault, claimed}; }
};
WithFinerCopy loadWithFinerCopy(const QString &path, int scale, QSize crop);

// The whole picture, no larger than covering decodeCover (Use::cover; invalid: its natural
// size), and for a metafile the whole of it drawn again at the smallest whole scale (at
// most MaxFinerScale) at which it covers `cover`, the size it is stretched to on paper.
// `finer` is null when the picture covers it as it is.
inline constexpr int MaxFinerScale = 8;
WithFinerCopy loadWithFinerCopyCovering(const QString &path, QSize cover, QSize decodeCover = QSize());

// The one Dutch message for a file that gave no picture, naming the file and the reason.
// `required` is the size a card's bitmap must have, for Fault::WrongSize.
QString faultMessage(const QString &path, const Outcome &outcome, QSize required = QSize());

} // namespace PhotoLoader
