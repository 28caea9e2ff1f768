#include "print/CorrectionFile.h"

#include "core/AtomicFile.h"
#include "core/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

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

} // namespace

namespace CorrectionFile {

QString besideSettings(const QString &settingsFile)
{
    return QFileInfo(settingsFile).dir().filePath(QStringLiteral("Lumovander-correctie.ini"));
}

Entries read(const QString &path)
{
    Entries entries;
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
            entries[current] = PrinterCorrection();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inEntry || equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1);
        PrinterCorrection &c = entries[current];
        if (key == QLatin1String("ShiftX"))
            c.shiftX = readValue(value, 0, -MaxShiftMm, MaxShiftMm);
        else if (key == QLatin1String("ShiftY"))
            c.shiftY = readValue(value, 0, -MaxShiftMm, MaxShiftMm);
        else if (key == QLatin1String("ScaleX"))
            c.scaleX = readValue(value, 1, MinScale, MaxScale);
        else if (key == QLatin1String("ScaleY"))
            c.scaleY = readValue(value, 1, MinScale, MaxScale);
    }
    return entries;
}

PrinterCorrection correctionFor(const QString &path, const QString &printer)
{
    return read(path).value(entryName(printer));
}

QByteArray encode(const Entries &entries)
{
    QByteArray bytes;
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
        const PrinterCorrection &c = entry.value();
        if (c.isNeutral())
            continue;
        bytes += '[' + entry.key().toUtf8() + "]\n";
        bytes += "ShiftX=" + number(c.shiftX) + '\n';
        bytes += "ShiftY=" + number(c.shiftY) + '\n';
        bytes += "ScaleX=" + number(c.scaleX) + '\n';
        bytes += "ScaleY=" + number(c.scaleY) + '\n';
    }
    return bytes;
}

bool store(const QString &path, const QString &printer, const PrinterCorrection &correction)
{
    Entries entries = read(path);
    entries[entryName(printer)] = correction;
    return writeWhole(path, encode(entries));
}

} // namespace CorrectionFile
