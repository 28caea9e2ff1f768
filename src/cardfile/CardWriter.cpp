#include "cardfile/CardWriter.h"

#include "core/CardDocument.h"
#include "cardfile/CardDesignFiles.h"
#include "cardfile/CardFolder.h"
#include "cardfile/CardRecord.h"
#include "cardfile/CardTeamFiles.h"
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

QImage printCopyOf(const CardCanvas &canvas)
{
    return canvas.hasPrintCopy() ? canvas.printImage() : QImage();
}

// The back's files, its record last of them; the card's own record still follows, so
// that a card is there only once both sides are.
std::optional<QString> addBack(FileGroupWriter &group, const CardWriter::CardContent::Back &back,
                               const QString &folder, const QString &name)
{
    const CardFolder::BackFiles files = CardFolder::backFiles(folder, name);
    const QByteArray background = PictureFile::bitmapBytes(back.canvas);
    group.add(files.background, background);
    if (!back.canvasPrint.isNull())
        group.add(files.backgroundPrint, PrintCopyFile::bytes(back.canvasPrint, background));
    else
        group.remove(files.backgroundPrint);
    if (const auto reason = CardDesignFiles::addTo(group, back.design, folder, CardFolder::backName(name)))
        return reason;
    group.add(files.record, CardRecord::write(back.state));
    return std::nullopt;
}

// A card without a back loses the back an earlier save of the name left. Without the
// back's record the files of those names are not the card's, and stay.
void removeBack(FileGroupWriter &group, const QString &folder, const QString &name)
{
    if (!CardFolder::hasBack(folder, name))
        return;
    const CardFolder::BackFiles files = CardFolder::backFiles(folder, name);
    group.remove(files.record);
    group.remove(files.background);
    group.remove(files.backgroundPrint);
    for (const QString &path : CardDesignFiles::present(folder, CardFolder::backName(name)))
        group.remove(path);
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
    CardContent content{card.state, canvas.image(), stamp.image(), printCopyOf(canvas), stamp.printImage(),
                        card.design, std::nullopt, card.team};
    if (card.back)
        content.back = CardContent::Back{card.back->state, card.back->canvas.image(), printCopyOf(card.back->canvas),
                                         card.back->design};
    return content;
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
    if (!content.back)
        removeBack(group, folder, name);
    else if (const auto reason = addBack(group, *content.back, folder, name))
        return failure(*reason);
    CardTeamFiles::addTo(group, content.team, folder, name);
    // Last: a card is there once its record is, and the record's time is the save's.
    group.add(files.record, CardRecord::write(content.state));
    if (const auto reason = group.commit())
        return failure(*reason);
    return std::nullopt;
}

} // namespace CardWriter
