#include "merge/ui/MergeCommands.h"

#include "core/CardDocument.h"
#include "core/CommandGuard.h"
#include "merge/ui/SamenvoegenDialog.h"
#include "window/MainWindow.h"

#include <QAction>

void installMergeCommands(MainWindow &window)
{
    QObject::connect(window.action(QStringLiteral("FileSamenvoegen")), &QAction::triggered, &window,
                     CommandGuard::guarded(window.questions(), [&window] {
                         SamenvoegenDialog dialog(window.document(), window.questions(), &window);
                         if (dialog.exec() != QDialog::Accepted)
                             return;
                         window.document().setTeam(dialog.team());
                     }));
}
