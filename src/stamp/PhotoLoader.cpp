#include "stamp/PhotoLoader.h"

#include "core/OnWhite.h"
#include "core/PictureLimits.h"
#include "core/RegularFile.h"
#include "stamp/DecodeBudget.h"
#include "stamp/HeifPicture.h"
#include "stamp/PictureCompleteness.h"
#include "stamp/PngChunks.h"
#include "stamp/WmfPicture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace {

using PhotoLoader::Fault;
using PhotoLoader::Loaded;

// Formats of the platform's picture loader (and PNG, which costs nothing to accept),
// and what phones and cameras write today: WebP and TIFF through Qt's image-format
// plugins. HEIC goes to a helper process of its own (HeifPicture).
bool isPhotoFormat(const QByteArray &format)
{
    return format == "jpeg" || format == "bmp" || format == "gif" || format == "png"
           || format == "webp" || format == "tiff";
}

Loaded refused(Fault fault, QSize claimed = QSize()) { return Loaded{QImage(), fault, claimed}; }

// The reader set up to deliver what the use needs, or the fault found in the header.
struct Prepared {
    Fault fault = Fault::None;
    // Whether the reader decodes only the use's part.
    bool clipped = false;
};

Prepared prepare(QImageReader &reader, const QByteArray &format, const QByteArray &bytes, QSize full,
                 const PhotoLoader::Use &use)
{
    if (use.exact.isValid() && full != use.exact)
        return {Fault::WrongSize};
    if (!PictureLimits::fits(full.width(), full.height()))
        return {Fault::TooLarge};
    if (!PictureCompleteness::isComplete(format, bytes))
        return {Fault::Damaged};
    // A JPEG turned upright by its EXIF orientation is scaled and cut before it is turned,
    // so a part of it is cut from the upright picture instead.
    const QImageIOHandler::Transformations turned = reader.transformation();
    QSize cover = use.cover;
    if (turned & QImageIOHandler::TransformationRotate90)
        cover.transpose();
    const QSize target = DecodeBudget::coveringSize(full, cover);
    const bool clipped = use.clip.isValid() && format == "jpeg" && turned == QImageIOHandler::TransformationNone;
    const QRect clip = clipped ? use.clip.intersected(QRect(QPoint(0, 0), full)) : QRect();
    if (DecodeBudget::peakBytes(format, bytes, full, target, clip) > DecodeBudget::Bytes)
        return {Fault::TooLarge};
    if (clipped)
        reader.setClipRect(clip);
    else if (target != full)
        reader.setScaledSize(target);
    reader.setAllocationLimit(int(DecodeBudget::Bytes >> 20));
    return {Fault::None, clipped};
}

Loaded decode(const QByteArray &bytes, const PhotoLoader::Use &use)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    if (!isPhotoFormat(format))
        return refused(Fault::NotAPicture);
    if (format == "png" && !PngChunks::lieInFile(bytes, PngChunks::End::MayBeCut))
        return refused(Fault::Damaged);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(true);
    const QSize full = DecodeBudget::decodedSize(format, bytes, reader.size());
    if (full.isEmpty())
        return refused(Fault::Damaged);
    const Prepared prepared = prepare(reader, format, bytes, full, use);
    if (prepared.fault != Fault::None)
        return refused(prepared.fault, full);
    QImage image = reader.read();
    if (image.isNull())
        return refused(Fault::Damaged, full);
    // What cannot decode a part is cut once decoded; the budget held it whole.
    if (use.clip.isValid() && !prepared.clipped)
        image = image.copy(use.clip.intersected(image.rect()));
    image = use.keepAlpha ? image.convertToFormat(QImage::Format_ARGB32_Premultiplied) : onWhite(std::move(image));
    return image.isNull() ? refused(Fault::TooLarge, full) : Loaded{std::move(image), Fault::None, full};
}

// A picture drawn by a helper: its size is known only once drawn.
Loaded fromHelper(const DecoderProcess::Decoded &decoded, const PhotoLoader::Use &use)
{
    if (decoded.picture.isNull())
        return refused(decoded.stopped ? Fault::HelperStopped : Fault::Damaged);
    const QSize size = decoded.picture.size();
    if (use.exact.isValid() && size != use.exact)
        return refused(Fault::WrongSize, size);
    QImage image = decoded.picture;
    if (use.clip.isValid())
        image = image.copy(use.clip.intersected(image.rect()));
    else if (const QSize target = DecodeBudget::coveringSize(size, use.cover); target != size)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return Loaded{std::move(image), Fault::None, size};
}

