#pragma once

#include <QString>

// The general routines that several windows share.
namespace Algemeen {

// Hands a file path or a web address to the desktop's default "open" action.
// Failures are not reported.
void OpenDocument(const QString &path);

// Waits the given number of seconds of wall-clock time while the windows keep
// handling their events. Zero or a negative number returns at once.
void WaitSeconds(double seconds);

// Whether a file (not a folder) exists at path.
bool FileExists(const QString &path);

} // namespace Algemeen
