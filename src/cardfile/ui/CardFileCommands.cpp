#include "cardfile/ui/CardFileCommands.h"

#include "window/MainWindow.h"
#include "core/CommandGuard.h"
#include "cardfile/ui/OpenFileDialog.h"
#include "cardfile/SaveCardCommand.h"

#include <QAction>

namespace {

void showOpenFile(MainWindow &window, OpenFileModel::Mode mode)
{
    OpenFileDialog dialog(mode, window.document(), window.questions(), &window);
    dialog.exec();
}

} // namespace

void installCardFileCommands(MainWindow &window)
{
    const auto on = [&window](const char *name, auto handler) {
        QObject::connect(window.action(QString::fromLatin1(name)), &QAction::triggered, &window,
                         CommandGuard::guarded(window.questions(), handler));
    };
    on("FileSaveKaart", [&window] { SaveCardCommand::run(window.document(), window.questions()); });
    on("FileOpenKaart", [&window] {
        if (window.settleUnsavedChanges())
            showOpenFile(window, OpenFileModel::Mode::Cards);
    });
    on("ToolsBackTemplates", [&window] { showOpenFile(window, OpenFileModel::Mode::Templates); });
}
