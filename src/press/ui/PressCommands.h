#pragma once

class MainWindow;

// "Bestand" > "Drukklaar PDF…" opens the press dialog on the card in the window.
void installPressCommands(MainWindow &window);
