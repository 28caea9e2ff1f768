#include "background/BackgroundPhoto.h"
#include "core/CardDocument.h"
#include "stamp/BackPic.h"
#include "support/ImageCompare.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace {

QFont chosenFont(const char *family, int size, bool italic)
{
    QFont font(QString::fromLatin1(family), size);
    font.setItalic(italic);
    return font;
}

QImage picture(QSize size, int seed)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7 + seed) & 255, (y * 3 + seed * 5) & 255, (x ^ y ^ seed) & 255));
    return image;
}

void scribble(QImage &image, int seed)
{
    QPainter painter(&image);
    painter.fillRect(QRect(seed % 100, seed % 60, 40, 30), QColor::fromRgb(QRgb(0xff000000u | uint(seed * 2654435761u))));
}

struct Kind {
    const char *name;
    std::function<void(CardDocument &)> step;
};

// One of each kind of change the program makes to the card, on a card that already
// has a stamp layout, drawings and a cut stamp so that every part can visibly change.
const std::vector<Kind> &kinds()
{
    static const std::vector<Kind> all = {
        {"text line", [](CardDocument &d) { d.enterTextLine(3, QStringLiteral("Bakkerij")); }},
        {"font", [](CardDocument &d) { d.applyChosenFont(chosenFont("DejaVu Serif", 21, true)); }},
        {"text colour", [](CardDocument &d) { d.setTextColorComponent(CardDocument::Green, 3); }},
        {"background colour", [](CardDocument &d) { d.setBackColorComponent(CardDocument::Blue, 9); }},
        {"layout", [](CardDocument &d) { d.applyLayout(3); }},
        {"outline", [](CardDocument &d) { d.chooseBorderItem(3); }},
        {"stamp border option", [](CardDocument &d) { d.chooseStampBorderOption(4); }},
        {"canvas drawing", [](CardDocument &d) { d.drawOnCanvas(QStringLiteral("Aquarel"), [](QImage &i) { scribble(i, 77); }); }},
        {"stamp drawing", [](CardDocument &d) { d.drawOnStamp(QStringLiteral("Blur"), [](QImage &i) { scribble(i, 13); }); }},
        {"template", [](CardDocument &d) { d.setCanvasPicture(QStringLiteral("Templates"), picture({200, 100}, 4)); }},
        {"stamp cut", [](CardDocument &d) { d.setStampPicture(QStringLiteral("Zegelfoto"), picture({120, 150}, 8)); }},
        {"stamp cut with print copy", [](CardDocument &d) {
             d.setStampPicture(QStringLiteral("Zegelfoto"), picture({140, 180}, 6), picture({560, 720}, 6));
         }},
        {"canvas drawing with print copy", [](CardDocument &d) {
             d.drawOnCanvas(QStringLiteral("Aquarel"), [](QImage &i) { scribble(i, 21); },
                            [](QImage &print, const QImage &) { scribble(print, 22); });
         }},
        {"empty cut", [](CardDocument &d) { d.setStampPicture(QStringLiteral("Zegelfoto"), QImage()); }},
        {"new card", [](CardDocument &d) { d.newCard(); }},
        {"opened card", [](CardDocument &d) {
             Card card = d.card();
             card.state.TextLines[1] = QStringLiteral("Geopend");
             card.canvas.setPicture(picture({440, 270}, 9));
             card.checkedBorderItem = 0;
             d.replaceCard(QStringLiteral("Open Kaart"), card, true);
         }},
    };
    return all;
}

void prepare(CardDocument &doc)
{
    doc.applyLayout(2);
    doc.setStampPicture(QStringLiteral("Zegelfoto"), picture({140, 180}, 1), picture({560, 720}, 1));
    doc.drawOnCanvas(QStringLiteral("Wit Kader"), [](QImage &i) { scribble(i, 5); },
                     [](QImage &print, const QImage &) { scribble(print, 5); });
    doc.chooseBorderItem(2);
}

} // namespace

