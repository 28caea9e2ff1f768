#include "batch/BatchCommands.h"
#include "support/CardEdit.h"
#include "core/CardDocument.h"
#include "cardfile/CardOpening.h"
#include "cardfile/CardWriter.h"
#include "core/SettingsFile.h"
#include "window/CardView.h"
#include "DataFolderFixture.h"

#include "core/RecordLines.h"

#include <QFileInfo>
#include <QImage>
#include <QStringEncoder>

namespace {

const QColor kBack(10, 20, 30), kStamp(200, 0, 0), kText(255, 255, 0), kWhite(255, 255, 255);
// The canvas's print copy and the back's picture, unlike anything on the front's screen picture.
const QColor kPrintCopy(0, 90, 0), kBackSide(0, 0, 160);

class BatchRender : public DataFolderFixture {
protected:
    void SetUp() override
    {
        DataFolderFixture::SetUp();
        output = QDir(DataFolder::path()).filePath("kaart.png");
    }

    // A card with a dark background, a white outline, yellow text and a red stamp.
    static void saveCard(const QString &name, const QString &firstLine = QStringLiteral("WWWW"),
                         const std::function<void(CardDocument &)> &more = {})
    {
        CardDocument doc;
        editCard(doc, [&](Card &card) { card.canvas.setBackColor(kBack); });
        doc.applyLayout(2);
        doc.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image.fill(kStamp); });
        doc.chooseBorderItem(4);
        editCard(doc, [&](Card &card) { card.state.TextColorR = kText.red(); });
        editCard(doc, [&](Card &card) { card.state.TextColorG = kText.green(); });
        editCard(doc, [&](Card &card) { card.state.TextColorB = uint8_t(kText.blue()); });
        editCard(doc, [&](Card &card) { card.state.TextLines[1] = firstLine; });
        if (more)
            more(doc);
        ASSERT_FALSE(CardWriter::write(doc, name));
    }

    // Jan with a print copy of another colour than his screen picture, a moved line and a
    // back of a third colour.
    static void saveTwoSidedCard()
    {
        saveCard("Jan", QStringLiteral("WWWW"), [](CardDocument &doc) {
            doc.drawOnCanvas(QStringLiteral("Test"), [](QImage &image) { image.fill(kBack); },
                             [](QImage &print, const QImage &) { print.fill(kPrintCopy); });
            editCard(doc, [](Card &card) {
                card.design.lines[1].offset = QPointF(30, 40);
                card.back = CardFace::blankBack(card.front());
                card.back->canvas.setBackColor(kBackSide);
                card.back->state.TextLines[4] = QStringLiteral("Achter");
            });
        });
    }

    static PrintSettings useCardSize(double widthMm, double heightMm)
    {
        PrintSettings settings;
        settings.CardWidthMm = widthMm;
        settings.CardHeightMm = heightMm;
        EXPECT_TRUE(SettingsFile::write(DataFolder::settingsFile(), settings));
        return settings;
    }

    int render(const QStringList &args)
    {
        errors.clear();
        QTextStream err(&errors);
        return batchRender(args, err);
    }

    static bool hasTextColourIn(const QImage &image, const QRect &area)
    {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() > 200 && c.blue() < 100)
                    return true;
            }
        return false;
    }

    QString output;
    QString errors;
};

} // namespace

TEST_F(BatchRender, DrawsCanvasOutlineTextAndStamp)
{
    saveCard("Jan");
    ASSERT_EQ(render({"Jan", output}), 0) << errors.toStdString();
    EXPECT_TRUE(errors.isEmpty());
    const QImage image(output);
    ASSERT_EQ(image.size(), QSize(440, 270));
    EXPECT_EQ(image.pixelColor(2, 2), kBack);
    EXPECT_EQ(image.pixelColor(11, 250), kWhite) << "outline, left edge";
    EXPECT_EQ(image.pixelColor(429, 259), kWhite) << "outline, bottom right";
    EXPECT_EQ(image.pixelColor(12, 250), kBack);
    EXPECT_EQ(image.pixelColor(18 + 70, 18 + 90), kStamp) << "stamp over the outline and text";
    EXPECT_EQ(image.pixelColor(18, 18), kStamp);
    EXPECT_EQ(image.pixelColor(17, 17), kBack);
    EXPECT_TRUE(hasTextColourIn(image, QRect(170, 27, 80, 25))) << "line 1 in layout 2";
}

