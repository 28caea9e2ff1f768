#include "print/ui/AfdrukkenDialog.h"

#include "core/CommandGuard.h"
#include "assets/BuiltinPictures.h"
#include "core/CardDocument.h"
#include "print/CorrectionFile.h"
#include "print/ui/PrintDialogControls.h"
#include "print/PrintTarget.h"
#include "print/SheetPreview.h"
#include "window/WindowControls.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

using namespace WindowControls;
using namespace PrintDialogControls;

namespace {

QStringList sheetCounts()
{
    QStringList counts;
    for (int n = 1; n <= 10; ++n)
        counts << QString::number(n);
    return counts;
}

// The line reaches past the preview's right edge, as designed.
constexpr int ScanLineWidth = 141;

} // namespace

AfdrukkenDialog::AfdrukkenDialog(const CardDocument &document, Questions &questions, PrintTarget &printer,
                                 WaitFunction wait, const QString &correctionFile, QWidget *parent)
    : QDialog(parent)
    , m_questions(questions)
    , m_printer(printer)
    , m_wait(std::move(wait))
    , m_card(PrintedCard::from(document.card()))
    , m_sheet(SheetGeometry::from(document.printSettings()))
    , m_correction(correctionFile.isEmpty() ? PrinterCorrection()
                                            : CorrectionFile::correctionFor(correctionFile, correctionEntry(printer)))
{
    setObjectName(QStringLiteral("Afdrukken"));
    setWindowTitle(QStringLiteral(" Kaartjes Afdrukken"));
    setFont(QFont(QStringLiteral("Arial"), 8));
    // The designed dialog and, below its frame, the line of the printer's correction.
    constexpr int CorrectionLineHeight = 18;
    setFixedSize(clientSize(QSize(270, 253)) + QSize(0, CorrectionLineHeight));

    QWidget *frame1 = frame(this, QStringLiteral("Frame1"), pixelRect(5, -1, 254, 218));
    colouredLabel(frame1, QStringLiteral("BackA4"), pixelRect(12, 18, 138, 188), QColor(192, 192, 255));
    QLabel *preview = colouredLabel(frame1, QStringLiteral("Picture1"), pixelRect(16, 22, 130, 180), QColor());
    preview->setPixmap(QPixmap::fromImage(SheetPreview::draw(m_card, m_sheet.cardsPerSheet)));
    preview->setToolTip(QStringLiteral(" WYSIWYG "));
    m_scanLine = colouredLabel(preview, QStringLiteral("Lijn"), pixelRect(0, 0, ScanLineWidth, 1), QColor(192, 0, 0));
    m_scanLine->hide();

    m_sheetCount = choiceBox(frame1, QStringLiteral("Combo1"), QPoint(160, 18), 40, sheetCounts(),
                             QColor(192, 255, 192));
    greyCaption(frame1, QStringLiteral("Label4"), QPoint(204, 21), QStringLiteral("Pagina's"));
    m_status = greyCaption(frame1, QStringLiteral("Label2"), QPoint(160, 50), ScanAnimation::AtRest);

    QLabel *printerPicture = colouredLabel(frame1, QStringLiteral("Image1"), pixelRect(160, 120, 84, 50), QColor());
    printerPicture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    printerPicture->setPixmap(QPixmap::fromImage(BuiltinPictures::printerPicture()));

    colouredLabel(frame1, QStringLiteral("Label1"), pixelRect(160, 181, 84, 24), QColor(64, 64, 64));
    m_printButton = pushButton(frame1, QStringLiteral("PrintKnop"), QStringLiteral("Print"), pixelRect(162, 183, 40, 20));
    m_exitButton = pushButton(frame1, QStringLiteral("ExitKnop"), QStringLiteral("Exit"), pixelRect(202, 183, 40, 20));

    greyCaption(this, QStringLiteral("CorrectieRegel"), QPoint(10, 224), m_correction.caption());
    showCardsOffPage(m_sheet.cardsOffPage(printer.printableCornerMm(), m_correction));

    connect(m_printButton, &QPushButton::clicked, this, CommandGuard::guarded(m_questions, [this] { print(); }));
    connect(m_exitButton, &QPushButton::clicked, this, &AfdrukkenDialog::reject);
}

// Below the correction line, in red, and only when the margins put a card beyond the
// paper: the preview draws its fixed grid whatever the margins are.
void AfdrukkenDialog::showCardsOffPage(const QList<int> &cards)
{
    if (cards.isEmpty())
        return;
    constexpr int WarningWidth = 250;
    auto *warning = new QLabel(offPageWarning(cards), this);
    warning->setObjectName(QStringLiteral("BuitenVelRegel"));
    warning->setWordWrap(true);
    QPalette red = warning->palette();
    red.setColor(QPalette::WindowText, QColor(200, 0, 0));
    warning->setPalette(red);
    const int height = warning->heightForWidth(WarningWidth);
    warning->setGeometry(10, 242, WarningWidth, height);
    setFixedSize(width(), std::max(this->height(), 242 + height + 6));
}

void AfdrukkenDialog::print()
{
    runPrint(*this, m_questions, m_wait, m_sheetCount->currentText(),
             [this](int copies) { return printSheetTo(m_printer, m_questions, m_card, m_sheet, copies, m_correction); });
}

void AfdrukkenDialog::setStatusText(const QString &text)
{
    m_status->setText(text);
    m_status->adjustSize();
}

void AfdrukkenDialog::showScanLine(int height)
{
    m_scanLine->move(0, height);
    m_scanLine->show();
}

void AfdrukkenDialog::hideScanLine()
{
    m_scanLine->hide();
}

// The hourglass only over this dialog: a save dialog opened during the print keeps
// its own pointer.
void AfdrukkenDialog::setPrinting(bool printing)
{
    m_printing = printing;
    m_printButton->setEnabled(!printing);
    m_exitButton->setEnabled(!printing);
    if (printing)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

// Escape and the window's close button end up here too.
void AfdrukkenDialog::reject()
{
    if (!m_printing)
        QDialog::reject();
}
