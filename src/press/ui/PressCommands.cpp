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
                         // What the dialog pointed out stays in the info line once it is gone.
                         if (dialog.exec() == QDialog::Accepted && !dialog.warnings().isEmpty())
                             window.showInfo(dialog.warnings().join(QLatin1Char(' ')));
                     }));
}
