#include "background/BackgroundPhoto.h"

#include "stamp/BackPic.h"
#include "stamp/BusyCursor.h"
#include "core/CardDocument.h"
#include "core/Composition.h"
#include "stamp/PhotoFileFilter.h"
#include "core/Questions.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

QRect backgroundPhotoArea(PhotoPlacement placement)
{
    return placement == PhotoPlacement::WithMargin ? QRect(12, 12, 417, 247) : QRect(0, 0, 440, 270);
}

QRectF fittedPhotoRect(QSize photo, const QRectF &area)
{
    if (photo.isEmpty() || area.isEmpty())
        return {};
    const double scale = std::min(area.width() / photo.width(), area.height() / photo.height());
    const QSizeF size(photo.width() * scale, photo.height() * scale);
    return QRectF(area.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

namespace {

// The whole pixels a fractional rectangle covers at a scale: each edge rounded on its
// own, so neighbouring rectangles meet without a gap.
QRect wholePixels(const QRectF &rect, int scale)
{
    const QPoint topLeft(int(std::lround(rect.left() * scale)), int(std::lround(rect.top() * scale)));
    const QPoint end(int(std::lround(rect.right() * scale)), int(std::lround(rect.bottom() * scale)));
    return QRect(topLeft, end - QPoint(1, 1));
}

// A part of a quarter of the photo's width still gives paper's card its own pixels
// from an 8192-pixel-wide decode.
constexpr QSize CropDecodeCover{8192, 8192};

} // namespace

namespace {

// A part of the photo (exact, in its pixels) resampled smoothly to a size: averaged where
// it reduces, interpolated where it enlarges.
QImage resampledPart(const QImage &photo, const QRectF &part, QSize size)
{
    const QRectF exact = part.intersected(QRectF(photo.rect()));
    if (photo.isNull() || exact.isEmpty() || size.isEmpty())
        return {};
    if (exact.width() >= size.width() && exact.height() >= size.height()) {
        // Whole photo pixels, averaged: rounding the edges moves them by less than half
        // a target pixel. A view on the photo's pixels copies nothing but the result.
        const QRect pixels = QRect(QPoint(int(std::lround(exact.left())), int(std::lround(exact.top()))),
                                   QPoint(int(std::lround(exact.right())) - 1, int(std::lround(exact.bottom())) - 1))
                                 .intersected(photo.rect());
        const QImage source = photo.convertToFormat(QImage::Format_RGB32);
        const QImage region(source.constScanLine(pixels.top()) + pixels.left() * 4, pixels.width(), pixels.height(),
                            source.bytesPerLine(), source.format());
        return region.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    }
    QImage resampled(size, QImage::Format_RGB32);
    QPainter painter(&resampled);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), photo, exact);
    return resampled;
}

// How far a press's bleed may reach beyond the card, in print pixels: an eighth of the
// card's width, 5 mm on a card 40 mm wide.
constexpr int BeyondReach = Composition::PrintCanvasSize.width() / 8;

} // namespace

void drawCroppedPhoto(QImage &canvasImage, const QImage &photo, const QRectF &part, int scale)
{
    if (canvasImage.isNull())
        return;
    const QImage resampled = resampledPart(photo, part, Composition::CanvasSize * scale);
    if (resampled.isNull())
        return;
    QPainter painter(&canvasImage);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, resampled);
}

QImage croppedPhotoBeyond(const QImage &photo, const QRectF &part, QMargins &margins)
{
    margins = {};
    if (photo.isNull() || part.isEmpty())
        return {};
    // Print pixels per photo pixel, and as many of the photo's pixels around the part as
    // it has, up to the reach.
    const double perPhoto = Composition::PrintCanvasSize.width() / part.width();
    const auto reach = [perPhoto](double photoPixels) {
        return std::clamp(int(std::floor(photoPixels * perPhoto + 1e-9)), 0, BeyondReach);
    };
    margins = QMargins(reach(part.left()), reach(part.top()), reach(photo.width() - part.right()),
                       reach(photo.height() - part.bottom()));
    const QRectF grown = part.adjusted(-margins.left() / perPhoto, -margins.top() / perPhoto,
                                       margins.right() / perPhoto, margins.bottom() / perPhoto);
    return resampledPart(photo, grown, Composition::PrintCanvasSize.grownBy(margins));
}

