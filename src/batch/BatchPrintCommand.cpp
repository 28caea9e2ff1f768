#include "batch/BatchPrintCommand.h"

#include "batch/BatchCommands.h"
#include "batch/BatchSupport.h"
#include "core/CardDocument.h"
#include "cardfile/CardFolder.h"
#include "cardfile/CardName.h"
#include "cardfile/CardOpening.h"
#include "core/DataFolder.h"
#include "print/PdfSheetWriter.h"
#include "core/PrintSettings.h"
#include "core/SettingsFile.h"
#include "print/CorrectionFile.h"
#include "print/TeamFaces.h"

#include <QFileInfo>
#include <cmath>
#include <optional>

// lumovander-batch print NAME --output FILE.pdf [--copies N] [--folder DIR]
//                       [--shift DX,DY] [--scale SX,SY] [--no-correction]
//                       [--dubbelzijdig lang|kort] [--begin N]
//                       [--gegevens FILE] [--per-persoon K]
// Prints the saved card NAME from DIR's Cards folder with the print settings of DIR's
// Lumovander.ini into a PDF, through the same sheet plan as the print dialog, corrected
// as the PDF target's stored corrections say. --shift (mm) and --scale (percent) give
// the fronts a correction of their own instead, and the backs none; --no-correction
// prints without any. --dubbelzijdig writes each sheet's front page followed by its
// back page, the backs mirrored for the paper turned over the long or the short edge;
// a card without a back is refused. --begin N finishes a partly used sheet: the first
// sheet starts at its card N, the ones before it left empty on both sides; N runs to the
// cards per sheet of the settings. --gegevens prints a team: every person of a CSV or
// vCard file gets the card with their own lines (columns to lines 1-7 in their order, a
// vCard's name, function, organisation, street, place, phone and e-mail), K cards each
// (--per-persoon, 1-100), filled along the rows from --begin on; --copies then prints the
// whole team that many times; a card saved with a team prints that team without it. The
// PDF appears only when it is complete.
namespace {

struct PrintArguments {
    QString name;
    QString output;
    QString folder;
    int copies = 1;
    QString data;         // the team's file; empty: the card alone
    int perPerson = 1;    // cards of each person
    int begin = 1; // the card of the first sheet the print starts at, from 1; 0 when no number
    QString beginText;
    Duplex duplex = Duplex::FrontOnly;
    bool noCorrection = false;
    std::optional<PrinterCorrection> correction; // given on the command line
};

const QString NoCorrection = QStringLiteral("--no-correction");
const QString Shift = QStringLiteral("--shift");
const QString Scale = QStringLiteral("--scale");
const QString DoubleSided = QStringLiteral("--dubbelzijdig");
const QString Begin = QStringLiteral("--begin");
const QString Data = QStringLiteral("--gegevens");
const QString PerPerson = QStringLiteral("--per-persoon");
constexpr int MaxPerPerson = 100;

// "a,b" with points as decimal separators, each within low..high.
std::optional<QPointF> numberPair(const QString &text, double low, double high)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    const auto x = numberWithin(parts[0], low, high);
    const auto y = numberWithin(parts[1], low, high);
    if (!x || !y)
        return std::nullopt;
    return QPointF(*x, *y);
}

constexpr int MaxCopies = 10;

void fail(QTextStream &err, const QString &message)
{
    err << "lumovander-batch print: " << oneLine(message) << '\n';
}

const QString Usage = QStringLiteral("usage: lumovander-batch print NAME --output FILE.pdf [--copies N] [--folder DIR] "
                                     "[--shift DX,DY] [--scale SX,SY] [--no-correction] [--dubbelzijdig lang|kort] "
                                     "[--begin N] [--gegevens FILE] [--per-persoon K]");

