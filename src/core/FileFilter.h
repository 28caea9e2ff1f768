#pragma once

#include <QString>

// File dialog filters are written as "Description|*.a;*.b" (one entry). The dialog
// shows the description and matches the patterns whatever the case of the names.
namespace FileFilter {

// "Foto|*.jpg;*.bmp" -> "Foto (*.[jJ][pP][gG] *.[bB][mM][pP])".
QString toDialogFilter(const QString &filter);

} // namespace FileFilter
