#pragma once

#include "core/QrObject.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// What the user changed on the card beyond its layout: a style and a place per text
// line, the stamp's place, and the objects placed on the card (a logo). A card nobody
// restyles or moves has a plain design, and is drawn, saved and printed exactly as the
// card without one. Places are offsets from the layout's place, in canvas pixels, so a
// new layout puts everything back by clearing them.

// A line's own font and colour, where it does not follow the card's.
struct LineFont {
    QString name;
    int size = 16; // points as the card font counts them (the screen's)
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor colour;

    bool operator==(const LineFont &) const = default;
};

// Left: the line's left edge at its place. Centre and Right: within the line's text
// column (Composition::textColumn), so the line never runs under the stamp.
enum class LineAlign : uint8_t { Left, Centre, Right };

struct LineDesign {
    std::optional<LineFont> font; // none: the card's font and text colour
    LineAlign align = LineAlign::Left;
    QPointF offset;

    bool hasStyle() const { return font.has_value() || align != LineAlign::Left; }
    bool operator==(const LineDesign &) const = default;
};

// A logo: an SVG kept as its text (drawn as paths on paper), or a bitmap kept at its own
// pixels with their transparency.
struct LogoPicture {
    QByteArray svg;
    QImage bitmap; // Format_ARGB32_Premultiplied
    // An SVG read from a file, in pixels as the drawing helper drew it under its limits
    // (stamp/SvgPixels): every picture of the logo in pixels is made from these, so that
    // no drawing in the program's own process can take minutes. Null for an SVG the
    // program wrote itself, which it draws directly. Not part of the logo's identity.
    QImage drawn; // Format_ARGB32_Premultiplied

    bool isVector() const { return !svg.isEmpty(); }
    bool isNull() const { return svg.isEmpty() && bitmap.isNull(); }
    bool operator==(const LogoPicture &other) const { return svg == other.svg && bitmap == other.bitmap; }
};

// One object placed on the card, drawn above the background and below the text: a logo
// or a QR code, each with a content of its own kind.
struct PlacedObject {
    enum class Kind : uint8_t { Logo, Qr };

    Kind kind = Kind::Logo;
    QRectF rect; // canvas pixels; a QR code's is square on paper
    LogoPicture logo;
    // A logo's width over its height on paper, once a resize with Shift changed it;
    // 0: the logo's own. The logo is drawn in that shape, as large as its rectangle
    // holds, so neither the canvas's pixels (not square on paper) nor another card size
    // distort it.
    double aspect = 0;
    QrObject qr;

    bool operator==(const PlacedObject &) const = default;
};

struct CardDesign {
    // The most logos and QR codes one card holds, however they come: inserted, or read
    // from a design file that may list up to 999.
    static constexpr int MaxObjects = 64;
    // Why an object more is refused.
    static QString fullMessage();

    std::array<LineDesign, 8> lines; // 1..7
    QPointF stampOffset;
    std::vector<PlacedObject> objects;

    bool isPlain() const;
    // A new layout decides where things stand: every line and the stamp back at its place.
    void clearPlaces();
    qsizetype pictureBytesBeyond(const CardDesign &other) const;

    bool operator==(const CardDesign &) const = default;
};

// Which item of the card a command is about: a text line, the stamp, or a placed object.
struct CardItem {
    enum class Kind : uint8_t { None, Line, Stamp, Object };

    Kind kind = Kind::None;
    int index = 0; // line 1..7, or the object's index in CardDesign::objects

    static CardItem line(int line) { return {Kind::Line, line}; }
    static CardItem stamp() { return {Kind::Stamp, 0}; }
    static CardItem object(int index) { return {Kind::Object, index}; }
    bool isNone() const { return kind == Kind::None; }
    bool operator==(const CardItem &) const = default;
};
