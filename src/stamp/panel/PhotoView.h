#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// The selection rectangle over the photo view: a one-pixel outline without fill,
// covering exactly its own geometry. It lets the mouse through to the view.
class SelectionLayer : public QWidget {
    Q_OBJECT
public:
    explicit SelectionLayer(QWidget *parent = nullptr);

    void setColor(const QColor &color);
    QColor color() const { return m_color; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color{128, 128, 128};
};

// A picture view that shows its image from the top-left corner, clipped to the view,
// on a background colour where the image does not reach, and reports the mouse in
// view pixels. While a button is held the view keeps reporting, also outside itself.
class PhotoView : public QWidget {
    Q_OBJECT
public:
    explicit PhotoView(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }

    // The colour around a picture smaller than the view; the window colour at first.
    void setBackgroundColor(const QColor &color);
    QColor backgroundColor() const { return m_background; }

    // The selection rectangle "Layer", hidden at first.
    SelectionLayer *layer() const { return m_layer; }

Q_SIGNALS:
    // Buttons use Qt's values, which are the bit set 1 left, 2 right, 4 middle.
    void mousePressed(Qt::MouseButton button, QPointF position);
    void mouseMoved(Qt::MouseButtons buttons, QPointF position, Qt::KeyboardModifiers modifiers);
    void mouseReleased(Qt::MouseButton button, QPointF position);
    // The wheel in Qt's eighths of a degree, with the keys held, at the pointer.
    void wheelTurned(QPoint angleDelta, Qt::KeyboardModifiers modifiers, QPointF position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QImage m_image;
    QColor m_background;
    SelectionLayer *m_layer;
};
