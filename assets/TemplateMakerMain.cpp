// lumo_template_maker NAME FILE.png: draws the shipped template NAME (TemplatePictures)
// as a card-sized PNG; scripts/make-templates.sh calls it once per template.
// lumo_template_maker --sheet FILE.png TEMPLATE.tmp...: a contact sheet of finished
// templates, each under its name, for the README and the manual (scripts/template-sheet.sh).
#include "assets/TemplatePictures.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <cstdio>

namespace {

int contactSheet(const QString &target, const QStringList &templates)
{
    constexpr int Columns = 4;
    constexpr int Gap = 24;
    constexpr int Caption = 30;
    const QSize card(440, 270);
    const int rows = int((templates.size() + Columns - 1) / Columns);
    QImage sheet(Gap + Columns * (card.width() + Gap), Gap + rows * (card.height() + Caption + Gap),
                 QImage::Format_RGB32);
    sheet.fill(QColor(0xee, 0xee, 0xee));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(17);
    p.setFont(font);
    for (qsizetype i = 0; i < templates.size(); ++i) {
        QImageReader reader(templates[i]); // a .tmp says nothing of its format by its name
        reader.setDecideFormatFromContent(true);
        const QImage picture = reader.read();
        if (picture.isNull()) {
            std::fprintf(stderr, "lumo_template_maker: cannot read %s\n", qPrintable(templates[i]));
            return 1;
        }
        const QPoint at(Gap + int(i % Columns) * (card.width() + Gap), Gap + int(i / Columns) * (card.height() + Caption + Gap));
        p.fillRect(QRect(at + QPoint(3, 3), card), QColor(0, 0, 0, 40)); // a little shadow
        p.drawImage(at, picture);
        p.setPen(QColor(0x33, 0x33, 0x33));
        p.drawText(QRect(at.x(), at.y() + card.height() + 4, card.width(), Caption - 4), Qt::AlignLeft | Qt::AlignVCenter,
                   QFileInfo(templates[i]).completeBaseName());
    }
    p.end();
    if (!sheet.save(target, "PNG")) {
        std::fprintf(stderr, "lumo_template_maker: cannot write %s\n", qPrintable(target));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() >= 3 && args[0] == QLatin1String("--sheet"))
        return contactSheet(args[1], args.mid(2));
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: lumo_template_maker NAME FILE.png | --sheet FILE.png TEMPLATE.tmp...\n");
        return 2;
    }
    const QImage picture = TemplatePictures::draw(args[0]);
    if (picture.isNull()) {
        std::fprintf(stderr, "lumo_template_maker: no template called %s (%s)\n", qPrintable(args[0]),
                     qPrintable(TemplatePictures::names().join(QLatin1Char(' '))));
        return 2;
    }
    if (!picture.save(args[1], "PNG")) {
        std::fprintf(stderr, "lumo_template_maker: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
