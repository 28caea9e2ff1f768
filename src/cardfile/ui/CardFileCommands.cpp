#include "cardfile/ui/CardFileCommands.h"

#include "window/MainWindow.h"
#include "core/CardDocument.h"
#include "core/CommandGuard.h"
#include "cardfile/ui/OpenFileDialog.h"
#include "cardfile/SaveCardCommand.h"

#include <QAction>
#include <QKeySequence>

namespace {

void showOpenFile(MainWindow &window, OpenFileModel::Mode mode)
{
    OpenFileDialog dialog(mode, window.document(), window.questions(), &window);
    // A template changes the card's background, not which card it is.
    if (dialog.exec() == QDialog::Accepted && mode == OpenFileModel::Mode::Cards)
        window.setCardName(window.document().lastFileName());
}

void saveCard(MainWindow &window)
{
    if (SaveCardCommand::run(window.document(), window.questions()) != SaveCardCommand::Outcome::Saved)
        return;
    const QString name = window.document().fileName();
    window.setCardName(name);
    window.showInfo(QStringLiteral("Kaart '%1' opgeslagen.").arg(name));
}

} // namespace

void installCardFileCommands(MainWindow &window)
{
    const auto on = [&window](const char *name, auto handler) {
        QObject::connect(window.action(QString::fromLatin1(name)), &QAction::triggered, &window,
                         CommandGuard::guarded(window.questions(), handler));
    };
    on("FileSaveKaart", [&window] { saveCard(window); });
    window.action(QStringLiteral("FileSaveKaart"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    on("FileOpenKaart", [&window] {
        if (window.settleUnsavedChanges())
            showOpenFile(window, OpenFileModel::Mode::Cards);
    });
    on("ToolsBackTemplates", [&window] { showOpenFile(window, OpenFileModel::Mode::Templates); });
}
