// lumo_dialog_shots DIR: opens every dialog the designer window can open, one after the
// other, and saves a picture of each into DIR, so that reviewers can see that all of
// them speak Dutch. scripts/dialog-shots.sh runs it on a virtual X screen under an
// English LANG. Not a test: it only shows.
#include "program/DutchLanguage.h"
#include "program/InstallCommands.h"
#include "window/MainWindow.h"
#include "window/WidgetQuestions.h"
#include "core/CardDocument.h"
#include "core/DataFolder.h"
#include "merge/MergeFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

// What to do with a dialog once it is pictured; `done` goes on with the next dialog, once
// this one and whatever it opened are closed.
using Inside = std::function<void(QWidget *dialog, const std::function<void()> &done)>;

QString g_folder;

void closeDialog(QWidget *dialog)
{
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        QAbstractButton *no = box->button(QMessageBox::No);
        (no ? no : box->buttons().constFirst())->click();
    } else if (auto *plain = qobject_cast<QDialog *>(dialog)) {
        plain->reject();
    } else {
        dialog->close();
    }
}

// Waits for a modal dialog other than `under` to show, pictures it, then hands it on.
void shoot(const QString &name, QWidget *under, const std::function<void(QWidget *)> &then)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, name, under, then] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || dialog == under)
            return;
        poll->stop();
        poll->deleteLater();
        QPointer<QWidget> shown(dialog);
        QTimer::singleShot(600, [shown, name, then] {
            if (!shown)
                return;
            const QString path = QDir(g_folder).filePath(name + QStringLiteral(".png"));
            std::printf("%s: %s\n", qPrintable(path), shown->grab().save(path) ? "ok" : "FAILED");
            std::fflush(stdout);
            then(shown);
        });
    });
    poll->start(50);
}

// Presses a button of the dialog and pictures what that opens, then closes both.
Inside pressAndShoot(const char *button, const QString &name)
{
    return [button, name](QWidget *dialog, const std::function<void()> &done) {
        shoot(name, dialog, [dialog, done](QWidget *inner) {
            closeDialog(inner);
            QTimer::singleShot(300, [dialog, done] {
                closeDialog(dialog);
                done();
            });
        });
        QTimer::singleShot(0, [dialog, button] {
            if (auto *b = dialog->findChild<QAbstractButton *>(QLatin1String(button)))
                b->click();
        });
    };
}

struct Step {
    const char *action;
    QString shot;
    Inside inside = [](QWidget *dialog, const std::function<void()> &done) {
        closeDialog(dialog);
        done();
    };
    // Run before the menu item, for a dialog that shows best with something to show.
    std::function<void()> before;
};

// A small team of an office, attached as "Samenvoegen" would, so that its dialog
// opens with people in it.
void attachTeam(CardDocument &document, const QString &folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("kantoor.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write("Naam;Functie;Telefoon;E-mail\n"
               "Jan de Vries;Directeur;06 12345678;jan@devries.nl\n"
               "Chlo\xc3\xab van 't Hoff;Hoofd inkoop;030 123 45 67;chloe@devries.nl\n"
               "Ahmed Bakker;;06 87654321;ahmed@devries.nl\n"
               "Sanne Jansen;Boekhouding;030 765 43 21;\n");
    file.close();
    const MergeRead read = readMergeFile(path);
    if (!read)
        return;
    CardTeam team;
    team.data = read.data;
    team.mapping = MergeMapping::defaultFor(read.data);
    team.sourceName = QStringLiteral("kantoor.csv");
    document.setTeam(team);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumovander"));
    DutchLanguage::install(app);
    g_folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/dialogs");
    QDir().mkpath(g_folder);
    QTemporaryDir data;
    DataFolder::setOverride(data.path());

    CardDocument document;
    WidgetQuestions questions;
    MainWindow window(document, questions, DataFolder::settingsFile());
    questions.setParentWindow(&window);
    installSubsystemCommands(window);
    window.show();

    static const std::vector<Step> steps = {
        {"Fileexit", QStringLiteral("exit-vraag")},
        {"FileNieuw", QStringLiteral("nieuw-vraag")},
        {"FileSaveKaart", QStringLiteral("kaart-opslaan-invoerbox")},
        {"PasFotoInladen", QStringLiteral("zegelfoto-foto-inladen")},
        {"ToolsBackFotoRand(1)", QStringLiteral("achtergrond-foto-inladen")},
        {"TekstLettertype", QStringLiteral("lettertype")},
        {"FileSetupPrinter", QStringLiteral("setup-printer")},
        {"FileOpenKaart", QStringLiteral("open-kaart"),
         pressAndShoot("OkKnop", QStringLiteral("open-kaart-selecteer-eerst"))},
        {"ToolsBackTemplates", QStringLiteral("open-template")},
        {"ToolsBackColor", QStringLiteral("verloopkleur")},
        {"FileMarges", QStringLiteral("afdruk-marges")},
        {"FilePrint", QStringLiteral("kaartjes-afdrukken"),
         pressAndShoot("PrintKnop", QStringLiteral("kaartjes-afdrukken-pdf-opslaan"))},
        {"FileSamenvoegen", QStringLiteral("samenvoegen"), Step().inside,
         [&document, &data] { attachTeam(document, data.path()); }},
    };
    // The stamp photo's menu opens only with a layout that has a stamp photo.
    window.action(QStringLiteral("LayoutShow(2)"))->trigger();
    // Counted as saved, so that opening a card shows its dialog and not the question
    // whether to save the changes first (that question is pictured with "Nieuw").
    document.markSaved();

    std::function<void(size_t)> run = [&](size_t i) {
        if (i == steps.size()) {
            QTimer::singleShot(300, [] { QCoreApplication::exit(0); });
            return;
        }
        shoot(steps[i].shot, nullptr, [&run, i](QWidget *dialog) {
            steps[i].inside(dialog, [&run, i] { QTimer::singleShot(500, [&run, i] { run(i + 1); }); });
        });
        QTimer::singleShot(0, [&window, i] {
            if (steps[i].before)
                steps[i].before();
            window.action(QLatin1String(steps[i].action))->trigger();
        });
    };
    QTimer::singleShot(500, [&run] { run(0); });
    // A dialog that never shows must not hang the script.
    QTimer::singleShot(120000, [] { QCoreApplication::exit(1); });
    return app.exec();
}
