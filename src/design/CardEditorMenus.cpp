// The right-click menus of the card's items and the line style they lead to.
#include "design/CardEditor.h"

#include "core/CardDocument.h"
#include "core/CardPainter.h"
#include "core/CommandGuard.h"
#include "window/CardView.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace {

QAction *menuItem(QMenu &menu, const QString &name, const QString &caption)
{
    QAction *action = menu.addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace

bool CardEditor::contextMenu(QObject *receiver, QContextMenuEvent &event)
{
    const CardItem item = itemAt(receiver, canvasPoint(event.globalPos()));
    if (item.isNone())
        return false;
    showMenu(item, event.globalPos());
    return true;
}

void CardEditor::showMenu(CardItem item, QPoint global)
{
    switch (item.kind) {
    case CardItem::Kind::Line:
        showLineMenu(item.index, global);
        break;
    case CardItem::Kind::Stamp:
        showStampMenu(global);
        break;
    case CardItem::Kind::Object:
        select(item);
        if (m_document.design().objects[size_t(item.index)].kind == PlacedObject::Kind::Qr)
            showQrMenu(item.index, global);
        else
            showLogoMenu(item.index, global);
        break;
    case CardItem::Kind::None:
        break;
    }
}

void CardEditor::showLineMenu(int line, QPoint global)
{
    QMenu menu(&m_view);
    menu.setObjectName(QStringLiteral("RegelMenu"));
    QAction *style = menuItem(menu, QStringLiteral("RegelOpmaak"), QStringLiteral("Opmaak van deze regel…"));
    QAction *back = menuItem(menu, QStringLiteral("RegelTerug"), QStringLiteral("Terug naar de plaats van de layout"));
    back->setEnabled(!m_document.design().lines[size_t(line)].offset.isNull());
    connect(style, &QAction::triggered, this, CommandGuard::guarded(m_questions, [this, line] { restyleLine(line); }));
    connect(back, &QAction::triggered, this, CommandGuard::guarded(m_questions, [this, line] {
                m_document.returnToLayoutPlace(CardItem::line(line));
            }));
    menu.exec(global);
}

void CardEditor::showStampMenu(QPoint global)
{
    QMenu menu(&m_view);
    menu.setObjectName(QStringLiteral("ZegelfotoMenu"));
    QAction *back =
        menuItem(menu, QStringLiteral("ZegelfotoTerug"), QStringLiteral("Terug naar de plaats van de layout"));
    back->setEnabled(!m_document.design().stampOffset.isNull());
    connect(back, &QAction::triggered, this, CommandGuard::guarded(m_questions, [this] {
                m_document.returnToLayoutPlace(CardItem::stamp());
            }));
    menu.exec(global);
}

void CardEditor::showLogoMenu(int index, QPoint global)
{
    QMenu menu(&m_view);
    menu.setObjectName(QStringLiteral("LogoMenu"));
    QAction *remove = menuItem(menu, QStringLiteral("LogoVerwijderen"), QStringLiteral("Logo verwijderen"));
    connect(remove, &QAction::triggered, this, CommandGuard::guarded(m_questions, [this, index] {
                m_document.removeObject(index);
                clearSelection();
            }));
    menu.exec(global);
}

void CardEditor::showQrMenu(int index, QPoint global)
{
    QMenu menu(&m_view);
    menu.setObjectName(QStringLiteral("QrMenu"));
    QAction *edit = menuItem(menu, QStringLiteral("QrWijzigen"), QStringLiteral("QR-code wijzigen…"));
    connect(edit, &QAction::triggered, this, CommandGuard::guarded(m_questions, [this, index] { editQr(index); }));
    QAction *remove = menuItem(menu, QStringLiteral("QrVerwijderen"), QStringLiteral("QR-code verwijderen"));
    connect(remove, &QAction::triggered, this, CommandGuard::guarded(m_questions, [this, index] {
                m_document.removeObject(index);
                clearSelection();
            }));
    menu.exec(global);
}

void CardEditor::editQr(int index)
{
    if (!m_document.hasItem(CardItem::object(index)))
        return;
    const PlacedObject &object = m_document.design().objects[size_t(index)];
    if (object.kind != PlacedObject::Kind::Qr)
        return;
    const QRectF rect = object.rect;
    const QrObject current = object.qr;
    if (const auto answer = m_qr->askQr(m_document.card(), m_document.shownSide(), current, rect,
                                        QSizeF(scale().widthMm, scale().heightMm)))
        m_document.changeQr(index, *answer);
}

void CardEditor::restyleLine(int line)
{
    const LineDesign &design = m_document.design().lines[size_t(line)];
    const LineStyle current{design.font, design.align};
    if (const auto answer = m_styles.askLineStyle(line, current, CardPainter::cardFont(m_document.state())))
        m_document.restyleLine(line, answer->font, answer->align);
}
