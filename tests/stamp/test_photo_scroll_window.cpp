#include "stamp/panel/PhotoView.h"
#include "stamp/PhotoWorkspace.h"
#include "stamp/ui/StampCommands.h"
#include "StampTestFiles.h"
#include "app/WindowFixture.h"
#include "support/ImageCompare.h"

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {

const QRgb Red = qRgb(255, 0, 0), Green = qRgb(0, 255, 0), Blue = qRgb(0, 0, 255), Yellow = qRgb(255, 255, 0);

// A phone's 48-megapixel photo, cheaply: one byte a pixel from a 256-colour table, as
// a BMP. Each corner holds a 200-pixel block of its own colour; elsewhere the colour
// changes from every pixel to its neighbours, so a cut from the wrong place shows.
QString bigPhotoFile(const QTemporaryDir &dir)
{
    QImage photo(8000, 6000, QImage::Format_Indexed8);
    QList<QRgb> table{Red, Green, Blue, Yellow};
    for (int i = 4; i < 256; ++i)
        table << qRgb(i, (i * 53) & 0xFF, (i * 101) & 0xFF);
    photo.setColorTable(table);
    for (int y = 0; y < photo.height(); ++y) {
        uchar *row = photo.scanLine(y);
        for (int x = 0; x < photo.width(); ++x)
            row[x] = uchar(4 + (x * 7 + y * 13) % 252);
    }
    const auto block = [&photo](int left, int top, uchar index) {
        for (int y = top; y < top + 200; ++y)
            std::memset(photo.scanLine(y) + left, index, 200);
    };
    block(0, 0, 0);
    block(7800, 0, 1);
    block(0, 5800, 2);
    block(7800, 5800, 3);
    const QString path = dir.filePath(QStringLiteral("telefoon.bmp"));
    EXPECT_TRUE(photo.save(path, "BMP"));
    return path;
}

class PhotoScrollWindowTest : public WindowFixture {
protected:
    // Written once for both cases.
    static inline QTemporaryDir *files = nullptr;
    static inline QString photoPath;
    static void SetUpTestSuite()
    {
        files = new QTemporaryDir;
        photoPath = bigPhotoFile(*files);
    }
    static void TearDownTestSuite()
    {
        delete files;
        photoPath.clear();
    }

    PhotoView *pic = window.photoView();
    QScrollBar *across = control<QScrollBar>(QStringLiteral("PicScrollH"));
    QScrollBar *down = control<QScrollBar>(QStringLiteral("PicScrollV"));

    void SetUp() override
    {
        installStampCommands(window);
        window.show();
        trigger(QStringLiteral("LayoutShow(2)"));
        questions.openFileAnswers = {photoPath};
        trigger(QStringLiteral("PasFotoInladen"));
        ASSERT_EQ(window.photoWorkspace().backPic().size(), QSize(8000, 6000));
    }
    QImage shownView() const { return pic->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    void wheel(int notches, Qt::KeyboardModifiers modifiers = {})
    {
        const QPointF at(50, 50);
        QWheelEvent event(at, pic->mapToGlobal(at), {}, {0, -120 * notches}, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(pic, &event);
    }
};

TEST_F(PhotoScrollWindowTest, PassendShowsTheWholePhotoInTheNarrowPanelByItsKey)
{
    // At 100 % the panel shows the top-left corner, with bars to reach the rest.
    EXPECT_EQ(shownView().pixel(10, 10), Red);
    EXPECT_TRUE(across->isVisibleTo(&window) && down->isVisibleTo(&window));
    EXPECT_EQ(across->maximum(), 8000 - (230 - down->width()));

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(window.action(QStringLiteral("ZoomPassend"))->isChecked());
    EXPECT_FALSE(window.action(QStringLiteral("SizeProcent(10)"))->isChecked());
    const QImage view = shownView();
    // 230 of 8000 across: 172 rows.
    EXPECT_EQ(view.pixel(0, 0), Red);
    EXPECT_EQ(view.pixel(229, 0), Green);
    EXPECT_EQ(view.pixel(0, 171), Blue);
    EXPECT_EQ(view.pixel(229, 171), Yellow);
    EXPECT_EQ(view.pixelColor(100, 172), pic->backgroundColor());
    EXPECT_FALSE(across->isVisibleTo(&window) || down->isVisibleTo(&window));
}

TEST_F(PhotoScrollWindowTest, ScrolledToTheMiddleARectangleCutsThatPartOfThePhoto)
{
    trigger(QStringLiteral("PasfotoVergroting"));
    trigger(QStringLiteral("ZoomPassend"));
    EXPECT_EQ(shownView().pixel(0, 419), Blue);
    trigger(QStringLiteral("SizeProcent(10)"));
    ASSERT_TRUE(across->isVisibleTo(&window) && down->isVisibleTo(&window));
    // The bars lie over the view's edges and reach the photo's far corner.
    EXPECT_EQ(across->geometry().bottom(), pic->geometry().bottom());
    EXPECT_EQ(down->geometry().right(), pic->geometry().right());
    EXPECT_EQ(across->maximum(), 8000 - (707 - down->width()));
    EXPECT_EQ(down->maximum(), 6000 - (420 - across->height()));

    across->setValue(3900);
    down->setValue(2900);
    // The wheel goes on from there: down, and sideways with Shift.
    wheel(2);
    wheel(1, Qt::ShiftModifier);
    EXPECT_EQ(down->value(), 3020);
    EXPECT_EQ(across->value(), 3960);
    EXPECT_EQ(window.photoWorkspace().shownPhoto().offset(), QPoint(3960, 3020));

    // A rectangle the size of the stamp's photo window, cut 1:1.
    QTest::mousePress(pic, Qt::LeftButton, {}, {100, 120});
    QTest::mouseMove(pic, {223, 283});
    EXPECT_EQ(pic->layer()->geometry(), QRect(100, 120, 124, 164));
    QTest::mouseRelease(pic, Qt::LeftButton, {}, {223, 283});

    const QImage source = window.photoWorkspace().backPic().image();
    const QRect part(3960 + 100, 3020 + 120, 124, 164);
    EXPECT_EQ(doc.stamp().image().copy(8, 8, 124, 164), source.copy(part));
    // Paper's copy comes from the same pixels at four times the size.
    const QImage print = doc.stamp().printImage();
    ASSERT_EQ(print.size(), QSize(560, 720));
    const QImage reference = source.copy(part).scaled(496, 656, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_GE(ImageCompare::psnr(print.copy(32, 32, 496, 656), reference.convertToFormat(QImage::Format_RGB32)), 35.0);
}

} // namespace
