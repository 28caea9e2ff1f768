#include "press/PressWarnings.h"

#include "core/Composition.h"
#include "core/DesignPainter.h"
#include "print/CardPrintLayout.h"
#include "print/SheetPainter.h"

#include <QImage>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

// Within the margin's last micrometre counts as on it: the millimetres come through
// floating-point scaling.
constexpr double Tolerance = 1e-6;

QString itemName(const PrintedCard &card, const CardItem &item)
{
    if (item.kind == CardItem::Kind::Object && item.index >= 0 && size_t(item.index) < card.design.objects.size()
        && card.design.objects[size_t(item.index)].kind == PlacedObject::Kind::Qr)
        return QStringLiteral("De QR-code");
    switch (item.kind) {
    case CardItem::Kind::Line:
        return QStringLiteral("Regel %1").arg(item.index);
    case CardItem::Kind::Stamp:
        return QStringLiteral("De zegelfoto");
    case CardItem::Kind::Object:
        return QStringLiteral("Het logo");
    case CardItem::Kind::None:
        break;
    }
    return {};
}

bool isOneColour(const QImage &picture)
{
    if (picture.isNull())
        return true;
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (row[x] != first)
                return false;
    }
    return true;
}

QString resolutionWarning(const QString &name, double ppi)
{
    return QStringLiteral("%1 heeft op deze grootte maar %2 ppi; voor drukwerk is 300 ppi of meer nodig.")
        .arg(name, QString::number(int(std::floor(ppi + Tolerance))));
}

} // namespace

namespace PressWarnings {

bool isNearBlack(const QColor &colour)
{
    const int r = colour.red(), g = colour.green(), b = colour.blue();
    return r <= NearBlack && g <= NearBlack && b <= NearBlack && (r | g | b) != 0;
}

double ppi(int pixels, double mm) { return mm > 0 ? pixels / (mm / 25.4) : 0; }

QStringList check(const PrintedCard &card, const SheetGeometry &sheet, const PressGeometry &page)
{
    QStringList warnings;
    const QRectF cardRect = page.cardRect();
    const double scale = page.cardScale();
    const auto onPage = [&](const QRectF &mm) {
        return QRectF(cardRect.topLeft() + mm.topLeft() * scale, mm.size() * scale);
    };
    // Measured as a 1200 dpi PDF sets its text, as drawCardAt places it there.
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(1200 / 0.0254));
    device.setDotsPerMeterY(qRound(1200 / 0.0254));
    const QRectF safe = page.safeArea().adjusted(-Tolerance, -Tolerance, Tolerance, Tolerance);
    for (const PaperItem &item : paperItems(card, sheet, device)) {
        if (!safe.contains(onPage(item.mm)))
            warnings << QStringLiteral("%1 staat binnen %2 mm van de snijrand.")
                            .arg(itemName(card, item.item))
                            .arg(PressGeometry::SafetyMargin);
    }

    const QImage &background = card.canvasPrint.isNull() ? card.canvas : card.canvasPrint;
    if (!isOneColour(background) && ppi(background.width(), cardRect.width()) < MinimumPpi - Tolerance)
        warnings << resolutionWarning(QStringLiteral("De achtergrond"), ppi(background.width(), cardRect.width()));
    const QRectF stamp = CardPrintLayout::stampRect(card.layoutKind);
    const QImage &stampPicture = card.stampPrint.isNull() ? card.stamp : card.stampPrint;
    if (!stamp.isEmpty() && !stampPicture.isNull()) {
        const double stampPpi = ppi(stampPicture.width(), stamp.width() * scale);
        if (stampPpi < MinimumPpi - Tolerance)
            warnings << resolutionWarning(QStringLiteral("De zegelfoto"), stampPpi);
    }
    const double mmPerPixel = sheet.cardWidth / Composition::CanvasWidth * scale;
    for (const PlacedObject &object : card.design.objects) {
        if (object.kind != PlacedObject::Kind::Logo || object.logo.isVector() || object.logo.bitmap.isNull())
            continue;
        const double logoPpi = ppi(object.logo.bitmap.width(), object.rect.width() * mmPerPixel);
        if (logoPpi < MinimumPpi - Tolerance)
            warnings << resolutionWarning(QStringLiteral("Het logo"), logoPpi);
    }

    // A code that cannot hold its content draws nothing; the print shop would print it so.
    for (const PlacedObject &object : card.design.objects)
        if (object.kind == PlacedObject::Kind::Qr && !object.qr.code.isValid())
            warnings << object.qr.whyEmpty();

    // One warning per colour, naming every line in it.
    QList<QPair<QColor, QList<int>>> nearBlack;
    for (int line = 1; line <= 7; ++line) {
        if (card.textLines[size_t(line)].isEmpty())
            continue;
        const QColor colour = DesignPainter::lineFont(card.cardFont, card.design, line).colour;
        if (!isNearBlack(colour))
            continue;
        auto same = std::find_if(nearBlack.begin(), nearBlack.end(),
                                 [&](const auto &group) { return group.first.rgb() == colour.rgb(); });
        if (same == nearBlack.end())
            nearBlack.append({colour, {line}});
        else
            same->second.append(line);
    }
    for (const auto &[colour, lines] : nearBlack) {
        QStringList numbers;
        for (const int line : lines)
            numbers << QString::number(line);
        const QString named = lines.size() == 1
            ? QStringLiteral("Regel %1 is").arg(numbers.first())
            : QStringLiteral("Regels %1 en %2 zijn").arg(numbers.mid(0, numbers.size() - 1).join(QStringLiteral(", ")),
                                                         numbers.last());
        warnings << QStringLiteral("%1 bijna zwart (%2, %3, %4) maar niet zuiver zwart, en %5 dus niet met zwarte "
                                   "inkt alleen gedrukt. Kies zwart (0, 0, 0) voor scherpe tekst.")
                        .arg(named)
                        .arg(colour.red())
                        .arg(colour.green())
                        .arg(colour.blue())
                        .arg(lines.size() == 1 ? QStringLiteral("wordt") : QStringLiteral("worden"));
    }
    return warnings;
}

QStringList check(const PressFaces &card, const SheetGeometry &sheet, const PressGeometry &page)
{
    QStringList warnings = check(card.front, sheet, page);
    if (card.back)
        for (const QString &warning : check(*card.back, sheet, page))
            warnings << BackSide + warning;
    return warnings;
}

} // namespace PressWarnings
