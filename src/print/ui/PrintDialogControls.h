#pragma once

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QStringList>

class QComboBox;
class QLabel;
class QSpinBox;
class QWidget;

// Controls that both print dialogs are made of, placed in pixels.
namespace PrintDialogControls {

// The dialogs were designed with their outer size; a fixed dialog's borders and caption
// take 6 and 25 pixels of it.
constexpr QSize clientSize(QSize outer)
{
    return outer - QSize(6, 25);
}

// A caption sized to its text, in the dialogs' grey RGB(128, 128, 128).
QLabel *greyCaption(QWidget *parent, const QString &name, QPoint place, const QString &text);

// A drop-down list of fixed entries on a coloured ground.
QComboBox *choiceBox(QWidget *parent, const QString &name, QPoint place, int width, const QStringList &entries,
                     const QColor &ground);

// A box for a whole number from low to high, on a coloured ground, starting at low.
QSpinBox *numberBox(QWidget *parent, const QString &name, QPoint place, int width, int low, int high,
                    const QColor &ground);

} // namespace PrintDialogControls
