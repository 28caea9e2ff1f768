#include "stamp/ui/StampCommands.h"

#include "core/CommandGuard.h"
#include "core/CardDocument.h"
#include "window/MainWindow.h"
#include "stamp/panel/PhotoView.h"
#include "stamp/PhotoWorkspace.h"
#include "stamp/ZoomLevels.h"

#include <QAction>

namespace {

QString zoomItem(int index) { return QStringLiteral("SizeProcent(%1)").arg(index); }
QString colorItem(int item) { return QStringLiteral("ToolsSelectierechthoekKleur(%1)").arg(item); }

// A checkable item toggles its own mark when chosen; the marks are put right from the
// workspace afterwards, also when the command changed nothing.
void followZoomTick(MainWindow &window)
{
    const int checked = window.photoWorkspace().checkedZoomIndex();
    for (int index : ZoomLevels::Indexes)
        window.action(zoomItem(index))->setChecked(index == checked);
    window.action(QStringLiteral("ZoomPassend"))->setChecked(checked == ZoomLevels::Fit);
}

void followSelection(MainWindow &window)
{
    const SelectionTracker &selection = window.photoWorkspace().selection();
    SelectionLayer *layer = window.photoView()->layer();
    layer->setGeometry(window.photoWorkspace().shownLayer().toRect());
    layer->setColor(selection.outlineColor());
    layer->setVisible(selection.isLayerVisible());
    for (int item = 1; item <= 3; ++item)
        window.action(colorItem(item))->setChecked(item == selection.checkedColorItem());
}

void connectMenus(MainWindow &window)
{
    PhotoWorkspace &workspace = window.photoWorkspace();
    const auto on = [&window](const QString &name, auto handler) {
        QObject::connect(window.action(name), &QAction::triggered, &window,
                         CommandGuard::guarded(window.questions(), handler));
    };
    on(QStringLiteral("PasFotoInladen"), [&window, &workspace] { workspace.loadPhoto(window.questions()); });
    on(QStringLiteral("PasfotoVergroting"), [&window, &workspace] {
        workspace.toggleEnlargedView();
        window.action(QStringLiteral("PasfotoVergroting"))->setChecked(workspace.isEnlarged());
    });
    for (int index : ZoomLevels::Indexes)
        on(zoomItem(index), [&window, &workspace, index] {
            workspace.zoom(index);
            followZoomTick(window);
        });
    QAction *fit = window.action(QStringLiteral("ZoomPassend"));
    on(QStringLiteral("ZoomPassend"), [&window, &workspace] {
        workspace.zoom(ZoomLevels::Fit);
        followZoomTick(window);
    });
    // "Zoom" opens only over the widened panel; the key reaches the whole photo in the
    // narrow one too.
    fit->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
    window.addAction(fit);
    for (int item = 1; item <= 3; ++item)
        on(colorItem(item), [&workspace, item] { workspace.chooseSelectionColor(item); });
}

void connectMouse(MainWindow &window)
{
    PhotoWorkspace &workspace = window.photoWorkspace();
    PhotoView *pic = window.photoView();
    QObject::connect(pic, &PhotoView::mousePressed, &workspace,
                     [&workspace](Qt::MouseButton button, QPointF pos) { workspace.mouseDown(int(button), pos); });
    QObject::connect(pic, &PhotoView::mouseMoved, &workspace,
                     [&workspace](Qt::MouseButtons buttons, QPointF pos, Qt::KeyboardModifiers modifiers) {
                         workspace.mouseMove(int(buttons), pos, modifiers & Qt::ShiftModifier);
                     });
    QObject::connect(pic, &PhotoView::mouseReleased, &workspace,
                     [&workspace](Qt::MouseButton button, QPointF pos) { workspace.mouseUp(int(button), pos); });
    QObject::connect(pic, &PhotoView::wheelTurned, &workspace,
                     [&workspace](QPoint angleDelta, Qt::KeyboardModifiers modifiers, QPointF pos) {
                         workspace.wheel(angleDelta, modifiers & Qt::ShiftModifier, pos);
                     });
}

} // namespace

void installStampCommands(MainWindow &window)
{
    PhotoWorkspace &workspace = window.photoWorkspace();
    connectMenus(window);
    connectMouse(window);
    QObject::connect(&workspace, &PhotoWorkspace::selectionChanged, &window, [&window] { followSelection(window); });
    QObject::connect(&workspace, &PhotoWorkspace::zoomCheckChanged, &window, [&window] { followZoomTick(window); });
}
