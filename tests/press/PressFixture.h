#pragma once

#include "print/PrintedCard.h"
#include "print/SheetGeometry.h"

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cmath>

// A card as printing takes it, made directly: a background of the canvas's size with a
// print copy four times finer, text in Liberation Sans.
inline PrintedCard pressCard(const QImage &printCopy, const QColor &text = Qt::black)
{
    PrintedCard card;
    card.canvasPrint = printCopy.convertToFormat(QImage::Format_RGB32);
    card.canvas = card.canvasPrint.scaled(440, 270, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    card.layoutKind = 0;
    card.textLines[1] = QStringLiteral("Jan Jansen");
    card.textLines[2] = QStringLiteral("Drukker");
    card.font = QFont(QStringLiteral("Liberation Sans"));
    card.font.setPointSize(PrintedCard::printedPointSize(16));
    card.textColor = text;
    card.cardFont = {QStringLiteral("Liberation Sans"), 16, false, false, false, text};
    return card;
}

inline QImage plainPicture(const QColor &colour)
{
    QImage image(1760, 1080, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A gradient with fine waves across it (a period of about 3 mm on the card), so that
// a bleed stretched from the edge's pixels, or mirrored about the wrong line, differs
// from the true mirror image.
inline QImage gradientPicture()
{
    QImage image(1760, 1080, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           qRgb(40 + x * 120 / 1760 + int(60 * std::sin(x * 0.1)),
                                60 + y * 100 / 1080 + int(60 * std::sin(y * 0.11)), 200 - (x + y) * 150 / 2840));
    return image;
}

inline QString runTool(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// "MediaBox", "TrimBox", ... as pdfinfo -box gives them, in millimetres: the box's size
// and its corner from the MediaBox's bottom-left corner; of the page given, else the first.
inline QRectF pdfBoxMm(const QString &pdf, const QString &name, int page = 0)
{
    QStringList args{QStringLiteral("-box"), pdf};
    QString label = name + QLatin1Char(':');
    if (page > 0) {
        args = QStringList{QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page)} + args;
        label = QStringLiteral("Page %1 ").arg(page) + label;
    }
    for (const QString &line : runTool(QStringLiteral("pdfinfo"), args).split('\n')) {
        if (line.simplified().section(QLatin1Char(':'), 0, 0) + QLatin1Char(':') != label)
            continue;
        const QStringList n = line.section(QLatin1Char(':'), 1).simplified().split(QLatin1Char(' '));
        if (n.size() != 4)
            return {};
        const double k = 25.4 / 72;
        return QRectF(QPointF(n[0].toDouble() * k, n[1].toDouble() * k), QPointF(n[2].toDouble() * k, n[3].toDouble() * k));
    }
    return {};
}
