#include "cardfile/CardTeamFiles.h"

#include "cardfile/CardFolder.h"
#include "cardfile/FileGroupWriter.h"
#include "cardfile/TeamFile.h"
#include "core/RegularFile.h"
#include "merge/CsvReader.h"
#include "merge/CsvWriter.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace {

QString damaged(const QString &path, const QString &reason = QString())
{
    QString note = QStringLiteral("De gegevens voor samenvoegen (%1) ontbreken of zijn beschadigd; de kaart is "
                                  "geopend zonder die gegevens.")
                       .arg(QFileInfo(path).fileName());
    if (!reason.isEmpty())
        note += u' ' + reason;
    return note;
}

// The mapping and the rows left out must fit the rows read: a file edited by hand (or one
// of the pair replaced) would otherwise point past them.
bool fits(const TeamFile::Settings &settings, const MergeData &data)
{
    const bool columnsFit = std::all_of(settings.mapping.lines.cbegin(), settings.mapping.lines.cend(),
                                        [&data](const LineSource &line) {
                                            return line.kind != LineSource::Kind::Column
                                                || line.column < data.columnCount();
                                        });
    return columnsFit && (settings.leftOut.isEmpty() || settings.leftOut.last() < data.rows.size());
}

} // namespace

namespace CardTeamFiles {

void addTo(FileGroupWriter &group, const std::optional<CardTeam> &team, const QString &folder, const QString &name)
{
    const QString data = CardFolder::teamDataFile(folder, name);
    const QString settings = CardFolder::teamFile(folder, name);
    if (!team) {
        group.remove(settings);
        group.remove(data);
        return;
    }
    group.add(data, writeCsv(team->data));
    group.add(settings, TeamFile::write(*team));
}

ReadTeam read(const QString &folder, const QString &name)
{
    const QString dataPath = CardFolder::teamDataFile(folder, name);
    const QString settingsPath = CardFolder::teamFile(folder, name);
    const bool dataThere = CardFolder::standsThere(dataPath);
    const bool settingsThere = CardFolder::standsThere(settingsPath);
    if (!dataThere && !settingsThere)
        return {};
    if (!settingsThere)
        return {std::nullopt, {damaged(settingsPath)}};
    if (!dataThere)
        return {std::nullopt, {damaged(dataPath)}};

    const auto settingsBytes = RegularFile::read(settingsPath, TeamFile::MaxBytes);
    const std::optional<TeamFile::Settings> settings =
        settingsBytes ? TeamFile::read(*settingsBytes) : std::nullopt;
    if (!settings)
        return {std::nullopt, {damaged(settingsPath)}};

    const auto dataBytes = RegularFile::read(dataPath, MergeLimits::MaxFileBytes);
    if (!dataBytes)
        return {std::nullopt, {damaged(dataPath)}};
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(*dataBytes);
    if (utf8.hasError())
        return {std::nullopt, {damaged(dataPath)}};
    const MergeRead read = CsvReader::read(text, QFileInfo(dataPath).fileName(), HeaderChoice::Yes);
    if (!read)
        return {std::nullopt, {damaged(dataPath, read.fault)}};
    if (!fits(*settings, read.data))
        return {std::nullopt, {damaged(settingsPath)}};

    return {TeamFile::teamOf(*settings, read.data), {}};
}

QStringList present(const QString &folder, const QString &name)
{
    QStringList paths;
    for (const QString &path : {CardFolder::teamDataFile(folder, name), CardFolder::teamFile(folder, name)})
        if (CardFolder::standsThere(path))
            paths << path;
    return paths;
}

} // namespace CardTeamFiles