TEST(CardHistory, EveryKindOfStepUndoesAndRedoesBitForBit)
{
    for (const Kind &kind : kinds()) {
        SCOPED_TRACE(kind.name);
        CardDocument doc;
        prepare(doc);
        const Card before = doc.card();
        const QImage canvasBefore = doc.canvas().image().copy();
        ASSERT_TRUE(doc.canvas().hasPrintCopy());
        ASSERT_TRUE(doc.stamp().hasPrintCopy());
        const QImage canvasPrintBefore = doc.canvas().printImage().copy();
        const QImage stampPrintBefore = doc.stamp().printImage().copy();
        kind.step(doc);
        const Card after = doc.card();
        ASSERT_FALSE(after == before) << "the step changes the card";

        ASSERT_TRUE(doc.undo());
        EXPECT_TRUE(doc.card() == before);
        // Pixels compared against a deep copy taken before: the step did not draw
        // into a picture the history shares.
        EXPECT_EQ(doc.canvas().image(), canvasBefore);
        // The print copies come back with their pictures, still in step with them.
        EXPECT_TRUE(doc.canvas().hasPrintCopy());
        EXPECT_TRUE(doc.stamp().hasPrintCopy());
        EXPECT_EQ(doc.canvas().printImage(), canvasPrintBefore);
        EXPECT_EQ(doc.stamp().printImage(), stampPrintBefore);
        ASSERT_TRUE(doc.redo());
        EXPECT_TRUE(doc.card() == after);
    }
}

TEST(CardHistory, PhotoBackgroundUndoBringsBackThePrintCopyAndRedoTheFinerOne)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("foto.png"));
    ASSERT_TRUE(picture({1760, 1080}, 3).save(path));
    CardDocument doc;
    doc.drawOnCanvas(QStringLiteral("Wit Kader"), [](QImage &i) { scribble(i, 5); },
                     [](QImage &print, const QImage &) { scribble(print, 5); });
    const QImage printBefore = doc.canvas().printImage().copy();

    BackPic backPic;
    ASSERT_TRUE(loadBackgroundPhoto(doc, backPic, path, PhotoPlacement::Borderless));
    ASSERT_TRUE(doc.canvas().hasPrintCopy());
    const QImage printAfter = doc.canvas().printImage().copy();
    ASSERT_NE(printAfter, printBefore);

    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(doc.canvas().hasPrintCopy());
    EXPECT_EQ(doc.canvas().printImage(), printBefore);
    ASSERT_TRUE(doc.redo());
    EXPECT_TRUE(doc.canvas().hasPrintCopy());
    EXPECT_EQ(doc.canvas().printImage(), printAfter);
}

TEST(CardHistory, APrintCopyCountsInTheStepsBytes)
{
    CardDocument doc;
    doc.drawOnCanvas(QStringLiteral("Aquarel"), [](QImage &i) { scribble(i, 1); },
                     [](QImage &print, const QImage &) { scribble(print, 1); });
    EXPECT_GE(doc.history().bytes(), doc.canvas().image().sizeInBytes() + doc.canvas().printImage().sizeInBytes());
}

TEST(CardHistory, UndoTellsTheViewsWhatChanged)
{
    CardDocument doc;
    doc.applyLayout(2);
    QSignalSpy layout(&doc, &CardDocument::layoutChanged);
    QSignalSpy stamp(&doc, &CardDocument::stampChanged);
    QSignalSpy text(&doc, &CardDocument::textChanged);
    doc.undo();
    EXPECT_EQ(layout.count(), 1);
    EXPECT_EQ(stamp.count(), 1);
    EXPECT_EQ(text.count(), 0);
}

