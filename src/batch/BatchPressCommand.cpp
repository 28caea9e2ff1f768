#include "batch/BatchCommands.h"
#include "batch/BatchSupport.h"
#include "cardfile/CardFolder.h"
#include "cardfile/CardName.h"
#include "cardfile/CardOpening.h"
#include "core/CardDocument.h"
#include "core/DataFolder.h"
#include "core/SettingsFile.h"
#include "merge/MergeCard.h"
#include "merge/TeamCodes.h"
#include "press/PressPdf.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <optional>

// lumovander-batch drukklaar NAME --output FILE.pdf [--size WxH] [--bleed MM] [--no-marks]
//                           [--rgb] [--folder DIR] [--gegevens FILE]
// The saved card NAME as a press-ready PDF: a page at the trim size (the card's own
// C x D mm of DIR's Lumovander.ini unless --size says otherwise) with bleed, boxes and
// crop marks, and a card with a back the back as a second page alike; PDF/X-3 in FOGRA39
// CMYK or, with --rgb, RGB with sRGB as its intent. The warnings a print shop would give,
// a back's named so, go to stderr, each on a line; they never stop it. --gegevens gives
// every person of a CSV or vCard file a page (two with a back) with their own lines, as
// print --gegevens does; a warning that holds for one person only names them.
namespace {

const QString Usage = QStringLiteral("usage: lumovander-batch drukklaar NAME --output FILE.pdf [--size WxH] "
                                     "[--bleed MM] [--no-marks] [--rgb] [--folder DIR] [--gegevens FILE]");

// The trim sizes a card can be pressed at, in millimetres.
constexpr double MinTrimMm = 20;
constexpr double MaxTrimMm = 200;

void fail(QTextStream &err, const QString &message)
{
    err << "lumovander-batch drukklaar: " << oneLine(message) << '\n';
}

std::optional<QSizeF> trimSize(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+(?:\\.\\d+)?)x(\\d+(?:\\.\\d+)?)$"));
    const auto match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QSizeF size(match.captured(1).toDouble(), match.captured(2).toDouble());
    if (size.width() < MinTrimMm || size.height() < MinTrimMm || size.width() > MaxTrimMm
        || size.height() > MaxTrimMm)
        return std::nullopt;
    return size;
}

} // namespace

int batchDrukklaar(const QStringList &args, QTextStream &err)
{
    QStringList valued = args;
    const bool noMarks = valued.removeAll(QStringLiteral("--no-marks")) > 0;
    const bool rgb = valued.removeAll(QStringLiteral("--rgb")) > 0;
    QString problem;
    const auto words = parseBatchArguments(
        valued, {QStringLiteral("--output"), QStringLiteral("--size"), QStringLiteral("--bleed"), QStringLiteral("--folder"),
                 QStringLiteral("--gegevens")},
        problem);
    if (!words) {
        fail(err, problem);
        return 2;
    }
    const QString output = words->options.value(QStringLiteral("--output"));
    const QString folder = words->options.value(QStringLiteral("--folder"));
    if (words->positional.size() != 1 || output.isEmpty()) {
        fail(err, Usage);
        return 2;
    }
    if (!isOutputWithSuffix(output, QStringLiteral("pdf"))) {
        fail(err, QStringLiteral("the output '%1' must end in .pdf").arg(output));
        return 2;
    }
    PressRequest request;
    request.colour = rgb ? PressColour::Rgb : PressColour::Cmyk;
    request.options.cropMarks = !noMarks;
    std::optional<QSizeF> size;
    if (words->options.contains(QStringLiteral("--size"))) {
        size = trimSize(words->options.value(QStringLiteral("--size")));
        if (!size) {
            fail(err, QStringLiteral("--size must be WxH in mm, each from %1 to %2: %3")
                          .arg(MinTrimMm)
                          .arg(MaxTrimMm)
                          .arg(words->options.value(QStringLiteral("--size"))));
            return 2;
        }
    }
    if (words->options.contains(QStringLiteral("--bleed"))) {
        const QString given = words->options.value(QStringLiteral("--bleed"));
        if (const auto message = notANumber(QStringLiteral("--bleed"), given)) {
            fail(err, *message);
            return 2;
        }
        const auto bleed = numberWithin(given, PressOptions::MinBleed, PressOptions::MaxBleed);
        if (!bleed) {
            fail(err, QStringLiteral("--bleed must be from %1 to %2 mm: %3")
                          .arg(PressOptions::MinBleed)
                          .arg(PressOptions::MaxBleed)
                          .arg(words->options.value(QStringLiteral("--bleed"))));
            return 2;
        }
        request.options.bleed = *bleed;
    }
    if (!folder.isEmpty()) {
        if (!QFileInfo(folder).isDir()) {
            fail(err, QStringLiteral("the folder '%1' does not exist").arg(folder));
            return 1;
        }
        DataFolder::setOverride(folder);
    }

    const QString name = words->positional.first();
    CardDocument document;
    const bool hasRecord = CardName::staysInFolder(name)
        && QFileInfo(CardFolder::cardFiles(DataFolder::cardsFolder(), name).record).isFile();
    const CardOpening::Opened opened = hasRecord ? CardOpening::openCard(document, name) : CardOpening::Opened();
    if (!opened) {
        fail(err, QStringLiteral("cannot open the card '%1' in '%2'").arg(name, DataFolder::cardsFolder()));
        return 1;
    }
    for (const QString &note : opened.notes)
        fail(err, QStringLiteral("let op: ") + note);
    SettingsFile::read(DataFolder::settingsFile(), document.printSettings());
    const SheetGeometry sheet = SheetGeometry::from(document.printSettings());
    request.options.trim = size.value_or(QSizeF(sheet.cardWidth, sheet.cardHeight));
    request.title = name;

    const PressGeometry page(request.options, QSizeF(sheet.cardWidth, sheet.cardHeight));
    if (const QString fit = page.fitMessage(); !fit.isEmpty())
        err << "lumovander-batch drukklaar: " << oneLine(fit) << '\n';
    QList<PressPerson> people;
    const BatchTeam chosen = batchTeam(document.card(), words->options.value(QStringLiteral("--gegevens")));
    if (!chosen.fault.isEmpty()) {
        fail(err, chosen.fault + QStringLiteral(" Er is niets geschreven."));
        return 1;
    }
    if (const std::optional<CardTeam> &team = chosen.team) {
        for (const int row : team->people())
            people.append({personLabel(*team, row),
                           PressFaces::of(cardForPerson(document.card(), team->data, team->mapping, row,
                                                        team->skipEmpty))});
    } else {
        people.append({QString(), PressFaces::of(document.card())});
    }
    const PressResult result = writePressPdf(output, people, sheet, request);
    for (const QString &warning : result.warnings)
        err << "lumovander-batch drukklaar: waarschuwing: " << oneLine(warning) << '\n';
    if (!result.written) {
        fail(err, QString(result.message).replace(QLatin1String("\r\n"), QLatin1String(" ")));
        return 1;
    }
    return 0;
}
