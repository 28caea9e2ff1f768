#include "print/TurnStackPicture.h"

#include "print/SheetPlan.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

constexpr int PanelWidth = 140;
constexpr int Height = 210;
constexpr double PixelsPerMm = 0.4;
constexpr int SheetTop = 34;

const QColor TopEdge(200, 0, 0);
const QColor CardFill(170, 200, 255);
const QColor SeenThrough(190, 190, 190);

QRectF sheetRect(int panel)
{
    const QSizeF size = SheetGeometry::PageSize * PixelsPerMm;
    return {panel * PanelWidth + (PanelWidth - size.width()) / 2, double(SheetTop), size.width(), size.height()};
}

// The paper with its cards, from the front or as seen through it from the back, and
// the top edge of the fronts in red.
void drawPaper(QPainter &painter, const QRectF &paper, const SheetGeometry &sheet, CardSide side)
{
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(paper);
    const QSizeF card(sheet.cardWidth, sheet.cardHeight);
    for (const QPointF &corner : sheet.cardCorners()) {
        const QPointF place = side == CardSide::Front ? corner : backCornerOnPage(corner, card, Duplex::ByHand);
        const QRectF onPaper(paper.topLeft() + place * PixelsPerMm, card * PixelsPerMm);
        if (side == CardSide::Front) {
            painter.setPen(QPen(Qt::darkBlue, 0.5));
            painter.setBrush(CardFill);
        } else {
            painter.setPen(QPen(SeenThrough, 0.5, Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
        }
        painter.drawRect(onPaper.intersected(paper));
    }
    painter.setPen(QPen(TopEdge, 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(paper.topLeft(), paper.topRight());
}

void arrowHead(QPainter &painter, QPointF tip, double angleDegrees)
{
    const double a = angleDegrees * M_PI / 180;
    const auto wing = [&](double turn) {
        return tip - QPointF(std::cos(a + turn), std::sin(a + turn)) * 7;
    };
    QPainterPath head(tip);
    head.lineTo(wing(0.45));
    head.lineTo(wing(-0.45));
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPath(head);
}

void caption(QPainter &painter, int panel, const QString &text)
{
    painter.setPen(Qt::black);
    const QRectF place(panel * PanelWidth + 4, SheetTop + 122, PanelWidth - 8, Height - SheetTop - 124);
    painter.drawText(place, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
}

} // namespace

QImage turnStackPicture(const SheetGeometry &sheet, const QString &printerName)
{
    QImage picture(3 * PanelWidth, Height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);

    // 1: as the fronts came out.
    drawPaper(painter, sheetRect(0), sheet, CardSide::Front);
    caption(painter, 0, QStringLiteral("1. De voorkanten, bovenrand (rood) boven"));

    // 2: turned over the long edge, as a page of a book: the top stays on top.
    const QRectF turned = sheetRect(1);
    drawPaper(painter, turned, sheet, CardSide::Back);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::NoBrush);
    const QRectF swing(turned.left() - 14, SheetTop - 22, turned.width() + 28, 28);
    painter.drawArc(swing, 20 * 16, 140 * 16);
    arrowHead(painter, QPointF(swing.left() + 3, swing.center().y() - 3), 115);
    caption(painter, 1, QStringLiteral("2. Stapel omslaan over de lange kant: blanco kant boven"));

    // 3: back into the tray, the red top edge first towards the printer.
    const QRectF printer(2 * PanelWidth + 18, 2, PanelWidth - 36, 24);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(225, 225, 225));
    painter.drawRoundedRect(printer, 4, 4);
    const QString name = QFontMetrics(font).elidedText(
        printerName.isEmpty() ? QStringLiteral("printer") : printerName, Qt::ElideRight, int(printer.width()) - 8);
    painter.drawText(printer, Qt::AlignCenter, name);
    const QRectF inTray = sheetRect(2);
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.setBrush(QColor(225, 225, 225));
    painter.drawRoundedRect(inTray.adjusted(-6, 24, 6, 6), 3, 3);
    drawPaper(painter, inTray, sheet, CardSide::Back);
    painter.setPen(QPen(Qt::black, 1.5));
    const QPointF from(inTray.center().x(), inTray.top() + 30), to(inTray.center().x(), printer.bottom() + 2);
    painter.drawLine(from, to + QPointF(0, 6));
    arrowHead(painter, to, -90);
    caption(painter, 2, QStringLiteral("3. Terug in de lade zoals blanco papier, bovenrand eerst"));
    return picture;
}
