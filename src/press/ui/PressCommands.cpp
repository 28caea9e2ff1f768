#include "press/ui/PressCommands.h"

#include "core/CommandGuard.h"
#include "press/ui/DrukklaarDialog.h"
#include "window/MainWindow.h"

#include <QAction>

void installPressCommands(MainWindow &window)
{
    QObject::connect(window.action(QStringLiteral("FileDrukklaar")), &QAction::triggered, &window,
                     CommandGuard::guarded(window.questions(), [&window] {
                         DrukklaarDialog dialog(window.document(), window.questions(), &window);
                         dialog.setInfoLine([&window](const QString &text) { window.showInfo(text); });
                         dialog.exec();
                     }));
}
