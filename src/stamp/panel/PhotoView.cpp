#include "stamp/panel/PhotoView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

SelectionLayer::SelectionLayer(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SelectionLayer::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void SelectionLayer::paintEvent(QPaintEvent *)
{
    if (width() < 1 || height() < 1)
        return;
    QPainter painter(this);
    painter.setPen(m_color);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

PhotoView::PhotoView(QWidget *parent)
    : QWidget(parent)
    , m_background(palette().color(QPalette::Window))
    , m_layer(new SelectionLayer(this))
{
    m_layer->setObjectName(QStringLiteral("Layer"));
    m_layer->setGeometry(0, 0, 0, 0);
    m_layer->hide();
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PhotoView::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void PhotoView::setBackgroundColor(const QColor &color)
{
    m_background = color;
    update();
}

void PhotoView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.drawImage(0, 0, m_image);
}

void PhotoView::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT mousePressed(event->button(), event->position());
}

void PhotoView::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMoved(event->buttons(), event->position(), event->modifiers());
}

void PhotoView::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT mouseReleased(event->button(), event->position());
}

void PhotoView::wheelEvent(QWheelEvent *event)
{
    Q_EMIT wheelTurned(event->angleDelta(), event->modifiers(), event->position());
}
