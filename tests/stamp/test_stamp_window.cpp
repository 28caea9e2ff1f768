#include "stamp/PhotoFileFilter.h"
#include "assets/BuiltinPictures.h"
#include "window/CardView.h"
#include "stamp/panel/PhotoView.h"
#include "stamp/PhotoWorkspace.h"
#include "stamp/ui/StampCommands.h"
#include "StampTestFiles.h"
#include "app/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace StampTestFiles;

namespace {

// The designer window with the stamp commands, on a card with a portrait stamp.
class StampWindowTest : public WindowFixture {
protected:
    PhotoView *pic = window.photoView();

    void SetUp() override
    {
        installStampCommands(window);
        window.show();
        trigger("LayoutShow(2)");
    }

    QAction *action(const char *name) const { return window.action(QString::fromLatin1(name)); }

    // "Foto Inladen" answered with a file made of these bytes.
    void loadThroughMenu(const QString &name, const QByteArray &bytes)
    {
        questions.openFileAnswers = {write(dir, name, bytes)};
        trigger("PasFotoInladen");
    }
    void loadPhoto(const QImage &picture) { loadThroughMenu(QStringLiteral("foto.bmp"), encoded(picture, "BMP")); }

    QImage shownView() const { return pic->grab().toImage(); }
    QString status() const { return action("NaamBestand")->text(); }
    int checkedZoomItems() const
    {
        int count = 0;
        for (QAction *item : window.menu(QStringLiteral("ZoomSize"))->actions())
            count += item->isChecked();
        return count;
    }

    void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(pic, button, {}, from);
        QTest::mouseMove(pic, to);
        QTest::mouseRelease(pic, button, {}, to);
    }
    QRect layer() const { return pic->layer()->geometry(); }
    bool layerShown() const { return pic->layer()->isVisibleTo(pic); }

    // The stamp as the card on screen shows it.
    QImage stampOnCard() { return window.cardView()->grab().toImage().copy(control("Orgineel")->geometry()); }
    // The stamp shows a frame picture with the crop (10, 20)-(109, 69) stretched into its photo window.
    void expectFramedCrop(int framePicture, QSize size, const QRect &photoWindow)
    {
        const QImage stamp = stampOnCard();
        ASSERT_EQ(stamp.size(), size);
        EXPECT_EQ(numberedOrigin(stamp.pixel(photoWindow.topLeft())), QPoint(10, 20));
        EXPECT_EQ(numberedOrigin(stamp.pixel(photoWindow.bottomRight())), QPoint(109, 69));
        EXPECT_TRUE(frameAround(stamp, BuiltinPictures::frame(framePicture), photoWindow));
    }
};