std::optional<PrintArguments> parse(const QStringList &args, QTextStream &err)
{
    QString problem;
    QStringList valued = args;
    const bool noCorrection = valued.removeAll(NoCorrection) > 0; // the one option without a value
    const auto words = parseBatchArguments(
        valued,
        {QStringLiteral("--output"), QStringLiteral("--copies"), QStringLiteral("--folder"), Shift, Scale, DoubleSided,
         Begin, Data, PerPerson},
        problem);
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
    parsed.noCorrection = noCorrection;
    if (words->options.contains(DoubleSided)) {
        const QString edge = words->options.value(DoubleSided);
        if (edge != QLatin1String("lang") && edge != QLatin1String("kort")) {
            fail(err, Usage);
            return std::nullopt;
        }
        parsed.duplex = edge == QLatin1String("lang") ? Duplex::LongEdge : Duplex::ShortEdge;
    }
    if (words->options.contains(Shift) || words->options.contains(Scale)) {
        if (noCorrection) {
            fail(err, QStringLiteral("--no-correction cannot go with --shift or --scale"));
            return std::nullopt;
        }
        PrinterCorrection given;
        for (const QString &option : {Shift, Scale})
            if (words->options.contains(option))
                if (const auto message = notANumber(option, words->options.value(option), QLatin1Char(','))) {
                    fail(err, *message);
                    return std::nullopt;
                }
        if (words->options.contains(Shift)) {
            const auto shift =
                numberPair(words->options.value(Shift), -CorrectionFile::MaxShiftMm, CorrectionFile::MaxShiftMm);
            if (!shift) {
                fail(err, QStringLiteral("--shift must be DX,DY in mm, each within %1: %2")
                              .arg(CorrectionFile::MaxShiftMm)
                              .arg(words->options.value(Shift)));
                return std::nullopt;
            }
            given.shiftX = shift->x();
            given.shiftY = shift->y();
        }
        if (words->options.contains(Scale)) {
            const auto scale = numberPair(words->options.value(Scale), CorrectionFile::MinScale * 100,
                                          CorrectionFile::MaxScale * 100);
            if (!scale) {
                fail(err, QStringLiteral("--scale must be SX,SY in percent, each from %1 to %2: %3")
                              .arg(CorrectionFile::MinScale * 100)
                              .arg(CorrectionFile::MaxScale * 100)
                              .arg(words->options.value(Scale)));
                return std::nullopt;
            }
            given.scaleX = scale->x() / 100;
            given.scaleY = scale->y() / 100;
        }
        parsed.correction = given;
    }
    if (!isOutputWithSuffix(parsed.output, QStringLiteral("pdf"))) {
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
    parsed.data = words->options.value(Data);
    if (words->options.contains(PerPerson)) {
        const QString text = words->options.value(PerPerson);
        bool ok = false;
        parsed.perPerson = text.toInt(&ok);
        if (!ok || parsed.perPerson < 1 || parsed.perPerson > MaxPerPerson) {
            fail(err, QStringLiteral("--per-persoon moet een heel getal van 1 tot %1 zijn: %2")
                          .arg(MaxPerPerson)
                          .arg(text));
            return std::nullopt;
        }
    }
    if (words->options.contains(Begin)) {
        // Its upper end is the sheet's card count, known once the settings are read.
        bool ok = false;
        parsed.beginText = words->options.value(Begin);
        parsed.begin = parsed.beginText.toInt(&ok);
        if (!ok)
            parsed.begin = 0;
    }
    return parsed;
}

// The PDF's printable area is its whole page. Not a failure: the sheet prints what fits.
void warnOfCardsOffPage(QTextStream &err, const QList<int> &cards)
{
    if (cards.isEmpty())
        return;
    QStringList numbers;
    for (int card : cards)
        numbers << QString::number(card);
    err << "lumovander-batch print: warning: " << (cards.size() == 1 ? "card " : "cards ")
        << numbers.join(QStringLiteral(", ")) << (cards.size() == 1 ? " leaves" : " leave")
        << " the A4 page; the sheet prints what fits\n";
}

} // namespace

namespace {

std::optional<PrintCard> readSavedCard(const QString &name)
{
    CardDocument document;
    const bool hasRecord = CardName::staysInFolder(name)
        && QFileInfo(CardFolder::cardFiles(DataFolder::cardsFolder(), name).record).isFile();
    const CardOpening::Opened opened = hasRecord ? CardOpening::openCard(document, name) : CardOpening::Opened();
    if (!opened)
        return std::nullopt;
    return PrintCard{document.card(), opened.notes};
}

} // namespace

int batchPrint(const QStringList &args, QTextStream &err)
{
    return batchPrint(args, err, readSavedCard);
}

