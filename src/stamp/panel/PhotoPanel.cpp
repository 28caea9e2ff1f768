#include "stamp/panel/PhotoPanel.h"

#include "stamp/panel/PhotoView.h"
#include "stamp/PhotoWorkspace.h"

#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
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
    , m_cropOk(new QPushButton(QStringLiteral("Ok"), frame))
    , m_cropCancel(new QPushButton(QStringLiteral("Annuleren"), frame))
{
    m_cropOk->setObjectName(QStringLiteral("BijsnijdenOk"));
    m_cropCancel->setObjectName(QStringLiteral("BijsnijdenAnnuleren"));
    // Under the card preview, beside the photo.
    const QPoint below = m_view->pos() + PhotoCrop::PreviewArea.bottomLeft() + QPoint(0, 16);
    const int half = (PhotoCrop::PreviewArea.width() - 10) / 2;
    m_cropOk->setGeometry(QRect(below, QSize(half, 28)));
    m_cropCancel->setGeometry(QRect(below + QPoint(half + 10, 0), QSize(half, 28)));
    // A shortcut of a hidden button does not fire: the keys work only while cropping.
    const auto finish = [this](QPushButton *button, bool keep, const QList<QKeySequence> &keys) {
        button->hide();
        connect(button, &QPushButton::clicked, m_workspace, [this, keep] { m_workspace->finishCrop(keep); });
        for (const QKeySequence &key : keys)
            connect(new QShortcut(key, button), &QShortcut::activated, button, &QPushButton::click);
    };
    finish(m_cropOk, true, {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    finish(m_cropCancel, false, {QKeySequence(Qt::Key_Escape)});
    connect(m_workspace, &PhotoWorkspace::croppingChanged, this, [this](bool cropping) {
        m_cropOk->setVisible(cropping);
        m_cropCancel->setVisible(cropping);
        if (cropping) {
            m_cropOk->raise();
            m_cropCancel->raise();
        }
    });
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
    const bool cropping = m_workspace->isCropping();
    follow(m_across, shown.hasHorizontalBar() && !cropping,
           QRect(view.left(), view.top() + room.height(), room.width(), view.height() - room.height()), most.x(),
           room.width(), shown.offset().x());
    follow(m_down, shown.hasVerticalBar() && !cropping,
           QRect(view.left() + room.width(), view.top(), view.width() - room.width(), room.height()), most.y(),
           room.height(), shown.offset().y());
    m_corner->setGeometry(QRect(view.topLeft() + QPoint(room.width(), room.height()), view.bottomRight()));
    m_corner->setVisible(shown.hasHorizontalBar() && shown.hasVerticalBar() && !cropping);
}
