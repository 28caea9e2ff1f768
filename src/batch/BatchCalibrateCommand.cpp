#include "batch/BatchCommands.h"
#include "batch/BatchSupport.h"
#include "core/DataFolder.h"
#include "core/SettingsFile.h"
#include "print/CalibrationSheet.h"
#include "print/CorrectionFile.h"
#include "print/PdfSheetWriter.h"

#include <QFileInfo>

// lumovander-batch calibrate --output FILE.pdf [--folder DIR]
// The calibration sheet for the print settings of DIR's Lumovander.ini, as the PDF
// target prints it: without any correction, so that it measures what it is printed on.
namespace {

void fail(QTextStream &err, const QString &message)
{
    err << "lumovander-batch calibrate: " << oneLine(message) << '\n';
}

const QString Usage = QStringLiteral("usage: lumovander-batch calibrate --output FILE.pdf [--folder DIR]");

} // namespace

int batchCalibrate(const QStringList &args, QTextStream &err)
{
    QString problem;
    const auto words = parseBatchArguments(args, {QStringLiteral("--output"), QStringLiteral("--folder")}, problem);
    if (!words) {
        fail(err, problem);
        return 2;
    }
    const QString output = words->options.value(QStringLiteral("--output"));
    const QString folder = words->options.value(QStringLiteral("--folder"));
    if (!words->positional.isEmpty() || output.isEmpty()) {
        fail(err, Usage);
        return 2;
    }
    if (!isOutputWithSuffix(output, QStringLiteral("pdf"))) {
        fail(err, QStringLiteral("the output '%1' must end in .pdf").arg(output));
        return 2;
    }
    if (!folder.isEmpty()) {
        if (!QFileInfo(folder).isDir()) {
            fail(err, QStringLiteral("the folder '%1' does not exist").arg(folder));
            return 1;
        }
        DataFolder::setOverride(folder);
    }
    PrintSettings settings;
    SettingsFile::read(DataFolder::settingsFile(), settings);
    const SheetGeometry sheet = SheetGeometry::from(settings);
    const PrintOutcome outcome = writePagesPdf(
        output, [&](QPainter &painter) { CalibrationSheet::draw(painter, sheet, CorrectionFile::PdfTarget); }, 1);
    if (!outcome.isPrinted()) {
        fail(err, QString(outcome.message).replace(QLatin1String("\r\n"), QLatin1String(" ")));
        return 1;
    }
    return 0;
}
