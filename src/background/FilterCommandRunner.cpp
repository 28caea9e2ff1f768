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

std::function<void()> &beforeLargeFilter()
{
    static std::function<void()> hook;
    return hook;
}

} // namespace

void setBeforeLargeFilter(std::function<void()> hook) { beforeLargeFilter() = std::move(hook); }

void runFilterCommand(CardDocument &document, const FilterCommand &command)
{
    std::optional<BusyCursor> hourglass;
    if (command.hourglass)
        hourglass.emplace();
    // A submenu's own item changes nothing, so it is no step.
    if (!command.changesPixels())
        return;
    const bool onStamp = command.target == FilterTarget::Stamp;
    const QImage &target = onStamp ? document.stamp().image() : document.canvas().image();
    if (qint64(target.width()) * target.height() > LargeFilterPixels && beforeLargeFilter())
        beforeLargeFilter()();
    const auto draw = [&command](QImage &image) {
        if (command.code != 0)
            ApplyFilter(command.code, image, command.parameter);
        mirror(command.mirror, image);
    };
    const QString stepName = command.caption.toString();
    // Only a print copy in step is carried along; without one paper shows the screen
    // picture as before.
    const bool hasPrint = onStamp ? document.stamp().hasPrintCopy() : document.canvas().hasPrintCopy();
    if (hasPrint) {
        const auto drawPrint = [&command, &draw](QImage &print, const QImage &screen) {
            if (printCopyRule(command) == PrintCopyRule::SameOperation)
                draw(print);
            else
                print = screen.scaled(print.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        };
        if (onStamp)
            document.drawOnStamp(stepName, draw, drawPrint);
        else
            document.drawOnCanvas(stepName, draw, drawPrint);
        return;
    }
    if (onStamp)
        document.drawOnStamp(stepName, draw);
    else
        document.drawOnCanvas(stepName, draw);
}
