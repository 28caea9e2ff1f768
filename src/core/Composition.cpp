#include "core/Composition.h"

#include <algorithm>

namespace Composition {

QPoint textLinePosition(int kind, int line)
{
    const int i = line - 1;
    switch (kind) {
    case 1:
        return {120, 30 + 31 * i};
    case 2:
        return line <= 6 ? QPoint(170, 27 + 28 * i) : QPoint(20, 215);
    case 3:
        if (line <= 4)
            return {210, 27 + 30 * i};
        return {20, 165 + 30 * (line - 5)};
    default: // 0 and 4
        return {25, 30 + 31 * i};
    }
}

int textColumnRight(int kind, int line)
{
    switch (kind) {
    case 1:
        return CanvasWidth - textLinePosition(kind, line).x();
    case 4:
        return stampRect(kind).left() - 10;
    default: // beside the stamp of 2 and 3 the lines already start right of it
        return CanvasWidth - std::min(textLinePosition(kind, line).x(), 25);
    }
}

bool hasStamp(int kind) { return kind >= 2 && kind <= 4; }

QRect stampRect(int kind)
{
    switch (kind) {
    case 3:
        return {QPoint(18, 18), LandscapeStamp};
    case 4:
        return {QPoint(281, 18), PortraitStamp};
    default:
        return {QPoint(18, 18), PortraitStamp};
    }
}

int framePictureIndex(int kind, int stampBorderStyle)
{
    return kind == 3 ? stampBorderStyle + 1 : stampBorderStyle;
}

} // namespace Composition
