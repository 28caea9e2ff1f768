#pragma once

class QCoreApplication;

// Everything the user sees is Dutch, also the dialogs and buttons the toolkit draws for
// us (file, font, printer and message dialogs) and dates, whatever the system language.
namespace DutchLanguage {

// Installs Qt's own Dutch translations on the application and makes Dutch the default
// locale. False when the translations are not on this machine; the program then still
// runs, with the toolkit's buttons in English.
bool install(QCoreApplication &app);

} // namespace DutchLanguage
