#pragma once

#include "print/ui/PrinterStation.h"

#include <QPrinter>
#include <functional>

// The system's default printer until "Setup Printer" chooses another. Without any
// printer installed it prints to a file.
class SystemPrinter : public PrinterStation {
public:
    // Shows a printer dialog for the printer, which it changes only when the user
    // confirms it.
    using PrinterDialog = std::function<void(QPrinter &printer, QWidget *parent)>;

    // Without a dialog the platform's QPrintDialog is used.
    explicit SystemPrinter(PrinterDialog dialog = {});

    void setUp(QWidget *parent) override;

    bool printsToFile() const override;
    QString chosenFileName() const override;
    QPagedPaintDevice *prepare(int copies) override;
    bool repeatsPages() const override;
    bool accepted() const override;
    QString printerName() const override;
    QPointF printableCornerMm() const override;
    void setSides(Duplex sides) override { m_sides = sides; }
    bool printsBothSides(Duplex edge) const override;

private:
    // Whether the printer still exists and is not stopped.
    bool ready() const;

    QPrinter m_printer;
    PrinterDialog m_dialog;
    Duplex m_sides = Duplex::FrontOnly;
};
