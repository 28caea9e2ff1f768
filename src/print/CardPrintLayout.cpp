#include "print/CardPrintLayout.h"

#include <span>

namespace CardPrintLayout {

namespace {

struct TextColumn {
    int lines;
    double left;
    double step;     // from one line's top to the next
    double gapAbove; // added where the column starts below the previous one
};

constexpr double FirstLineTop = 6;

constexpr TextColumn TextLeft[] = {{7, 6, 5.5, 0}};
constexpr TextColumn TextMiddle[] = {{7, 24, 5.5, 0}};
constexpr TextColumn StampLeft[] = {{6, 34, 5.2, 0}, {1, 6, 5.2, 2}};
constexpr TextColumn StampLandscape[] = {{4, 42, 5.6, 0}, {3, 6, 5.2, 3}};

std::span<const TextColumn> textColumns(int layoutKind)
{
    switch (layoutKind) {
    case 1:
        return TextMiddle;
    case 2:
        return StampLeft;
    case 3:
        return StampLandscape;
    default: // 0, and 4 whose stamp stands on the right
        return TextLeft;
    }
}

QRectF inPictureUnits(double left, double top, double width, double height)
{
    return {left, top, width / PictureUnitsPerMm, height / PictureUnitsPerMm};
}

} // namespace

QRectF stampRect(int layoutKind)
{
    switch (layoutKind) {
    case 2:
        return inPictureUnits(5, 5, 100, 122);
    case 3:
        return inPictureUnits(5, 5, 130, 92);
    case 4:
        return inPictureUnits(57, 5, 100, 122);
    default:
        return {};
    }
}

QPointF textLinePlace(int layoutKind, int line)
{
    double top = FirstLineTop;
    double previousStep = 0;
    int current = 1;
    for (const TextColumn &column : textColumns(layoutKind)) {
        for (int i = 0; i < column.lines; ++i, ++current) {
            top += previousStep + (i == 0 ? column.gapAbove : 0);
            if (current == line)
                return {column.left, top};
            previousStep = column.step;
        }
    }
    return {};
}

std::array<QRectF, 4> borderBars(double w, double h)
{
    constexpr double Inset = 2;
    constexpr double Thickness = 0.5;
    return {
        QRectF(QPointF(Inset, Inset), QPointF(w - Inset, Inset + Thickness)),
        QRectF(QPointF(Inset, h - Inset - Thickness), QPointF(w - Inset, h - Inset)),
        QRectF(QPointF(Inset, Inset), QPointF(Inset + Thickness, h - Inset)),
        QRectF(QPointF(w - Inset - Thickness, Inset), QPointF(w - Inset, h - Inset)),
    };
}

} // namespace CardPrintLayout
