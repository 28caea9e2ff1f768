#include "background/FilterCommands.h"

#include "filters/Filters.h"

#include <array>

namespace {

using enum FilterTarget;
using enum MirrorRoutine;
using namespace FilterCode;

// Contour's base colour is white as a colour value whose lowest byte is red.
constexpr int White = 255 | (255 << 8) | (255 << 16);

constexpr std::array Commands{
    // Zegelfoto > "Bewerken"; the parents "Contrast" (5) and "Swap Colors" (8) only repaint.
    FilterCommand{u"EditConvert", 0, u"Grayscale", Stamp, Grayscale, 0, None, true},
    FilterCommand{u"EditConvert", 1, u"Negative", Stamp, Negative, 0, None, true},
    FilterCommand{u"EditConvert", 2, u"Light", Stamp, Brightness, 4, None, true},
    FilterCommand{u"EditConvert", 3, u"Dark", Stamp, Brightness, -4, None, true},
    FilterCommand{u"EditConvert", 4, u"Sharpen", Stamp, Sharpen, 10, None, true},
    FilterCommand{u"EditConvert", 5, u"Contrast", Stamp, 0, 0, None, true},
    FilterCommand{u"EditConvert", 6, u"Pixelize", Stamp, Pixelize, 3, None, true},
    FilterCommand{u"EditConvert", 7, u"Reliëf", Stamp, Relief, 0, None, true},
    FilterCommand{u"EditConvert", 8, u"Swap Colors", Stamp, 0, 0, None, true},
    FilterCommand{u"EditConvert", 9, u"Scattered", Stamp, Scattered, 15, None, true},
    FilterCommand{u"EditConvert", 10, u"Blur", Stamp, Blur, 0, None, true},
    FilterCommand{u"EditConvert", 11, u"Aquarel", Stamp, Aquarel, 0, None, true},
    FilterCommand{u"EditConvert", 12, u"Defuse", Stamp, Defuse, 6, None, true},
    FilterCommand{u"EditConvert", 13, u"Add noise", Stamp, AddNoise, 50, None, true},
    FilterCommand{u"EditConvert", 14, u"Edge", Stamp, Edge, 1, None, true},
    FilterCommand{u"EditConvert", 15, u"Contour", Stamp, Contour, White, None, true},
    FilterCommand{u"EditContrastConvert", 1, u"Positive", Stamp, Contrast, 10, None, false},
    FilterCommand{u"EditContrastConvert", 2, u"Negative", Stamp, Contrast, -10, None, false},
    FilterCommand{u"EditSwap", 1, u"RGB --> BRG", Stamp, SwapColors, 1, None, false},
    FilterCommand{u"EditSwap", 2, u"RGB --> GBR", Stamp, SwapColors, 2, None, false},
    FilterCommand{u"EditSwap", 3, u"RGB --> RBG", Stamp, SwapColors, 3, None, false},
    FilterCommand{u"EditSwap", 4, u"RGB --> BGR", Stamp, SwapColors, 4, None, false},
    FilterCommand{u"EditSwap", 5, u"RGB --> GRB", Stamp, SwapColors, 5, None, false},
    FilterCommand{u"EditFlipConvert", 0, u"Flip Horizontal", Stamp, 0, 0, FlipHorizontal, false},
    FilterCommand{u"EditFlipConvert", 1, u"Flip Vertical", Stamp, 0, 0, FlipVertical, false},
    // Achtergrond > "Bewerken": "Light" brightens the background by 10, the stamp by 4.
    FilterCommand{u"AchtergrondEdit", 0, u"Grayscale", Canvas, Grayscale, 0, None, true},
    FilterCommand{u"AchtergrondEdit", 1, u"Negative", Canvas, Negative, 0, None, true},
    FilterCommand{u"AchtergrondEdit", 2, u"Light", Canvas, Brightness, 10, None, true},
    FilterCommand{u"AchtergrondEdit", 3, u"Pixelize", Canvas, Pixelize, 3, None, true},
    FilterCommand{u"AchtergrondEdit", 4, u"Reliëf", Canvas, Relief, 0, None, true},
    FilterCommand{u"AchtergrondEdit", 5, u"Scattered", Canvas, Scattered, 15, None, true},
    FilterCommand{u"AchtergrondEdit", 6, u"Mirror", Canvas, 0, 0, MirrorBackground, true},
    FilterCommand{u"EditColors", 1, u"RGB --> BRG", Canvas, SwapColors, 1, None, false},
    FilterCommand{u"EditColors", 2, u"RGB --> GBR", Canvas, SwapColors, 2, None, false},
    FilterCommand{u"EditColors", 3, u"RGB --> RBG", Canvas, SwapColors, 3, None, false},
    FilterCommand{u"EditColors", 4, u"RGB --> BGR", Canvas, SwapColors, 4, None, false},
    FilterCommand{u"EditColors", 5, u"RGB --> GRB", Canvas, SwapColors, 5, None, false},
};

// Which filters work pixel by pixel (and so look the same at any size) and which look
// at neighbours, blocks or random scatter measured in screen pixels.
struct FilterPrintRule {
    int code;
    PrintCopyRule rule;
};
using enum PrintCopyRule;
constexpr std::array PrintRules{
    FilterPrintRule{Negative, SameOperation},     FilterPrintRule{Grayscale, SameOperation},
    FilterPrintRule{Brightness, SameOperation},   FilterPrintRule{Contrast, SameOperation},
    FilterPrintRule{SwapColors, SameOperation},   FilterPrintRule{Sharpen, EnlargeScreenResult},
    FilterPrintRule{Blur, EnlargeScreenResult},   FilterPrintRule{Defuse, EnlargeScreenResult},
    FilterPrintRule{Edge, EnlargeScreenResult},   FilterPrintRule{Contour, EnlargeScreenResult},
    FilterPrintRule{Relief, EnlargeScreenResult}, FilterPrintRule{Pixelize, EnlargeScreenResult},
    FilterPrintRule{Scattered, EnlargeScreenResult}, FilterPrintRule{Aquarel, EnlargeScreenResult},
    FilterPrintRule{AddNoise, EnlargeScreenResult},
};

} // namespace

PrintCopyRule printCopyRule(const FilterCommand &command)
{
    // The mirrors move whole pixels about the middle, the same at any size.
    if (command.code == 0)
        return PrintCopyRule::SameOperation;
    for (const FilterPrintRule &entry : PrintRules)
        if (entry.code == command.code)
            return entry.rule;
    // A filter not in the table gets the rule that can never look different on paper.
    return PrintCopyRule::EnlargeScreenResult;
}

QString FilterCommand::objectName() const
{
    return family.toString() + u'(' + QString::number(index) + u')';
}

std::span<const FilterCommand> filterCommands()
{
    return Commands;
}

const FilterCommand *findFilterCommand(QStringView family, int index)
{
    for (const FilterCommand &command : Commands) {
        if (command.family == family && command.index == index)
            return &command;
    }
    return nullptr;
}

const FilterCommand *findFilterCommand(QStringView objectName)
{
    for (const FilterCommand &command : Commands) {
        if (command.objectName() == objectName)
            return &command;
    }
    return nullptr;
}
