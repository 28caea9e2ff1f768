#pragma once

#include <QString>

// How the user last left the window's "Beeld" menu: the card as printed or the canvas,
// and the safety margin shown or not. Kept for the user in a small file of its own beside
// the settings file, whose format stays as it is:
//
//   ZoalsAfgedrukt=1
//   VeiligeRand=1
//
// A missing, unreadable or damaged file, or a line that makes no sense, counts as the
// defaults (both on); reading never stops the window from opening.
struct ViewChoices {
    bool printed = true;
    bool safetyMargin = true;

    bool operator==(const ViewChoices &) const = default;

    // Lumovander-beeld.ini in the folder of the given settings file.
    static QString besideSettings(const QString &settingsFile);
    static ViewChoices read(const QString &path);
    // Replaces the whole file; false when it could not be written.
    bool write(const QString &path) const;
};
