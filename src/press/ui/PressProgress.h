#pragma once

#include "press/PressPdf.h"

#include <QDialog>
#include <functional>

class QPushButton;

// While Ghostscript makes the press-ready PDF: the hourglass, a small window-modal dialog
// that says it is busy, with "Stoppen" (Escape does the same), and the window's events
// going all the while, so it repaints and the button answers.
class PressProgress : public QDialog {
    Q_OBJECT
public:
    explicit PressProgress(QWidget *parent = nullptr);

    // Runs write with the dialog shown; its stop switch is pressed by "Stoppen".
    PressResult run(const std::function<PressResult(Ghostscript::StopSwitch &)> &write);

    void reject() override;

    static const QString BusyText;

private:
    Ghostscript::StopSwitch m_stop;
    QPushButton *m_stopButton = nullptr;
};
