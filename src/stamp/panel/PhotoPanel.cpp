#include "stamp/panel/PhotoPanel.h"

#include "stamp/panel/PhotoView.h"
#include "stamp/PhotoWorkspace.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

PhotoPanel::PhotoPanel(CardDocument &document, QWidget *frame, QWidget *backdrop, PhotoView *view,
                       QObject *parent)
    : QObject(parent)
    , m_frame(frame)
    , m_backdrop(backdrop)
    , m_view(view)
    , m_workspace(new PhotoWorkspace(document, this))
    // Siblings over the view's edges, not its children: the view's own picture stays
    // exactly what the workspace renders. Made after the view and before the help text,
    // they lie over the one and under the other.
    , m_across(new QScrollBar(Qt::Horizontal, frame))
    , m_down(new QScrollBar(Qt::Vertical, frame))
    , m_corner(new QWidget(frame))
{
    // Where both bars meet, the corner hides the photo as a scroll area's does.
    m_corner->setAutoFillBackground(true);
    m_corner->hide();
    m_across->setObjectName(QStringLiteral("PicScrollH"));
    m_down->setObjectName(QStringLiteral("PicScrollV"));
    m_workspace->setViewBackground(m_view->backgroundColor());
    m_workspace->setBarExtent(m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_down));
    for (QScrollBar *bar : {m_across, m_down}) {
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            m_workspace->scrollTo(QPoint(m_across->value(), m_down->value()));
        });
    }
    followView();
    connect(m_workspace, &PhotoWorkspace::viewChanged, this, &PhotoPanel::followView);
}

void PhotoPanel::setEnlarged(bool enlarged)
{
    m_frame->resize(enlarged ? 737 : 260, m_frame->height());
    m_backdrop->resize(enlarged ? 721 : 244, m_backdrop->height());
    m_view->resize(enlarged ? 707 : 230, m_view->height());
    // The widened panel lies over the card's panels and the info strip.
    m_frame->raise();
    m_view->layer()->setVisible(enlarged);
    followView();
}

void PhotoPanel::followView()
{
    m_view->setImage(m_workspace->viewImage());
    const ShownPhoto &shown = m_workspace->shownPhoto();
    const QRect view = m_view->geometry();
    const QSize room = shown.viewport();
    const QPoint most = shown.maxOffset();
    const auto follow = [](QScrollBar *bar, bool shown, QRect place, int maximum, int page, int value) {
        const QSignalBlocker quiet(bar);
        bar->setGeometry(place);
        bar->setRange(0, maximum);
        bar->setPageStep(page);
        bar->setSingleStep(20);
        bar->setValue(value);
        bar->setVisible(shown);
    };
    follow(m_across, shown.hasHorizontalBar(),
           QRect(view.left(), view.top() + room.height(), room.width(), view.height() - room.height()), most.x(),
           room.width(), shown.offset().x());
    follow(m_down, shown.hasVerticalBar(),
           QRect(view.left() + room.width(), view.top(), view.width() - room.width(), room.height()), most.y(),
           room.height(), shown.offset().y());
    m_corner->setGeometry(QRect(view.topLeft() + QPoint(room.width(), room.height()), view.bottomRight()));
    m_corner->setVisible(shown.hasHorizontalBar() && shown.hasVerticalBar());
}
