#include "stamp/BackPic.h"
#include "support/CardEdit.h"
#include "background/BackgroundPhoto.h"
#include "core/CardDocument.h"
#include "stamp/PhotoFileFilter.h"
#include "support/ScriptedQuestions.h"
#include "background/WhiteFrame.h"
#include "stamp/StampTestFiles.h"
#include "support/ImageCompare.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr QRgb Red = 0xffff0000u;
constexpr QRgb Blue = 0xff0000ffu;
constexpr QRgb White = 0xffffffffu;

class BackgroundPhotoTest : public ::testing::Test {
protected:
    QString writePicture(const QString &name, const QImage &picture)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(picture.save(path));
        return path;
    }

    QString uniformPhoto(QSize size, QRgb color)
    {
        QImage photo(size, QImage::Format_RGB32);
        photo.fill(color);
        return writePicture(QStringLiteral("photo.png"), photo);
    }

    // The red card with a blue photo "Met Rand".
    void redCardWithMarginPhoto()
    {
        editCard(m_document, [&](Card &card) { card.canvas.setBackColor(QColor(Red)); });
        ASSERT_TRUE(loadBackgroundPhoto(m_document, m_backPic, uniformPhoto({100, 60}, Blue),
                                        PhotoPlacement::WithMargin));
    }

    // Every canvas pixel is `band` in the 12 left and top, 11 right and bottom pixels,
    // `inside` elsewhere.
    void expectBand(QRgb band, QRgb inside)
    {
        const QImage &image = m_document.canvas().image();
        for (int y = 0; y < 270; ++y) {
            for (int x = 0; x < 440; ++x) {
                const bool inBand = x < 12 || y < 12 || x >= 429 || y >= 259;
                ASSERT_EQ(image.pixel(x, y), inBand ? band : inside) << x << "," << y;
            }
        }
    }

    QTemporaryDir m_dir;
    CardDocument m_document;
    BackPic m_backPic;
};

} // namespace

TEST_F(BackgroundPhotoTest, WithMarginLeavesExactlyTheRedBand)
{
    redCardWithMarginPhoto();
    expectBand(Red, Blue);
}

TEST_F(BackgroundPhotoTest, WhiteFrameTurnsExactlyThatBandWhite)
{
    redCardWithMarginPhoto();
    addWhiteFrame(m_document);
    expectBand(White, Blue);
}

TEST_F(BackgroundPhotoTest, WhiteFrameTwiceIsOnce)
{
    redCardWithMarginPhoto();
    addWhiteFrame(m_document);
    const QImage once = m_document.canvas().image().copy();
    addWhiteFrame(m_document);
    EXPECT_EQ(m_document.canvas().image(), once);
}

TEST_F(BackgroundPhotoTest, BorderlessSqueezesThePhotoOverTheWholeCard)
{
    const QImage photo = StampTestFiles::redLeftBlueRight(1024, 768);
    const QString path = writePicture(QStringLiteral("halves.png"), photo);
    QSignalSpy changed(&m_document, &CardDocument::canvasChanged);

    ASSERT_TRUE(loadBackgroundPhoto(m_document, m_backPic, path, PhotoPlacement::Borderless));

    const QImage &image = m_document.canvas().image();
    // The halves meet between columns 219 and 220; the smoothing may tint the two
    // columns at the seam by a level or so.
    for (int y : {0, 135, 269}) {
        EXPECT_EQ(image.pixel(0, y), Red);
        EXPECT_EQ(image.pixel(218, y), Red);
        EXPECT_GE(qRed(image.pixel(219, y)), 250);
        EXPECT_GE(qBlue(image.pixel(220, y)), 250);
        EXPECT_EQ(image.pixel(221, y), Blue);
        EXPECT_EQ(image.pixel(439, y), Blue);
    }
    EXPECT_EQ(changed.count(), 1);
    // The full-size picture stays in the shared buffer for the zoom; FileName keeps the path.
    EXPECT_EQ(m_backPic.size(), QSize(1024, 768));
    EXPECT_EQ(m_document.fileName(), path);
}

