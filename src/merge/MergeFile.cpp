#include "merge/MergeFile.h"

#include "core/RegularFile.h"
#include "merge/MergeText.h"
#include "merge/VCardReader.h"

#include <QFileInfo>

MergeRead readMergeFile(const QString &path, HeaderChoice header)
{
    const QFileInfo info(path);
    const QString shown = info.fileName();
    const std::optional<QByteArray> bytes = RegularFile::read(path, MergeLimits::MaxFileBytes);
    if (bytes)
        return readMergeBytes(*bytes, shown, header);
    if (!info.exists())
        return {{}, MergeFaults::unreadable(shown, QStringLiteral("het bestaat niet (meer)"))};
    if (!info.isFile())
        return {{}, MergeFaults::unreadable(shown, QStringLiteral("het is geen gewoon bestand"))};
    if (info.size() > MergeLimits::MaxFileBytes)
        return {{}, QStringLiteral("Het bestand %1 is groter dan %2 MB; Lumovander leest bestanden tot %2 MB.")
                        .arg(shown, QString::number(MergeLimits::MaxFileBytes >> 20))};
    return {{}, QStringLiteral("Het bestand %1 kon niet worden gelezen.").arg(shown)};
}

MergeRead readMergeBytes(const QByteArray &bytes, const QString &fileName, HeaderChoice header)
{
    const QString shown = QFileInfo(fileName).fileName();
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    MergeRead read = (suffix == u"vcf" || suffix == u"vcard" || VCardReader::looksLikeVCard(bytes))
        ? VCardReader::read(bytes, shown)
        : CsvReader::read(MergeText::decode(bytes), shown, header);
    if (read && read.data.rows.isEmpty())
        return {{}, QStringLiteral("Het bestand %1 bevat geen personen.").arg(shown)};
    return read;
}

CardTeam teamOf(const MergeData &data)
{
    CardTeam team;
    team.data = data;
    team.mapping = MergeMapping::defaultFor(data);
    return team;
}
