#include "cardfile/CardOpening.h"

#include "core/CardDocument.h"
#include "cardfile/CardDesignFiles.h"
#include "cardfile/CardFolder.h"
#include "cardfile/CardName.h"
#include "cardfile/CardRecord.h"
#include "cardfile/CardTeamFiles.h"
#include "core/CardPainter.h"
#include "core/Composition.h"
#include "core/DataFolder.h"
#include "core/RegularFile.h"
#include "cardfile/PictureFile.h"
#include "cardfile/PrintCopyFile.h"
#include "stamp/PhotoLoader.h"

#include <QFileInfo>

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

// The back when its record is there, built on the front as a back is first made: a field
// its record cannot give is the front's. A back has no stamp, whatever its record says.
// Its logos get what the front's left of the card's budget. A back whose picture is
// missing or damaged keeps its colour, and the user is told: the front is whole.
std::optional<CardFace> readBack(const Card &card, const QString &folder, const QString &name, qint64 logoBudget,
                                 QStringList &notes)
{
    const CardFolder::BackFiles files = CardFolder::backFiles(folder, name);
    const auto record = RegularFile::read(files.record, RegularFile::RecordLimit);
    if (!record)
        return std::nullopt;
    CardFace back = CardFace::blankBack(card.front());
    CardRecord::read(*record, back.state);
    back.state.LayoutKind = 1;
    const CanvasPicture picture = readCanvasPicture(files.background, files.backgroundPrint);
    if (picture.picture.isNull())
        notes << QStringLiteral("Het plaatje %1 van de achterkant ontbreekt of is beschadigd; de achterkant heeft "
                                "alleen haar kleur.")
                     .arg(QFileInfo(files.background).fileName());
    else
        back.canvas.setPicture(picture.picture, picture.print);
    CardDesignFiles::ReadDesign design = CardDesignFiles::readWithNotes(
        folder, CardFolder::backName(name), CardPainter::cardFont(back.state), logoBudget);
    back.design = std::move(design.design);
    for (const QString &note : design.notes)
        notes << QStringLiteral("Achterkant: ") + note;
    return back;
}

// The card as the files give it, built on base: a field the record cannot give keeps its
// value. The design, the back and the team are the card's own alone: without their
// files, plain and none.
Card restoredCard(const Card &base, const CanvasPicture &background, const CardFolder::CardFiles &files,
                  const QString &folder, const QString &name, QStringList &notes)
{
    Card card = base;
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
    card.back = readBack(card, folder, name, CardDesignFiles::MaxLogoBytesPerCard - design.logoBytes, notes);
    CardTeamFiles::ReadTeam team = CardTeamFiles::read(folder, name);
    card.team = std::move(team.team);
    notes << team.notes;
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
    std::optional<ReadCard> read = readCard(document.card(), folder, name);
    if (!read)
        return {};
    document.replaceCard(QStringLiteral("Open Kaart"), read->card, asSaved);
    return {true, std::move(read->notes)};
}

std::optional<ReadCard> readCard(const Card &base, const QString &folder, const QString &name)
{
    if (!CardName::staysInFolder(name))
        return std::nullopt;
    const auto files = CardFolder::cardFiles(folder, name);
    const CanvasPicture background = readCanvasPicture(files.background, files.backgroundPrint);
    if (background.picture.isNull())
        return std::nullopt;
    ReadCard read;
    read.card = restoredCard(base, background, files, folder, name, read.notes);
    return read;
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
