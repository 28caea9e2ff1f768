#include "core/CardState.h"

#include <algorithm>
#include <cmath>

std::array<QString, 8> CardState::defaultTextLines()
{
    std::array<QString, 8> lines;
    for (int i = 1; i <= 7; ++i)
        lines[i] = QStringLiteral("Regel %1").arg(i);
    return lines;
}

int CardState::component(const GeneralValue &value)
{
    const double v = std::nearbyint(value.toNumber());
    return int(std::clamp(v, 0.0, 255.0));
}

QColor CardState::rgb(const GeneralValue &r, const GeneralValue &g, int b)
{
    return QColor(component(r), component(g), std::clamp(b, 0, 255));
}
