#pragma once

#include <QString>

// File dialog filters are written as "Description|*.a;*.b", more entries following as
// "|Description|*.c" (the common dialog's way). The dialog shows the descriptions and
// matches the patterns whatever the case of the names.
namespace FileFilter {

// "Foto|*.jpg;*.bmp" -> "Foto (*.[jJ][pP][gG] *.[bB][mM][pP])"; entries joined by ";;".
QString toDialogFilter(const QString &filter);

} // namespace FileFilter
