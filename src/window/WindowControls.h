#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QDialog;
class QDialogButtonBox;
class QLabel;
class QPushButton;
class QWidget;

// Small makers for the designer window's controls, placed in twips as designed.
namespace WindowControls {

// 15 twips make one pixel.
QRect fromTwips(int left, int top, int width, int height);
// A place designed in pixels, as the twips the makers below take.
QRect pixelRect(int left, int top, int width = 0, int height = 0);

// Names a control and puts it at its place; a zero width or height means "sized to
// its content".
void place(QWidget *control, const QString &name, const QRect &twips);

// A label filled with back; an invalid colour leaves the window's own.
QLabel *colouredLabel(QWidget *parent, const QString &name, const QRect &twips, const QColor &back);
void fill(QWidget *control, const QColor &back);
QLabel *caption(QWidget *parent, const QString &name, int leftTwips, int topTwips, const QString &text);
QWidget *frame(QWidget *parent, const QString &name, const QRect &twips);
// A push button that Enter does not press unless it is made the default.
QPushButton *pushButton(QWidget *parent, const QString &name, const QString &caption, const QRect &twips);
// A one-pixel line between two points given in twips.
void line(QWidget *parent, const QString &name, int x1, int y1, int x2, int y2);

// The row of a laid-out dialog: "Ok" (`OkKnop`, what Enter presses) accepts it,
// "Annuleren" (`CancelKnop`) rejects it; more buttons may be added to the box.
QDialogButtonBox *okCancelButtons(QDialog *dialog);

} // namespace WindowControls
