#include "program/InstallCommands.h"

#include "background/ui/BackgroundCommands.h"
#include "cardfile/ui/CardFileCommands.h"
#include "design/DesignCommands.h"
#include "merge/ui/MergeCommands.h"
#include "window/MainWindow.h"
#include "print/ui/PrintCommands.h"
#include "press/ui/PressCommands.h"
#include "stamp/ui/StampCommands.h"

// Each subsystem with commands in the window adds its one call here, and its widget
// library to the lumovander target.
void installSubsystemCommands(MainWindow &window)
{
    installStampCommands(window);
    installBackgroundCommands(window);
    installCardFileCommands(window);
    installPrintCommands(window);
    installDesignCommands(window);
    installPressCommands(window);
    installMergeCommands(window);
}
