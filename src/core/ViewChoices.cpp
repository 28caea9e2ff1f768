#include "core/ViewChoices.h"

#include "core/AtomicFile.h"
#include "core/RegularFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString PrintedKey = QStringLiteral("ZoalsAfgedrukt");
const QString MarginKey = QStringLiteral("VeiligeRand");

} // namespace

QString ViewChoices::besideSettings(const QString &settingsFile)
{
    return QFileInfo(settingsFile).dir().filePath(QStringLiteral("Lumovander-beeld.ini"));
}

ViewChoices ViewChoices::read(const QString &path)
{
    ViewChoices choices;
    const auto bytes = RegularFile::read(path, RegularFile::SettingsLimit);
    if (!bytes)
        return choices;
    for (const QByteArray &raw : bytes->split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (value != QLatin1String("0") && value != QLatin1String("1"))
            continue;
        if (key == PrintedKey)
            choices.printed = value == QLatin1String("1");
        else if (key == MarginKey)
            choices.safetyMargin = value == QLatin1String("1");
    }
    return choices;
}

bool ViewChoices::write(const QString &path) const
{
    const QByteArray bytes = QStringLiteral("%1=%2\n%3=%4\n")
                                 .arg(PrintedKey, printed ? QStringLiteral("1") : QStringLiteral("0"), MarginKey,
                                      safetyMargin ? QStringLiteral("1") : QStringLiteral("0"))
                                 .toUtf8();
    return !AtomicFile::write(path, bytes).has_value();
}
