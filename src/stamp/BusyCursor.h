#pragma once

#include <QCursor>
#include <QGuiApplication>

// The hourglass while a picture is loaded or scaled; the normal pointer comes back on
// every way out, failures included.
class BusyCursor {
public:
    BusyCursor()
    {
        if (qGuiApp)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~BusyCursor()
    {
        if (qGuiApp)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
