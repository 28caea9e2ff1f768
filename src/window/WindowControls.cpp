#include "window/WindowControls.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace WindowControls {

QRect fromTwips(int left, int top, int width, int height)
{
    const auto px = [](int twips) { return qRound(twips / 15.0); };
    return QRect(px(left), px(top), px(width), px(height));
}

QRect pixelRect(int left, int top, int width, int height)
{
    return QRect(left * 15, top * 15, width * 15, height * 15);
}

void place(QWidget *control, const QString &name, const QRect &twips)
{
    control->setObjectName(name);
    const QRect r = fromTwips(twips.x(), twips.y(), twips.width(), twips.height());
    if (r.width() > 0 && r.height() > 0)
        control->setGeometry(r);
    else {
        control->move(r.topLeft());
        control->adjustSize();
    }
}

QLabel *colouredLabel(QWidget *parent, const QString &name, const QRect &twips, const QColor &back)
{
    auto *label = new QLabel(parent);
    place(label, name, twips);
    if (back.isValid())
        fill(label, back);
    return label;
}

void fill(QWidget *control, const QColor &back)
{
    control->setAutoFillBackground(true);
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, back);
    control->setPalette(palette);
}

QLabel *caption(QWidget *parent, const QString &name, int leftTwips, int topTwips, const QString &text)
{
    auto *label = new QLabel(text, parent);
    place(label, name, QRect(leftTwips, topTwips, 0, 0));
    return label;
}

QWidget *frame(QWidget *parent, const QString &name, const QRect &twips)
{
    auto *box = new QGroupBox(parent);
    place(box, name, twips);
    return box;
}

QPushButton *pushButton(QWidget *parent, const QString &name, const QString &caption, const QRect &twips)
{
    auto *knop = new QPushButton(caption, parent);
    place(knop, name, twips);
    knop->setAutoDefault(false);
    return knop;
}

void line(QWidget *parent, const QString &name, int x1, int y1, int x2, int y2)
{
    auto *rule = new QFrame(parent);
    rule->setFrameShape(x1 == x2 ? QFrame::VLine : QFrame::HLine);
    rule->setFrameShadow(QFrame::Plain);
    rule->setLineWidth(1);
    const QRect from = fromTwips(std::min(x1, x2), std::min(y1, y2), 0, 0);
    const QRect to = fromTwips(std::max(x1, x2), std::max(y1, y2), 0, 0);
    rule->setObjectName(name);
    rule->setGeometry(QRect(from.topLeft(), to.topLeft()));
}

QDialogButtonBox *okCancelButtons(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(dialog);
    QPushButton *ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkKnop"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(QStringLiteral("Annuleren"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelKnop"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace WindowControls
