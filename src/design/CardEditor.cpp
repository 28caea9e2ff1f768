#include "design/CardEditor.h"

#include "core/CardDocument.h"
#include "core/CommandGuard.h"
#include "core/Composition.h"
#include "core/DesignPainter.h"
#include "design/DesignOverlay.h"
#include "window/CardView.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineF>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

// A logo is never resized below this, so that its handles stay apart.
constexpr double SmallestSide = 4;

} // namespace

CardEditor::CardEditor(CardView &view, CardDocument &document, Questions &questions, LineStyleQuestion *styles,
                       QObject *parent)
    : QObject(parent)
    , m_view(view)
    , m_document(document)
    , m_questions(questions)
    , m_dialogStyles(questions, view.window())
    , m_styles(styles ? *styles : m_dialogStyles)
    , m_dialogQr(view.window())
    , m_qr(&m_dialogQr)
    , m_overlay(new DesignOverlay(&view))
    , m_stamp(view.findChild<QWidget *>(QStringLiteral("Orgineel"), Qt::FindDirectChildrenOnly))
{
    setObjectName(QStringLiteral("Ontwerp"));
    m_side = document.shownSide();
    // The arrow keys, Delete and Escape reach the view once an item is selected.
    view.setFocusPolicy(Qt::ClickFocus);
    view.installEventFilter(this);
    for (int line = 1; line <= 7; ++line)
        view.textLine(line)->installEventFilter(this);
    if (m_stamp)
        m_stamp->installEventFilter(this);
    for (auto signal : {&CardDocument::designChanged, &CardDocument::textChanged, &CardDocument::layoutChanged,
                        &CardDocument::stampChanged})
        connect(&m_document, signal, m_overlay, [this] { followDocument(); });
    connect(&m_document, &CardDocument::cardRenewed, m_overlay, [this] {
        m_sideSelection = {};
        clearSelection();
    });
    // The selection stays through a change of view; its frame and the guides follow the
    // view's mapping.
    connect(&view, &CardView::viewChanged, m_overlay, [this] { followDocument(); });
    // A selection and a drag belong to the side they began on; turning back to a side
    // finds its selection as it was left.
    connect(&m_document, &CardDocument::sideChanged, m_overlay, [this] {
        m_gesture = Gesture();
        m_sideSelection[size_t(m_side)] = m_selection;
        m_side = m_document.shownSide();
        m_selection = CardItem();
        select(m_sideSelection[size_t(m_side)]);
    });
    followDocument();
}

CardEditor::~CardEditor() = default;

void CardEditor::select(CardItem item)
{
    m_selection = m_document.hasItem(item) ? item : CardItem();
    if (!m_selection.isNone())
        m_view.setFocus(Qt::MouseFocusReason);
    followDocument();
}

// The selected item may be gone (an undone logo, a layout without a stamp); the frame
// follows the item's place and size.
void CardEditor::followDocument()
{
    if (!m_selection.isNone() && !m_document.hasItem(m_selection))
        m_selection = CardItem();
    const QRectF frame = m_selection.isNone() ? QRectF() : m_view.geometry().itemRect(m_selection);
    m_overlay->setMapping(m_view.canvasToView(),
                          m_view.showsSafetyMargin() ? DesignGuides::safetyRect(scale()) : QRectF());
    m_overlay->setSelection(frame, m_selection.kind == CardItem::Kind::Object);
}

DesignGuides::CardScale CardEditor::scale() const
{
    return DesignGuides::CardScale::of(m_document.printSettings());
}

// From the screen, so that a line that moves under the mouse does not move the point.
QPointF CardEditor::canvasPoint(QPointF global) const
{
    return m_view.canvasToView().inverted().map(m_view.mapFromGlobal(global));
}

// Lines and the stamp are the view's children and get their own events; a logo is
// drawn by the view itself, so a press on the bare view is tested against the logos,
// the last placed on top.
CardItem CardEditor::itemAt(QObject *receiver, QPointF canvas) const
{
    for (int line = 1; line <= 7; ++line)
        if (receiver == m_view.textLine(line)) {
            // An empty line takes its whole column but shows nothing there: a logo or a
            // code under it is what the user sees, and what the press is for. The label
            // holds what the view shows there: with a team, the shown person's line.
            if (m_view.textLine(line)->text().trimmed().isEmpty())
                if (const CardItem object = objectAt(canvas); !object.isNone())
                    return object;
            return CardItem::line(line);
        }
    if (receiver == m_stamp)
        return CardItem::stamp();
    if (receiver != &m_view)
        return {};
    return objectAt(canvas);
}

CardItem CardEditor::objectAt(QPointF canvas) const
{
    const auto &objects = m_document.design().objects;
    for (int i = int(objects.size()) - 1; i >= 0; --i)
        if (objects[size_t(i)].rect.contains(canvas))
            return CardItem::object(i);
    return {};
}