TEST_F(BatchRender, ScaleDrawsAtTheLargerResolution)
{
    saveCard("Jan");
    ASSERT_EQ(render({"Jan", output, "--scale", "2"}), 0) << errors.toStdString();
    const QImage image(output);
    ASSERT_EQ(image.size(), QSize(880, 540));
    EXPECT_EQ(image.pixelColor(22, 500), kWhite);
    EXPECT_EQ(image.pixelColor(23, 500), kWhite);
    EXPECT_EQ(image.pixelColor(24, 500), kBack);
    EXPECT_EQ(image.pixelColor(36, 36), kStamp);
    EXPECT_EQ(image.pixelColor(35, 35), kBack);

    const QString small = QDir(DataFolder::path()).filePath("klein.png");
    ASSERT_EQ(render({"Jan", small}), 0);
    const QImage enlarged = QImage(small).scaled(880, 540, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QRect text(340, 54, 160, 50);
    EXPECT_NE(image.copy(text), enlarged.copy(text).convertToFormat(image.format()))
        << "the text is drawn anew at twice the size, not enlarged";
    EXPECT_TRUE(hasTextColourIn(image, text));
}

TEST_F(BatchRender, TheSameCardWrittenInAnyEncodingDrawsTheSamePixels)
{
    const QString text = QString::fromUtf8("Caf\u00e9 No\u00ebl \u20ac");
    saveCard("Jan", text);
    const QByteArray windows = bytesOf(cards("Jan.crd"));
    ASSERT_TRUE(windows.contains("\"Caf\xe9 No\xebl \x80\"")) << "written in the code page";
    ASSERT_EQ(render({"Jan", output}), 0) << errors.toStdString();
    const QImage asWritten(output);

    // As earlier builds wrote it (UTF-8 without a mark), and as an editor saves it in UTF-16.
    const QString record = decodeRecordBytes(windows);
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    for (const QByteArray &other : {record.toUtf8(), QByteArray(utf16.encode(record))}) {
        writeBytes(cards("Jan.crd"), other);
        QFile::remove(output);
        ASSERT_EQ(render({"Jan", output}), 0) << errors.toStdString();
        EXPECT_EQ(QImage(output), asWritten);
    }

    saveCard("Jan", QString::fromUtf8("Caf\u00c3\u00a9 No\u00c3\u00abl \u00e2\u201a\u00ac"));
    QFile::remove(output);
    ASSERT_EQ(render({"Jan", output}), 0);
    EXPECT_NE(QImage(output), asWritten) << "the garbled text would show";
}

TEST_F(BatchRender, FolderOptionReadsThatFoldersCards)
{
    const QString home = DataFolder::path();
    QTemporaryDir other;
    DataFolder::setOverride(other.path());
    saveCard("Elders");
    DataFolder::setOverride(home);

    EXPECT_NE(render({"Elders", output}), 0) << "not in the default folder";
    EXPECT_EQ(render({"Elders", output, "--folder", other.path()}), 0) << errors.toStdString();
    EXPECT_EQ(QImage(output).size(), QSize(440, 270));
}

TEST_F(BatchRender, CardNamedLikeAnotherInOtherLettersDrawsOnlyItsOwnFiles)
{
    saveCard("JAN");
    // "jan" has a stamp layout too, but no stamp picture of its own: the bare frame.
    QTemporaryDir elsewhere;
    CardDocument jan;
    jan.applyLayout(2);
    ASSERT_FALSE(CardWriter::writeInto(CardWriter::contentOf(jan), elsewhere.path(), "jan"));
    for (const QString file : {"jan.crd", "jan-back.bmp"})
        ASSERT_TRUE(QFile::copy(QDir(elsewhere.path()).filePath(file), cards(file)));

    ASSERT_EQ(render({"jan", output}), 0) << errors.toStdString();
    EXPECT_NE(QImage(output).pixelColor(18 + 70, 18 + 90), kStamp) << "JAN's stamp";
    ASSERT_EQ(render({"JAN", output}), 0) << errors.toStdString();
    EXPECT_EQ(QImage(output).pixelColor(18 + 70, 18 + 90), kStamp);
}

TEST_F(BatchRender, BadInputGivesOneLineAndNoOutput)
{
    saveCard("Jan");
    const QString missingFolder = QDir(DataFolder::path()).filePath("geen/map/kaart.png");
    const QList<QStringList> bad = {
        {},
        {"Jan"},
        {"Jan", output, "extra"},
        {"Jan", output, "--scale"},
        {"Jan", output, "--scale", "0"},
        {"Jan", output, "--scale", "17"},
        {"Jan", output, "--scale", "twee"},
        {"Jan", output, "--scale", "2", "--scale", "2"},
        {"Jan", output, "--kleur", "rood"},
        {"Onbekend", output},
        {"../Cards/Jan", output},
        {"Jan", missingFolder},
        {"Jan\nis\r\nweg", output},
        {"Jan", output, "--scale", "1\n2"},
        {"Jan", output, "--dpi", "300"},
        {"Jan", output, "--afgedrukt", "--dpi"},
        {"Jan", output, "--afgedrukt", "--dpi", "9"},
        {"Jan", output, "--afgedrukt", "--dpi", "1201"},
        {"Jan", output, "--afgedrukt", "--dpi", "150.5"},
        {"Jan", output, "--afgedrukt", "--dpi", "drie"},
        {"Jan", output, "--afgedrukt", "--scale", "2"},
    };
    for (const QStringList &args : bad) {
        EXPECT_NE(render(args), 0) << args.join(' ').toStdString();
        EXPECT_EQ(errors.count('\n'), 1) << args.join(' ').toStdString();
        EXPECT_TRUE(errors.endsWith('\n'));
        EXPECT_FALSE(QFileInfo::exists(output)) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(missingFolder));
}

TEST_F(BatchRender, PrintedDrawsEitherSideInTheCardsShapeAtTheDpiFromThePrintCopies)
{
    saveTwoSidedCard();
    useCardSize(85, 55);
    ASSERT_EQ(render({"Jan", output, "--afgedrukt"}), 0) << errors.toStdString();
    QImage image(output);
    ASSERT_EQ(image.size(), QSize(1004, 650)) << "85 x 55 mm at 300 dpi";
    EXPECT_EQ(image.dotsPerMeterX(), 11811);
    EXPECT_EQ(image.pixelColor(500, 600), kPrintCopy) << "larger than the canvas: the print copy";
    EXPECT_EQ(image.pixelColor(200, 325), kStamp);

    ASSERT_EQ(render({"Jan", output, "--afgedrukt", "--dpi", "600", "--achterkant"}), 0) << errors.toStdString();
    image = QImage(output);
    ASSERT_EQ(image.size(), QSize(2008, 1299));
    EXPECT_EQ(image.pixelColor(500, 1200), kBackSide);
    EXPECT_EQ(image.pixelColor(400, 650), kBackSide) << "no stamp on the back";

    // Beyond what render draws at --scale 16, refused before a pixel is drawn.
    useCardSize(300, 300);
    QFile::remove(output);
    EXPECT_EQ(render({"Jan", output, "--afgedrukt", "--dpi", "1200"}), 2);
    EXPECT_EQ(errors.count('\n'), 1);
    EXPECT_FALSE(QFileInfo::exists(output));
}

TEST_F(BatchRender, PrintedAtTheViewsDpiIsWhatThePrintedViewShows)
{
    saveTwoSidedCard();
    for (const CardSide side : {CardSide::Front, CardSide::Back}) {
        CardDocument doc;
        doc.printSettings() = useCardSize(85, 55);
        ASSERT_TRUE(CardOpening::openCard(doc, "Jan"));
        doc.showSide(side);
        CardView view(doc);
        view.setPrinted(true);
        const QImage shown = view.grab().toImage().copy(view.cardRect()).convertToFormat(QImage::Format_RGB32);

        QStringList args = {"Jan", output, "--afgedrukt", "--dpi", QString::number(view.printedDpi())};
        if (side == CardSide::Back)
            args << "--achterkant";
        ASSERT_EQ(render(args), 0) << errors.toStdString();
        EXPECT_EQ(QImage(output).convertToFormat(QImage::Format_RGB32), shown) << int(side);
        EXPECT_NE(shown.pixelColor(shown.width() / 2, shown.height() - 5), kPrintCopy);
    }
}
