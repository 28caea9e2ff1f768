#include "window/CardView.h"

#include "core/CardDocument.h"
#include "core/CardPainter.h"
#include "core/Composition.h"
#include "merge/ShownPerson.h"
#include "print/PrintedView.h"
#include "print/SheetGeometry.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

TextLineLabel::TextLineLabel(QWidget *parent)
    : QLabel(parent)
{
}

void TextLineLabel::paintEvent(QPaintEvent *) {}

void TextLineLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

CardView::CardView(CardDocument &document, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
    , m_outline(new QWidget(this))
{
    setFixedSize(Composition::CanvasSize);
    setAttribute(Qt::WA_OpaquePaintEvent);

    m_outline->setObjectName(QStringLiteral("Shape1"));
    m_outline->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (int line = 1; line <= 7; ++line) {
        auto *label = new TextLineLabel(this);
        label->setObjectName(QStringLiteral("Regel(%1)").arg(line));
        connect(label, &TextLineLabel::clicked, this, [this, line] { Q_EMIT textLineClicked(line); });
        m_lines[size_t(line)] = label;
    }
    m_stamp = new QWidget(this);
    m_stamp->setObjectName(QStringLiteral("Orgineel"));

    for (auto signal : {&CardDocument::canvasChanged, &CardDocument::stampChanged,
                        &CardDocument::textChanged, &CardDocument::layoutChanged,
                        &CardDocument::borderChanged, &CardDocument::designChanged, &CardDocument::personChanged})
        connect(&m_document, signal, this, &CardView::followDocument);
    followDocument();
}

void CardView::setPrinted(bool printed)
{
    if (printed == m_printed)
        return;
    m_printed = printed;
    followDocument();
    Q_EMIT viewChanged();
}

void CardView::setSafetyMargin(bool shown)
{
    if (shown == m_safetyMargin)
        return;
    m_safetyMargin = shown;
    Q_EMIT viewChanged();
}

void CardView::followSheet()
{
    followDocument();
    Q_EMIT viewChanged();
}

QSizeF CardView::cardMm() const
{
    const SheetGeometry sheet = SheetGeometry::from(m_document.printSettings());
    return {sheet.cardWidth, sheet.cardHeight};
}

QRect CardView::cardRect() const
{
    return m_printed ? PrintedView::cardRect(cardMm(), size()) : rect();
}

int CardView::printedDpi() const
{
    return PrintedView::fittingDpi(cardMm(), size());
}

QTransform CardView::canvasToView() const
{
    if (!m_printed)
        return QTransform::fromScale(double(width()) / Composition::CanvasWidth,
                                     double(height()) / Composition::CanvasHeight);
    // The picture's pixels per millimetre, which its whole rectangle only rounds.
    const QSizeF mm = cardMm();
    const double perMm = printedDpi() / 25.4;
    const QPoint corner = cardRect().topLeft();
    return QTransform(mm.width() * perMm / Composition::CanvasWidth, 0, 0,
                      mm.height() * perMm / Composition::CanvasHeight, corner.x(), corner.y());
}

void CardView::followDocument()
{
    // With a team the view shows one person's card; the design it is made of, which
    // the editor selects and drags, stays the card's own.
    m_shown = shownPersonCard(m_document);
    const Card &shown = m_shown;
    if (m_printed) {
        const QImage device = PrintedView::device(QSize(1, 1), printedDpi());
        m_geometry = FaceGeometry::ofPaper(shown, SheetGeometry::from(m_document.printSettings()), device);
    } else {
        m_geometry = FaceGeometry::ofCanvas(shown);
    }
    const QTransform toView = canvasToView();
    const CardState &state = shown.state;
    m_outline->setGeometry(toView.mapRect(m_geometry.outline).toAlignedRect());
    m_outline->setVisible(state.CardBorder);
    for (int line = 1; line <= 7; ++line) {
        m_lines[size_t(line)]->setText(state.TextLines[size_t(line)]);
        m_lines[size_t(line)]->setGeometry(toView.mapRect(m_geometry.lines[size_t(line)]).toAlignedRect());
    }
    m_stamp->setGeometry(toView.mapRect(m_geometry.stamp).toAlignedRect());
    m_stamp->setVisible(m_document.shownSide() == CardSide::Front && m_document.stamp().isVisible()
                        && !m_geometry.stamp.isEmpty());
    update();
}

void CardView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool front = m_document.shownSide() == CardSide::Front;
    if (!m_printed) {
        CardPainter::paintFace(painter, m_shown.front(), front ? &m_shown.stamp : nullptr);
        return;
    }
    const QRect card = cardRect();
    // Around the card the window's own colour, so that its shape is what stands out.
    const QRegion around = QRegion(rect()).subtracted(card);
    for (const QRect &part : around)
        painter.fillRect(part, palette().window());
    PrintedCard printed = front ? PrintedCard::from(m_shown) : PrintedCard::from(m_shown.front(), nullptr);
    // The screen's pictures are finer than the screen already; the print copies would
    // only cost time at every paint of a drag.
    printed.canvasPrint = QImage();
    printed.stampPrint = QImage();
    const SheetGeometry sheet = SheetGeometry::from(m_document.printSettings());
    // On a screen of finer pixels the card is drawn at its resolution, not enlarged.
    const int dpi = printedDpi();
    const int deviceDpi = std::max(dpi, int(std::lround(dpi * devicePixelRatioF())));
    const QSizeF mm(sheet.cardWidth, sheet.cardHeight);
    // A QImage's cacheKey changes with every write into its pixels, so a canvas drawn on,
    // filtered or replaced never finds the background of the one before.
    if (m_background.image.isNull() || m_background.canvasKey != printed.canvas.cacheKey()
        || m_background.dpi != deviceDpi || m_background.cardMm != mm)
        m_background = {printed.canvas.cacheKey(), deviceDpi, mm, PrintedView::background(printed, sheet, deviceDpi)};
    QImage picture = PrintedView::pictureOver(m_background.image, printed, sheet);
    picture.setDevicePixelRatio(double(deviceDpi) / dpi);
    painter.drawImage(card.topLeft(), picture);
}
