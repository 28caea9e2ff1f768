#include "cardfile/CardWriter.h"

#include "core/CardDocument.h"
#include "cardfile/CardFolder.h"
#include "cardfile/CardRecord.h"
#include "core/DataFolder.h"
#include "cardfile/FileGroupWriter.h"
#include "cardfile/PictureFile.h"

#include <QDir>

namespace {

QString failure(const QString &reason)
{
    return QStringLiteral("De kaart kon niet worden opgeslagen.\r\n") + reason;
}

} // namespace

namespace CardWriter {

std::optional<QString> write(const CardDocument &document, const QString &name)
{
    return writeInto(contentOf(document), DataFolder::cardsFolder(), name);
}

CardContent contentOf(const CardDocument &document)
{
    return {document.state(), document.canvas().image(), document.stamp().image()};
}

std::optional<QString> writeInto(const CardContent &content, const QString &folder,
                                 const QString &name)
{
    if (!QDir().mkpath(folder))
        return failure(QStringLiteral("De map '") + QDir(folder).dirName()
                       + QStringLiteral("' kon niet worden aangemaakt."));

    const CardFolder::CardFiles files = CardFolder::cardFiles(folder, name);
    FileGroupWriter group(folder);
    if (content.state.LayoutKind > 1)
        group.add(files.stamp, PictureFile::bitmapBytes(content.stamp));
    group.add(files.background, PictureFile::bitmapBytes(content.canvas));
    group.add(files.record, CardRecord::write(content.state));
    if (const auto reason = group.commit())
        return failure(*reason);
    return std::nullopt;
}

} // namespace CardWriter
