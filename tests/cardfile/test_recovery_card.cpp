#include "background/FilterCommands.h"
#include "cardfile/Autosave.h"
#include "cardfile/RecoveryCard.h"
#include "core/CardDocument.h"
#include "core/CardPainter.h"
#include "core/RegularFile.h"
#include "support/ScriptedQuestions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

QImage paintCard(const CardDocument &doc)
{
    QImage image(440, 270, QImage::Format_RGB32);
    QPainter painter(&image);
    CardPainter::paint(painter, doc);
    return image;
}

void paintPattern(QImage &image, int seed)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7 + seed) % 256, (y * 13 + seed) % 256, (x + y) % 256));
}

// A card that differs from a fresh one in every part the recovery card keeps.
void design(CardDocument &doc)
{
    doc.applyLayout(3);
    doc.drawOnCanvas(QStringLiteral("Test"), [](QImage &image) { paintPattern(image, 1); });
    doc.drawOnStamp(QStringLiteral("Test"), [](QImage &image) { paintPattern(image, 2); });
    doc.enterTextLine(2, QStringLiteral("Jan de Vries"));
    doc.setTextColorComponent(CardDocument::Red, 200);
    doc.chooseBorderItem(3);
    doc.setLastFileName(QStringLiteral("Vorige"));
    doc.setFileName(QStringLiteral("Vorige"));
}

void overwrite(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Recovery : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("Herstel"));
    QString file(const QString &name) const { return QDir(folder).filePath(name); }
    CardDocument doc;
    ScriptedQuestions questions;
};

} // namespace

TEST_F(Recovery, RestoresTheDesignPixelForPixelAsAnUnsavedCardWithoutName)
{
    design(doc);
    ASSERT_EQ(RecoveryCard::write(doc, folder), std::nullopt);
    const auto written = RecoveryCard::find(folder);
    ASSERT_TRUE(written);
    EXPECT_LE(qAbs(written->secsTo(QDateTime::currentDateTime())), 60);

    CardDocument restored;
    questions.yesNoAnswers = {true};
    EXPECT_TRUE(RecoveryCard::offer(restored, questions, folder));
    EXPECT_EQ(questions.asked, QStringList{"Lumovander|" + RecoveryCard::question(*written)});
    EXPECT_EQ(paintCard(restored), paintCard(doc));
    EXPECT_EQ(restored.checkedBorderItem(), 3);
    EXPECT_TRUE(restored.isModified());
    EXPECT_EQ(restored.fileName(), QString());
    EXPECT_EQ(restored.lastFileName(), QString());
    EXPECT_EQ(restored.nameCaption(), QStringLiteral("*.*"));
    // Still there, should this run end badly too.
    EXPECT_TRUE(RecoveryCard::find(folder));
}

TEST_F(Recovery, BringsBackThePrintCopiesWithTheirPictures)
{
    doc.applyLayout(2);
    QImage stamp(140, 180, QImage::Format_RGB32);
    paintPattern(stamp, 3);
    QImage stampPrint(560, 720, QImage::Format_RGB32);
    paintPattern(stampPrint, 4);
    doc.setStampPicture(QStringLiteral("Zegelfoto"), stamp, stampPrint);
    doc.drawOnCanvas(QStringLiteral("Test"), [](QImage &image) { paintPattern(image, 1); },
                     [](QImage &print, const QImage &) { paintPattern(print, 5); });
    ASSERT_TRUE(doc.canvas().hasPrintCopy());
    ASSERT_TRUE(doc.stamp().hasPrintCopy());
    ASSERT_EQ(RecoveryCard::write(doc, folder), std::nullopt);

    CardDocument restored;
    questions.yesNoAnswers = {true};
    ASSERT_TRUE(RecoveryCard::offer(restored, questions, folder));
    ASSERT_TRUE(restored.canvas().hasPrintCopy());
    ASSERT_TRUE(restored.stamp().hasPrintCopy());
    EXPECT_EQ(restored.canvas().printImage(), doc.canvas().printImage());
    EXPECT_EQ(restored.stamp().printImage(), doc.stamp().printImage());
}

