#pragma once

class QMenuBar;

// The main window's menu bar. Every item is a QAction named after its control, a
// family member with its index in parentheses ("LayoutShow(2)"); a submenu is a QMenu
// of the same name whose menuAction() carries the name too. Separators are actions
// named like "FileStreep1". Items that can carry a check mark are checkable.
namespace MenuTree {

void build(QMenuBar &bar);

} // namespace MenuTree
