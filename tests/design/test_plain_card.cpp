// A card nobody restyles or moves must stay the card the program made before cards had
// styles and places: the same pixels in the window and in a render, the same files, the
// same PDF. tests/design/plain/ holds what the program wrote before that work began; with
// LUMO_WRITE_PLAIN_REFERENCE=folder this test writes the same files there instead.
#include "cardfile/CardWriter.h"
#include "core/CardDocument.h"
#include "core/CardPainter.h"
#include "core/ViewChoices.h"
#include "print/PdfSheetWriter.h"
#include "print/PrintedCard.h"
#include "print/SheetGeometry.h"
#include "support/MaskedPdf.h"
#include "support/ScriptedQuestions.h"
#include "window/CardView.h"
#include "window/MainWindow.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QPainter>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

QImage stampPicture(QSize size, int seed)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 255) / size.width(), (y * 255) / size.height(), (seed * 40) % 256));
    return image;
}

struct PlainCard {
    const char *name;
    std::function<void(CardDocument &)> make;
};

const PlainCard kCards[] = {
    {"start", [](CardDocument &) {}},
    {"stamp_left",
     [](CardDocument &d) {
         d.applyLayout(2);
         d.setStampPicture(QStringLiteral("Zegelfoto"), stampPicture({140, 180}, 3), stampPicture({560, 720}, 3));
         QFont font(QStringLiteral("Liberation Serif"));
         font.setPointSize(20);
         font.setBold(true);
         d.applyChosenFont(font);
         d.setTextColorComponent(CardDocument::Red, 10);
         d.setBackColorComponent(CardDocument::Blue, 90);
         d.chooseBorderItem(2);
         d.enterTextLine(1, QStringLiteral("José Müller-Lüdenscheid"));
         d.enterTextLine(7, QStringLiteral("€ 12,50; Straße"));
     }},
    {"stamp_right",
     [](CardDocument &d) {
         d.applyLayout(4);
         QFont font(QStringLiteral("Liberation Sans"));
         font.setPointSize(13);
         font.setItalic(true);
         font.setUnderline(true);
         d.applyChosenFont(font);
         d.enterTextLine(3, QStringLiteral("06-12345678"));
     }},
    {"landscape", [](CardDocument &d) { d.applyLayout(3); d.chooseBorderItem(3); }},
    {"middle", [](CardDocument &d) { d.applyLayout(1); d.setTextColorComponent(CardDocument::Green, 0); }},
};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QImage renderCard(const CardDocument &document, int scale, CardPainter::Pictures pictures)
{
    QImage image(440 * scale, 270 * scale, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    painter.scale(scale, scale);
    CardPainter::paint(painter, document, pictures);
    return image;
}

// Every file a card of this name leaves in folder, by name.
std::map<QString, QByteArray> writtenFiles(const QString &folder)
{
    std::map<QString, QByteArray> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files))
        files[name] = name.endsWith(QLatin1String(".pdf")) ? maskedPdf(fileBytes(folder + u'/' + name))
                                                           : fileBytes(folder + u'/' + name);
    return files;
}

void writeEverything(const CardDocument &document, const QString &name, const QString &folder)
{
    CardView view(const_cast<CardDocument &>(document));
    view.grab().toImage().convertToFormat(QImage::Format_RGB32).save(folder + u'/' + name + QStringLiteral("-window.png"));
    renderCard(document, 3, CardPainter::Pictures::Print).save(folder + u'/' + name + QStringLiteral("-render.png"));
    ASSERT_FALSE(CardWriter::writeInto(CardWriter::contentOf(document), folder, name).has_value());
    ASSERT_TRUE(writeSheetPdf(folder + u'/' + name + QStringLiteral(".pdf"), PrintedCard::from(document.card()), SheetGeometry(), 1)
                    .isPrinted());
}

} // namespace

