#include "program/FirstPaintProbe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class FirstPaintProbe : public QObject {
public:
    FirstPaintProbe(QWidget *window, std::function<void()> action)
        : QObject(window), m_action(std::move(action))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The children paint in the same pass; the action runs once it is done.
            QTimer::singleShot(0, watched, m_action);
        }
        return false;
    }

private:
    std::function<void()> m_action;
};

} // namespace

void afterFirstPaint(QWidget *window, std::function<void()> action)
{
    new FirstPaintProbe(window, std::move(action));
}
