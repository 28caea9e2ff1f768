#include "InstallCommands.h"

#include "MainWindow.h"

// Each subsystem with commands in the window adds its one call here, and its widget
// library to the lumovander target.
void installSubsystemCommands(MainWindow &window)
{
    (void)window;
}
