#include "background/ui/BackgroundCommands.h"
#include "background/GradientChooser.h"
#include "stamp/PhotoFileFilter.h"
#include "stamp/panel/PhotoView.h"
#include "stamp/PhotoWorkspace.h"
#include "stamp/ui/StampCommands.h"
#include "app/WindowFixture.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

constexpr QRgb Red = 0xffff0000u;
constexpr QRgb Blue = 0xff0000ffu;
constexpr QRgb Green = 0xff00ff00u;
constexpr QRgb White = 0xffffffffu;

class BackgroundWindowTest : public WindowFixture {
protected:
    void SetUp() override
    {
        installBackgroundCommands(window);
        window.show();
    }

    QString uniformPhoto(const QString &name, QSize size, QRgb color)
    {
        QImage photo(size, QImage::Format_RGB32);
        photo.fill(color);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(photo.save(path));
        return path;
    }

    void redCard()
    {
        doc.setBackColorComponent(CardDocument::Red, 255);
        doc.setBackColorComponent(CardDocument::Green, 0);
        doc.setBackColorComponent(CardDocument::Blue, 0);
        ASSERT_EQ(doc.canvas().image().pixel(200, 100), Red);
    }

    // Every canvas pixel is `band` in the 12 left and top, 11 right and bottom pixels,
    // `inside` elsewhere.
    void expectBand(QRgb band, QRgb inside)
    {
        const QImage &image = doc.canvas().image();
        for (int y = 0; y < 270; ++y)
            for (int x = 0; x < 440; ++x) {
                const bool inBand = x < 12 || y < 12 || x >= 429 || y >= 259;
                ASSERT_EQ(image.pixel(x, y), inBand ? band : inside) << x << "," << y;
            }
    }

    // What the window shows of the card at a canvas pixel.
    QRgb shownCard(int x, int y) { return control(QStringLiteral("Kaart"))->grab().toImage().pixel(x, y); }

