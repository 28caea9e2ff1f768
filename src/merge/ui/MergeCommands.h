#pragma once

class MainWindow;

// "Bestand" > "Samenvoegen…": the dialog on the card's team; "Ok" attaches what it
// shows (or detaches the data) as one step.
void installMergeCommands(MainWindow &window);
