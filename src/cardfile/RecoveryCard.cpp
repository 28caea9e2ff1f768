#include "cardfile/RecoveryCard.h"

#include "cardfile/CardFolder.h"
#include "cardfile/CardOpening.h"
#include "cardfile/CardRecord.h"
#include "cardfile/CardWriter.h"
#include "cardfile/PictureFile.h"
#include "cardfile/RecoveryFolder.h"
#include "core/CardDocument.h"
#include "core/Composition.h"
#include "core/DataFolder.h"
#include "core/Questions.h"
#include "core/RegularFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kName = RecoveryFolder::CardName;

QLocale dutch() { return QLocale(QLocale::Dutch, QLocale::Netherlands); }

QString dutchTime(const QDateTime &time)
{
    return dutch().toString(time, QStringLiteral("d MMMM yyyy 'om' HH:mm"));
}

// Two cards that differ in every field the record carries.
CardState contrastingState()
{
    CardState state;
    state.LayoutKind = 4;
    state.FontName = QStringLiteral("-");
    state.FontSize = 2;
    state.FontBold = !state.FontBold;
    state.FontItalic = !state.FontItalic;
    state.FontUnderline = !state.FontUnderline;
    state.TextColorR = 1;
    state.TextColorG = 1;
    state.TextColorB = 1;
    for (QString &line : state.TextLines)
        line = QStringLiteral("-");
    state.CardBorder = !state.CardBorder;
    state.BorderColorR = 1;
    state.BorderColorG = 1;
    state.BorderColorB = 1;
    return state;
}

// The record read whole, or nullopt when any field is missing or unreadable: reading
// keeps a field it cannot read, so read into two cards that differ everywhere, every
// field was read only when they come out the same. Read as opening reads it, with the
// same cap: a record that opening would pass over is not whole.
std::optional<CardState> readWholeRecord(const QString &path)
{
    const auto bytes = RegularFile::read(path, RegularFile::RecordLimit);
    if (!bytes)
        return std::nullopt;
    CardState plain;
    CardState contrasting = contrastingState();
    CardRecord::read(*bytes, plain);
    CardRecord::read(*bytes, contrasting);
    if (CardRecord::write(plain) != CardRecord::write(contrasting))
        return std::nullopt;
    return plain;
}

bool isWhole(const QString &folder)
{
    if (!RecoveryFolder::isOurs(folder))
        return false;
    const CardFolder::CardFiles files = CardFolder::exactFiles(folder, kName);
    const auto state = readWholeRecord(files.record);
    if (!state)
        return false;
    if (PictureFile::read(files.background, Composition::CanvasSize).isNull())
        return false;
    if (Composition::hasStamp(state->LayoutKind)
        && PictureFile::read(files.stamp, Composition::stampRect(state->LayoutKind).size())
                   .isNull())
        return false;
    // A back is brought back whole too, or the card is not.
    if (!CardFolder::hasBack(folder, kName))
        return true;
    const CardFolder::BackFiles back = CardFolder::backFiles(folder, kName);
    return readWholeRecord(back.record) && !PictureFile::read(back.background, Composition::CanvasSize).isNull();
}

} // namespace

namespace RecoveryCard {

QString defaultFolder() { return QDir(DataFolder::path()).filePath(QStringLiteral("Herstel")); }

std::optional<QString> write(const CardDocument &document, const QString &folder)
{
    return write(CardWriter::contentOf(document), folder);
}

std::optional<QString> write(const CardWriter::CardContent &content, const QString &folder)
{
    // A folder that is not ours is not written into, and not complained about either:
    // it is something the user put there, and the card is still whole in memory.
    if (RecoveryFolder::isTakenByOther(folder))
        return std::nullopt;
    return CardWriter::writeInto(content, folder, kName);
}

std::optional<QDateTime> find(const QString &folder)
{
    if (!isWhole(folder))
        return std::nullopt;
    // The record is moved into place last, so its time is the time of the write.
    return QFileInfo(CardFolder::exactFiles(folder, kName).record).lastModified();
}

bool restore(CardDocument &document, const QString &folder)
{
    if (!isWhole(folder) || !CardOpening::openCardFrom(document, folder, kName, false))
        return false;
    document.setFileName(QString());
    document.setLastFileName(QString());
    document.setNameCaption(QStringLiteral("*.*"));
    return true;
}

void remove(const QString &folder)
{
    RecoveryFolder::clear(folder);
}

QString question(const QDateTime &written)
{
    return QStringLiteral("Er is een niet-opgeslagen kaart gevonden van ") + dutchTime(written)
        + QStringLiteral(". Wilt u die terughalen?");
}

QString keptAsideMessage(const QDateTime &written, const QString &folder, const std::optional<QString> &keptAs)
{
    const QString found = QStringLiteral("De niet-opgeslagen kaart van ") + dutchTime(written)
        + QStringLiteral(" kan niet volledig worden teruggehaald. ");
    const QString where = QStringLiteral(" in de map ") + QDir::toNativeSeparators(folder) + QLatin1Char('.');
    if (keptAs)
        return found + QStringLiteral("De bestanden zijn bewaard als '") + *keptAs + QLatin1Char('\'') + where;
    return found + QStringLiteral("De bestanden konden niet opzij worden gezet; ze staan als '") + kName
        + QLatin1Char('\'') + where;
}

bool offer(CardDocument &document, Questions &questions, const QString &folder)
{
    if (!RecoveryFolder::holdsRecord(folder))
        return false;
    const auto written = find(folder);
    if (!written) {
        // Not brought back in part, and not left for the next write to replace: what
        // the user typed may still be in it.
        const QDateTime time = QFileInfo(CardFolder::exactFiles(folder, kName).record).lastModified();
        questions.message(QStringLiteral("Lumovander"),
                          keptAsideMessage(time, folder, RecoveryFolder::keepAside(folder, time)));
        return false;
    }
    if (!questions.yesNo(QStringLiteral("Lumovander"), question(*written))) {
        remove(folder);
        return false;
    }
    return restore(document, folder);
}

} // namespace RecoveryCard
