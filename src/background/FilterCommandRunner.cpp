#include "background/FilterCommands.h"

#include "stamp/BusyCursor.h"
#include "core/CardDocument.h"
#include "filters/Filters.h"

#include <optional>

namespace {

void mirror(MirrorRoutine routine, QImage &image)
{
    switch (routine) {
    case MirrorRoutine::None: break;
    case MirrorRoutine::FlipHorizontal: FlipHorizontal(image); break;
    case MirrorRoutine::FlipVertical: FlipVertical(image); break;
    case MirrorRoutine::MirrorBackground: MirrorBackground(image); break;
    }
}

} // namespace

void runFilterCommand(CardDocument &document, const FilterCommand &command)
{
    std::optional<BusyCursor> hourglass;
    if (command.hourglass)
        hourglass.emplace();
    const bool onStamp = command.target == FilterTarget::Stamp;
    StampBox &stamp = document.stamp();
    CardCanvas &canvas = document.canvas();
    QImage &image = onStamp ? stamp.image() : canvas.image();
    const bool hasPrint = onStamp ? stamp.hasPrintCopy() : canvas.hasPrintCopy();
    QImage print = !hasPrint ? QImage() : onStamp ? stamp.printImage() : canvas.printImage();

    if (command.code != 0)
        ApplyFilter(command.code, image, command.parameter);
    mirror(command.mirror, image);
    const qint64 filtered = image.cacheKey();

    if (hasPrint) {
        if (printCopyRule(command) == PrintCopyRule::SameOperation) {
            if (command.code != 0)
                ApplyFilter(command.code, print, command.parameter);
            mirror(command.mirror, print);
        } else {
            print = image.scaled(print.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        // The print filter processes events too; a command run meanwhile (a new
        // background colour, a layout) replaced the picture, and this copy is not its.
        const bool stillThisPicture = image.cacheKey() == filtered;
        if (stillThisPicture && onStamp)
            stamp.setPrintImage(print);
        else if (stillThisPicture)
            canvas.setPrintImage(print);
    }
    if (onStamp)
        document.notifyStampChanged();
    else
        document.notifyCanvasChanged();
}
