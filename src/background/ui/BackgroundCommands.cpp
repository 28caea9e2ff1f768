#include "background/ui/BackgroundCommands.h"

#include "core/CommandGuard.h"
#include "background/BackgroundPhoto.h"
#include "background/FilterCommands.h"
#include "filters/Filters.h"
#include "window/CardView.h"
#include "window/MainWindow.h"
#include "stamp/PhotoWorkspace.h"
#include "background/ui/VerloopcolorDialog.h"
#include "background/WhiteFrame.h"
#include "stamp/BusyCursor.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

namespace {

void installPhotoCommands(MainWindow &window)
{
    for (const PhotoPlacement placement :
         {PhotoPlacement::Borderless, PhotoPlacement::WithMargin, PhotoPlacement::Fit}) {
        const QString name = QStringLiteral("ToolsBackFotoRand(%1)").arg(int(placement));
        QObject::connect(window.action(name), &QAction::triggered, &window,
                         CommandGuard::guarded(window.questions(), [&window, placement] {
                             chooseBackgroundPhoto(window.document(), window.photoWorkspace().backPic(),
                                                   window.questions(), placement);
                         }));
    }
    PhotoWorkspace &workspace = window.photoWorkspace();
    QObject::connect(window.action(QStringLiteral("ToolsBackFotoRand(3)")), &QAction::triggered, &window,
                     CommandGuard::guarded(window.questions(), [&window, &workspace] {
                         if (chooseBackgroundPhoto(window.document(), workspace.backPic(), window.questions(),
                                                   PhotoPlacement::Crop))
                             workspace.beginCrop();
                     }));
    QObject::connect(&workspace, &PhotoWorkspace::cropFinished, &window,
                     [&window, &workspace](QRectF frame) {
                         CommandGuard::guarded(window.questions(), [&window, &workspace, frame] {
                             BusyCursor busy;
                             applyCroppedPhoto(window.document(), workspace.backPic(), frame);
                         })();
                     });
}

void installGradientDialog(MainWindow &window)
{
    QObject::connect(window.action(QStringLiteral("ToolsBackColor")), &QAction::triggered, &window,
                     CommandGuard::guarded(window.questions(), [&window] {
                         VerloopcolorDialog dialog(window.document(), &window);
                         dialog.exec();
                     }));
}

// A submenu parent's own click is the opening of its submenu.
void installFilterCommands(MainWindow &window)
{
    for (const FilterCommand &command : filterCommands()) {
        const QString name = command.objectName();
        const auto run = CommandGuard::guarded(window.questions(), [&window, &command] {
            // A submenu's own item changes no pixel: its target is only painted anew.
            if (!command.changesPixels())
                window.cardView()->update();
            runFilterCommand(window.document(), command);
        });
        if (QMenu *submenu = window.submenuIfAny(name))
            QObject::connect(submenu, &QMenu::aboutToShow, &window, run);
        else
            QObject::connect(window.action(name), &QAction::triggered, &window, run);
    }
    QObject::connect(window.action(QStringLiteral("AchtergrondRand")), &QAction::triggered, &window,
                     CommandGuard::guarded(window.questions(), [&window] { addWhiteFrame(window.document()); }));
    // The filters hand over between rows, paced by the engine; a second filter chosen
    // meanwhile is refused by the engine's busy guard.
    InstallFilterEventHook([] { QCoreApplication::processEvents(); });
}

} // namespace

void installBackgroundCommands(MainWindow &window)
{
    installPhotoCommands(window);
    installGradientDialog(window);
    installFilterCommands(window);
}
