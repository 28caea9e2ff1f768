#include "background/BackgroundPhoto.h"

#include "stamp/BackPic.h"
#include "stamp/BusyCursor.h"
#include "core/CardDocument.h"
#include "core/Composition.h"
#include "stamp/PhotoFileFilter.h"
#include "core/Questions.h"

#include <QPainter>

QRect backgroundPhotoArea(PhotoPlacement placement)
{
    return placement == PhotoPlacement::Borderless ? QRect(0, 0, 440, 270) : QRect(12, 12, 417, 247);
}

// Qt's smooth scaling averages every source pixel that falls into a target pixel when
// it reduces (and interpolates when it enlarges); measured in bench_background, it
// costs a small fraction of decoding the photo.
void drawBackgroundPhoto(QImage &canvasImage, const QImage &photo, PhotoPlacement placement, int scale)
{
    if (photo.isNull() || canvasImage.isNull())
        return;
    const QRect screenArea = backgroundPhotoArea(placement);
    const QRect area(screenArea.topLeft() * scale, screenArea.size() * scale);
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
    // decoded no larger than covering that.
    const QSize printArea = backgroundPhotoArea(placement).size() * Composition::PrintScale;
    const PhotoLoader::Outcome outcome = backPic.load(path, printArea, printArea);
    if (!outcome)
        return outcome;
    document.setFileName(path);
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