int CardEditor::handleAt(QPointF canvas) const
{
    if (m_selection.kind != CardItem::Kind::Object || !m_document.hasItem(m_selection))
        return -1;
    const std::vector<QPointF> corners = DesignOverlay::corners(m_document.design().objects[size_t(m_selection.index)].rect);
    for (size_t c = 0; c < corners.size(); ++c) {
        const QPointF d = canvas - corners[c];
        if (std::abs(d.x()) <= DesignOverlay::HandleReach && std::abs(d.y()) <= DesignOverlay::HandleReach)
            return int(c);
    }
    return -1;
}

bool CardEditor::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return press(watched, *static_cast<QMouseEvent *>(event));
    case QEvent::MouseMove:
        return move(*static_cast<QMouseEvent *>(event));
    case QEvent::MouseButtonRelease:
        return release(*static_cast<QMouseEvent *>(event));
    case QEvent::KeyPress:
        return watched == &m_view && key(*static_cast<QKeyEvent *>(event));
    case QEvent::ContextMenu:
        return contextMenu(watched, *static_cast<QContextMenuEvent *>(event));
    default:
        break;
    }
    return false;
}

bool CardEditor::press(QObject *receiver, QMouseEvent &event)
{
    m_gesture = Gesture();
    if (event.button() != Qt::LeftButton)
        return false;
    const QPointF at = canvasPoint(event.globalPosition());
    const int corner = handleAt(at);
    const CardItem item = corner >= 0 ? m_selection : itemAt(receiver, at);
    if (item.isNone()) {
        clearSelection();
        return false;
    }
    if (item.kind == CardItem::Kind::Object)
        select(item);
    else if (item != m_selection)
        clearSelection();
    m_gesture.mode = Gesture::Mode::Pressed;
    m_gesture.item = item;
    m_gesture.corner = corner;
    m_gesture.start = at;
    m_gesture.startPlace = m_document.itemPlace(item);
    m_gesture.startRect = m_view.geometry().itemRect(item);
    return true;
}

bool CardEditor::move(QMouseEvent &event)
{
    if (m_gesture.mode == Gesture::Mode::None)
        return false;
    if (!(event.buttons() & Qt::LeftButton)) {
        m_gesture = Gesture();
        return false;
    }
    const QPointF at = canvasPoint(event.globalPosition());
    if (m_gesture.mode == Gesture::Mode::Pressed) {
        if (QLineF(m_gesture.start, at).length() <= DragStart)
            return true;
        // One drag, one step: every move of it merges under one key.
        m_gesture.key = m_document.newGestureKey();
        if (m_gesture.corner >= 0) {
            m_gesture.mode = Gesture::Mode::Resizing;
        } else {
            m_gesture.mode = Gesture::Mode::Moving;
            m_gesture.guides = DesignGuides::guides(m_view.geometry(), m_gesture.item, scale());
            select(m_gesture.item);
        }
    }
    if (m_gesture.mode == Gesture::Mode::Moving)
        dragTo(at, event.modifiers());
    else
        resizeTo(at, event.modifiers());
    return true;
}

// The item follows the mouse, snapping to the guides, but never leaves the card so far
// that it cannot be taken again.
void CardEditor::dragTo(QPointF canvas, Qt::KeyboardModifiers modifiers)
{
    const QPointF delta = canvas - m_gesture.start;
    const QRectF asked = m_gesture.startRect.translated(delta);
    const QPointF reach = scale().pixels({DesignGuides::SnapReachMm, DesignGuides::SnapReachMm});
    const Snapping::Result snapped =
        Snapping::snap(DesignGuides::edges(m_view.geometry(), m_gesture.item, asked), m_gesture.guides,
                       QSizeF(reach.x(), reach.y()), modifiers.testFlag(Qt::AltModifier));
    const QPointF kept = DesignGuides::keptOnCard(asked.translated(snapped.offset));
    m_document.moveItem(m_gesture.item, m_gesture.startPlace + delta + snapped.offset + kept, m_gesture.key);
    m_overlay->setGuides(kept.isNull() ? snapped.hits : std::vector<Snapping::Guide>());
}

