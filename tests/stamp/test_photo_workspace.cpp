#include "stamp/PhotoFileFilter.h"
#include "assets/BuiltinPictures.h"
#include "core/CardDocument.h"
#include "stamp/PhotoWorkspace.h"
#include "StampTestFiles.h"
#include "support/ScriptedQuestions.h"

#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace StampTestFiles;

namespace {

// The photo panel's commands as the menus and the mouse give them.
class PhotoWorkspaceTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    CardDocument document;
    PhotoWorkspace workspace{document};

    QString photoFile(const QString &name, const QImage &picture)
    {
        return write(dir, name, encoded(picture, "BMP"));
    }
    QImage shown() const { return workspace.viewImage(); }
};

TEST_F(PhotoWorkspaceTest, LoadingShowsThePhotoAt100PercentAndNamesItInTheStatus)
{
    const QImage photo = numbered(640, 480);
    ASSERT_TRUE(workspace.loadPhoto(photoFile("strand.bmp", photo)));
    EXPECT_EQ(document.nameCaption(), "strand.bmp / 640 x 480 pixels");
    EXPECT_TRUE(workspace.isPhotoLoaded());
    EXPECT_EQ(document.fileName(), dir.filePath("strand.bmp"));
    EXPECT_EQ(shown(), photo.copy(0, 0, 230, 420));
    EXPECT_EQ(workspace.backPic().image(), photo);
}

TEST_F(PhotoWorkspaceTest, TheDialogGetsThePhotoFilterAndCancelChangesNothing)
{
    ScriptedQuestions questions;
    questions.openFileAnswers = {QString()};
    const QImage before = shown();
    EXPECT_FALSE(workspace.loadPhoto(questions));
    EXPECT_EQ(questions.filters, QStringList{PhotoFileFilter::filter()});
    EXPECT_FALSE(workspace.isPhotoLoaded());
    EXPECT_EQ(document.nameCaption(), "*.*");
    EXPECT_EQ(shown(), before);

    questions.openFileAnswers = {photoFile("zee.bmp", numbered(50, 40))};
    EXPECT_TRUE(workspace.loadPhoto(questions));
    EXPECT_EQ(document.nameCaption(), "zee.bmp / 50 x 40 pixels");
}

TEST_F(PhotoWorkspaceTest, AFileThatDoesNotLoadLeavesEverythingAsItWas)
{
    ASSERT_TRUE(workspace.loadPhoto(photoFile("strand.bmp", numbered(300, 200))));
    const QImage before = shown();
    EXPECT_FALSE(workspace.loadPhoto(write(dir, "kapot.jpg", "geen foto")));
    EXPECT_EQ(document.nameCaption(), "strand.bmp / 300 x 200 pixels");
    EXPECT_EQ(document.fileName(), dir.filePath("strand.bmp"));
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(workspace.backPic().size(), QSize(300, 200));
}

