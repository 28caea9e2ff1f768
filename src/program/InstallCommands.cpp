#include "app/InstallCommands.h"

#include "background/BackgroundCommands.h"
#include "cardfile/CardFileCommands.h"
#include "app/MainWindow.h"
#include "print/PrintCommands.h"
#include "stamp/StampCommands.h"

// Each subsystem with commands in the window adds its one call here, and its widget
// library to the lumovander target.
void installSubsystemCommands(MainWindow &window)
{
    installStampCommands(window);
    installBackgroundCommands(window);
    installCardFileCommands(window);
    installPrintCommands(window);
}
