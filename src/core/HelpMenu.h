#pragma once

#include <QString>

// What the Help menu shows and opens.
namespace HelpMenu {

// The help panel's text, fourteen lines each ended by CR LF.
QString panelText();

// The user's manual "Lumovander.pdf": beside the program when it runs from its build
// folder, in share/lumovander when it is installed (programFolder being its bin folder).
// Empty when neither holds the file.
QString manualPath(const QString &programFolder);

// "Meer Software": the maker's software page.
QString moreSoftwareAddress();
// The partner item: its caption is the partner site's domain name.
QString partnerDomain();
QString partnerAddress();

} // namespace HelpMenu
