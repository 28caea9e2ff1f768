#pragma once

#include "core/CardDesign.h"
#include "core/PictureLimits.h"

#include <QString>
#include <QStringList>
#include <optional>

class FileGroupWriter;

// The files that keep a card's design beside its record, under the card's exact name:
// N.opmaak (DesignFile) and the logos copied into the folder, an SVG as its own text and
// a bitmap as PNG with its transparency (see CardFolder::logoFileName).
namespace CardDesignFiles {

// Adds the design's files to the save of the card named name in folder, and the removal
// of whatever an earlier save of that name left that this one does not write: a plain
// design removes N.opmaak, a logo now saved as SVG removes the PNG of before. The Dutch
// reason when a logo cannot be encoded.
std::optional<QString> addTo(FileGroupWriter &group, const CardDesign &design, const QString &folder,
                             const QString &name);

// The design saved with the card named name in folder; a plain design when it has none.
// A logo whose file is missing, damaged or of the other kind is left out, the rest of
// the design stays. cardFont gives what a line's own font lacks. A file is read and
// decoded once however many objects show it, and they all share its one picture.
CardDesign read(const QString &folder, const QString &name, const LineFont &cardFont);

// The pictures of one card's logos together, each file counted once: a logo beyond it is
// left out, as are the objects a file lists beyond CardDesign::MaxObjects.
inline constexpr qint64 MaxLogoBytesPerCard = PictureLimits::MaxDecodedBytes;

// The same with what was left out for the card's limits, each a Dutch sentence to show,
// and what the logos read took of logoBudget: the two sides of a card share one budget.
struct ReadDesign {
    CardDesign design;
    QStringList notes;
    qint64 logoBytes = 0;
};
ReadDesign readWithNotes(const QString &folder, const QString &name, const LineFont &cardFont,
                         qint64 logoBudget = MaxLogoBytesPerCard);

// The design files of the card named name that stand in folder (files or links).
QStringList present(const QString &folder, const QString &name);

} // namespace CardDesignFiles