void applyCroppedPhoto(CardDocument &document, const BackPic &backPic, const QRectF &frame)
{
    if (backPic.image().isNull() || frame.isEmpty())
        return;
    const QImage &print = backPic.printSource();
    const double finer = double(print.width()) / backPic.image().width();
    const QRectF printFrame(frame.topLeft() * finer, frame.size() * finer);
    // The photo around the part is resampled once, at print scale: the print copy is its
    // middle, so "Ok" costs little more than the print copy alone.
    QImage beyond;
    QMargins margins;
    document.drawOnCanvas(
        QStringLiteral("Foto Bijsnijden"),
        [&backPic, frame](QImage &canvasImage) { drawCroppedPhoto(canvasImage, backPic.image(), frame); },
        [&](QImage &printImage, const QImage &) {
            beyond = croppedPhotoBeyond(print, printFrame, margins);
            if (beyond.isNull()) {
                drawCroppedPhoto(printImage, print, printFrame, Composition::PrintScale);
                return;
            }
            printImage = beyond.copy(QRect(QPoint(margins.left(), margins.top()), Composition::PrintCanvasSize));
        },
        [&](QMargins &kept) {
            kept = margins;
            return beyond;
        });
}

// Qt's smooth scaling averages every source pixel that falls into a target pixel when
// it reduces (and interpolates when it enlarges); measured in bench_background, it
// costs a small fraction of decoding the photo.
void drawBackgroundPhoto(QImage &canvasImage, const QImage &photo, PhotoPlacement placement, int scale)
{
    if (photo.isNull() || canvasImage.isNull())
        return;
    const QRect screenArea = backgroundPhotoArea(placement);
    const QRect area = placement == PhotoPlacement::Fit
        ? wholePixels(fittedPhotoRect(photo.size(), QRectF(screenArea)), scale)
        : QRect(screenArea.topLeft() * scale, screenArea.size() * scale);
    if (area.isEmpty())
        return;
    const QImage stretched = photo.scaled(area.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                 .convertToFormat(QImage::Format_RGB32);
    QPainter painter(&canvasImage);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area.topLeft(), stretched);
}

PhotoLoader::Outcome loadBackgroundPhoto(CardDocument &document, BackPic &backPic, const QString &path,
                                         PhotoPlacement placement)
{
    // The photo is stretched to the area, on paper at print scale: a larger JPEG is
    // decoded no larger than covering that. A part chosen from it needs more of its pixels.
    const QSize printArea = backgroundPhotoArea(placement).size() * Composition::PrintScale;
    const QSize cover = placement == PhotoPlacement::Crop ? CropDecodeCover : printArea;
    const PhotoLoader::Outcome outcome = backPic.load(path, printArea, cover);
    if (!outcome)
        return outcome;
    document.setFileName(path);
    if (placement == PhotoPlacement::Crop)
        return outcome;
    document.drawOnCanvas(
        QStringLiteral("Foto Inladen"),
        [&backPic, placement](QImage &canvasImage) { drawBackgroundPhoto(canvasImage, backPic.image(), placement); },
        [&backPic, placement](QImage &print, const QImage &) {
            drawBackgroundPhoto(print, backPic.printSource(), placement, Composition::PrintScale);
        });
    return outcome;
}

bool chooseBackgroundPhoto(CardDocument &document, BackPic &backPic, Questions &questions,
                           PhotoPlacement placement)
{
    const QString path = questions.openFileName(PhotoFileFilter::filter());
    if (path.isEmpty())
        return false;
    PhotoLoader::Outcome outcome;
    {
        const BusyCursor hourglass;
        outcome = loadBackgroundPhoto(document, backPic, path, placement);
    }
    if (!outcome)
        questions.message(QStringLiteral("Lumovander"), PhotoLoader::faultMessage(path, outcome));
    return bool(outcome);
}
