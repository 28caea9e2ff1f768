#include "print/ui/SystemPrinter.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>

namespace {

// Qt's dialog writes its choices into the printer only when it is accepted.
void runPrintDialog(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    // One sheet of one page: what the dialog could choose besides the printer and its
    // settings does not apply.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // Confirming here chooses the printer; "Print" in the print dialog prints. Where
    // the platform's dialog is built from Qt's widgets its button says so.
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        if (QPushButton *confirm = buttons->button(QDialogButtonBox::Ok))
            confirm->setText(QStringLiteral("Ok"));
    }
    dialog.exec();
}

} // namespace

SystemPrinter::SystemPrinter(PrinterDialog dialog)
    : m_printer(QPrinter::HighResolution)
    , m_dialog(dialog ? std::move(dialog) : PrinterDialog(runPrintDialog))
{
}

void SystemPrinter::setUp(QWidget *parent)
{
    m_dialog(m_printer, parent);
}

bool SystemPrinter::printsToFile() const
{
    // Qt falls back to its PDF output when the system has no printer.
    return m_printer.outputFormat() == QPrinter::PdfFormat;
}

QString SystemPrinter::chosenFileName() const
{
    return m_printer.outputFileName();
}

// The print system is asked anew: a printer can be stopped or removed while the
// program runs, even while it prints.
bool SystemPrinter::ready() const
{
    if (printsToFile())
        return true;
    const QPrinterInfo info = QPrinterInfo::printerInfo(m_printer.printerName());
    return !info.isNull() && info.state() != QPrinter::Error;
}

QPagedPaintDevice *SystemPrinter::prepare(int copies)
{
    if (!m_printer.isValid() || !ready())
        return nullptr;
    m_printer.setPageOrientation(QPageLayout::Portrait);
    // Cards are placed from the printable area's corner, as on the printer's own page.
    m_printer.setFullPage(false);
    m_printer.setCopyCount(repeatsPages() ? copies : 1);
    // A sheet has one side unless a back is printed behind it: a two-sided setting left
    // from the printer dialog would print the next copy on the back of the first.
    m_printer.setDuplex(m_sides == Duplex::LongEdge    ? QPrinter::DuplexLongSide
                        : m_sides == Duplex::ShortEdge ? QPrinter::DuplexShortSide
                                                       : QPrinter::DuplexNone);
    m_sides = Duplex::FrontOnly;
    return &m_printer;
}

bool SystemPrinter::printsBothSides(Duplex edge) const
{
    const QList<QPrinter::DuplexMode> modes = QPrinterInfo(m_printer).supportedDuplexModes();
    return (edge == Duplex::LongEdge && modes.contains(QPrinter::DuplexLongSide))
           || (edge == Duplex::ShortEdge && modes.contains(QPrinter::DuplexShortSide));
}

bool SystemPrinter::repeatsPages() const
{
    return m_printer.supportsMultipleCopies();
}

bool SystemPrinter::accepted() const
{
    // A printer stopped or removed before the document reached it has not printed it,
    // whatever the document itself says.
    return m_printer.printerState() != QPrinter::Error && m_printer.printerState() != QPrinter::Aborted && ready();
}

QString SystemPrinter::printerName() const
{
    return m_printer.printerName();
}

QPointF SystemPrinter::printableCornerMm() const
{
    // Printing to a file is a PDF of the whole page (see PdfSheetWriter).
    if (printsToFile())
        return {};
    // The margins the printer cannot print on: prepare() prints without the full page.
    return m_printer.pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
}
