#pragma once

#include <QImage>

// The program's icon for the desktop's menus and windows.
namespace ProgramIcon {

// The icon at size x size pixels, transparent around the card. Needs no QGuiApplication.
QImage draw(int size);

} // namespace ProgramIcon
