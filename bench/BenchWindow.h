#pragma once

#include "BenchSupport.h"
#include "window/CardView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <vector>

// Timing the designer window's card view as a user drives it.
namespace Bench {

// The card painted as the window paints it, into a picture of the window's own: the
// offscreen platform may skip a repaint nobody shows.
inline void paintCard(CardView *view)
{
    static QImage image(view->size(), QImage::Format_RGB32);
    view->render(&image);
}

inline void sendMouse(QWidget *target, QEvent::Type type, QPoint inView, QWidget *view, Qt::MouseButtons buttons)
{
    const QPoint local = target->mapFrom(view, inView);
    QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::AltModifier);
    QApplication::sendEvent(target, &event);
}

// A drag of `moves` moves starting at `from` (in the view's pixels), each move timed
// with the card painted after it.
inline std::vector<double> dragTimes(CardView *view, QPoint from, int moves = 60)
{
    QWidget *target = view->childAt(from) ? view->childAt(from) : view;
    sendMouse(target, QEvent::MouseButtonPress, from, view, Qt::LeftButton);
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 1; i <= moves; ++i) {
        timer.start();
        sendMouse(target, QEvent::MouseMove, from + QPoint(i % 30 + 4, i % 7), view, Qt::LeftButton);
        paintCard(view);
        times.push_back(elapsedMs(timer));
    }
    sendMouse(target, QEvent::MouseButtonRelease, from + QPoint(4, 0), view, Qt::NoButton);
    return times;
}

} // namespace Bench