TEST_F(Recovery, NoRemovesTheCardAndLeavesTheDocumentAlone)
{
    design(doc);
    ASSERT_EQ(RecoveryCard::write(doc, folder), std::nullopt);
    CardDocument fresh;
    const QImage before = paintCard(fresh);
    questions.yesNoAnswers = {false};
    EXPECT_FALSE(RecoveryCard::offer(fresh, questions, folder));
    EXPECT_EQ(questions.asked.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_EQ(paintCard(fresh), before);
    EXPECT_FALSE(fresh.isModified());
}

TEST_F(Recovery, QuestionGivesTheDateInDutch)
{
    EXPECT_EQ(RecoveryCard::question(QDateTime(QDate(2026, 12, 8), QTime(14, 5))),
              QStringLiteral("Er is een niet-opgeslagen kaart gevonden van 8 december 2026 om 14:05. "
                             "Wilt u die terughalen?"));
    EXPECT_EQ(RecoveryCard::question(QDateTime(QDate(2027, 3, 21), QTime(9, 30))),
              QStringLiteral("Er is een niet-opgeslagen kaart gevonden van 21 maart 2027 om 09:30. "
                             "Wilt u die terughalen?"));
}

// Without a record there is nothing the user typed: not offered, nothing said.
TEST_F(Recovery, NoRecordIsNoCard)
{
    design(doc);
    for (const bool withFolder : {false, true}) {
        ASSERT_EQ(RecoveryCard::write(doc, folder), std::nullopt);
        if (withFolder)
            QFile::remove(file("Kaart.crd"));
        else
            QDir(folder).removeRecursively();
        EXPECT_FALSE(RecoveryCard::find(folder));
        CardDocument fresh;
        EXPECT_FALSE(RecoveryCard::offer(fresh, questions, folder));
        EXPECT_FALSE(fresh.isModified());
    }
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_TRUE(questions.messages.isEmpty());
}

// Each way a card can be damaged: not offered and nothing changed, but kept aside under
// a name of its own, out of the next write's way, and the user told where.
TEST_F(Recovery, DamagedCardIsKeptAsideAndTheUserTold)
{
    const std::vector<std::pair<const char *, std::function<void()>>> damages = {
        {"record cut short",
         [&] { overwrite(file("Kaart.crd"), bytesOf(file("Kaart.crd")).left(150)); }},
        {"record of other things", [&] { overwrite(file("Kaart.crd"), QByteArray(400, 'x')); }},
        {"no background", [&] { QFile::remove(file("Kaart-back.bmp")); }},
        {"background cut short",
         [&] { overwrite(file("Kaart-back.bmp"), bytesOf(file("Kaart-back.bmp")).left(60)); }},
        {"no stamp for a stamp layout", [&] { QFile::remove(file("Kaart.bmp")); }},
        {"stamp of garbage", [&] { overwrite(file("Kaart.bmp"), QByteArray(5000, '\x42')); }},
    };
    design(doc);
    for (const auto &[what, damage] : damages) {
        SCOPED_TRACE(what);
        QDir(folder).removeRecursively();
        ASSERT_EQ(RecoveryCard::write(doc, folder), std::nullopt);
        damage();
        const QByteArray record = bytesOf(file("Kaart.crd"));
        const QDateTime written = QFileInfo(file("Kaart.crd")).lastModified();
        EXPECT_FALSE(RecoveryCard::find(folder));
        CardDocument fresh;
        const QImage before = paintCard(fresh);
        questions.messages.clear();
        EXPECT_FALSE(RecoveryCard::offer(fresh, questions, folder));
        EXPECT_EQ(paintCard(fresh), before);
        EXPECT_FALSE(fresh.isModified());

        const QString keptAs = "Bewaard-" + written.toString("yyyyMMdd-HHmm");
        EXPECT_EQ(questions.messages,
                  QStringList{"Lumovander|" + RecoveryCard::keptAsideMessage(written, folder, keptAs)});
        EXPECT_EQ(bytesOf(file(keptAs + ".crd")), record);
        EXPECT_FALSE(QFileInfo::exists(file("Kaart.crd")));
    }
    EXPECT_TRUE(questions.asked.isEmpty());
}

TEST_F(Recovery, RecordPaddedPastWhatOpeningReadsIsKeptAsideNotRestoredWithoutItsTexts)
{
    design(doc);
    ASSERT_EQ(RecoveryCard::write(doc, folder), std::nullopt);
    // Blanks after the last field are passed over by reading, but opening a card reads
    // no record above its cap.
    const QByteArray padded = bytesOf(file("Kaart.crd")) + QByteArray(RegularFile::RecordLimit, ' ');
    overwrite(file("Kaart.crd"), padded);
    const QDateTime written = QFileInfo(file("Kaart.crd")).lastModified();
    const QString keptAs = "Bewaard-" + written.toString("yyyyMMdd-HHmm");

    EXPECT_FALSE(RecoveryCard::find(folder));
    CardDocument fresh;
    EXPECT_FALSE(RecoveryCard::offer(fresh, questions, folder));
    EXPECT_TRUE(questions.asked.isEmpty()) << "not offered";
    EXPECT_EQ(questions.messages,
              QStringList{"Lumovander|" + RecoveryCard::keptAsideMessage(written, folder, keptAs)});
    EXPECT_TRUE(RecoveryCard::keptAsideMessage(written, folder, keptAs).contains("kan niet volledig worden teruggehaald"));

    // The next card written and removed leaves the one kept aside, which a second kept
    // aside in the same minute does not replace.
    ASSERT_EQ(RecoveryCard::write(doc, folder), std::nullopt);
    ASSERT_TRUE(RecoveryCard::find(folder));
    overwrite(file("Kaart.crd"), "kapot");
    EXPECT_FALSE(RecoveryCard::offer(fresh, questions, folder));
    RecoveryCard::remove(folder);
    EXPECT_EQ(bytesOf(file(keptAs + ".crd")), padded);
    EXPECT_EQ(bytesOf(file(keptAs + "-2.crd")), QByteArray("kapot"));
    EXPECT_TRUE(QFileInfo::exists(file(keptAs + "-back.bmp")));
    EXPECT_FALSE(QFileInfo::exists(file("Kaart.crd")));
}

// A recovery folder that is a link, or holds anything besides the recovery card, is
// not the program's: not read, not written into, nothing removed from it.
TEST_F(Recovery, FolderThatIsALinkOrHoldsOtherFilesIsLeftAlone)
{
    design(doc);
    const QString target = dir.filePath("Documenten");
    const QString photo = dir.filePath("foto.jpg");
    overwrite(photo, "foto");
    const auto writeCard = [&] { ASSERT_EQ(RecoveryCard::write(doc, folder), std::nullopt); };
    const std::vector<std::pair<const char *, std::function<void()>>> strangers = {
        {"a link to another folder", [&] { ASSERT_TRUE(QFile::link(target, folder)); }},
        {"a file of the user's", [&] { writeCard(), overwrite(file("brief.txt"), "brief"); }},
        {"a folder", [&] { writeCard(), QDir(folder).mkpath("Vakantie"); }},
        {"a link in place of a picture", [&] {
             writeCard();
             QFile::remove(file("Kaart.bmp"));
             QFile::link(photo, file("Kaart.bmp"));
         }},
    };
    for (const auto &[what, stranger] : strangers) {
        SCOPED_TRACE(what);
        QFile::remove(folder);
        QDir(folder).removeRecursively();
        QDir(target).removeRecursively();
        // What the link leads to: a card, as if it were ours, and a letter.
        ASSERT_EQ(RecoveryCard::write(doc, target), std::nullopt);
        overwrite(QDir(target).filePath("brief.txt"), "brief");
        stranger();
        const QByteArray record = bytesOf(file("Kaart.crd"));
        ASSERT_FALSE(record.isEmpty());

        CardDocument fresh;
        EXPECT_FALSE(RecoveryCard::find(folder));
        EXPECT_FALSE(RecoveryCard::offer(fresh, questions, folder));
        EXPECT_FALSE(RecoveryCard::restore(fresh, folder));
        CardDocument other;
        other.enterTextLine(1, "Anders");
        EXPECT_EQ(RecoveryCard::write(other, folder), std::nullopt) << "nothing to tell";
        Autosave autosave(other, folder, 1h);
        autosave.discard();
        RecoveryCard::remove(folder);

        EXPECT_EQ(bytesOf(file("Kaart.crd")), record) << "not written into";
        EXPECT_TRUE(QFileInfo::exists(file("Kaart-back.bmp"))) << "nothing removed";
        EXPECT_EQ(bytesOf(QDir(target).filePath("brief.txt")), QByteArray("brief"));
        EXPECT_EQ(bytesOf(photo), QByteArray("foto"));
    }
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_TRUE(questions.messages.isEmpty());
}

TEST_F(Recovery, TextLayoutNeedsNoStampPicture)
{
    doc.applyLayout(1);
    doc.enterTextLine(1, QStringLiteral("Alleen tekst"));
    ASSERT_EQ(RecoveryCard::write(doc, folder), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(file("Kaart.bmp")));
    CardDocument restored;
    ASSERT_TRUE(RecoveryCard::restore(restored, folder));
    EXPECT_EQ(paintCard(restored), paintCard(doc));
}

TEST_F(Recovery, AutosaveWritesOnlyWhileTheCardHasUnsavedChanges)
{
    Autosave autosave(doc, folder, 20ms);
    int writes = 0;
    QObject::connect(&autosave, &Autosave::written, [&writes](bool ok) { writes += ok ? 1 : 100; });

    QTest::qWait(100);
    EXPECT_EQ(writes, 0);
    EXPECT_FALSE(QFileInfo::exists(folder));

    doc.enterTextLine(4, QStringLiteral("Veranderd"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return writes > 0; }, 5000));
    EXPECT_LT(writes, 100);
    CardDocument restored;
    ASSERT_TRUE(RecoveryCard::restore(restored, folder));
    EXPECT_EQ(restored.state().TextLines[4], QStringLiteral("Veranderd"));

    // Saved (or opened, or renewed): the recovery card goes and the clock stops.
    doc.markSaved();
    autosave.waitForWrites();
    EXPECT_FALSE(QFileInfo::exists(folder));
    QCoreApplication::processEvents();
    writes = 0;
    QTest::qWait(100);
    EXPECT_EQ(writes, 0);
}

