#include "cardfile/CardWriter.h"

#include "core/CardDocument.h"
#include "cardfile/CardFolder.h"
#include "cardfile/CardRecord.h"
#include "core/DataFolder.h"
#include "cardfile/FileGroupWriter.h"
#include "cardfile/PictureFile.h"
#include "cardfile/PrintCopyFile.h"

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
    const QString folder = DataFolder::cardsFolder();
    if (!QDir().mkpath(folder))
        return failure(QStringLiteral("De map 'Cards' kon niet worden aangemaakt."));

    const CardFolder::CardFiles files = CardFolder::cardFiles(folder, name);
    FileGroupWriter group(folder);
    const StampBox &stamp = document.stamp();
    if (document.state().LayoutKind > 1) {
        const QByteArray bitmap = PictureFile::bitmapBytes(stamp.image());
        group.add(files.stamp, bitmap);
        if (stamp.hasPrintCopy())
            group.add(files.stampPrint, PrintCopyFile::bytes(stamp.printImage(), bitmap));
    }
    const CardCanvas &canvas = document.canvas();
    const QByteArray background = PictureFile::bitmapBytes(canvas.image());
    group.add(files.background, background);
    if (canvas.hasPrintCopy())
        group.add(files.backgroundPrint, PrintCopyFile::bytes(canvas.printImage(), background));
    group.add(files.record, CardRecord::write(document.state()));
    if (const auto reason = group.commit())
        return failure(*reason);
    return std::nullopt;
}

} // namespace CardWriter
