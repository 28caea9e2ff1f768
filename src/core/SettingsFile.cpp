#include "core/SettingsFile.h"

#include "core/AtomicFile.h"
#include "core/RecordLines.h"
#include "core/RegularFile.h"

#include <cmath>

namespace {

const QString kHeader = QStringLiteral("Vek Tarnholm Software 2009");
const QString kDashes = QString(26, QLatin1Char('-'));

// A print value that must hold a number in its range: a bare number, or a quoted text
// that reads as one (the margins dialog stores its fields as typed).
bool holdsNumber(const GeneralValue &value, const SheetSetting &setting)
{
    bool ok = false;
    const double number = value.toNumber(&ok);
    return ok && setting.accepts(number);
}

// Reads one general value; a damaged field leaves the default in place.
bool readGeneral(RecordReader &reader, GeneralValue &into, const SheetSetting &setting)
{
    const auto value = reader.general();
    if (!value || !holdsNumber(*value, setting))
        return false;
    into = *value;
    return true;
}

std::optional<int> readWhole(RecordReader &reader)
{
    const auto value = reader.general();
    bool ok = false;
    const double number = value ? value->toNumber(&ok) : 0.0;
    if (!ok || !(std::fabs(number) <= 2147483647.0)) // NaN fails this too
        return std::nullopt;
    return int(std::nearbyint(number));
}

} // namespace

namespace SettingsFile {

QByteArray encode(const PrintSettings &s)
{
    RecordWriter w;
    w.text(kHeader).endLine();
    w.text(kDashes).endLine();
    w.general(s.PrintMarginA).general(s.PrintMarginB).general(s.CardWidthMm)
        .general(s.CardHeightMm).general(s.PrintOffsetH).number(s.PrintOffsetV).endLine();
    w.number(s.CardsPerSheet).endLine();
    return encodeRecordText(w.result());
}

bool read(const QString &path, PrintSettings &settings)
{
    const PrintSettings defaults;
    settings = defaults;
    const auto bytes = RegularFile::read(path, RegularFile::SettingsLimit);
    if (!bytes)
        return false;
    RecordReader reader(decodeRecordBytes(*bytes));

    // The two header fields are not examined, only consumed.
    bool whole = reader.text().has_value();
    whole = reader.text().has_value() && whole;
    whole = readGeneral(reader, settings.PrintMarginA, SheetSettings::MarginA) && whole;
    whole = readGeneral(reader, settings.PrintMarginB, SheetSettings::MarginB) && whole;
    whole = readGeneral(reader, settings.CardWidthMm, SheetSettings::CardWidth) && whole;
    whole = readGeneral(reader, settings.CardHeightMm, SheetSettings::CardHeight) && whole;
    whole = readGeneral(reader, settings.PrintOffsetH, SheetSettings::OffsetH) && whole;

    const auto offset = readWhole(reader);
    if (offset && SheetSettings::OffsetV.accepts(*offset))
        settings.PrintOffsetV = *offset;
    else
        whole = false;

    const auto cards = readWhole(reader);
    if (cards && SheetSettings::acceptsCardCount(*cards))
        settings.CardsPerSheet = uint8_t(*cards);
    else
        whole = false;
    return whole;
}

bool write(const QString &path, const PrintSettings &settings)
{
    return !AtomicFile::write(path, encode(settings)).has_value();
}

void loadAtStartup(const QString &path, PrintSettings &settings)
{
    if (!read(path, settings))
        write(path, settings);
}

} // namespace SettingsFile
