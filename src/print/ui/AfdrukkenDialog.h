#pragma once

#include "print/PrintRun.h"
#include "print/PrintedCard.h"
#include "print/PrinterCorrection.h"
#include "print/SheetGeometry.h"
#include "print/SheetPainter.h"
#include "print/SheetPlan.h"
#include "print/PrintTarget.h"
#include "print/TeamFaces.h"

#include <QDialog>
#include <QPointer>
#include <memory>
#include <optional>

struct Card;
struct PrintSettings;
class PagePreviewDialog;
class PrintTarget;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class Questions;

// The print dialog "Afdrukken": the preview of the sheet, the sheet count and "Print",
// which runs the scan animation and prints on the target. It reads the card once, when
// it opens, and stays open after a print; while one runs it cannot be closed. Below
// the frame a line says which correction of the printer the print gets, and another
// which cards the margins put beyond the A4 page.
//
// "Begin bij kaart" finishes a partly used sheet: the print starts at that card of the
// first sheet, the ones before it left blank in both previews and on paper; the sheets
// after it are whole. It starts at 1 each time the dialog opens, a used sheet being a
// one-off.
//
// A card with a team prints everyone: a line says how many people on how many sheets,
// "Per persoon" (`PerPersoon`) how many cards each gets, side by side along the rows;
// the small picture names each slot's person on the first sheet, "Voorbeeld" shows every
// page with each person's card, and "Pagina's" prints the whole team that many times.
//
// A card with a back gets the choice "Dubbelzijdig" below the frame: the fronts only, as
// a card without a back prints, or both sides on a duplex printer turning the paper over
// either edge, or by hand. A double-sided choice names the backs' correction in force
// for that edge on a line of its own. "Voorbeeld" shows the pages as they will print.
class AfdrukkenDialog : public QDialog, public PrintDialogView {
    Q_OBJECT
public:
    // correctionFile holds the printers' corrections; empty prints without any.
    AfdrukkenDialog(const Card &card, const PrintSettings &settings, Questions &questions, PrintTarget &printer,
                    WaitFunction wait, const QString &correctionFile, QWidget *parent = nullptr);
    ~AfdrukkenDialog() override;

    void setStatusText(const QString &text) override;
    void showScanLine(int height) override;
    void hideScanLine() override;
    void setPrinting(bool printing) override;

    void reject() override;

private:
    // Lays out what stands below the frame from top onwards; returns where it ends.
    int placeLinesBelowFrame(int top);
    void showCardsOffPage(const QList<int> &cards, int top);
    void print();
    void showPagePreview();
    void sidesChosen();
    void firstCardChosen();
    void showTeamSize();
    QImage sheetPicture() const;
    TeamPrint teamPrint() const;
    // "Pagina's" as chosen, 1..10.
    int sheetCountChosen() const;
    void refreshPagePreview();

    Duplex duplex() const;
    // What the dialog prints in a number of sheets; the printable corner is the target's.
    SheetRequest request(int sheets) const;
    FaceSource faces() const;

    Questions &m_questions;
    PrintTarget &m_printer;
    WaitFunction m_wait;
    PrintedCard m_card;
    std::optional<PrintedCard> m_back;
    // The faces of the team's people, made as a preview or print asks for them.
    std::unique_ptr<TeamFaces> m_team;
    SheetGeometry m_sheet;
    PrinterCorrection m_correction;
    // The backs' corrections, for the paper turned over the long and the short edge.
    PrinterCorrection m_backLongEdge;
    PrinterCorrection m_backShortEdge;
    bool m_printing = false;

    QLabel *m_status = nullptr;
    QWidget *m_scanLine = nullptr;
    QLabel *m_sheetPicture = nullptr;
    QComboBox *m_sheetCount = nullptr;
    QSpinBox *m_firstCard = nullptr;
    QSpinBox *m_perPerson = nullptr;
    QLabel *m_teamLine = nullptr;
    QComboBox *m_sides = nullptr;
    QLabel *m_backCorrectionLine = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_exitButton = nullptr;
    QPointer<PagePreviewDialog> m_pagePreview;
};
