#include "program/DutchLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace DutchLanguage {

bool install(QCoreApplication &app)
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    // Day and month names of the info line, and the decimal comma of the margins
    // dialog: the program speaks one language, not the system's.
    QLocale::setDefault(dutch);
    // Only qtbase: it holds every widget and print dialog the program opens, and the
    // meta catalogue qt_nl would drag in a dozen modules' catalogues we never use.
    auto *translator = new QTranslator(&app);
    if (!translator->load(dutch, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace DutchLanguage
