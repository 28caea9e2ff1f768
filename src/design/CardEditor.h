#pragma once

#include "core/Card.h"
#include "core/CardDesign.h"
#include "design/DesignGuides.h"
#include "design/LineStyleQuestion.h"
#include "design/QrQuestion.h"

#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <array>
#include <vector>

class CardDocument;
class CardView;
class DesignOverlay;
class QContextMenuEvent;
class QKeyEvent;
class QMouseEvent;
class QWidget;
class Questions;

// The editing of the card on screen, over the window framework's card view: a press
// and a drag of more than a few pixels moves a line, the stamp or a logo (snapping to
// the guides unless Alt is held, and keeping a grip of it on the card), a logo's corner
// handles resize it, Tab and Shift+Tab go through the items, the arrow keys nudge the
// selected item, Delete removes a selected logo, Escape ends the selection, and a right
// click (or the menu key on the selection) opens the item's menu. A press and release
// without moving is left to the card view, so a click on a line still asks for its text.
//
// It watches the view and its children through an event filter; the view keeps no
// editing state and draws the card as always, the overlay shows the editing above it.
class CardEditor : public QObject {
    Q_OBJECT
public:
    // styles: how "Opmaak van deze regel…" asks; null asks with the real dialog.
    CardEditor(CardView &view, CardDocument &document, Questions &questions, LineStyleQuestion *styles,
               QObject *parent = nullptr);
    ~CardEditor() override;

    CardItem selection() const { return m_selection; }
    // How a QR code's menu item "QR-code wijzigen…" asks; the real dialog unless set.
    void setQrQuestion(QrQuestion &question) { m_qr = &question; }
    QrQuestion &qrQuestion() { return *m_qr; }
    // "QR-code wijzigen…": the dialog on the code of object index, its answer one step.
    void editQr(int index);
    void select(CardItem item);
    void clearSelection() { select(CardItem()); }

    // A drag moves more than this many pixels before it counts.
    static constexpr double DragStart = 3;
    static constexpr double NudgeMm = 0.5;
    static constexpr double FineNudgeMm = 0.1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Gesture {
        enum class Mode { None, Pressed, Moving, Resizing };
        Mode mode = Mode::None;
        CardItem item;
        int corner = -1; // a handle of the selected logo
        QPointF start;   // canvas pixels
        QPointF startPlace;
        QRectF startRect;
        int key = 0;
        std::vector<Snapping::Guide> guides;
    };

    DesignGuides::CardScale scale() const;
    QPointF canvasPoint(QPointF global) const;
    CardItem itemAt(QObject *receiver, QPointF canvas) const;
    CardItem objectAt(QPointF canvas) const;
    int handleAt(QPointF canvas) const;
    std::vector<CardItem> items() const;
    bool cycle(bool forward);
    QPoint globalPoint(const QRectF &canvasRect) const;

    bool press(QObject *receiver, QMouseEvent &event);
    bool move(QMouseEvent &event);
    bool release(QMouseEvent &event);
    void dragTo(QPointF canvas, Qt::KeyboardModifiers modifiers);
    void resizeTo(QPointF canvas, Qt::KeyboardModifiers modifiers);
    bool key(QKeyEvent &event);
    bool contextMenu(QObject *receiver, QContextMenuEvent &event);

    void showMenu(CardItem item, QPoint global);
    void showLineMenu(int line, QPoint global);
    void showStampMenu(QPoint global);
    void showLogoMenu(int index, QPoint global);
    void showQrMenu(int index, QPoint global);
    void restyleLine(int line);

    void followDocument();

    CardView &m_view;
    CardDocument &m_document;
    Questions &m_questions;
    DialogLineStyleQuestion m_dialogStyles;
    LineStyleQuestion &m_styles;
    DialogQrQuestion m_dialogQr;
    QrQuestion *m_qr;
    DesignOverlay *m_overlay;
    QWidget *m_stamp;
    CardItem m_selection;
    // What each side had selected when the card was turned over.
    CardSide m_side = CardSide::Front;
    std::array<CardItem, 2> m_sideSelection{};
    Gesture m_gesture;
};
