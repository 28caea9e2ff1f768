#pragma once

#include <QString>
#include <QStringList>

// The photo file filter of the open dialog. Patterns are matched without regard to
// case (cameras write IMG_0001.JPG), and a JPEG named *.jpeg counts as a .jpg.
namespace PhotoFileFilter {

// The filter as the dialog gets it: "Description|*.a;*.b".
QString filter();
// The part before the bar, shown in the dialog.
QString description();
// The patterns the dialog lists, *.jpeg included.
QStringList patterns();
// The same patterns written so that a case-sensitive wildcard matcher (QFileDialog on
// Linux) finds every spelling: *.[jJ][pP][gG].
QStringList caseInsensitivePatterns();
// Whether a file name matches one of the patterns.
bool matches(const QString &fileName);

} // namespace PhotoFileFilter
