#include "cardfile/CardOpening.h"

#include "core/CardDocument.h"
#include "cardfile/CardDesignFiles.h"
#include "cardfile/CardFolder.h"
#include "cardfile/CardName.h"
#include "cardfile/CardRecord.h"
#include "core/CardPainter.h"
#include "core/Composition.h"
#include "core/DataFolder.h"
#include "core/RegularFile.h"
#include "cardfile/PictureFile.h"
#include "cardfile/PrintCopyFile.h"
#include "stamp/PhotoLoader.h"

namespace {

void readRecordFile(const QString &path, CardState &state)
{
    if (const auto bytes = RegularFile::read(path, RegularFile::RecordLimit))
        CardRecord::read(*bytes, state);
}

// The outline item that carries the check mark for a card read from a file.
int borderItemFor(const CardState &state)
{
    if (!state.CardBorder)
        return 1;
    const double red = state.BorderColorR.toNumber();
    if (red == 0)
        return 2;
    if (red == 120)
        return 3;
    if (red == 255)
        return 4;
    return 0;
}

// The card's own picture with its print copy, when one was saved beside it and still
// belongs to this bitmap.
struct CanvasPicture {
    QImage picture;
    QImage print;
};

CanvasPicture readCanvasPicture(const QString &path, const QString &printPath)
{
    CanvasPicture read;
    read.picture = PictureFile::read(path, Composition::CanvasSize);
    if (!read.picture.isNull())
        read.print = PrintCopyFile::read(printPath, path, read.picture.size() * Composition::PrintScale);
    return read;
}

// The card as the files give it, built on the current one: a field the record cannot
// give keeps its value. The design is the card's own alone: without its file, plain.
Card restoredCard(const CardDocument &document, const CanvasPicture &background,
                  const CardFolder::CardFiles &files, const QString &folder, const QString &name, QStringList &notes)
{
    Card card = document.card();
    card.canvas.setPicture(background.picture, background.print);
    readRecordFile(files.record, card.state);
    card.applyLayout(card.state.LayoutKind);
    if (card.state.LayoutKind > 1) {
        const QImage stamp = PictureFile::read(files.stamp, card.stamp.geometry().size());
        if (!stamp.isNull())
            card.stamp.setPicture(
                stamp, PrintCopyFile::read(files.stampPrint, files.stamp, stamp.size() * Composition::PrintScale));
    }
    card.checkedBorderItem = borderItemFor(card.state);
    CardDesignFiles::ReadDesign design = CardDesignFiles::readWithNotes(folder, name, CardPainter::cardFont(card.state));
    card.design = std::move(design.design);
    notes = std::move(design.notes);
    return card;
}

} // namespace

namespace CardOpening {

Opened openCard(CardDocument &document, const QString &name)
{
    return openCardFrom(document, DataFolder::cardsFolder(), name);
}

Opened openCardFrom(CardDocument &document, const QString &folder, const QString &name, bool asSaved)
{
    if (!CardName::staysInFolder(name))
        return {};
    const auto files = CardFolder::cardFiles(folder, name);
    const CanvasPicture background = readCanvasPicture(files.background, files.backgroundPrint);
    if (background.picture.isNull())
        return {};
    Opened opened{true, {}};
    document.replaceCard(QStringLiteral("Open Kaart"),
                         restoredCard(document, background, files, folder, name, opened.notes), asSaved);
    return opened;
}

QString templatePath(const QString &name)
{
    return CardFolder::templateFile(DataFolder::templatesFolder(), name);
}

PhotoLoader::Outcome loadTemplate(CardDocument &document, const QString &name)
{
    if (!CardName::staysInFolder(name))
        return {PhotoLoader::Fault::Unreadable, QSize()};
    // The card shows a template at its own size from the top-left corner, so the part
    // shown is all a bitmap has for paper, and enlarging it is what paper does anyway. A
    // metafile has no pixels of its own: drawn again at print scale it is sharp on paper.
    const PhotoLoader::WithFinerCopy loaded =
        PhotoLoader::loadWithFinerCopy(templatePath(name), Composition::PrintScale, Composition::CanvasSize);
    const QImage picture = PictureFile::kept(loaded.picture, QRect(QPoint(0, 0), Composition::CanvasSize));
    if (picture.isNull())
        return loaded.outcome();
    document.setCanvasPicture(QStringLiteral("Templates"), picture, loaded.finer);
    return loaded.outcome();
}

} // namespace CardOpening
