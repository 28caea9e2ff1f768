#pragma once

#include "core/GeneralValue.h"

#include <QColor>
#include <QString>
#include <array>
#include <cstdint>

// The fields that describe the card being designed: what a card file records. The
// CardDocument holds the one current instance and is its only writer; the undo history
// keeps copies, so it stays a plain value.
struct CardState {
    uint8_t LayoutKind = 0;

    QString FontName = QStringLiteral("Arial");
    int32_t FontSize = 16;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;

    GeneralValue TextColorR = 70;
    GeneralValue TextColorG = 100;
    uint8_t TextColorB = 70;

    // Indices 1..7 are the card's lines; 0 is unused.
    std::array<QString, 8> TextLines = defaultTextLines();

    GeneralValue BackColorR = 200;
    GeneralValue BackColorG = 230;
    uint8_t BackColorB = 200;

    uint8_t StampBorderStyle = 1;

    bool CardBorder = false;
    GeneralValue BorderColorR = 0;
    GeneralValue BorderColorG = 0;
    uint8_t BorderColorB = 0;

    bool operator==(const CardState &) const = default;

    QColor textColor() const { return rgb(TextColorR, TextColorG, TextColorB); }
    QColor backColor() const { return rgb(BackColorR, BackColorG, BackColorB); }
    QColor borderColor() const { return rgb(BorderColorR, BorderColorG, BorderColorB); }

    static std::array<QString, 8> defaultTextLines();

    // A component above 255 counts as 255, one below 0 as 0.
    static int component(const GeneralValue &value);
    static QColor rgb(const GeneralValue &r, const GeneralValue &g, int b);
};
