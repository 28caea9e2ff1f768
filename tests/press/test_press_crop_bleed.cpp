#include "background/BackgroundPhoto.h"
#include "core/CardDocument.h"
#include "press/PressFaces.h"
#include "press/PressPage.h"
#include "print/SheetGeometry.h"
#include "stamp/BackPic.h"

#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Colours that wave across and down, so that a mirror image differs from what the photo
// holds beyond the part.
QImage wavyPhoto()
{
    QImage photo(2000, 1000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            row[x] = qRgb(120 + int(100 * std::sin(x * 0.05)), 120 + int(100 * std::sin(y * 0.045)),
                          40 + x * 160 / 2000);
    }
    return photo;
}

struct Difference {
    double squares = 0;
    int count = 0;
    void add(QRgb a, QRgb b)
    {
        for (const int d : {qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b)})
            squares += double(d) * d;
        count += 3;
    }
    double psnr() const { return 10 * std::log10(255.0 * 255.0 * count / std::max(squares, 1e-9)); }
};

class PressCropBleedTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    CardDocument document;
    BackPic backPic;
    QImage photo = wavyPhoto();
    // Well inside the photo, in the card's proportion.
    const QRectF part{500, 200, 880, 540};

    void SetUp() override
    {
        const QString path = dir.filePath(QStringLiteral("golven.bmp"));
        ASSERT_TRUE(photo.save(path, "BMP"));
        ASSERT_TRUE(loadBackgroundPhoto(document, backPic, path, PhotoPlacement::Crop));
        applyCroppedPhoto(document, backPic, part);
    }

    // The press page at 12 pixels a millimetre.
    QImage pressPage(const PressFaces &faces, const PressGeometry &page, const SheetGeometry &sheet) const
    {
        constexpr int k = 12;
        QImage image((page.mediaSize() * k).toSize(), QImage::Format_RGB32);
        image.setDotsPerMeterX(k * 1000);
        image.setDotsPerMeterY(k * 1000);
        image.fill(Qt::white);
        QPainter painter(&image);
        drawPressPage(painter, faces.front, sheet, page, PressTransparency::Kept, faces.frontBeyond);
        return image;
    }
};

TEST_F(PressCropBleedTest, TheBleedOfACroppedPhotoHoldsThePhotosPixelsBeyondThePart)
{
    const PressFaces faces = PressFaces::of(document.card());
    ASSERT_FALSE(faces.frontBeyond.image.isNull());
    EXPECT_EQ(faces.frontBeyond.margins, QMargins(220, 220, 220, 220));

    const SheetGeometry sheet = SheetGeometry::from(document.printSettings());
    const PressGeometry page({QSizeF(sheet.cardWidth, sheet.cardHeight), 3, true},
                             QSizeF(sheet.cardWidth, sheet.cardHeight));
    const QImage rendered = pressPage(faces, page, sheet);
    const QRectF card = page.cardRect(), trim = page.trimBox();
    // A place on the page in millimetres, and where the photo has it.
    const auto onPhoto = [&](QPointF mm) {
        return QPointF(part.left() + (mm.x() - card.left()) / card.width() * part.width(),
                       part.top() + (mm.y() - card.top()) / card.height() * part.height());
    };
    Difference fromPhoto, fromMirror;
    for (double along = 4; along < 40; along += 1.7)
        for (double out = 0.4; out < 2.8; out += 0.6) {
            for (const QPointF mm : {QPointF(trim.left() - out, trim.top() + along),
                                     QPointF(trim.left() + along, trim.bottom() + out)}) {
                const QRgb shown = rendered.pixel((mm * 12).toPoint());
                const QPointF at = onPhoto(mm);
                fromPhoto.add(shown, photo.pixel(at.toPoint()));
                // The mirror image of the card across its nearest edge.
                const QPointF mirrored = mm.x() < trim.left() ? QPointF(2 * card.left() - mm.x(), mm.y())
                                                              : QPointF(mm.x(), 2 * card.bottom() - mm.y());
                fromMirror.add(shown, photo.pixel(onPhoto(mirrored).toPoint()));
            }
        }
    EXPECT_GT(fromPhoto.psnr(), 30);
    EXPECT_LT(fromMirror.psnr(), 20);
}

TEST_F(PressCropBleedTest, AfterTheCardIsDrawnOnTheBleedIsTheMirrorAgain)
{
    document.drawOnCanvas(QStringLiteral("Test"), [](QImage &canvas) { canvas.setPixel(0, 0, qRgb(1, 2, 3)); });
    EXPECT_TRUE(PressFaces::of(document.card()).frontBeyond.image.isNull());
    // Undone, the crop's own pixels are back.
    document.undo();
    EXPECT_FALSE(PressFaces::of(document.card()).frontBeyond.image.isNull());
}

} // namespace
