#include "background/ui/BackgroundCommands.h"
#include "stamp/panel/PhotoView.h"
#include "stamp/PhotoCrop.h"
#include "stamp/PhotoWorkspace.h"
#include "stamp/ui/StampCommands.h"
#include "app/WindowFixture.h"
#include "support/ImageCompare.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// A 4000 x 3000 photo: black circles of radius 100, 300 pixels apart, on a colour that
// changes across and down, so that a part taken from the wrong place shows.
QImage circlesPhoto()
{
    QImage photo(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            row[x] = qRgb(128 + x * 127 / 4000, 255 - y * 127 / 3000, 200);
    }
    QPainter painter(&photo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (int y = 150; y < 3000; y += 300)
        for (int x = 150; x < 4000; x += 300)
            painter.drawEllipse(QPointF(x, y), 100, 100);
    return photo;
}

// How far a dark spot spreads across and down: the darkness-weighted standard deviations.
QSizeF spread(const QImage &image, const QRect &within)
{
    double mass = 0, sx = 0, sy = 0, sxx = 0, syy = 0;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x) {
            const double dark = std::max(0, 100 - qGray(image.pixel(x, y)));
            mass += dark;
            sx += dark * x;
            sy += dark * y;
            sxx += dark * x * x;
            syy += dark * y * y;
        }
    if (mass == 0)
        return {};
    return {std::sqrt(sxx / mass - sx * sx / mass / mass), std::sqrt(syy / mass - sy * sy / mass / mass)};
}

