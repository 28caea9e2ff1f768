#pragma once

#include "print/PrintRun.h"

class MainWindow;
class PrinterStation;

// Connects Bestand > "Afdruk Marges", "Setup Printer" and "Kaartjes Afdrukken" to the
// designer window: the system's printer, chosen with the platform's printer dialog,
// and the scan animation paced by Algemeen::WaitSeconds.
void installPrintCommands(MainWindow &window);

// The same with another printer and wait, for tests; the printer must outlive the window.
void installPrintCommands(MainWindow &window, PrinterStation &printer, WaitFunction wait);