// The user counts on the recovery card: a run of failed writes is said once in the
// info line, and its end once too.
TEST_F(Recovery, AutosaveSaysOnceWhenItStopsAndStartsKeepingTheCard)
{
    const QString blocker = dir.filePath(QStringLiteral("geen-map"));
    overwrite(blocker, "a file where the folder's parent should be");
    Autosave autosave(doc, QDir(blocker).filePath(QStringLiteral("Herstel")), 1h);
    QStringList said;
    QObject::connect(&autosave, &Autosave::protectionChanged, [&said](const QString &text) { said << text; });
    auto saveAndSettle = [&](const QString &line) {
        doc.enterTextLine(1, line);
        autosave.saveNow();
        autosave.waitForWrites();
        QCoreApplication::processEvents();
    };

    saveAndSettle(QStringLiteral("een"));
    saveAndSettle(QStringLiteral("twee"));
    ASSERT_EQ(said.size(), 1) << said.join(u'|').toStdString();
    EXPECT_EQ(said[0], QStringLiteral("Let op: de herstelkaart kan niet worden bewaard. Sla de kaart zelf op."));

    ASSERT_TRUE(QFile::remove(blocker));
    saveAndSettle(QStringLiteral("drie"));
    saveAndSettle(QStringLiteral("vier"));
    ASSERT_EQ(said.size(), 2) << said.join(u'|').toStdString();
    EXPECT_EQ(said[1], QStringLiteral("De herstelkaart wordt weer bewaard."));
}

