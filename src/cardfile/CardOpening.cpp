#include "cardfile/CardOpening.h"

#include "core/CardDocument.h"
#include "cardfile/CardFolder.h"
#include "cardfile/CardName.h"
#include "cardfile/CardRecord.h"
#include "core/Composition.h"
#include "core/DataFolder.h"
#include "cardfile/PictureFile.h"
#include "cardfile/PrintCopyFile.h"

#include <QFile>

namespace {

// A record is a few hundred bytes; anything far larger is no record and is not read whole.
constexpr qint64 kLongestRecord = 1 << 20;

void readRecordFile(const QString &path, CardState &state)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        CardRecord::read(file.read(kLongestRecord), state);
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

bool setCanvasPicture(CardDocument &document, const QString &path, const QString &printPath = QString())
{
    const QImage picture = PictureFile::read(path, QRect(QPoint(0, 0), Composition::CanvasSize));
    if (picture.isNull())
        return false;
    const QImage print = printPath.isEmpty()
        ? QImage()
        : PrintCopyFile::read(printPath, path, picture.size() * Composition::PrintScale);
    document.canvas().setPicture(picture, print);
    document.notifyCanvasChanged();
    return true;
}

void restoreCard(CardDocument &document, const CardFolder::CardFiles &files)
{
    CardState &state = document.state();
    readRecordFile(files.record, state);
    document.applyLayout(state.LayoutKind);
    if (state.LayoutKind > 1) {
        const QImage stamp =
            PictureFile::read(files.stamp, QRect(QPoint(0, 0), document.stamp().geometry().size()));
        if (!stamp.isNull()) {
            document.stamp().setPicture(
                stamp, PrintCopyFile::read(files.stampPrint, files.stamp, stamp.size() * Composition::PrintScale));
            document.notifyStampChanged();
        }
    }
    document.notifyTextChanged();
    document.setCheckedBorderItem(borderItemFor(state));
}

} // namespace

namespace CardOpening {

bool openCard(CardDocument &document, const QString &name)
{
    if (!CardName::staysInFolder(name))
        return false;
    const auto files = CardFolder::cardFiles(DataFolder::cardsFolder(), name);
    if (!setCanvasPicture(document, files.background, files.backgroundPrint))
        return false;
    restoreCard(document, files);
    return true;
}

bool loadTemplate(CardDocument &document, const QString &name)
{
    return CardName::staysInFolder(name)
        && setCanvasPicture(document, CardFolder::templateFile(DataFolder::templatesFolder(), name));
}

} // namespace CardOpening