TEST_F(StampWindowTest, FotoInladenShowsThePhotoFromTheTopLeftAndNamesItInTheStatus)
{
    const QImage photo = numbered(640, 480);
    loadThroughMenu(QStringLiteral("strand.bmp"), encoded(photo, "BMP"));
    EXPECT_EQ(questions.filters, QStringList{PhotoFileFilter::filter()});
    EXPECT_EQ(status(), QStringLiteral("strand.bmp / 640 x 480 pixels"));
    EXPECT_TRUE(window.photoWorkspace().isPhotoLoaded());
    EXPECT_EQ(shownView().convertToFormat(QImage::Format_RGB32), photo.copy(0, 0, 230, 420));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(StampWindowTest, ThePointerIsTheHourglassWhileThePhotoLoads)
{
    std::optional<Qt::CursorShape> duringLoad;
    QObject::connect(&doc, &CardDocument::nameCaptionChanged, [&duringLoad] {
        if (const QCursor *cursor = QGuiApplication::overrideCursor())
            duringLoad = cursor->shape();
    });
    loadPhoto(numbered(50, 40));
    ASSERT_TRUE(duringLoad.has_value());
    EXPECT_EQ(*duringLoad, Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(StampWindowTest, CancellingTheDialogChangesNothing)
{
    const QImage before = shownView();
    questions.openFileAnswers = {QString()};
    trigger("PasFotoInladen");
    EXPECT_EQ(status(), QStringLiteral("*.*"));
    EXPECT_FALSE(window.photoWorkspace().isPhotoLoaded());
    EXPECT_EQ(shownView(), before);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(StampWindowTest, UprightJpegGifAndWmfNameTheirShownSize)
{
    QImage sideways(60, 40, QImage::Format_RGB32);
    sideways.fill(Qt::blue);
    loadThroughMenu(QStringLiteral("telefoon.jpg"), withExifOrientation(encoded(sideways, "JPG"), 6));
    EXPECT_EQ(status(), QStringLiteral("telefoon.jpg / 40 x 60 pixels"));

    QImage first(30, 20, QImage::Format_RGB32), second(30, 20, QImage::Format_RGB32);
    first.fill(QColor(200, 0, 0));
    second.fill(QColor(0, 0, 200));
    loadThroughMenu(QStringLiteral("bewegend.gif"), gif({first, second}));
    EXPECT_EQ(status(), QStringLiteral("bewegend.gif / 30 x 20 pixels"));
    EXPECT_EQ(shownView().pixelColor(5, 5), QColor(200, 0, 0));

    loadThroughMenu(QStringLiteral("tekening.wmf"), placeableWmf());
    EXPECT_EQ(status(), QStringLiteral("tekening.wmf / 100 x 50 pixels"));
    EXPECT_EQ(shownView().pixelColor(30, 25), QColor(255, 0, 0));
}

TEST_F(StampWindowTest, APhotoSmallerThanTheViewStandsOnTheViewsColourAlsoZoomed)
{
    const QImage photo = numbered(100, 80);
    loadPhoto(photo);
    const QColor around = pic->backgroundColor();
    EXPECT_EQ(shownView().pixel(99, 79), photo.pixel(99, 79));
    EXPECT_EQ(shownView().pixelColor(100, 79), around);
    EXPECT_EQ(shownView().pixelColor(99, 80), around);

    trigger("PasfotoVergroting");
    trigger("SizeProcent(20)");
    EXPECT_EQ(shownView().pixel(199, 159), photo.pixel(99, 79));
    EXPECT_EQ(shownView().pixelColor(200, 10), around);
    EXPECT_EQ(shownView().pixelColor(706, 419), around);
}

TEST_F(StampWindowTest, ZoomLevelsScaleFromTheTopLeftAndCarryOneTick)
{
    loadPhoto(numbered(640, 480));
    // Before the panel is enlarged the zoom does nothing, and its mark does not move.
    trigger("SizeProcent(1)");
    EXPECT_TRUE(action("SizeProcent(10)")->isChecked());
    EXPECT_FALSE(action("SizeProcent(1)")->isChecked());

    trigger("PasfotoVergroting");
    trigger("SizeProcent(1)");
    EXPECT_TRUE(action("SizeProcent(1)")->isChecked());
    EXPECT_EQ(checkedZoomItems(), 1);
    QImage view = shownView();
    EXPECT_EQ(window.photoWorkspace().shownPhoto().shownSize(), QSize(64, 48));
    EXPECT_EQ(numberedOrigin(view.pixel(0, 0)), QPoint(5, 5));
    EXPECT_EQ(numberedOrigin(view.pixel(63, 47)), QPoint(635, 475));
    EXPECT_EQ(view.pixelColor(64, 10), pic->backgroundColor());

    trigger("SizeProcent(20)");
    view = shownView();
    EXPECT_EQ(numberedOrigin(view.pixel(0, 0)), QPoint(0, 0));
    EXPECT_EQ(numberedOrigin(view.pixel(1, 1)), QPoint(0, 0));
    EXPECT_EQ(numberedOrigin(view.pixel(2, 3)), QPoint(1, 1));
    EXPECT_EQ(numberedOrigin(view.pixel(706, 419)), QPoint(353, 209));
    EXPECT_TRUE(action("SizeProcent(20)")->isChecked());
    EXPECT_EQ(checkedZoomItems(), 1);

    // Choosing the ticked level again keeps its mark.
    trigger("SizeProcent(20)");
    EXPECT_TRUE(action("SizeProcent(20)")->isChecked());
}

TEST_F(StampWindowTest, ANewPhotoShowsAt100PercentAndTheOldTickStays)
{
    loadPhoto(numbered(640, 480));
    trigger("PasfotoVergroting");
    trigger("SizeProcent(5)");
    const QImage second = numbered(900, 600);
    loadPhoto(second);
    EXPECT_EQ(shownView().convertToFormat(QImage::Format_RGB32), second.copy(0, 0, 707, 420));
    EXPECT_TRUE(action("SizeProcent(5)")->isChecked());
    EXPECT_EQ(checkedZoomItems(), 1);
}

TEST_F(StampWindowTest, SchermVergrotenBeforeAnyPhotoDoesNothing)
{
    trigger("PasfotoVergroting");
    EXPECT_FALSE(action("PasfotoVergroting")->isChecked());
    EXPECT_EQ(pic->width(), 230);
    EXPECT_FALSE(action("ZoomSize")->isEnabled());
    EXPECT_FALSE(window.photoWorkspace().isEnlarged());
}

TEST_F(StampWindowTest, TheEnlargedPanelTogglesAndNarrowsAfterACutAndAfterNew)
{
    loadPhoto(numbered(640, 480));
    trigger("PasfotoVergroting");
    EXPECT_EQ(pic->width(), 707);
    EXPECT_EQ(shownView().width(), 707);
    EXPECT_FALSE(control("Frame2")->isVisible());
    EXPECT_TRUE(action("PasfotoVergroting")->isChecked());
    EXPECT_TRUE(action("ZoomSize")->isEnabled());
    // The info strip stays below the widened panel.
    const QPoint onInfoStrip = control("BackInfoLabel")->geometry().center();
    const QImage client = window.centralWidget()->grab().toImage();
    EXPECT_EQ(client.pixel(onInfoStrip), shownView().pixel(pic->mapFrom(window.centralWidget(), onInfoStrip)));
    // Its margin looks the same beside the strip as above it.
    const QPoint onPanelMargin(control("Frame1")->geometry().right() - 4, onInfoStrip.y());
    EXPECT_EQ(client.pixel(onPanelMargin), client.pixel(onPanelMargin - QPoint(0, 40)));
    trigger("PasfotoVergroting");
    EXPECT_EQ(pic->width(), 230);
    EXPECT_TRUE(control("Frame2")->isVisible());
    EXPECT_FALSE(action("PasfotoVergroting")->isChecked());
    EXPECT_FALSE(action("ZoomSize")->isEnabled());

    trigger("PasfotoVergroting");
    drag({10, 20}, {109, 69});
    EXPECT_EQ(pic->width(), 230);
    EXPECT_TRUE(control("Frame4")->isVisible());
    EXPECT_FALSE(action("PasfotoVergroting")->isChecked());
    EXPECT_FALSE(action("ZoomSize")->isEnabled());
    EXPECT_FALSE(layerShown());

    trigger("PasfotoVergroting");
    questions.threeWayAnswers = {Questions::Answer::No};
    questions.yesNoAnswers = {true};
    trigger("FileNieuw");
    EXPECT_EQ(pic->width(), 230);
    EXPECT_FALSE(action("PasfotoVergroting")->isChecked());
    EXPECT_FALSE(action("ZoomSize")->isEnabled());
    EXPECT_EQ(shownView().convertToFormat(QImage::Format_RGB32), BuiltinPictures::startPicture());
    EXPECT_EQ(status(), QStringLiteral("*.*"));
    // After New there is no photo to enlarge.
    trigger("PasfotoVergroting");
    EXPECT_EQ(pic->width(), 230);
}

TEST_F(StampWindowTest, EnlargingShowsTheLastRectangleAgain)
{
    loadPhoto(numbered(640, 480));
    QTest::mousePress(pic, Qt::LeftButton, {}, {30, 40});
    QTest::mouseMove(pic, {20, 50});
    QTest::mouseRelease(pic, Qt::LeftButton, {}, {20, 50});
    trigger("PasfotoVergroting");
    trigger("PasfotoVergroting");
    EXPECT_FALSE(layerShown());
    trigger("PasfotoVergroting");
    EXPECT_TRUE(layerShown());
    EXPECT_EQ(layer(), QRect(30, 40, 1, 11));
}

TEST_F(StampWindowTest, ADragCutsItsPixelsIntoTheFrameOnTheCard)
{
    loadPhoto(numbered(640, 480));
    QTest::mousePress(pic, Qt::LeftButton, {}, {10, 20});
    EXPECT_TRUE(layerShown());
    EXPECT_EQ(layer(), QRect(10, 20, 0, 0));
    QTest::mouseMove(pic, {109, 69});
    EXPECT_EQ(layer(), QRect(10, 20, 100, 50));
    QTest::mouseRelease(pic, Qt::LeftButton, {}, {109, 69});
    EXPECT_FALSE(layerShown());

    expectFramedCrop(1, QSize(140, 180), QRect(8, 8, 124, 164));
}

TEST_F(StampWindowTest, AZoomedViewIsCutAsItIsShownOutsideTheViewToo)
{
    loadPhoto(numbered(640, 480));
    trigger("PasfotoVergroting");
    trigger("SizeProcent(20)");
    // Released beyond the view's right edge: the drag goes on outside it.
    drag({690, 20}, {729, 59});
    const QImage stamp = stampOnCard();
    EXPECT_EQ(numberedOrigin(stamp.pixel(8, 8)), QPoint(345, 10));
    EXPECT_EQ(numberedOrigin(stamp.pixel(131, 171)), QPoint(364, 29));
}

TEST_F(StampWindowTest, ShiftHeldWhileDraggingKeepsTheRectangleInTheStampsProportion)
{
    loadPhoto(numbered(640, 480));
    QTest::mousePress(pic, Qt::LeftButton, {}, {10, 20});
    const QPointF to(133, 30);
    QMouseEvent move(QEvent::MouseMove, to, pic->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(pic, &move);
    // 124 across, as the portrait photo window is 124 x 164.
    EXPECT_EQ(layer(), QRect(10, 20, 124, 164));
    QTest::mouseRelease(pic, Qt::LeftButton, {}, {133, 30});
    EXPECT_EQ(numberedOrigin(stampOnCard().pixel(8, 8)), QPoint(10, 20));
    EXPECT_EQ(numberedOrigin(stampOnCard().pixel(131, 171)), QPoint(133, 183));
}

TEST_F(StampWindowTest, InvalidReleasesCutNothingAndLeaveTheRectangle)
{
    loadPhoto(numbered(640, 480));
    const QImage before = stampOnCard();

    QTest::mouseClick(pic, Qt::LeftButton, {}, {10, 20});
    EXPECT_TRUE(layerShown());
    EXPECT_EQ(layer(), QRect(10, 20, 0, 0));

    QTest::mousePress(pic, Qt::LeftButton, {}, {50, 50});
    QTest::mouseMove(pic, {40, 80});
    EXPECT_EQ(layer(), QRect(50, 50, 1, 31));
    QTest::mouseMove(pic, {90, 30});
    EXPECT_EQ(layer(), QRect(50, 50, 41, 1));
    QTest::mouseRelease(pic, Qt::LeftButton, {}, {90, 30});
    EXPECT_TRUE(layerShown());

    drag({60, 60}, {100, 100}, Qt::MiddleButton);
    EXPECT_EQ(stampOnCard(), before);
    EXPECT_EQ(layer(), QRect(50, 50, 41, 1));
}

TEST_F(StampWindowTest, TheRightButtonDrawsNothingButMovesTheStart)
{
    loadPhoto(numbered(640, 480));
    const QImage before = stampOnCard();
    drag({100, 100}, {150, 150}, Qt::RightButton);
    EXPECT_FALSE(layerShown());
    EXPECT_EQ(stampOnCard(), before);

    // A right press during a left drag moves the start of that drag.
    QTest::mousePress(pic, Qt::LeftButton, {}, {100, 100});
    QTest::mousePress(pic, Qt::RightButton, {}, {120, 110});
    QTest::mouseRelease(pic, Qt::RightButton, {}, {120, 110});
    QTest::mouseMove(pic, {139, 129});
    EXPECT_EQ(layer(), QRect(120, 110, 20, 20));
    QTest::mouseRelease(pic, Qt::LeftButton, {}, {139, 129});
    EXPECT_EQ(numberedOrigin(stampOnCard().pixel(8, 8)), QPoint(120, 110));
}

TEST_F(StampWindowTest, BeforeAnyPhotoTheRectangleIsDrawnButNothingIsCut)
{
    const QImage before = stampOnCard();
    drag({10, 20}, {109, 69});
    EXPECT_TRUE(layerShown());
    EXPECT_EQ(layer(), QRect(10, 20, 100, 50));
    EXPECT_EQ(stampOnCard(), before);
}

TEST_F(StampWindowTest, TheLandscapeLayoutGetsTheLandscapeFrame)
{
    trigger("LayoutShow(3)");
    loadPhoto(numbered(640, 480));
    drag({10, 20}, {109, 69});
    expectFramedCrop(2, QSize(180, 140), QRect(8, 8, 164, 124));
}

TEST_F(StampWindowTest, AStyleChosenAfterACutShowsAtOnceButFramesOnlyTheNextCut)
{
    loadPhoto(numbered(640, 480));
    drag({10, 20}, {109, 69});
    const QImage first = stampOnCard();
    QTest::mouseClick(window.findChild<QRadioButton *>(QStringLiteral("Option1(4)")), Qt::LeftButton);
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("Zegelplaatje"))->pixmap().toImage(),
              QPixmap::fromImage(BuiltinPictures::thumbnail(4)).toImage());
    EXPECT_EQ(stampOnCard(), first);

    drag({10, 20}, {109, 69});
    expectFramedCrop(7, QSize(140, 180), QRect(8, 8, 124, 164));
    EXPECT_FALSE(frameAround(stampOnCard(), BuiltinPictures::frame(1), QRect(8, 8, 124, 164)));
}

TEST_F(StampWindowTest, TheSelectionColourMovesItsTickAndColoursTheOutline)
{
    EXPECT_TRUE(action("ToolsSelectierechthoekKleur(2)")->isChecked());
    EXPECT_EQ(pic->layer()->color(), QColor(128, 128, 128));
    trigger("ToolsSelectierechthoekKleur(3)");
    EXPECT_EQ(pic->layer()->color(), QColor(255, 255, 255));
    trigger("ToolsSelectierechthoekKleur(3)");
    for (int item = 1; item <= 3; ++item)
        EXPECT_EQ(window.action(QStringLiteral("ToolsSelectierechthoekKleur(%1)").arg(item))->isChecked(), item == 3);

    trigger("ToolsSelectierechthoekKleur(1)");
    QTest::mousePress(pic, Qt::LeftButton, {}, {10, 20});
    QTest::mouseMove(pic, {60, 70});
    const QImage view = shownView();
    EXPECT_EQ(view.pixelColor(10, 20), QColor(0, 0, 0));
    EXPECT_EQ(view.pixelColor(60, 45), QColor(0, 0, 0));
    EXPECT_NE(view.pixelColor(35, 45), QColor(0, 0, 0));
    QTest::mouseRelease(pic, Qt::LeftButton, {}, {60, 70});
}

TEST_F(StampWindowTest, BadFilesChangeNothingAndGiveThePointerBack)
{
    loadPhoto(numbered(300, 200));
    const QImage view = shownView();
    const QByteArray jpeg = encoded(numbered(64, 64), "JPG");
    QImage red(30, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QByteArray animation = gif({red});
    const QByteArray wmf = placeableWmf();
    const std::pair<const char *, QByteArray> files[] = {
        {"leeg.jpg", QByteArray()},
        {"afgebroken.jpg", jpeg.left(jpeg.size() / 2)},
        {"tekst.bmp", QByteArray("Dit is geen foto")},
        {"reus.jpg", withPngSize(encoded(red, "PNG"), 40000, 40000)},
        {"afgebroken.gif", animation.left(animation.size() - 20)},
        {"kapot.wmf", wmf.left(30)},
    };
    for (const auto &[name, bytes] : files) {
        loadThroughMenu(QString::fromLatin1(name), bytes);
        EXPECT_EQ(status(), QStringLiteral("foto.bmp / 300 x 200 pixels")) << name;
        EXPECT_EQ(shownView(), view) << name;
        EXPECT_EQ(window.photoWorkspace().backPic().size(), QSize(300, 200)) << name;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << name;
    }
    questions.openFileAnswers = {dir.filePath(QStringLiteral("weg.jpg"))};
    trigger("PasFotoInladen");
    EXPECT_EQ(status(), QStringLiteral("foto.bmp / 300 x 200 pixels"));
    EXPECT_EQ(doc.fileName(), dir.filePath(QStringLiteral("foto.bmp")));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
