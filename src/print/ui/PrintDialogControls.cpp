#include "print/ui/PrintDialogControls.h"

#include "window/WindowControls.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

namespace PrintDialogControls {

QLabel *greyCaption(QWidget *parent, const QString &name, QPoint place, const QString &text)
{
    QLabel *label = WindowControls::caption(parent, name, place.x() * 15, place.y() * 15, text);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 128, 128));
    label->setPalette(palette);
    return label;
}

QComboBox *choiceBox(QWidget *parent, const QString &name, QPoint place, int width, const QStringList &entries,
                     const QColor &ground)
{
    auto *box = new QComboBox(parent);
    box->addItems(entries);
    // The boxes are narrow: a smaller left padding keeps "10" clear of the arrow.
    box->setStyleSheet(QStringLiteral("QComboBox { background-color: %1; padding-left: 2px; }").arg(ground.name()));
    WindowControls::place(box, name, WindowControls::pixelRect(place.x(), place.y()));
    box->resize(width, box->height());
    return box;
}

QSpinBox *numberBox(QWidget *parent, const QString &name, QPoint place, int width, int low, int high,
                    const QColor &ground)
{
    auto *box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setValue(low);
    // The ground through the palette: a style sheet would draw the arrows in a style of its own.
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, ground);
    box->setPalette(palette);
    WindowControls::place(box, name, WindowControls::pixelRect(place.x(), place.y()));
    box->resize(width, box->height());
    return box;
}

} // namespace PrintDialogControls