TEST(PlainCard, WindowRenderFilesAndPdfAreThoseOfTheCardBeforeStylesAndPlaces)
{
    const QString reference = qEnvironmentVariable("LUMO_WRITE_PLAIN_REFERENCE");
    const QString kept = QStringLiteral(LUMO_PLAIN_DATA);
    for (const PlainCard &plain : kCards) {
        CardDocument document;
        plain.make(document);
        const QString name = QString::fromLatin1(plain.name);
        if (!reference.isEmpty()) {
            QDir().mkpath(reference + u'/' + name);
            writeEverything(document, name, reference + u'/' + name);
            continue;
        }
        QTemporaryDir dir;
        writeEverything(document, name, dir.path());
        const auto now = writtenFiles(dir.path());
        const auto before = writtenFiles(kept + u'/' + name);
        ASSERT_FALSE(before.empty()) << plain.name;
        std::vector<QString> names;
        for (const auto &[file, bytes] : now)
            names.push_back(file);
        std::vector<QString> keptNames;
        for (const auto &[file, bytes] : before)
            keptNames.push_back(file);
        EXPECT_EQ(names, keptNames) << plain.name;
        for (const auto &[file, bytes] : before) {
            const auto found = now.find(file);
            if (found == now.end())
                continue;
            if (file.endsWith(QLatin1String(".png")))
                EXPECT_EQ(QImage::fromData(found->second), QImage::fromData(bytes)) << plain.name << " " << file.toStdString();
            else
                EXPECT_TRUE(found->second == bytes) << plain.name << " " << file.toStdString();
        }
    }
}

namespace {

// A card restyled as a user does it: lines in fonts, sizes, colours and alignments of
// their own, moved lines, a logo and the QR code of its contact.
void restyle(CardDocument &d)
{
    const char *const lines[] = {"", "Marieke de Vries", "Grafisch ontwerper", "Kerkstraat 12", "3511 AB  Utrecht",
                                 "06 - 12 34 56 78", "marieke@devries-ontwerp.nl", "www.devries-ontwerp.nl"};
    for (int line = 1; line <= 7; ++line)
        d.enterTextLine(line, QString::fromUtf8(lines[line]));
    d.restyleLine(1, LineFont{QStringLiteral("Liberation Sans"), 22, true, false, false, QColor(29, 78, 137)},
                  LineAlign::Left);
    d.restyleLine(2, LineFont{QStringLiteral("DejaVu Serif"), 12, false, true, false, QColor(90, 90, 90)},
                  LineAlign::Centre);
    d.restyleLine(7, LineFont{QStringLiteral("Liberation Mono"), 10, true, false, true, QColor(0, 110, 60)},
                  LineAlign::Right);
    d.moveItem(CardItem::line(1), QPointF(0, 40));
    d.moveItem(CardItem::line(4), QPointF(24.5, 10.25));
    PlacedObject logo;
    logo.rect = QRectF(330, 20, 90, 60);
    // A bitmap logo: the card's files keep its pixels as they are, so the program of before
    // drew exactly this one.
    QImage picture(120, 80, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(192, 32, 32));
        painter.drawEllipse(QPointF(40, 40), 36, 36);
        painter.fillRect(QRect(60, 10, 55, 60), QColor(32, 64, 128));
    }
    logo.logo.bitmap = picture;
    d.insertObject(logo);
    PlacedObject qr;
    qr.kind = PlacedObject::Kind::Qr;
    qr.rect = QRectF(330, 160, 90, 96);
    qr.qr = QrObject::fromLines(d.state().TextLines);
    d.insertObject(qr);
}

} // namespace

// With "Zoals afgedrukt" off the window shows the designer's canvas exactly as the program
// did before the printed view: restyled-window.png is what it drew of this card then.
TEST(PlainCard, TheCanvasViewOfARestyledCardIsTheCanvasOfBefore)
{
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("Lumovander.ini"));
    ASSERT_TRUE((ViewChoices{false, false}.write(ViewChoices::besideSettings(settings))));
    CardDocument document;
    ScriptedQuestions questions;
    MainWindow window(document, questions, settings);
    restyle(document);
    const QImage shown = window.cardView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString reference = qEnvironmentVariable("LUMO_WRITE_PLAIN_REFERENCE");
    if (!reference.isEmpty()) {
        // The card's files, for the program of before to draw.
        QDir().mkpath(reference + QStringLiteral("/restyled"));
        ASSERT_FALSE(CardWriter::writeInto(CardWriter::contentOf(document), reference + QStringLiteral("/restyled"),
                                           QStringLiteral("restyled"))
                         .has_value());
        return;
    }
    const QImage before(QStringLiteral(LUMO_PLAIN_DATA) + QStringLiteral("/restyled/restyled-window.png"));
    ASSERT_FALSE(before.isNull());
    EXPECT_EQ(shown, before.convertToFormat(QImage::Format_RGB32));

}