TEST_F(BackgroundPhotoTest, PhotosOfTodaysFormatsFillTheCardUpright)
{
    // Stored 160 x 100, red on the left; each file says it is shown turned clockwise
    // (TIFF's orientation tag, HEIC's rotation box), so red comes on top.
    const QImage stored = StampTestFiles::redLeftBlueRight(160, 100);
    const QList<QPair<QString, QByteArray>> files = {
        {"turned.tiff", StampTestFiles::tiff(stored, 0x4)},
        {"turned.heic", StampTestFiles::heic(stored, 6)},
        {"plain.webp", StampTestFiles::webp(stored.transformed(QTransform().rotate(90)))},
    };
    for (const auto &[name, bytes] : files) {
        const QString path = StampTestFiles::write(m_dir, name, bytes);
        ASSERT_TRUE(loadBackgroundPhoto(m_document, m_backPic, path, PhotoPlacement::Borderless)) << name.toStdString();
        const QImage &card = m_document.canvas().image();
        EXPECT_GT(qRed(card.pixel(220, 20)), 200) << name.toStdString();
        EXPECT_LT(qBlue(card.pixel(220, 20)), 50) << name.toStdString();
        EXPECT_GT(qBlue(card.pixel(220, 250)), 200) << name.toStdString();
        EXPECT_LT(qRed(card.pixel(220, 250)), 50) << name.toStdString();
    }
}

TEST_F(BackgroundPhotoTest, ReductionAveragesInsteadOfPickingPixels)
{
    // One-pixel black and white checks, ten source pixels per card pixel each way.
    QImage photo(4400, 2700, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            line[x] = (x + y) % 2 ? White : 0xff000000u;
    }
    const QString path = writePicture(QStringLiteral("checks.png"), photo);
    ASSERT_TRUE(loadBackgroundPhoto(m_document, m_backPic, path, PhotoPlacement::Borderless));

    const QImage &image = m_document.canvas().image();
    for (int y = 0; y < 270; y += 7) {
        for (int x = 0; x < 440; x += 7) {
            const int grey = qRed(image.pixel(x, y));
            ASSERT_GE(grey, 126) << x << "," << y;
            ASSERT_LE(grey, 129) << x << "," << y;
        }
    }
}

