#include "InstallCommands.h"

#include "BackgroundCommands.h"
#include "CardFileCommands.h"
#include "MainWindow.h"
#include "PrintCommands.h"
#include "StampCommands.h"

// Each subsystem with commands in the window adds its one call here, and its widget
// library to the lumovander target.
void installSubsystemCommands(MainWindow &window)
{
    installStampCommands(window);
    installBackgroundCommands(window);
    installCardFileCommands(window);
    installPrintCommands(window);
}
