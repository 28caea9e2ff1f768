#pragma once

class MainWindow;

// The card file commands of the designer window: "Kaart Opslaan" (FileSaveKaart),
// "Open Kaart" (FileOpenKaart) and Achtergrond > "Templates" (ToolsBackTemplates), the
// last two through the dialog "OpenFile".
void installCardFileCommands(MainWindow &window);