TEST_F(BackgroundPhotoTest, AFileThatDoesNotLoadChangesNothing)
{
    ASSERT_TRUE(loadBackgroundPhoto(m_document, m_backPic, uniformPhoto({30, 20}, Blue),
                                    PhotoPlacement::Borderless));
    const QImage before = m_document.canvas().image().copy();
    const QString notAPicture = m_dir.filePath(QStringLiteral("notes.jpg"));
    QFile file(notAPicture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("these are not the pixels you are looking for");
    file.close();
    QSignalSpy changed(&m_document, &CardDocument::canvasChanged);

    EXPECT_FALSE(loadBackgroundPhoto(m_document, m_backPic, notAPicture, PhotoPlacement::WithMargin));
    EXPECT_FALSE(loadBackgroundPhoto(m_document, m_backPic, m_dir.filePath(QStringLiteral("missing.jpg")),
                                     PhotoPlacement::Borderless));

    EXPECT_EQ(m_document.canvas().image(), before);
    EXPECT_EQ(m_backPic.size(), QSize(30, 20));
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(BackgroundPhotoTest, MenuCommandAsksWithThePhotoFilterAndLoadsTheChoice)
{
    editCard(m_document, [&](Card &card) { card.canvas.setBackColor(QColor(Red)); });
    ScriptedQuestions questions;
    questions.openFileAnswers = {uniformPhoto({50, 40}, Blue)};

    EXPECT_TRUE(chooseBackgroundPhoto(m_document, m_backPic, questions, PhotoPlacement::WithMargin));

    // The same filter as the stamp's "Foto Inladen".
    EXPECT_EQ(questions.filters, QStringList{PhotoFileFilter::filter()});
    // The classic entry stays, after the one that lists every format the loader reads.
    EXPECT_TRUE(questions.filters.value(0).contains(u"|Foto ( Jpg, Bmp, Gif, Wmf )|"));
    EXPECT_EQ(m_document.canvas().image().pixel(11, 11), Red);
    EXPECT_EQ(m_document.canvas().image().pixel(12, 12), Blue);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(BackgroundPhotoTest, CancellingTheFileDialogChangesNothing)
{
    const QImage before = m_document.canvas().image().copy();
    m_document.setFileName(QStringLiteral("visite"));
    ScriptedQuestions questions;
    questions.openFileAnswers = {QString()};

    EXPECT_FALSE(chooseBackgroundPhoto(m_document, m_backPic, questions, PhotoPlacement::Borderless));

    EXPECT_EQ(m_document.canvas().image(), before);
    EXPECT_EQ(m_document.fileName(), QStringLiteral("visite"));
    EXPECT_TRUE(m_backPic.image().isNull());
}

// The command names a photo that does not load, with the reason, and keeps the card's
// file name.
TEST_F(BackgroundPhotoTest, ChoosingAPhotoThatDoesNotLoadSaysWhyAndKeepsTheName)
{
    m_document.setFileName(QStringLiteral("kaart"));
    const QString text = m_dir.filePath(QStringLiteral("foto.png"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("geen foto");
    file.close();
    ScriptedQuestions questions;
    questions.openFileAnswers = {text};
    EXPECT_FALSE(chooseBackgroundPhoto(m_document, m_backPic, questions, PhotoPlacement::Borderless));
    EXPECT_EQ(questions.messages,
              QStringList{"Lumovander|\"foto.png\" kon niet worden geopend: het is geen afbeelding."});
    EXPECT_EQ(m_document.fileName(), QString("kaart"));
}

namespace {

// Black circles of radius 60 on white, 150 pixels apart, in a 600 x 900 portrait photo.
QImage portraitCircles()
{
    QImage photo(600, 900, QImage::Format_RGB32);
    photo.fill(Qt::white);
    QPainter painter(&photo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (int y = 75; y < 900; y += 150)
        for (int x = 75; x < 600; x += 150)
            painter.drawEllipse(QPointF(x, y), 60, 60);
    return photo;
}

} // namespace

TEST_F(BackgroundPhotoTest, FitPutsThePortraitPhotoWholeAndRoundInTheMiddleAndKeepsTheStrips)
{
    ASSERT_TRUE(loadBackgroundPhoto(m_document, m_backPic,
                                    writePicture(QStringLiteral("numbered.png"), StampTestFiles::numbered(440, 270)),
                                    PhotoPlacement::Borderless));
    const QImage before = m_document.canvas().image().copy();
    const QImage printBefore = m_document.canvas().printImage();
    ASSERT_EQ(printBefore.size(), QSize(1760, 1080));
    QSignalSpy changed(&m_document, &CardDocument::canvasChanged);

    ASSERT_TRUE(loadBackgroundPhoto(m_document, m_backPic, writePicture(QStringLiteral("rondjes.png"), portraitCircles()),
                                    PhotoPlacement::Fit));
    EXPECT_EQ(changed.count(), 1);
    // 900 rows to 270: 180 columns wide, from column 130 to 309.
    const QImage &card = m_document.canvas().image();
    EXPECT_EQ(card.copy(0, 0, 130, 270), before.copy(0, 0, 130, 270));
    EXPECT_EQ(card.copy(310, 0, 130, 270), before.copy(310, 0, 130, 270));
    EXPECT_EQ(card.pixel(130, 0), White);
    EXPECT_EQ(card.pixel(309, 269), White);
    // Each circle 36 across both ways, where the grid puts it.
    for (const QPoint centre : {QPoint(130 + 22, 22), QPoint(130 + 157, 247)}) {
        const QRect circle = ImageCompare::darkExtent(card, QRect(centre - QPoint(22, 22), QSize(45, 45)));
        EXPECT_NEAR(circle.width(), 36, 1);
        EXPECT_NEAR(circle.height(), circle.width(), 1);
        EXPECT_NEAR(circle.center().x(), centre.x(), 1);
        EXPECT_NEAR(circle.center().y(), centre.y(), 1);
    }

    // Paper's copy from the photo's own pixels: 720 x 1080 from column 520, the strips
    // the print copy had.
    const QImage print = m_document.canvas().printImage();
    ASSERT_EQ(print.size(), QSize(1760, 1080));
    EXPECT_EQ(print.copy(0, 0, 520, 1080), printBefore.copy(0, 0, 520, 1080));
    EXPECT_EQ(print.copy(1240, 0, 520, 1080), printBefore.copy(1240, 0, 520, 1080));
    const QRect printed = ImageCompare::darkExtent(print, QRect(520, 0, 180, 180));
    EXPECT_NEAR(printed.width(), 144, 1);
    EXPECT_NEAR(printed.height(), printed.width(), 1);

    m_document.undo();
    EXPECT_EQ(m_document.canvas().image(), before);
}
