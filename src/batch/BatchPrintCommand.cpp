#include "batch/BatchCommands.h"
#include "batch/BatchSupport.h"
#include "core/CardDocument.h"
#include "cardfile/CardFolder.h"
#include "cardfile/CardName.h"
#include "cardfile/CardOpening.h"
#include "core/DataFolder.h"
#include "print/PdfSheetWriter.h"
#include "core/SettingsFile.h"

#include <QFileInfo>
#include <optional>

// lumovander-batch print NAME --output FILE.pdf [--copies N] [--folder DIR]
// Prints the saved card NAME from DIR's Cards folder with the print settings of DIR's
// Lumovander.ini into a PDF, through the same drawing as the print dialog. The PDF
// appears only when it is complete.
namespace {

struct PrintArguments {
    QString name;
    QString output;
    QString folder;
    int copies = 1;
};

constexpr int MaxCopies = 10;

void fail(QTextStream &err, const QString &message)
{
    err << "lumovander-batch print: " << message << '\n';
}

const QString Usage = QStringLiteral("usage: lumovander-batch print NAME --output FILE.pdf [--copies N] [--folder DIR]");

std::optional<PrintArguments> parse(const QStringList &args, QTextStream &err)
{
    QString problem;
    const auto words = parseBatchArguments(
        args, {QStringLiteral("--output"), QStringLiteral("--copies"), QStringLiteral("--folder")}, problem);
    if (!words) {
        fail(err, problem);
        return std::nullopt;
    }
    PrintArguments parsed;
    parsed.output = words->options.value(QStringLiteral("--output"));
    parsed.folder = words->options.value(QStringLiteral("--folder"));
    if (words->positional.size() != 1 || parsed.output.isEmpty()) {
        fail(err, Usage);
        return std::nullopt;
    }
    parsed.name = words->positional.first();
    if (QFileInfo(parsed.output).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
        fail(err, QStringLiteral("the output '%1' must end in .pdf").arg(parsed.output));
        return std::nullopt;
    }
    if (words->options.contains(QStringLiteral("--copies"))) {
        const QString copies = words->options.value(QStringLiteral("--copies"));
        bool ok = false;
        parsed.copies = copies.toInt(&ok);
        if (!ok || parsed.copies < 1 || parsed.copies > MaxCopies) {
            fail(err, QStringLiteral("--copies must be a whole number from 1 to %1: %2").arg(MaxCopies).arg(copies));
            return std::nullopt;
        }
    }
    return parsed;
}

} // namespace

int batchPrint(const QStringList &args, QTextStream &err)
{
    const auto arguments = parse(args, err);
    if (!arguments)
        return 2;
    if (!arguments->folder.isEmpty()) {
        if (!QFileInfo(arguments->folder).isDir()) {
            fail(err, QStringLiteral("the folder '%1' does not exist").arg(arguments->folder));
            return 1;
        }
        DataFolder::setOverride(arguments->folder);
    }

    CardDocument document;
    const bool hasRecord = CardName::staysInFolder(arguments->name)
        && QFileInfo(CardFolder::cardFiles(DataFolder::cardsFolder(), arguments->name).record).isFile();
    if (!hasRecord || !CardOpening::openCard(document, arguments->name)) {
        fail(err, QStringLiteral("cannot open the card '%1' in '%2'").arg(arguments->name, DataFolder::cardsFolder()));
        return 1;
    }
    // A missing or damaged settings file prints with the defaults for what it lacks.
    SettingsFile::read(DataFolder::settingsFile(), document.printSettings());

    const PrintOutcome outcome = writeSheetPdf(arguments->output, PrintedCard::from(document),
                                               SheetGeometry::from(document.printSettings()), arguments->copies);
    if (!outcome.isPrinted()) {
        fail(err, QString(outcome.message).replace(QLatin1String("\r\n"), QLatin1String(" ")));
        return 1;
    }
    return 0;
}
