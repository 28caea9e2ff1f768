#pragma once

class MainWindow;

// Connects the "Achtergrond" menu (background photo, "Verloopkleur", "Wit Kader") and
// the filter items of both "Bewerken" menus to the designer window, and lets the window
// handle its events while a filter runs.
void installBackgroundCommands(MainWindow &window);
