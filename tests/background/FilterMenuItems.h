#pragma once

#include <QImage>

namespace FilterMenuItems {

enum class On { Stamp, Canvas };

// A filter item of the "Bewerken" menus with the filter code and parameter it must
// hand to the engine.
struct Expected {
    const char *item;
    On target;
    int code;
    int parameter;
};

inline constexpr Expected Filters[] = {
    {"EditConvert(0)", On::Stamp, 12, 0},           {"EditConvert(1)", On::Stamp, 2, 0},
    {"EditConvert(2)", On::Stamp, 14, 4},           {"EditConvert(3)", On::Stamp, 14, -4},
    {"EditConvert(4)", On::Stamp, 1, 10},           {"EditContrastConvert(1)", On::Stamp, 17, 10},
    {"EditContrastConvert(2)", On::Stamp, 17, -10}, {"EditConvert(6)", On::Stamp, 15, 3},
    {"EditConvert(7)", On::Stamp, 13, 0},           {"EditSwap(1)", On::Stamp, 16, 1},
    {"EditSwap(2)", On::Stamp, 16, 2},              {"EditSwap(3)", On::Stamp, 16, 3},
    {"EditSwap(4)", On::Stamp, 16, 4},              {"EditSwap(5)", On::Stamp, 16, 5},
    {"EditConvert(9)", On::Stamp, 23, 15},          {"EditConvert(10)", On::Stamp, 3, 0},
    {"EditConvert(11)", On::Stamp, 24, 0},          {"EditConvert(12)", On::Stamp, 4, 6},
    {"EditConvert(13)", On::Stamp, 29, 50},         {"EditConvert(14)", On::Stamp, 6, 1},
    {"EditConvert(15)", On::Stamp, 7, 16777215},    {"AchtergrondEdit(0)", On::Canvas, 12, 0},
    {"AchtergrondEdit(1)", On::Canvas, 2, 0},       {"AchtergrondEdit(2)", On::Canvas, 14, 10},
    {"AchtergrondEdit(3)", On::Canvas, 15, 3},      {"AchtergrondEdit(4)", On::Canvas, 13, 0},
    {"AchtergrondEdit(5)", On::Canvas, 23, 15},     {"EditColors(1)", On::Canvas, 16, 1},
    {"EditColors(2)", On::Canvas, 16, 2},           {"EditColors(3)", On::Canvas, 16, 3},
    {"EditColors(4)", On::Canvas, 16, 4},           {"EditColors(5)", On::Canvas, 16, 5},
};

// A different colour in nearly every pixel of the picture, so that every filter and
// every parameter leaves its own mark.
inline void paintKnownPicture(QImage &picture, int seed)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb((seed + 37 * x + 11 * y) % 256, (90 + 23 * y + 5 * x * y) % 256,
                                        (200 - 19 * x + 7 * y + seed + 4096) % 256));
}

} // namespace FilterMenuItems
