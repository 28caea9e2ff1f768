#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <span>

class CardDocument;

// Which picture a filter menu command works on: the stamp box's image (Zegelfoto >
// "Bewerken", the flips) or the canvas's image (Achtergrond > "Bewerken").
enum class FilterTarget { Stamp, Canvas };

// The mirror routines, which do not pass through the filter engine.
enum class MirrorRoutine { None, FlipHorizontal, FlipVertical, MirrorBackground };

// One item of the filter menus: the control family and index that form its objectName,
// its caption, and what choosing it does. An item with neither a filter code nor a
// mirror is a submenu parent: choosing it only repaints its target.
struct FilterCommand {
    QStringView family;
    int index;
    QStringView caption;
    FilterTarget target;
    int code; // 0: no filter
    int parameter;
    MirrorRoutine mirror;
    bool hourglass; // the pointer shows the hourglass while the command runs

    QString objectName() const;
    bool changesPixels() const { return code != 0 || mirror != MirrorRoutine::None; }
};

// How a command keeps the print copy of its picture looking like the screen picture.
enum class PrintCopyRule {
    // Scale-free (point filters and mirrors): the print copy gets the same operation.
    SameOperation,
    // The look depends on the screen pixel size (blur, sharpen, pixelize, ...): the print
    // copy becomes the screen result enlarged smoothly, so paper shows neither false
    // sharpness nor a differently sized effect.
    EnlargeScreenResult,
};
PrintCopyRule printCopyRule(const FilterCommand &command);

// Every item of both "Bewerken" menus, their "Contrast" and "Swap Colors" submenus and
// the two flips, in menu order per family.
std::span<const FilterCommand> filterCommands();

// nullptr when no item has that family and index, or that objectName.
const FilterCommand *findFilterCommand(QStringView family, int index);
const FilterCommand *findFilterCommand(QStringView objectName);

// Runs the command on the document's stamp or canvas image and announces the change so
// the target is repainted. Text lines and the other picture are not touched. A print
// copy in step with the target is kept in step by printCopyRule.
void runFilterCommand(CardDocument &document, const FilterCommand &command);

// Called by runFilterCommand before it changes a picture of more than 4 megapixels,
// while the card is still as it was: a long filter on a large picture is where a run
// is most likely to end badly, so the window keeps a recovery card first.
inline constexpr qint64 LargeFilterPixels = 4'000'000;
void setBeforeLargeFilter(std::function<void()> hook);