// The user can tell a broken file from a missed click: one message names the file and
// why it gave no picture, and nothing else changes.
TEST_F(PhotoWorkspaceTest, AFileThatDoesNotLoadIsNamedWithTheReason)
{
    ASSERT_TRUE(workspace.loadPhoto(photoFile("strand.bmp", numbered(300, 200))));
    QByteArray noise(4000, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    const QByteArray png = encoded(numbered(300, 200), "PNG");
    ScriptedQuestions questions;
    questions.openFileAnswers = {write(dir, "ruis.jpg", noise), write(dir, "brief.png", "Beste Jan,\n"),
                                 write(dir, "half.png", png.left(png.size() / 2))};
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(workspace.loadPhoto(questions));
    EXPECT_EQ(questions.messages,
              QStringList({"Lumovander|\"ruis.jpg\" kon niet worden geopend: het is geen afbeelding.",
                           "Lumovander|\"brief.png\" kon niet worden geopend: het is geen afbeelding.",
                           "Lumovander|\"half.png\" kon niet worden geopend: de afbeelding is beschadigd of onvolledig."}));
    EXPECT_EQ(document.nameCaption(), "strand.bmp / 300 x 200 pixels");
    EXPECT_EQ(document.fileName(), dir.filePath("strand.bmp"));
}

// A metafile whose helper is stopped (by its CPU limit, as here by a signal) says so.
TEST_F(PhotoWorkspaceTest, AMetafileWhoseHelperStoppedSaysSo)
{
    QFile script(dir.filePath("gestopt"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\ncat > /dev/null\nkill -KILL $$\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("LUMO_WMF_DECODER", script.fileName().toLocal8Bit());
    // A plain metafile header: memory type, nine words, version 3.0.
    QByteArray wmf(18, '\0');
    wmf[0] = 1;
    wmf[2] = 9;
    wmf[5] = 3;
    ScriptedQuestions questions;
    questions.openFileAnswers = {write(dir, "tekening.wmf", wmf)};
    EXPECT_FALSE(workspace.loadPhoto(questions));
    qunsetenv("LUMO_WMF_DECODER");
    EXPECT_EQ(questions.messages,
              QStringList{"Lumovander|\"tekening.wmf\" kon niet worden geopend: het hulpprogramma dat de "
                          "afbeelding tekent is gestopt voordat het klaar was."});
    EXPECT_FALSE(workspace.isPhotoLoaded());
}

TEST_F(PhotoWorkspaceTest, EnlargingNeedsAPhotoAndTogglesTheWidth)
{
    QSignalSpy panel(&workspace, &PhotoWorkspace::enlargedViewChanged);
    workspace.toggleEnlargedView();
    EXPECT_FALSE(workspace.isEnlarged());
    EXPECT_EQ(panel.count(), 0);

    ASSERT_TRUE(workspace.loadPhoto(photoFile("a.bmp", numbered(800, 500))));
    workspace.toggleEnlargedView();
    EXPECT_TRUE(workspace.isEnlarged());
    EXPECT_EQ(shown().size(), QSize(707, 420));
    workspace.toggleEnlargedView();
    EXPECT_FALSE(workspace.isEnlarged());
    EXPECT_EQ(shown().size(), QSize(230, 420));
    ASSERT_EQ(panel.count(), 2);
    EXPECT_TRUE(panel.at(0).at(0).toBool());
    EXPECT_FALSE(panel.at(1).at(0).toBool());
}

TEST_F(PhotoWorkspaceTest, ZoomWorksOnlyInTheEnlargedPanelAndTicksItsLevel)
{
    const QImage photo = numbered(640, 480);
    ASSERT_TRUE(workspace.loadPhoto(photoFile("a.bmp", photo)));
    workspace.zoom(1);
    EXPECT_EQ(workspace.checkedZoomIndex(), 10);
    EXPECT_EQ(shown(), photo.copy(0, 0, 230, 420));

    workspace.toggleEnlargedView();
    workspace.zoom(11); // no such level
    EXPECT_EQ(workspace.checkedZoomIndex(), 10);
    workspace.zoom(1);
    EXPECT_EQ(workspace.checkedZoomIndex(), 1);
    EXPECT_EQ(workspace.shownPhoto().shownSize(), QSize(64, 48));
    EXPECT_EQ(shown().pixel(0, 0), numberedPixel(5, 5));

    // Restoring the panel keeps the zoomed picture; only the width changes.
    workspace.toggleEnlargedView();
    EXPECT_EQ(shown().pixel(0, 0), numberedPixel(5, 5));
    EXPECT_EQ(shown().size(), QSize(230, 420));
}

TEST_F(PhotoWorkspaceTest, ANewPhotoShowsAt100PercentAndTheOldTickStays)
{
    ASSERT_TRUE(workspace.loadPhoto(photoFile("a.bmp", numbered(640, 480))));
    workspace.toggleEnlargedView();
    workspace.zoom(5);
    const QImage second = numbered(900, 600);
    ASSERT_TRUE(workspace.loadPhoto(photoFile("b.bmp", second)));
    EXPECT_EQ(workspace.checkedZoomIndex(), 5);
    EXPECT_EQ(shown(), second.copy(0, 0, 707, 420));
    EXPECT_TRUE(workspace.isEnlarged());
}

TEST_F(PhotoWorkspaceTest, ZoomScalesWhateverTheSharedBufferHoldsLast)
{
    ASSERT_TRUE(workspace.loadPhoto(photoFile("stamp.bmp", numbered(640, 480))));
    workspace.toggleEnlargedView();
    QImage background(400, 300, QImage::Format_RGB32);
    background.fill(Qt::darkCyan);
    // The background photo command loads into the same buffer.
    ASSERT_TRUE(workspace.backPic().load(photoFile("back.bmp", background)));
    // The view keeps what it showed until the next zoom.
    EXPECT_EQ(shown().pixel(0, 0), numberedPixel(0, 0));
    workspace.zoom(20);
    EXPECT_EQ(shown().pixel(0, 0), QColor(Qt::darkCyan).rgb());
    EXPECT_EQ(workspace.shownPhoto().shownSize(), QSize(800, 600));
}

TEST_F(PhotoWorkspaceTest, NewBringsBackTheStartPictureAndTheNormalPanel)
{
    ASSERT_TRUE(workspace.loadPhoto(photoFile("a.bmp", numbered(640, 480))));
    workspace.toggleEnlargedView();
    workspace.zoom(15);
    QSignalSpy panel(&workspace, &PhotoWorkspace::enlargedViewChanged);
    document.newCard();
    EXPECT_FALSE(workspace.isPhotoLoaded());
    EXPECT_FALSE(workspace.isEnlarged());
    ASSERT_EQ(panel.count(), 1);
    EXPECT_FALSE(panel.at(0).at(0).toBool());
    EXPECT_EQ(shown(), BuiltinPictures::startPicture().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(workspace.checkedZoomIndex(), 15);
    EXPECT_FALSE(workspace.selection().isLayerVisible());
}

TEST_F(PhotoWorkspaceTest, TheLastRectangleShowsAgainWhenThePanelIsEnlarged)
{
    ASSERT_TRUE(workspace.loadPhoto(photoFile("a.bmp", numbered(640, 480))));
    workspace.mouseDown(1, {30, 40});
    workspace.mouseMove(1, {20, 50}); // left of the start: one pixel wide
    workspace.mouseUp(1, {20, 50});
    EXPECT_EQ(workspace.selection().layer(), QRectF(30, 40, 1, 11));
    workspace.toggleEnlargedView();
    workspace.toggleEnlargedView();
    EXPECT_FALSE(workspace.selection().isLayerVisible());
    workspace.toggleEnlargedView();
    EXPECT_TRUE(workspace.selection().isLayerVisible());
    EXPECT_EQ(workspace.selection().layer(), QRectF(30, 40, 1, 11));
}

} // namespace
