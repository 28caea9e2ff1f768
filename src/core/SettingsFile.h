#pragma once

#include "core/PrintSettings.h"

#include <QByteArray>
#include <QString>

// Lumovander.ini: the print geometry kept between runs, as four record lines (a
// header text, a row of dashes, the six print values, the number of cards per sheet).
namespace SettingsFile {

// The file's bytes for these settings.
QByteArray encode(const PrintSettings &settings);

// Reads the file into settings. Every value that reads well is taken; one that is
// missing or damaged (not a number where a number belongs, a number outside its range
// in SheetSettings, a card count other than 10 or 8) takes its default. Returns true
// only when every value read well.
bool read(const QString &path, PrintSettings &settings);

// Replaces the file as a whole: a new file is written beside it and renamed into
// place, so a failure leaves the old file as it was. Returns false on failure.
bool write(const QString &path, const PrintSettings &settings);

// Start-up: reads the file and writes it anew when it is missing or not whole.
// A file that cannot be written changes nothing else.
void loadAtStartup(const QString &path, PrintSettings &settings);

} // namespace SettingsFile