TEST(CardHistory, ALongRandomSequenceUndoesToTheStartAndRedoesToTheEnd)
{
    CardDocument doc;
    const Card start = doc.card();
    QRandomGenerator random(20261208);
    int steps = 0;
    for (int i = 0; i < 300; ++i) {
        const auto &all = kinds();
        const int pick = int(random.bounded(quint32(all.size() + 3)));
        if (pick < int(all.size())) {
            // Steps with print copies are a few megabytes each; hundreds of them would
            // pass the byte budget, which drops the first steps.
            if (QByteArray(all[size_t(pick)].name).contains("print copy"))
                continue;
            all[size_t(pick)].step(doc);
        } else if (pick == int(all.size())) {
            doc.applyLayout(int(random.bounded(5)));
        } else if (pick == int(all.size()) + 1) {
            doc.enterTextLine(int(random.bounded(1, 8)), QString::number(i));
        } else {
            const int seed = i;
            doc.drawOnStamp(QStringLiteral("Edge"), [seed](QImage &image) { scribble(image, seed); });
        }
        // A few undos in between: redo history is cut off by the next step.
        if (random.bounded(10) == 0)
            doc.undo();
    }
    const Card end = doc.card();
    while (doc.undo())
        ++steps;
    EXPECT_GE(steps, 150) << "most of the changes were real steps";
    EXPECT_TRUE(doc.card() == start);
    while (doc.redo())
        --steps;
    EXPECT_EQ(steps, 0);
    EXPECT_TRUE(doc.card() == end);
}

TEST(CardHistory, ConsecutiveMovesOfOneBarSetAreOneStep)
{
    CardDocument doc;
    doc.enterTextLine(1, QStringLiteral("Eerst"));
    const Card before = doc.card();
    doc.setTextColorComponent(CardDocument::Red, 10);
    doc.setTextColorComponent(CardDocument::Red, 20);
    doc.setTextColorComponent(CardDocument::Blue, 30);
    EXPECT_EQ(doc.undoName(), QStringLiteral("Kleur tekst"));
    doc.setBackColorComponent(CardDocument::Red, 40); // another set: a step of its own
    doc.setBackColorComponent(CardDocument::Green, 50);

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.state().backColor(), QColor(200, 230, 200));
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(doc.card() == before);
    EXPECT_EQ(doc.undoName(), QStringLiteral("Invoer tekst"));
}

TEST(CardHistory, BarMovesAfterSavingStartANewStep)
{
    CardDocument doc;
    doc.setTextColorComponent(CardDocument::Red, 10);
    doc.markSaved();
    doc.setTextColorComponent(CardDocument::Red, 20);
    EXPECT_TRUE(doc.isModified());
    ASSERT_TRUE(doc.undo());
    EXPECT_FALSE(doc.isModified()) << "back at the saved card";
    EXPECT_EQ(doc.state().textColor().red(), 10);
}

TEST(CardHistory, UndoIsRefusedWhileAPictureCommandDraws)
{
    CardDocument doc;
    doc.enterTextLine(1, QStringLiteral("Regel"));
    bool undone = true;
    bool redone = true;
    // A filter hands events to the window between its rows; Ctrl+Z may arrive then.
    doc.drawOnCanvas(QStringLiteral("Aquarel"), [&](QImage &image) {
        image.fill(Qt::red);
        undone = doc.undo();
        redone = doc.redo();
    });
    EXPECT_FALSE(undone);
    EXPECT_FALSE(redone);
    EXPECT_EQ(doc.undoName(), QStringLiteral("Aquarel"));
    EXPECT_TRUE(doc.undo());
    EXPECT_TRUE(doc.undo()) << "refusing left the flag down again";
}

