#include "window/CardView.h"

#include "core/CardDocument.h"
#include "core/CardPainter.h"
#include "core/Composition.h"

#include <QMouseEvent>
#include <QPainter>

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
    m_outline->setGeometry(Composition::OutlineRect);
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
                        &CardDocument::borderChanged, &CardDocument::designChanged})
        connect(&m_document, signal, this, &CardView::followDocument);
    followDocument();
}

void CardView::followDocument()
{
    const CardState &state = m_document.state();
    m_outline->setVisible(state.CardBorder);
    for (int line = 1; line <= 7; ++line) {
        m_lines[size_t(line)]->setText(state.TextLines[size_t(line)]);
        m_lines[size_t(line)]->setGeometry(CardPainter::textLineRect(m_document.shownFace(), line).toAlignedRect());
    }
    m_stamp->setGeometry(CardPainter::stampRect(m_document.card()).toAlignedRect());
    m_stamp->setVisible(m_document.shownSide() == CardSide::Front && m_document.stamp().isVisible());
    update();
}

void CardView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    CardPainter::paint(painter, m_document);
}
