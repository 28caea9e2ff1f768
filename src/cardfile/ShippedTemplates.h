#pragma once

#include <QString>

// The templates the program ships, drawn by scripts/make-templates.sh. The build puts
// them in the Templates folder beside the program it makes; a package installs them in
// share/lumovander/Templates, read-only, and each user's first start copies them into
// the Templates folder of that user's data folder, where they can be deleted like any.
namespace ShippedTemplates {

// share/lumovander/Templates beside the bin folder the program lies in.
QString installedFolder(const QString &programFolder);

// Copies the shipped templates (regular *.tmp files of a sane size) into templatesFolder
// when it does not exist at all: a Templates that is there in any form, a folder the
// user emptied, a link, a file, is left exactly as it is. Returns how many it copied.
int seed(const QString &shippedFolder, const QString &templatesFolder);

} // namespace ShippedTemplates
