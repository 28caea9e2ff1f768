#include "background/FilterCommands.h"
#include "cardfile/Autosave.h"
#include "cardfile/ShippedTemplates.h"
#include "cardfile/RecoveryCard.h"
#include "core/CardDocument.h"
#include "core/DataFolder.h"
#include "program/CommandLine.h"
#include "program/DutchLanguage.h"
#include "program/FirstPaintProbe.h"
#include "window/FontConfigStart.h"
#include "program/GuardedApplication.h"
#include "program/InstallCommands.h"
#include "window/MainWindow.h"
#include "program/StartupStyle.h"
#include "window/WidgetQuestions.h"

#include <QApplication>
#include <QStyle>
#include <QStringList>
#include <cstdio>

namespace {

// Only the recovery process test sets LUMOVANDER_TEST_ANSWERS ("ja,nee,..."): a
// program it starts cannot be clicked, so the yes/no questions are printed on stdout
// and answered from the list, in turn, and messages are printed instead of shown; the
// other questions stay the desktop's own.
class AnswersFromTest : public WidgetQuestions {
public:
    AnswersFromTest()
        : m_scripted(qEnvironmentVariableIsSet("LUMOVANDER_TEST_ANSWERS"))
        , m_answers(qEnvironmentVariable("LUMOVANDER_TEST_ANSWERS").split(QLatin1Char(','), Qt::SkipEmptyParts))
    {
    }
    bool yesNo(const QString &title, const QString &text) override
    {
        if (!m_scripted)
            return WidgetQuestions::yesNo(title, text);
        std::printf("vraag: %s\n", qUtf8Printable(text));
        std::fflush(stdout);
        if (m_answers.isEmpty())
            return WidgetQuestions::yesNo(title, text);
        return m_answers.takeFirst().compare(QLatin1String("ja"), Qt::CaseInsensitive) == 0;
    }
    bool yesNoWithPicture(const QString &title, const QString &text, const QImage &picture) override
    {
        return m_scripted ? yesNo(title, text) : WidgetQuestions::yesNoWithPicture(title, text, picture);
    }
    void message(const QString &title, const QString &text) override
    {
        if (!m_scripted)
            return WidgetQuestions::message(title, text);
        std::printf("bericht: %s\n", qUtf8Printable(text));
        std::fflush(stdout);
    }

private:
    bool m_scripted;
    QStringList m_answers;
};

} // namespace

int main(int argc, char *argv[])
{
    // Answered before QApplication exists: no display is needed to ask for help.
    if (const auto answer = CommandLine::earlyAnswer(argc, argv)) {
        std::fputs(answer->text.c_str(), stdout);
        return answer->exitCode;
    }
    // Read while Qt starts and the window builds its first panels.
    const FontConfigStart fontConfig;
    GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumovander"));
    DutchLanguage::install(app);
    // Over the style in force, the desktop's or the one asked for with -style.
    QApplication::setStyle(new StartupStyle(QApplication::style()->name()));

    // An installed program's own templates, for a user who has no Templates folder yet.
    ShippedTemplates::seed(ShippedTemplates::installedFolder(QCoreApplication::applicationDirPath()),
                           DataFolder::templatesFolder());

    CardDocument document;
    AnswersFromTest questions;
    MainWindow window(document, questions, DataFolder::settingsFile());
    questions.setParentWindow(&window);
    app.setQuestions(&questions);
    installSubsystemCommands(window);

    // Only the startup benchmark and the screenshot script set these.
    if (qEnvironmentVariableIsSet("LUMOVANDER_EXIT_AFTER_FIRST_PAINT"))
        afterFirstPaint(&window, [] {
            std::puts("painted");
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    const QString screenshot = qEnvironmentVariable("LUMOVANDER_SCREENSHOT");
    if (!screenshot.isEmpty())
        afterFirstPaint(&window, [&window, screenshot] {
            QCoreApplication::exit(window.grab().save(screenshot) ? 0 : 1);
        });

    window.show();

    // A design left by a run that did not end cleanly is offered over the window the
    // user is about to work in, before anything else can change the card.
    const QString recoveryFolder = RecoveryCard::defaultFolder();
    RecoveryCard::offer(document, questions, recoveryFolder);
    Autosave autosave(document, recoveryFolder, Autosave::intervalFromEnvironment());
    QObject::connect(&autosave, &Autosave::protectionChanged, &window, &MainWindow::showInfo);
    // The card is on disk before the filter starts, not merely on its way there.
    setBeforeLargeFilter([&autosave] {
        autosave.saveNow();
        autosave.waitForWrites();
    });

    const int status = app.exec();
    setBeforeLargeFilter({});
    // The event loop ends only when the window was closed or a probe ended the run on
    // purpose: nothing is left to recover.
    autosave.discard();
    return status;
}
