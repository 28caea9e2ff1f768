#include "cardfile/TeamFile.h"

#include <QMap>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

namespace {

QString yesNo(bool value)
{
    return value ? QStringLiteral("ja") : QStringLiteral("nee");
}

std::optional<bool> readYesNo(const QString &value)
{
    if (value == QLatin1String("ja"))
        return true;
    if (value == QLatin1String("nee"))
        return false;
    return std::nullopt;
}

// Strictly ascending whole numbers from 1, each written plainly ("007" is not one).
std::optional<QList<int>> readRows(const QString &value)
{
    QList<int> rows;
    if (value.isEmpty())
        return rows;
    for (const QString &part : value.split(u',')) {
        bool ok = false;
        const int row = part.toInt(&ok);
        if (!ok || row < 1 || QString::number(row) != part || (!rows.isEmpty() && row - 1 <= rows.last()))
            return std::nullopt;
        rows.append(row - 1);
    }
    return rows;
}

} // namespace

namespace TeamFile {

QByteArray write(const CardTeam &team)
{
    // A line break in the name would end its line early; a file name hardly has one.
    QString source = team.sourceName;
    source.replace(u'\r', u' ').replace(u'\n', u' ');
    QStringList leftOut;
    for (const int row : team.leftOut)
        leftOut << QString::number(row + 1);
    const QString text = QStringLiteral("bron=") + source + QStringLiteral("\r\nsoort=")
        + (team.data.kind == MergeData::Kind::VCard ? QStringLiteral("vcard") : QStringLiteral("csv"))
        + QStringLiteral("\r\nkop=") + yesNo(team.data.hasHeader) + QStringLiteral("\r\nregels=")
        + team.mapping.toText() + QStringLiteral("\r\noverslaan=") + yesNo(team.skipEmpty)
        + QStringLiteral("\r\nweg=") + leftOut.join(u',') + QStringLiteral("\r\n");
    return text.toUtf8();
}

std::optional<Settings> read(const QByteArray &bytes)
{
    if (bytes.size() > MaxBytes)
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // A line break of another kind is none the program writes (a name's is written as a
    // space).
    if (text.contains(u'\r'))
        return std::nullopt;
    if (text.endsWith(u'\n'))
        text.chop(1);
    static const QStringList keys = {QStringLiteral("bron"), QStringLiteral("soort"), QStringLiteral("kop"),
                                     QStringLiteral("regels"), QStringLiteral("overslaan"), QStringLiteral("weg")};
    QMap<QString, QString> values;
    for (const QString &line : text.split(u'\n')) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            return std::nullopt;
        const QString key = line.left(equals);
        if (!keys.contains(key) || values.contains(key))
            return std::nullopt;
        values.insert(key, line.mid(equals + 1));
    }
    if (values.size() != keys.size())
        return std::nullopt;

    Settings settings;
    const QString kind = values.value(QStringLiteral("soort"));
    if (kind == QLatin1String("vcard"))
        settings.kind = MergeData::Kind::VCard;
    else if (kind != QLatin1String("csv"))
        return std::nullopt;
    const auto header = readYesNo(values.value(QStringLiteral("kop")));
    const auto skip = readYesNo(values.value(QStringLiteral("overslaan")));
    const auto mapping = MergeMapping::fromText(values.value(QStringLiteral("regels")));
    const auto leftOut = readRows(values.value(QStringLiteral("weg")));
    if (!header || !skip || !mapping || !leftOut)
        return std::nullopt;
    settings.hasHeader = *header;
    settings.skipEmpty = *skip;
    settings.mapping = *mapping;
    settings.leftOut = *leftOut;
    settings.sourceName = values.value(QStringLiteral("bron"));
    return settings;
}

CardTeam teamOf(const Settings &settings, MergeData data)
{
    CardTeam team;
    team.data = std::move(data);
    team.data.kind = settings.kind;
    team.data.hasHeader = settings.hasHeader;
    team.mapping = settings.mapping;
    team.sourceName = settings.sourceName;
    team.skipEmpty = settings.skipEmpty;
    team.leftOut = settings.leftOut;
    return team;
}

} // namespace TeamFile
