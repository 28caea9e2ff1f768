#pragma once

class MainWindow;

// The stamp photo's commands in the designer window: "Zegelfoto" > "Foto Inladen" and
// "Scherm Vergroten", the "Zoom" levels, Tools > "Selectierechthoek" and the mouse on
// the photo view, all handed to the window's photo workspace; the selection rectangle
// `Layer` and the check marks follow the workspace.
void installStampCommands(MainWindow &window);
