#pragma once

#include <QString>

// The one place that decides where Lumovander.ini, Cards/ and Templates/ live: the
// program's own folder when it is writable and not an installed program's bin folder,
// the per-user data folder otherwise.
namespace DataFolder {

QString path();
QString settingsFile();   // <data folder>/Lumovander.ini
QString cardsFolder();    // <data folder>/Cards
QString templatesFolder(); // <data folder>/Templates

// Tests and the batch tool point the program at another folder.
void setOverride(const QString &folder);

// The rule itself, for a given program folder and per-user folder.
QString choose(const QString &programFolder, const QString &userFolder);

} // namespace DataFolder