TEST_F(Recovery, AutosaveDiscardRemovesTheCardAndWhatAnInterruptedWriteLeft)
{
    Autosave autosave(doc, folder, 1h);
    doc.enterTextLine(1, QStringLiteral("x"));
    autosave.saveNow();
    autosave.waitForWrites();
    ASSERT_TRUE(RecoveryCard::find(folder));
    overwrite(file(".lumovander-0123456789abcdef"), "half");
    autosave.discard();
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(Recovery, AutosaveWritesTheCardAsItWasWhenAsked)
{
    Autosave autosave(doc, folder, 1h);
    design(doc);
    CardDocument expected;
    design(expected);
    for (int i = 0; i < 20; ++i) {
        autosave.saveNow();
        // The window goes on while the worker writes.
        doc.enterTextLine(2, QStringLiteral("Later %1").arg(i));
        doc.drawOnCanvas(QStringLiteral("Test"), [](QImage &image) { image.fill(Qt::black); });
        doc.drawOnStamp(QStringLiteral("Test"), [](QImage &image) { image.fill(Qt::white); });
        autosave.waitForWrites();
        CardDocument restored;
        ASSERT_TRUE(RecoveryCard::restore(restored, folder));
        ASSERT_EQ(paintCard(restored), paintCard(expected)) << i;
        design(doc);
    }
}

TEST(LargeFilter, RecoveryComesBeforeTheFilterOnlyForPicturesAboveFourMegapixels)
{
    CardDocument doc;
    const FilterCommand *negative = findFilterCommand(u"EditConvert(1)");
    ASSERT_NE(negative, nullptr);
    QList<QRgb> seenBefore;
    setBeforeLargeFilter([&] { seenBefore << doc.stamp().image().pixel(0, 0); });

    doc.applyLayout(2);
    doc.drawOnStamp(QStringLiteral("Test"), [](QImage &image) { image.fill(qRgb(10, 20, 30)); });
    runFilterCommand(doc, *negative);
    EXPECT_TRUE(seenBefore.isEmpty());

    QImage large(2001, 2000, QImage::Format_RGB32);
    large.fill(qRgb(10, 20, 30));
    doc.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image = large; });
    runFilterCommand(doc, *negative);
    EXPECT_EQ(seenBefore, QList<QRgb>{qRgb(10, 20, 30)});
    EXPECT_EQ(doc.stamp().image().pixel(0, 0), qRgb(245, 235, 225));
    setBeforeLargeFilter({});
}
