#pragma once

class MainWindow;

// Connects the commands of every subsystem to the designer window.
void installSubsystemCommands(MainWindow &window);
