#pragma once

#include "print/PrintRun.h"
#include "print/PrintedCard.h"
#include "print/PrinterCorrection.h"
#include "print/SheetGeometry.h"

#include <QDialog>

class CardDocument;
class PrintTarget;
class QComboBox;
class QLabel;
class QPushButton;
class Questions;

// The print dialog "Afdrukken": the preview of the sheet, the sheet count and "Print",
// which runs the scan animation and prints on the target. It reads the card once, when
// it opens, and stays open after a print; while one runs it cannot be closed. Below
// the frame a line says which correction of the printer the print gets, and another
// which cards the margins put beyond the A4 page.
class AfdrukkenDialog : public QDialog, public PrintDialogView {
    Q_OBJECT
public:
    // correctionFile holds the printers' corrections; empty prints without any.
    AfdrukkenDialog(const CardDocument &document, Questions &questions, PrintTarget &printer, WaitFunction wait,
                    const QString &correctionFile, QWidget *parent = nullptr);

    void setStatusText(const QString &text) override;
    void showScanLine(int height) override;
    void hideScanLine() override;
    void setPrinting(bool printing) override;

    void reject() override;

private:
    void showCardsOffPage(const QList<int> &cards);
    void print();

    Questions &m_questions;
    PrintTarget &m_printer;
    WaitFunction m_wait;
    PrintedCard m_card;
    SheetGeometry m_sheet;
    PrinterCorrection m_correction;
    bool m_printing = false;

    QLabel *m_status = nullptr;
    QWidget *m_scanLine = nullptr;
    QComboBox *m_sheetCount = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_exitButton = nullptr;
};