// The photo's part scaled to a size as a reference: whole pixels, smoothly averaged.
QImage reference(const QImage &photo, const QRectF &part, QSize size)
{
    return photo.copy(part.toRect()).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

class BackgroundCropTest : public WindowFixture {
protected:
    // Made and written once for all the cases.
    static inline QTemporaryDir *files = nullptr;
    static inline QImage photo;
    static void SetUpTestSuite()
    {
        files = new QTemporaryDir;
        photo = circlesPhoto();
        ASSERT_TRUE(photo.save(files->filePath(QStringLiteral("rondjes.bmp")), "BMP"));
    }
    static void TearDownTestSuite()
    {
        delete files;
        photo = QImage();
    }

    PhotoView *pic = window.photoView();

    void SetUp() override
    {
        installBackgroundCommands(window);
        installStampCommands(window);
        window.show();
        questions.openFileAnswers = {files->filePath(QStringLiteral("rondjes.bmp"))};
        trigger(QStringLiteral("ToolsBackFotoRand(3)"));
        ASSERT_TRUE(window.photoWorkspace().isCropping());
    }
    QRectF frame() const { return window.photoWorkspace().crop().frame().rect(); }
    QRectF frameInView() const { return window.photoWorkspace().crop().frameInView(); }
    void drag(QPointF from, QPointF to)
    {
        QTest::mousePress(pic, Qt::LeftButton, {}, from.toPoint());
        QTest::mouseMove(pic, to.toPoint());
        QTest::mouseRelease(pic, Qt::LeftButton, {}, to.toPoint());
    }
};

TEST_F(BackgroundCropTest, OkOnTheStartingFramePutsTheCentredPartOnTheCardWithRoundCircles)
{
    const QImage before = doc.canvas().image().copy();
    EXPECT_EQ(pic->width(), 707);
    auto *ok = control<QPushButton>(QStringLiteral("BijsnijdenOk"));
    ASSERT_TRUE(ok->isVisible());
    const QRectF centred(0, 1500 - 4000 * 270.0 / 440 / 2, 4000, 4000 * 270.0 / 440);
    EXPECT_NEAR(frame().top(), centred.top(), 1e-6);
    EXPECT_NEAR(frame().width(), 4000, 1e-6);

    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(window.photoWorkspace().isCropping());
    EXPECT_EQ(pic->width(), 230);
    EXPECT_FALSE(ok->isVisible());
    const QImage card = doc.canvas().image();
    EXPECT_GE(ImageCompare::psnr(card, reference(photo, centred, {440, 270})), 40.0);
    // A circle 22 pixels across, the same both ways.
    const QSizeF circle = spread(card, QRect(QPointF(150 * 0.11 - 14, (450 - centred.top()) * 0.11 - 14).toPoint(),
                                             QSize(28, 28)));
    ASSERT_GT(circle.width(), 0);
    EXPECT_NEAR(circle.width() / circle.height(), 1.0, 0.01);

    // Paper's copy from the photo's own pixels, not the screen's enlarged.
    const QImage print = doc.canvas().printImage();
    ASSERT_EQ(print.size(), QSize(1760, 1080));
    const QImage truth = reference(photo, centred, print.size());
    const double fromPhoto = ImageCompare::psnr(print, truth);
    EXPECT_GE(fromPhoto, 35.0);
    EXPECT_GT(fromPhoto, ImageCompare::psnr(card.scaled(print.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation), truth) + 3);

    // One step.
    trigger(QStringLiteral("WijzigenOngedaan"));
    EXPECT_EQ(doc.canvas().image(), before);
}

TEST_F(BackgroundCropTest, AMovedResizedOrZoomedFrameIsThePartTheCardShows)
{
    // Down by 20 view pixels (the photo at 477 / 4000), then the top-left corner inwards.
    const QRectF start = frameInView();
    const double top = frame().top();
    const auto preview = [this] { return pic->grab().toImage().copy(PhotoCrop::PreviewArea); };
    const QImage before = preview();
    drag(start.center(), start.center() + QPointF(0, 20));
    // The card beside the photo follows at once.
    EXPECT_NE(preview(), before);
    EXPECT_NEAR(frame().top(), top + 20 * 4000 / 477.0, 0.5);
    const QRectF moved = frameInView();
    const QPointF corner = frame().bottomRight();
    drag(moved.topLeft() + QPointF(1, 1), moved.topLeft() + QPointF(120, 60));
    EXPECT_LT(frame().width(), 3500);
    EXPECT_EQ(frame().bottomRight(), corner);
    EXPECT_NEAR(frame().width() / frame().height(), 440.0 / 270, 1e-9);

    // The wheel zooms in around the pointer.
    const double wide = frame().width();
    const QPointF at = frameInView().center();
    QWheelEvent notch(at, pic->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pic, &notch);
    EXPECT_NEAR(frame().width(), wide / 1.1, 1e-6);

    const QRectF chosen = frame();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_FALSE(window.photoWorkspace().isCropping());
    EXPECT_GE(ImageCompare::psnr(doc.canvas().image(), reference(photo, chosen, {440, 270})), 35.0);
}

TEST_F(BackgroundCropTest, AnnulerenLeavesTheCardAsItWas)
{
    const QImage before = doc.canvas().image().copy();
    drag(frameInView().center(), frameInView().center() + QPointF(0, 40));
    QTest::mouseClick(control<QPushButton>(QStringLiteral("BijsnijdenAnnuleren")), Qt::LeftButton);
    EXPECT_FALSE(window.photoWorkspace().isCropping());
    EXPECT_EQ(pic->width(), 230);
    EXPECT_EQ(doc.canvas().image(), before);
    EXPECT_FALSE(window.action(QStringLiteral("WijzigenOngedaan"))->isEnabled());
}

} // namespace

namespace {

TEST_F(BackgroundCropTest, AnotherPhotoLoadedWhileCroppingIsNotCutByTheOldFrame)
{
    const QImage before = doc.canvas().image().copy();
    // A stamp photo into the shared buffer ends the crop; a background photo loaded
    // meanwhile is not cut by a frame drawn over another.
    QImage other(300, 200, QImage::Format_RGB32);
    other.fill(Qt::red);
    const QString path = dir.filePath(QStringLiteral("rood.png"));
    ASSERT_TRUE(other.save(path));
    questions.openFileAnswers = {path};
    trigger(QStringLiteral("ToolsBackFotoRand(1)"));
    const QImage red = doc.canvas().image().copy();
    ASSERT_NE(red, before);
    QTest::mouseClick(control<QPushButton>(QStringLiteral("BijsnijdenOk")), Qt::LeftButton);
    EXPECT_EQ(doc.canvas().image(), red);

    questions.openFileAnswers = {path};
    trigger(QStringLiteral("ToolsBackFotoRand(3)"));
    ASSERT_TRUE(window.photoWorkspace().isCropping());
    questions.openFileAnswers = {path};
    trigger(QStringLiteral("PasFotoInladen"));
    EXPECT_FALSE(window.photoWorkspace().isCropping());
    EXPECT_FALSE(control<QPushButton>(QStringLiteral("BijsnijdenOk"))->isVisible());
}

} // namespace
