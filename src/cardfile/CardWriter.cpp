#include "cardfile/CardWriter.h"

#include "core/CardDocument.h"
#include "cardfile/CardDesignFiles.h"
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
    return writeInto(contentOf(document), DataFolder::cardsFolder(), name);
}

CardContent contentOf(const CardDocument &document)
{
    // The card's own files are its front's, whichever side the window shows.
    const Card &card = document.card();
    const CardCanvas &canvas = card.canvas;
    const StampBox &stamp = card.stamp;
    // Only print copies in step are written; the others would show an older card.
    return {card.state, canvas.image(), stamp.image(),
            canvas.hasPrintCopy() ? canvas.printImage() : QImage(), stamp.printImage(), card.design};
}

std::optional<QString> writeInto(const CardContent &content, const QString &folder,
                                 const QString &name)
{
    if (!QDir().mkpath(folder))
        return failure(QStringLiteral("De map '") + QDir(folder).dirName()
                       + QStringLiteral("' kon niet worden aangemaakt."));

    // The exact names: a card "jan" never writes over the files of a card "JAN".
    const CardFolder::CardFiles files = CardFolder::exactFiles(folder, name);
    FileGroupWriter group(folder);
    if (content.state.LayoutKind > 1) {
        const QByteArray bitmap = PictureFile::bitmapBytes(content.stamp);
        group.add(files.stamp, bitmap);
        if (!content.stampPrint.isNull())
            group.add(files.stampPrint, PrintCopyFile::bytes(content.stampPrint, bitmap));
    }
    const QByteArray background = PictureFile::bitmapBytes(content.canvas);
    group.add(files.background, background);
    if (!content.canvasPrint.isNull())
        group.add(files.backgroundPrint, PrintCopyFile::bytes(content.canvasPrint, background));
    if (const auto reason = CardDesignFiles::addTo(group, content.design, folder, name))
        return failure(*reason);
    // Last: a card is there once its record is, and the record's time is the save's.
    group.add(files.record, CardRecord::write(content.state));
    if (const auto reason = group.commit())
        return failure(*reason);
    return std::nullopt;
}

} // namespace CardWriter
