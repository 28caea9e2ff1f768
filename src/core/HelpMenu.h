#pragma once

#include <QString>

// What the Help menu shows and opens.
namespace HelpMenu {

// The help panel's text, fourteen lines each ended by CR LF.
QString panelText();

// "Meer Software": the maker's software page.
QString moreSoftwareAddress();
// The partner item: its caption is the partner site's domain name.
QString partnerDomain();
QString partnerAddress();

} // namespace HelpMenu