TEST(CardHistory, TheByteBudgetDropsTheOldestStepsFirst)
{
    CardDocument doc;
    const qsizetype canvasBytes = doc.canvas().image().sizeInBytes();
    doc.setHistoryByteBudget(canvasBytes * 5 / 2);
    for (int i = 0; i < 5; ++i)
        doc.drawOnCanvas(QStringLiteral("Stap %1").arg(i), [i](QImage &image) { scribble(image, i * 31); });
    // Steps that change no picture cost nothing and stay.
    doc.enterTextLine(1, QStringLiteral("Tekst"));

    EXPECT_LE(doc.history().bytes(), canvasBytes * 5 / 2);
    EXPECT_EQ(doc.history().stepCount(), 3);
    EXPECT_TRUE(doc.undo());
    EXPECT_EQ(doc.undoName(), QStringLiteral("Stap 4"));
    EXPECT_TRUE(doc.undo());
    EXPECT_EQ(doc.undoName(), QStringLiteral("Stap 3"));
    EXPECT_TRUE(doc.undo());
    EXPECT_FALSE(doc.canUndo());
}

TEST(CardHistory, FiftyStepsOfCanvasDrawingFitTheDefaultBudget)
{
    CardDocument doc;
    for (int i = 0; i < 60; ++i)
        doc.drawOnCanvas(QStringLiteral("Blur"), [i](QImage &image) { scribble(image, i); });
    EXPECT_EQ(doc.history().stepCount(), 60);
}

TEST(CardHistory, ModifiedFollowsSavingUndoAndNew)
{
    CardDocument doc;
    QSignalSpy modified(&doc, &CardDocument::modifiedChanged);
    EXPECT_FALSE(doc.isModified());
    doc.chooseBorderItem(2);
    EXPECT_TRUE(doc.isModified());
    doc.undo();
    EXPECT_FALSE(doc.isModified()) << "undone to the card as it started";
    doc.redo();
    doc.markSaved();
    EXPECT_FALSE(doc.isModified());
    doc.undo();
    EXPECT_TRUE(doc.isModified());
    doc.chooseBorderItem(3); // the saved card can no longer be reached
    doc.undo();
    EXPECT_TRUE(doc.isModified());
    doc.newCard();
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(modified.count(), 6);
}

// Print copies are some 8 MB a canvas: the older steps keep theirs packed, so that
// fifty picture steps still fit the budget, and a card undone that far still prints from
// its print copy, near the one it had.
TEST(CardHistory, FiftyStepsWithPrintCopiesFitTheDefaultBudget)
{
    CardDocument doc;
    const QImage photoPrint = ImageCompare::detailedPhoto(1760, 1080, 40.0);
    doc.drawOnCanvas(
        QStringLiteral("Foto"),
        [&](QImage &image) { image = photoPrint.scaled(440, 270, Qt::IgnoreAspectRatio, Qt::SmoothTransformation); },
        [&](QImage &print, const QImage &) { print = photoPrint; });
    for (int i = 0; i < 60; ++i)
        doc.drawOnCanvas(QStringLiteral("Aquarel"), [i](QImage &image) { scribble(image, i); },
                         [i](QImage &print, const QImage &) { scribble(print, i); });
    EXPECT_EQ(doc.history().stepCount(), 61);
    EXPECT_LE(doc.history().bytes(), CardHistory::DefaultByteBudget);
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(doc.canvas().hasPrintCopy()) << "the newest steps keep their print copies";
    for (int i = 1; i < 60; ++i)
        ASSERT_TRUE(doc.undo());
    ASSERT_TRUE(doc.canvas().hasPrintCopy()) << "packed, and still in step with the screen picture";
    const double kept = ImageCompare::psnr(doc.canvas().printImage(), photoPrint);
    EXPECT_GE(kept, 38.0) << "dB against the print copy the card had";
    // Packing ended with the undo: a filter after it works on pixels again.
    doc.drawOnCanvas(QStringLiteral("Negative"), [](QImage &image) { image.invertPixels(); },
                     [](QImage &print, const QImage &) { print.invertPixels(); });
    EXPECT_TRUE(doc.canvas().hasPrintCopy());
    ASSERT_TRUE(doc.undo());
    ASSERT_TRUE(doc.undo());
    EXPECT_FALSE(doc.canvas().hasPrintCopy()) << "the plain colour of the start has none";
}
