#pragma once

#include "print/CorrectionForm.h"
#include "print/MarginsForm.h"
#include "print/SheetGeometry.h"
#include "print/SheetPlan.h"

#include <QDialog>
#include <array>

class PrintTarget;
class QComboBox;
class QLabel;
class QLineEdit;
class Questions;
struct PrintSettings;

// The margins dialog "Marges": a view of one MarginsForm. Every text a field gets,
// typed or filled in by the dialog, passes the form's check and is emptied when it
// fails. "Reset" sets the settings at once, "Ok" stores the form, "Cancel" nothing;
// a value that would not print as typed keeps "Ok" and "Testpagina" from going on.
//
// Above the fields "Kaartpapier" fills them for a sheet of a known maker; below them
// the printer's correction: "Testpagina" prints the calibration sheet for the fields
// as they stand, "Opslaan" turns the four readings into the printer's correction and
// stores it at once, "Wissen" removes it. Neither waits for "Ok".
//
// Below that the same for the backs of the paper, for the edge it is turned over:
// "Testpagina dubbelzijdig" prints the double-sided test page, "Opslaan" turns the four
// readings of the back's crosses into the correction of the backs for this printer and
// edge, "Wissen" removes that one; the fronts' correction stays as it is.
class MargesDialog : public QDialog {
    Q_OBJECT
public:
    // correctionFile holds the printers' corrections; printer is where "Testpagina"
    // prints and whose correction the dialog edits.
    MargesDialog(PrintSettings &settings, Questions &questions, PrintTarget &printer, const QString &correctionFile,
                 QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildDiagramFrame();
    void buildFieldFrame();
    void buildButtonFrame();
    void buildStockFrame();
    void stockChosen(int choice);
    void buildCorrectionFrame();
    void showForm();
    void fieldEdited(int field, const QString &text);
    SheetGeometry fieldGeometry() const;
    bool fieldsPrintAsTyped();
    void printCalibrationSheet();
    void storeCorrection();
    void clearCorrection();
    void showCorrection();
    void buildBackFrame();
    Duplex chosenEdge() const;
    QPointF printableCorner() const;
    void printDuplexSheet();
    void storeBackCorrection();
    void clearBackCorrection();
    void showBackCorrection();

    PrintSettings &m_settings;
    Questions &m_questions;
    PrintTarget &m_printer;
    QString m_correctionFile;
    MarginsForm m_form;
    CorrectionForm m_readings;
    std::array<QLineEdit *, MarginsForm::FieldCount> m_fields{};
    std::array<QLineEdit *, CorrectionForm::FieldCount> m_readingFields{};
    QComboBox *m_cardCount = nullptr;
    QComboBox *m_stock = nullptr;
    QLineEdit *m_stockText = nullptr; // the stock box's own text, where a search is typed
    QLabel *m_correction = nullptr;
    CorrectionForm m_backReadings;
    std::array<QLineEdit *, CorrectionForm::FieldCount> m_backFields{};
    QComboBox *m_edge = nullptr;
    QLabel *m_backCorrection = nullptr;
};