Loaded picture(const QByteArray &bytes, const PhotoLoader::Use &use)
{
    if (bytes.isEmpty())
        return refused(Fault::NotAPicture);
    if (WmfPicture::looksLikeWmf(bytes))
        return fromHelper(WmfPicture::renderFully(bytes), use);
    if (HeifPicture::looksLikeHeif(bytes))
        return fromHelper(HeifPicture::readFully(bytes), use);
    return decode(bytes, use);
}

// A compressed picture is smaller than its pixels; a file beyond the limit is no photo.
std::optional<QByteArray> readBytes(const QString &path)
{
    return RegularFile::read(path, PictureLimits::MaxDecodedBytes);
}

// The file read once: its picture and, for a metafile, the finer drawing drawFiner(bytes,
// the picture's size) makes of the same bytes.
template <typename DrawFiner>
PhotoLoader::WithFinerCopy readWithFinerCopy(const QString &path, const PhotoLoader::Use &use,
                                             const DrawFiner &drawFiner)
{
    const auto bytes = readBytes(path);
    if (!bytes)
        return {QImage(), QImage(), Fault::Unreadable, QSize()};
    Loaded loaded = picture(*bytes, use);
    PhotoLoader::WithFinerCopy withFiner{std::move(loaded.picture), QImage(), loaded.fault, loaded.claimed};
    if (!withFiner.picture.isNull() && WmfPicture::looksLikeWmf(*bytes))
        withFiner.finer = drawFiner(*bytes, loaded.claimed);
    return withFiner;
}

QString reason(Fault fault, QSize claimed, QSize required)
{
    const auto pixels = [](QSize size) { return QStringLiteral("%1 x %2 pixels").arg(size.width()).arg(size.height()); };
    switch (fault) {
    case Fault::None:
        return {};
    case Fault::Unreadable:
        return QStringLiteral("het bestand is niet te lezen (het bestaat niet, is geen gewoon bestand of is te groot)");
    case Fault::NotAPicture:
        return QStringLiteral("het is geen afbeelding");
    case Fault::Damaged:
        return QStringLiteral("de afbeelding is beschadigd of onvolledig");
    case Fault::TooLarge:
        return claimed.isValid()
                   ? QStringLiteral("de afbeelding is te groot (%1) om in het geheugen te openen").arg(pixels(claimed))
                   : QStringLiteral("de afbeelding is te groot om in het geheugen te openen");
    case Fault::WrongSize:
        return QStringLiteral("de afbeelding is %1, maar moet %2 zijn").arg(pixels(claimed), pixels(required));
    case Fault::HelperStopped:
        return QStringLiteral("het hulpprogramma dat de afbeelding tekent is gestopt voordat het klaar was");
    }
    return {};
}

} // namespace

namespace PhotoLoader {

Loaded read(const QString &path, const Use &use)
{
    const auto bytes = readBytes(path);
    return bytes ? picture(*bytes, use) : refused(Fault::Unreadable);
}

QImage load(const QString &path) { return read(path).picture; }

Loaded fromBytes(const QByteArray &bytes, const Use &use) { return picture(bytes, use); }

WithFinerCopy loadWithFinerCopy(const QString &path, int scale, QSize crop)
{
    Use use;
    use.clip = QRect(QPoint(0, 0), crop);
    return readWithFinerCopy(path, use, [scale, crop](const QByteArray &bytes, QSize) {
        return WmfPicture::renderScaled(bytes, scale, crop);
    });
}

WithFinerCopy loadWithFinerCopyCovering(const QString &path, QSize cover, QSize decodeCover)
{
    Use use;
    use.cover = decodeCover;
    return readWithFinerCopy(path, use, [cover](const QByteArray &bytes, QSize size) {
        const auto covering = [](int want, int have) { return (want + have - 1) / have; };
        const int scale = std::min(
            std::max(covering(cover.width(), size.width()), covering(cover.height(), size.height())), MaxFinerScale);
        return scale > 1 ? WmfPicture::renderScaled(bytes, scale, size) : QImage();
    });
}

QString faultMessage(const QString &path, const Outcome &outcome, QSize required)
{
    return QStringLiteral("\"%1\" kon niet worden geopend: %2.")
        .arg(QFileInfo(path).fileName(), reason(outcome.fault, outcome.claimed, required));
}

} // namespace PhotoLoader