int batchPrint(const QStringList &args, QTextStream &err, const PrintCardReader &read)
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

    // A missing or damaged settings file prints with the defaults for what it lacks.
    PrintSettings settings;
    SettingsFile::read(DataFolder::settingsFile(), settings);
    const SheetGeometry sheet = SheetGeometry::from(settings);
    if (arguments->begin < 1 || arguments->begin > sheet.cardsPerSheet) {
        fail(err, QStringLiteral("--begin moet een heel getal van 1 tot %1 zijn, de kaarten op een vel: %2; "
                                 "er is niets geschreven")
                      .arg(sheet.cardsPerSheet)
                      .arg(arguments->beginText));
        return 2;
    }

    const std::optional<PrintCard> opened = read(arguments->name);
    if (!opened) {
        fail(err, QStringLiteral("cannot open the card '%1' in '%2'").arg(arguments->name, DataFolder::cardsFolder()));
        return 1;
    }
    for (const QString &note : opened->notes)
        fail(err, QStringLiteral("let op: ") + note);
    const Card &card = opened->card;
    // A saved team prints as the print dialog prints it.
    const BatchTeam chosen = batchTeam(card, arguments->data);
    if (!chosen.fault.isEmpty()) {
        fail(err, chosen.fault + QStringLiteral(" Er is niets geschreven."));
        return 1;
    }
    const std::optional<CardTeam> &team = chosen.team;
    if (arguments->perPerson != 1 && !team) {
        fail(err, QStringLiteral("--per-persoon hoort bij een team: de kaart '%1' heeft er geen en --gegevens "
                                 "ontbreekt; er is niets geschreven")
                      .arg(arguments->name));
        return 2;
    }
    PrintOutcome outcome;
    const bool doubleSided = arguments->duplex != Duplex::FrontOnly;
    if (doubleSided && !card.back) {
        fail(err, QStringLiteral("de kaart '%1' heeft geen achterkant; er is niets geschreven").arg(arguments->name));
        return 1;
    }
    SheetRequest request;
    request.sheet = sheet;
    request.sheets = arguments->copies;
    request.duplex = arguments->duplex;
    request.firstSlot = arguments->begin - 1;
    if (arguments->correction) {
        request.frontCorrection = *arguments->correction;
    } else if (!arguments->noCorrection) {
        const QString corrections = CorrectionFile::besideSettings(DataFolder::settingsFile());
        request.frontCorrection = CorrectionFile::correctionFor(corrections, CorrectionFile::PdfTarget);
        if (doubleSided)
            request.backCorrection = CorrectionFile::backCorrectionFor(
                corrections, CorrectionFile::PdfTarget,
                arguments->duplex == Duplex::LongEdge ? CorrectionFile::FlipEdge::Long : CorrectionFile::FlipEdge::Short);
    }
    warnOfCardsOffPage(err, request.sheet.cardsOffPage({}, request.frontCorrection));
    // A team's codes hold each person's lines: what the card's own lines would make of
    // them says nothing.
    if (!team) {
        warnOfEmptyQrCodes(err, QStringLiteral("print"), card.design);
        if (doubleSided)
            warnOfEmptyQrCodes(err, QStringLiteral("print"), card.back->design);
    }

    if (!team) {
        const PrintedCard front = PrintedCard::from(card);
        const std::optional<PrintedCard> back =
            doubleSided ? std::optional(PrintedCard::from(*card.back, nullptr)) : std::nullopt;
        const FaceSource faces = [&](int, CardSide face) -> const PrintedCard * {
            return face == CardSide::Front ? &front : (back ? &*back : nullptr);
        };
        // One-sided, the plan is the sheet in as many pages as copies: the PDF it always was.
        outcome = writePlanPdf(arguments->output, faces, request.sheet, SheetPlan::forOneCard(request));
    } else {
        TeamFaces cards(card, *team, doubleSided);
        const FaceSource faces = [&](int person, CardSide face) { return cards.face(person, face); };
        outcome = writePlanPdf(arguments->output, faces, request.sheet,
                               SheetPlan::forCards(request, cards.people(), arguments->perPerson));
        for (const QString &note : cards.emptyCodes())
            err << "lumovander-batch print: waarschuwing: " << note << '\n';
    }
    if (!outcome.isPrinted()) {
        fail(err, QString(outcome.message).replace(QLatin1String("\r\n"), QLatin1String(" ")));
        return 1;
    }
    return 0;
}