    // Opens "Verloopkleur" and hands the dialog to `act` once it is shown. A dialog that
    // `act` leaves open is cancelled, so a failing test cannot hang in it.
    void withGradientDialog(const std::function<void(QDialog &)> &act)
    {
        bool shown = false;
        QTimer opened;
        opened.setSingleShot(true);
        QObject::connect(&opened, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = true;
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        opened.start(0);
        trigger(QStringLiteral("ToolsBackColor"));
        EXPECT_TRUE(shown);
        // Made for one opening.
        EXPECT_EQ(window.findChild<QDialog *>(QStringLiteral("Verloopcolor")), nullptr);
    }

    template <typename T = QWidget>
    static T *in(QDialog &dialog, const char *name)
    {
        T *found = dialog.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QImage shownPreview(QDialog &dialog) { return in(dialog, "Picture1")->grab().toImage(); }
    static QString numberText(QDialog &dialog) { return in<QLabel>(dialog, "Label5")->text(); }
};

} // namespace

TEST_F(BackgroundWindowTest, WithMarginOnARedCardThenWhiteFrame)
{
    redCard();
    const QString photo = uniformPhoto(QStringLiteral("blauw.bmp"), {100, 60}, Blue);
    questions.openFileAnswers = {photo};

    trigger(QStringLiteral("ToolsBackFotoRand(2)"));

    // The same photo question as the stamp's "Foto Inladen".
    EXPECT_EQ(questions.filters, QStringList{PhotoFileFilter::filter()});
    EXPECT_EQ(doc.fileName(), photo);
    EXPECT_EQ(window.photoWorkspace().backPic().size(), QSize(100, 60));
    expectBand(Red, Blue);
    EXPECT_EQ(shownCard(2, 2), Red);
    EXPECT_EQ(shownCard(200, 250), Blue);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    trigger(QStringLiteral("AchtergrondRand"));
    expectBand(White, Blue);
    EXPECT_EQ(shownCard(437, 267), White);

    // A second time gives the same picture as once.
    trigger(QStringLiteral("AchtergrondRand"));
    expectBand(White, Blue);
    EXPECT_EQ(questions.unexpected, 0);
}

TEST_F(BackgroundWindowTest, BorderlessFillsTheCardAndTheZoomThenShowsTheBackgroundPhoto)
{
    installStampCommands(window);
    questions.openFileAnswers = {uniformPhoto(QStringLiteral("zegel.png"), {640, 480}, Green),
                                 uniformPhoto(QStringLiteral("achter.png"), {1024, 768}, Blue)};
    trigger(QStringLiteral("PasFotoInladen"));
    ASSERT_EQ(window.photoView()->image().pixel(5, 5), Green);

    trigger(QStringLiteral("ToolsBackFotoRand(1)"));

    const QImage &card = doc.canvas().image();
    EXPECT_EQ(card.pixel(0, 0), Blue);
    EXPECT_EQ(card.pixel(439, 269), Blue);
    EXPECT_EQ(card.pixel(220, 135), Blue);
    // The photo view still shows the stamp photo until the zoom redraws it from the
    // shared full-size buffer, which now holds the background photo.
    EXPECT_TRUE(window.photoWorkspace().isPhotoLoaded());
    EXPECT_EQ(window.photoView()->image().pixel(5, 5), Green);
    trigger(QStringLiteral("PasfotoVergroting"));
    trigger(QStringLiteral("SizeProcent(10)"));
    EXPECT_EQ(window.photoView()->image().pixel(5, 5), Blue);
    EXPECT_EQ(control(QStringLiteral("Pic"))->grab().toImage().pixel(5, 5), Blue);
}

TEST_F(BackgroundWindowTest, PassendPutsAWidePhotoAcrossTheMiddleOfTheCard)
{
    const QImage before = doc.canvas().image().copy();
    // 880 x 270 fits at half: 440 x 135, rows 67.5 to 202.5.
    questions.openFileAnswers = {uniformPhoto(QStringLiteral("breed.png"), {880, 270}, Blue)};
    trigger(QStringLiteral("ToolsBackFotoRand(4)"));
    const QImage &card = doc.canvas().image();
    EXPECT_EQ(card.pixel(0, 66), before.pixel(0, 66));
    EXPECT_EQ(card.pixel(0, 68), Blue);
    EXPECT_EQ(card.pixel(439, 202), Blue);
    EXPECT_EQ(card.pixel(439, 203), before.pixel(439, 203));
    EXPECT_EQ(questions.unexpected, 0);
}

// A cancelled dialog says nothing; a photo that does not load is named, with the reason.
TEST_F(BackgroundWindowTest, CancelledOrUnreadablePhotoChangesNothing)
{
    const QImage before = doc.canvas().image();
    QFile broken(dir.filePath(QStringLiteral("kapot.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xff\xd8\xff\xe0 not a photo");
    broken.close();
    questions.openFileAnswers = {QString(), broken.fileName()};
    QSignalSpy changed(&doc, &CardDocument::canvasChanged);

    trigger(QStringLiteral("ToolsBackFotoRand(1)"));
    trigger(QStringLiteral("ToolsBackFotoRand(2)"));

    EXPECT_EQ(doc.canvas().image(), before);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(window.photoWorkspace().backPic().image().isNull());
    EXPECT_EQ(questions.messages,
              QStringList{"Lumovander|\"kapot.jpg\" kon niet worden geopend: de afbeelding is beschadigd of onvolledig."});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(BackgroundWindowTest, GradientDialogIsLaidOutAsDesigned)
{
    withGradientDialog([](QDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral(" Verloopkleuren"));
        EXPECT_TRUE(dialog.isModal());
        const struct {
            const char *name;
            QRect place;
        } designed[] = {
            {"Label1", {10, 16, 233, 148}}, {"Picture1", {16, 22, 220, 135}}, {"Label2", {254, 16, 22, 148}},
            {"VScroll1", {256, 18, 18, 144}}, {"Label4", {13, 172, 220, 50}}, {"Label3", {282, 190, 90, 24}},
            {"CancelKnop", {284, 192, 50, 20}}, {"OkKnop", {334, 192, 36, 20}},
        };
        QGroupBox *frame = in<QGroupBox>(dialog, "Frame1");
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->geometry(), QRect(6, 0, 383, 224));
        for (const auto &control : designed) {
            QWidget *widget = in(dialog, control.name);
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(widget->parentWidget(), frame) << control.name;
            EXPECT_EQ(widget->geometry(), control.place) << control.name;
        }
        EXPECT_EQ(in(dialog, "Label5")->pos(), QPoint(286, 18));
        EXPECT_TRUE(in(dialog, "Label5")->font().bold());
        EXPECT_EQ(numberText(dialog), QStringLiteral("1"));
        EXPECT_EQ(in<QLabel>(dialog, "Label4")->text(),
                  QStringLiteral("Maak door middel van de scrollbalk een keuze van de verloopkleuren voor de "
                                 "achergrond van de kaart."));
        EXPECT_EQ(in<QPushButton>(dialog, "CancelKnop")->text(), QStringLiteral("Cancel"));
        EXPECT_EQ(in<QPushButton>(dialog, "OkKnop")->text(), QStringLiteral("Ok"));
        EXPECT_EQ(in(dialog, "Label1")->grab().toImage().pixel(2, 2), qRgb(192, 192, 192));
        EXPECT_EQ(in(dialog, "Label2")->grab().toImage().pixel(2, 2), qRgb(128, 128, 128));

        auto *bar = in<QScrollBar>(dialog, "VScroll1");
        EXPECT_EQ(bar->orientation(), Qt::Vertical);
        EXPECT_EQ(bar->minimum(), 1);
        EXPECT_EQ(bar->maximum(), 42);
        EXPECT_EQ(bar->value(), 1);
        // Nothing drawn yet: the preview is empty.
        const QImage preview = shownPreview(dialog);
        EXPECT_EQ(preview.size(), QSize(220, 135));
        for (const QPoint p : {QPoint(0, 0), QPoint(110, 67), QPoint(219, 134)})
            EXPECT_EQ(preview.pixel(p), GradientChooser::EmptyPreviewColor);
    });
}

TEST_F(BackgroundWindowTest, OkRightAfterOpeningPaintsGradientOne)
{
    withGradientDialog([](QDialog &dialog) { in<QPushButton>(dialog, "OkKnop")->click(); });

    const QImage &card = doc.canvas().image();
    EXPECT_EQ(card.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(card.pixel(300, 100), qRgb(100, 0, 0));
    EXPECT_EQ(card.pixel(5, 254), qRgb(254, 0, 0));
    EXPECT_EQ(card.pixel(5, 255), qRgb(255, 0, 0));
    EXPECT_EQ(shownCard(437, 267), qRgb(255, 0, 0));
}

TEST_F(BackgroundWindowTest, CancelChangesNothing)
{
    const QImage before = doc.canvas().image();
    QSignalSpy changed(&doc, &CardDocument::canvasChanged);
    withGradientDialog([](QDialog &dialog) {
        in<QScrollBar>(dialog, "VScroll1")->setValue(20);
        in<QPushButton>(dialog, "CancelKnop")->click();
    });
    EXPECT_EQ(doc.canvas().image(), before);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(BackgroundWindowTest, ScrollBarOneTwoOneShowsGradientOneAndThePreviewKeepsItsPast)
{
    withGradientDialog([](QDialog &dialog) {
        auto *bar = in<QScrollBar>(dialog, "VScroll1");
        // The dialog opens with the scroll bar taking the keys.
        EXPECT_EQ(dialog.focusWidget(), bar);
        QTest::keyClick(bar, Qt::Key_Down);
        EXPECT_EQ(numberText(dialog), QStringLiteral("2 / 42"));
        EXPECT_EQ(shownPreview(dialog).pixel(10, 100), qRgb(0, 100, 0));

        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        EXPECT_EQ(numberText(dialog), QStringLiteral("1 / 42"));
        EXPECT_EQ(shownPreview(dialog).pixel(10, 100), qRgb(100, 0, 0));
        // The preview is darker than the card: its last row reaches 134.
        EXPECT_EQ(shownPreview(dialog).pixel(219, 134), qRgb(134, 0, 0));

        // 15 after 36: the wedge below x + y = 220 and left of (220, 0)-(170, 135) keeps 36.
        bar->setValue(36);
        bar->setValue(15);
        EXPECT_EQ(numberText(dialog), QStringLiteral("15 / 42"));
        const QImage preview = shownPreview(dialog);
        EXPECT_EQ(preview.pixel(100, 130), qRgb(100, 0, 0)); // gradient 36's column 100
        EXPECT_EQ(preview.pixel(110, 125), qRgb(110, 0, 0)); // 36 reaches 110 in the middle
        EXPECT_EQ(preview.pixel(30, 20), qRgb(50, 0, 0));    // 15's first family, x + y
        in<QPushButton>(dialog, "CancelKnop")->click();
    });
}

TEST_F(BackgroundWindowTest, EveryOpeningStartsAtOneWithAnEmptyPreview)
{
    withGradientDialog([](QDialog &dialog) {
        in<QScrollBar>(dialog, "VScroll1")->setValue(42);
        in<QPushButton>(dialog, "OkKnop")->click();
    });
    // Gradient 42, the grey vertical band, on the card.
    EXPECT_EQ(doc.canvas().image().pixel(100, 50), qRgb(100, 100, 100));
    EXPECT_EQ(doc.canvas().image().pixel(340, 200), qRgb(100, 100, 100));

    withGradientDialog([](QDialog &dialog) {
        EXPECT_EQ(in<QScrollBar>(dialog, "VScroll1")->value(), 1);
        EXPECT_EQ(numberText(dialog), QStringLiteral("1"));
        EXPECT_EQ(shownPreview(dialog).pixel(100, 60), GradientChooser::EmptyPreviewColor);
        in<QPushButton>(dialog, "OkKnop")->click();
    });
    EXPECT_EQ(doc.canvas().image().pixel(100, 50), qRgb(50, 0, 0));
}
