#include "stamp/panel/PhotoPanel.h"

#include "stamp/panel/PhotoView.h"
#include "stamp/PhotoWorkspace.h"

PhotoPanel::PhotoPanel(CardDocument &document, QWidget *frame, QWidget *backdrop, PhotoView *view,
                       QObject *parent)
    : QObject(parent)
    , m_frame(frame)
    , m_backdrop(backdrop)
    , m_view(view)
    , m_workspace(new PhotoWorkspace(document, this))
{
    m_workspace->setViewBackground(m_view->backgroundColor());
    m_view->setImage(m_workspace->viewImage());
    connect(m_workspace, &PhotoWorkspace::viewChanged, this, [this] { m_view->setImage(m_workspace->viewImage()); });
}

void PhotoPanel::setEnlarged(bool enlarged)
{
    m_frame->resize(enlarged ? 737 : 260, m_frame->height());
    m_backdrop->resize(enlarged ? 721 : 244, m_backdrop->height());
    m_view->resize(enlarged ? 707 : 230, m_view->height());
    // The widened panel lies over the card's panels and the info strip.
    m_frame->raise();
    m_view->layer()->setVisible(enlarged);
}