// The corner opposite the handle stays; the larger of the two changes decides. A logo
// keeps its shape on paper (its own, or the one a resize with Shift gave it) unless
// Shift is held, which gives it the shape dragged.
void CardEditor::resizeTo(QPointF canvas, Qt::KeyboardModifiers modifiers)
{
    const QRectF start = m_gesture.startRect;
    const std::vector<QPointF> corners = DesignOverlay::corners(start);
    const QPointF from = corners[size_t(m_gesture.corner)];
    const QPointF anchor = corners[size_t((m_gesture.corner + 2) % 4)];
    const double sx = from.x() > anchor.x() ? 1 : -1;
    const double sy = from.y() > anchor.y() ? 1 : -1;
    const QPointF to = from + (canvas - m_gesture.start);
    double width = std::max(SmallestSide, sx * (to.x() - anchor.x()));
    double height = std::max(SmallestSide, sy * (to.y() - anchor.y()));
    // A QR code stays square on paper whatever is held.
    const PlacedObject &object = m_document.design().objects[size_t(m_gesture.item.index)];
    const bool isQr = object.kind == PlacedObject::Kind::Qr;
    const bool reshape = !isQr && modifiers.testFlag(Qt::ShiftModifier);
    if (!reshape) {
        const double aspect = isQr ? start.width() / start.height()
                                   : DesignGuides::canvasAspect(DesignPainter::logoAspect(object), scale());
        if (width / aspect >= height)
            height = width / aspect;
        else
            width = height * aspect;
    }
    const QRectF rect = QRectF(anchor, anchor + QPointF(sx * width, sy * height)).normalized();
    m_document.resizeObject(m_gesture.item.index, rect, m_gesture.key,
                            reshape ? std::optional(DesignGuides::paperAspect(rect, scale())) : std::nullopt);
}

bool CardEditor::release(QMouseEvent &event)
{
    if (event.button() != Qt::LeftButton || m_gesture.mode == Gesture::Mode::None)
        return false;
    const Gesture done = std::exchange(m_gesture, Gesture());
    m_overlay->setGuides({});
    if (done.mode == Gesture::Mode::Pressed)
        // A click on a line goes on to the line, which asks for its text.
        return done.item.kind != CardItem::Kind::Line;
    m_view.setFocus(Qt::MouseFocusReason);
    return true;
}

// Every item the card has, in the order Tab goes through them: the lines, the stamp,
// the placed objects bottom to top.
std::vector<CardItem> CardEditor::items() const
{
    std::vector<CardItem> all;
    for (int line = 1; line <= 7; ++line)
        all.push_back(CardItem::line(line));
    if (m_document.hasItem(CardItem::stamp()))
        all.push_back(CardItem::stamp());
    for (size_t i = 0; i < m_document.design().objects.size(); ++i)
        all.push_back(CardItem::object(int(i)));
    return all;
}

// Tab selects the next item, Shift+Tab the one before, wherever it stands; past the
// last the selection ends and the focus moves on as usual.
bool CardEditor::cycle(bool forward)
{
    const std::vector<CardItem> all = items();
    auto at = std::find(all.begin(), all.end(), m_selection);
    CardItem next;
    if (forward)
        next = at == all.end() ? all.front() : (at + 1 == all.end() ? CardItem() : *(at + 1));
    else
        next = at == all.end() ? all.back() : (at == all.begin() ? CardItem() : *(at - 1));
    select(next);
    return !next.isNone();
}

// Where the menu of a selected item opens from the keyboard: the middle of what the
// card shows of it.
QPoint CardEditor::globalPoint(const QRectF &canvasRect) const
{
    const QRectF shown = canvasRect.intersected(QRectF(QPointF(), QSizeF(Composition::CanvasSize)));
    const QPointF at = shown.isEmpty() ? canvasRect.center() : shown.center();
    return m_view.mapToGlobal(m_view.canvasToView().map(at).toPoint());
}

bool CardEditor::key(QKeyEvent &event)
{
    const bool shift = event.modifiers().testFlag(Qt::ShiftModifier);
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) {
        const bool forward = event.key() == Qt::Key_Tab && !shift;
        return cycle(forward);
    }
    if (m_selection.isNone())
        return false;
    if (event.key() == Qt::Key_Menu || (event.key() == Qt::Key_F10 && shift)) {
        showMenu(m_selection, globalPoint(m_view.geometry().itemRect(m_selection)));
        return true;
    }
    QPointF direction;
    switch (event.key()) {
    case Qt::Key_Escape:
        clearSelection();
        return true;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (m_selection.kind != CardItem::Kind::Object)
            return false;
        CommandGuard::run(m_questions, [this] { m_document.removeObject(m_selection.index); });
        clearSelection();
        return true;
    case Qt::Key_Left:
        direction = {-1, 0};
        break;
    case Qt::Key_Right:
        direction = {1, 0};
        break;
    case Qt::Key_Up:
        direction = {0, -1};
        break;
    case Qt::Key_Down:
        direction = {0, 1};
        break;
    default:
        return false;
    }
    const double mm = shift ? FineNudgeMm : NudgeMm;
    QPointF step = scale().pixels(direction * mm);
    // An item beyond the edge (from a card of before) comes back within reach at once.
    step += DesignGuides::keptOnCard(m_view.geometry().itemRect(m_selection).translated(step));
    if (!step.isNull())
        m_document.moveItem(m_selection, m_document.itemPlace(m_selection) + step,
                            CardDocument::nudgeKey(m_selection));
    return true;
}
