#include "print/CorrectionFile.h"

#include "core/AtomicFile.h"
#include "core/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <cstring>

namespace {

double readValue(const QString &text, double neutral, double low, double high)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok); // always with a point, whatever the locale
    return (ok && value >= low && value <= high) ? value : neutral;
}

// Printer names come from the system; a line break in one would split its entry.
QString entryName(const QString &printer)
{
    QString name = printer;
    name.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return name;
}

// The shortest text that reads back as exactly the same value: "0.6" stays "0.6", and a
// correction worked out from the readings comes back from the file as it was stored.
QByteArray number(double value) { return QByteArray::number(value, 'g', QLocale::FloatingPointShortest); }

// The one place the file is written, whole or not at all.
bool writeWhole(const QString &path, const QByteArray &bytes)
{
    return !AtomicFile::write(path, bytes).has_value();
}

// One printer's corrections: the fronts', and the backs' for each edge.
struct Sides {
    PrinterCorrection front;
    PrinterCorrection backLong;
    PrinterCorrection backShort;

    PrinterCorrection &back(CorrectionFile::FlipEdge edge)
    {
        return edge == CorrectionFile::FlipEdge::Long ? backLong : backShort;
    }
    PrinterCorrection back(CorrectionFile::FlipEdge edge) const
    {
        return edge == CorrectionFile::FlipEdge::Long ? backLong : backShort;
    }
    bool isNeutral() const { return front.isNeutral() && backLong.isNeutral() && backShort.isNeutral(); }
};
using Stored = QMap<QString, Sides>;

// The prefix of the back's keys for each edge; the fronts' keys have none.
constexpr const char *BackLongPrefix = "AchterLang";
constexpr const char *BackShortPrefix = "AchterKort";

void readKey(PrinterCorrection &c, QStringView key, const QString &value)
{
    using namespace CorrectionFile;
    if (key == QLatin1String("ShiftX"))
        c.shiftX = readValue(value, 0, -MaxShiftMm, MaxShiftMm);
    else if (key == QLatin1String("ShiftY"))
        c.shiftY = readValue(value, 0, -MaxShiftMm, MaxShiftMm);
    else if (key == QLatin1String("ScaleX"))
        c.scaleX = readValue(value, 1, MinScale, MaxScale);
    else if (key == QLatin1String("ScaleY"))
        c.scaleY = readValue(value, 1, MinScale, MaxScale);
}

Stored readStored(const QString &path)
{
    Stored entries;
    // Read on every print and every opening of the print dialogs: a pipe or a device in
    // its place must neither wait nor fill the memory.
    const auto bytes = RegularFile::read(path, RegularFile::SettingsLimit);
    if (!bytes)
        return entries;
    const QStringList lines = QString::fromUtf8(*bytes).split(QLatin1Char('\n'));
    QString current;
    bool inEntry = false;
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')) && line.size() > 2) {
            current = line.mid(1, line.size() - 2);
            inEntry = true;
            entries[current] = Sides();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inEntry || equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1);
        Sides &sides = entries[current];
        if (key.startsWith(QLatin1String(BackLongPrefix)))
            readKey(sides.backLong, QStringView(key).mid(qsizetype(strlen(BackLongPrefix))), value);
        else if (key.startsWith(QLatin1String(BackShortPrefix)))
            readKey(sides.backShort, QStringView(key).mid(qsizetype(strlen(BackShortPrefix))), value);
        else
            readKey(sides.front, key, value);
    }
    return entries;
}

void encodeOne(QByteArray &bytes, const char *prefix, const PrinterCorrection &c)
{
    if (c.isNeutral() && *prefix)
        return;
    bytes += QByteArray(prefix) + "ShiftX=" + number(c.shiftX) + '\n';
    bytes += QByteArray(prefix) + "ShiftY=" + number(c.shiftY) + '\n';
    bytes += QByteArray(prefix) + "ScaleX=" + number(c.scaleX) + '\n';
    bytes += QByteArray(prefix) + "ScaleY=" + number(c.scaleY) + '\n';
}

QByteArray encodeStored(const Stored &entries)
{
    QByteArray bytes;
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
        const Sides &sides = entry.value();
        if (sides.isNeutral())
            continue;
        bytes += '[' + entry.key().toUtf8() + "]\n";
        // The fronts' four always, as before, so that an older program reads the entry.
        encodeOne(bytes, "", sides.front);
        encodeOne(bytes, BackLongPrefix, sides.backLong);
        encodeOne(bytes, BackShortPrefix, sides.backShort);
    }
    return bytes;
}

} // namespace

namespace CorrectionFile {

QString besideSettings(const QString &settingsFile)
{
    return QFileInfo(settingsFile).dir().filePath(QStringLiteral("Lumovander-correctie.ini"));
}

Entries read(const QString &path)
{
    Entries fronts;
    const Stored stored = readStored(path);
    for (auto entry = stored.cbegin(); entry != stored.cend(); ++entry)
        fronts[entry.key()] = entry->front;
    return fronts;
}

PrinterCorrection correctionFor(const QString &path, const QString &printer)
{
    return read(path).value(entryName(printer));
}

QByteArray encode(const Entries &entries)
{
    Stored stored;
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry)
        stored[entry.key()].front = entry.value();
    return encodeStored(stored);
}

bool store(const QString &path, const QString &printer, const PrinterCorrection &correction)
{
    Stored stored = readStored(path);
    stored[entryName(printer)].front = correction;
    return writeWhole(path, encodeStored(stored));
}

PrinterCorrection backCorrectionFor(const QString &path, const QString &printer, FlipEdge edge)
{
    return readStored(path).value(entryName(printer)).back(edge);
}

bool storeBack(const QString &path, const QString &printer, FlipEdge edge, const PrinterCorrection &correction)
{
    Stored stored = readStored(path);
    stored[entryName(printer)].back(edge) = correction;
    return writeWhole(path, encodeStored(stored));
}

} // namespace CorrectionFile
