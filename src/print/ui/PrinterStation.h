#pragma once

#include "print/PrintTarget.h"

class QWidget;

// The printer of this run as the print commands see it: "Setup Printer" chooses it,
// "Print" prints on it. Tests put a station of their own in its place.
class PrinterStation : public PrintTarget {
public:
    // The platform's printer dialog over parent. A confirmed choice of printer and
    // settings holds for the next prints of this run; cancelling changes nothing.
    virtual void setUp(QWidget *parent) = 0;
};
