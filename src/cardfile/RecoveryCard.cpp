#include "cardfile/RecoveryCard.h"

#include "cardfile/CardFolder.h"
#include "cardfile/CardOpening.h"
#include "cardfile/CardRecord.h"
#include "cardfile/CardWriter.h"
#include "cardfile/PictureFile.h"
#include "core/CardDocument.h"
#include "core/Composition.h"
#include "core/DataFolder.h"
#include "core/Questions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kName = QStringLiteral("Kaart");

// A record is a few hundred bytes; a far larger file is no record of ours.
constexpr qint64 kLongestRecord = 1 << 20;

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
// field was read only when they come out the same.
std::optional<CardState> readWholeRecord(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(kLongestRecord);
    CardState plain;
    CardState contrasting = contrastingState();
    CardRecord::read(bytes, plain);
    CardRecord::read(bytes, contrasting);
    if (CardRecord::write(plain) != CardRecord::write(contrasting))
        return std::nullopt;
    return plain;
}

bool isWhole(const QString &folder)
{
    const CardFolder::CardFiles files = CardFolder::cardFiles(folder, kName);
    const auto state = readWholeRecord(files.record);
    if (!state)
        return false;
    if (PictureFile::read(files.background, Composition::CanvasSize).isNull())
        return false;
    if (Composition::hasStamp(state->LayoutKind)
        && PictureFile::read(files.stamp, Composition::stampRect(state->LayoutKind).size())
                   .isNull())
        return false;
    return true;
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
    return CardWriter::writeInto(content, folder, kName);
}

std::optional<QDateTime> find(const QString &folder)
{
    if (!isWhole(folder))
        return std::nullopt;
    // The record is moved into place last, so its time is the time of the write.
    return QFileInfo(CardFolder::cardFiles(folder, kName).record).lastModified();
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
    QDir(folder).removeRecursively();
}

QString question(const QDateTime &written)
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    return QStringLiteral("Er is een niet-opgeslagen kaart gevonden van ")
        + dutch.toString(written, QStringLiteral("d MMMM yyyy 'om' HH:mm"))
        + QStringLiteral(". Wilt u die terughalen?");
}

bool offer(CardDocument &document, Questions &questions, const QString &folder)
{
    const auto written = find(folder);
    if (!written)
        return false;
    if (!questions.yesNo(QStringLiteral("Lumovander"), question(*written))) {
        remove(folder);
        return false;
    }
    return restore(document, folder);
}

} // namespace RecoveryCard
