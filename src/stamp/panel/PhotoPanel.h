#pragma once

#include <QObject>

class CardDocument;
class PhotoView;
class PhotoWorkspace;
class QPushButton;
class QScrollBar;
class QWidget;

// The photo panel's widgets with their model: the view `Pic` inside the frame `Frame1`
// on its backdrop `Label1`, showing what the PhotoWorkspace describes, widened over
// the card for "Scherm Vergroten". The window places the widgets; the panel keeps
// them in step with the workspace, which it owns, and lays the scroll bars
// `PicScrollH` and `PicScrollV` over the view's edges when the zoomed photo overflows,
// and while cropping the buttons `BijsnijdenOk` (Enter) and `BijsnijdenAnnuleren` (Escape).
class PhotoPanel : public QObject {
    Q_OBJECT
public:
    PhotoPanel(CardDocument &document, QWidget *frame, QWidget *backdrop, PhotoView *view,
               QObject *parent = nullptr);

    PhotoWorkspace &workspace() const { return *m_workspace; }
    PhotoView *view() const { return m_view; }

    // The panel 707 pixels wide over the card (the selection rectangle shown), or back
    // at its normal width.
    void setEnlarged(bool enlarged);

private:
    void followView();

    QWidget *m_frame;
    QWidget *m_backdrop;
    PhotoView *m_view;
    PhotoWorkspace *m_workspace;
    QScrollBar *m_across;
    QScrollBar *m_down;
    QWidget *m_corner;
    QPushButton *m_cropOk;
    QPushButton *m_cropCancel;
};
