#include "core/Card.h"

#include "assets/BuiltinPictures.h"
#include "core/Composition.h"

#include <algorithm>
#include <cmath>

namespace {

// Stores a bar value into a colour component; false when it already held that value.
bool storeComponent(GeneralValue &component, int value)
{
    if (component.isNumber() && component.toNumber() == value)
        return false;
    component = value;
    return true;
}

bool storeComponent(uint8_t &component, int value)
{
    if (component == value)
        return false;
    component = uint8_t(value);
    return true;
}

bool storeChannel(GeneralValue &r, GeneralValue &g, uint8_t &b, CardFace::Channel channel, int value)
{
    value = std::clamp(value, 0, 255);
    switch (channel) {
    case CardFace::Red:
        return storeComponent(r, value);
    case CardFace::Green:
        return storeComponent(g, value);
    case CardFace::Blue:
        return storeComponent(b, value);
    }
    return false;
}

qsizetype bytesBeyond(const QImage &mine, const QImage &theirs)
{
    // constBits() never detaches, so this looks at the sharing without changing it.
    if (mine.isNull() || mine.constBits() == theirs.constBits())
        return 0;
    return mine.sizeInBytes();
}

} // namespace

qsizetype CardFace::pictureBytesBeyond(const CardFace &other) const
{
    return bytesBeyond(canvas.image(), other.canvas.image())
        + bytesBeyond(canvas.picture(), other.canvas.picture())
        + canvas.storedPrintCopy().bytesBeyond(other.canvas.storedPrintCopy())
        + canvas.storedPrintPicture().bytesBeyond(other.canvas.storedPrintPicture())
        + design.pictureBytesBeyond(other.design);
}

CardFace CardFace::blankBack(const CardFace &front)
{
    CardFace back;
    back.state = front.state;
    back.state.LayoutKind = 1; // "Tekst Midden": no stamp, lines in the middle
    back.state.TextLines.fill(QString());
    back.canvas.setBackColor(back.state.backColor());
    return back;
}

bool CardFace::enterTextLine(int line, const QString &answer)
{
    if (line < 1 || line > 7 || answer.isEmpty())
        return false;
    state.TextLines[size_t(line)] = answer == QLatin1String(" ") ? QStringLiteral("  ") : answer;
    return true;
}

void CardFace::applyChosenFont(const QFont &font)
{
    state.FontName = font.family();
    state.FontSize = keptPointSize(font);
    state.FontBold = font.bold();
    state.FontItalic = font.italic();
    state.FontUnderline = font.underline();
}

int CardFace::keptPointSize(const QFont &font)
{
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    return int(std::nearbyint(font.pointSizeF()));
}

bool CardFace::setTextColorComponent(Channel channel, int value)
{
    return storeChannel(state.TextColorR, state.TextColorG, state.TextColorB, channel, value);
}

bool CardFace::setBackColorComponent(Channel channel, int value)
{
    if (!storeChannel(state.BackColorR, state.BackColorG, state.BackColorB, channel, value))
        return false;
    canvas.setBackColor(state.backColor());
    return true;
}

qsizetype Card::pictureBytesBeyond(const Card &other) const
{
    static const CardFace none;
    return CardFace::pictureBytesBeyond(other)
        + bytesBeyond(stamp.image(), other.stamp.image())
        + stamp.storedPrintCopy().bytesBeyond(other.stamp.storedPrintCopy())
        + (back ? back->pictureBytesBeyond(other.back ? *other.back : none) : 0);
}

Card Card::initial()
{
    Card card;
    card.stamp.setPicture(BuiltinPictures::frame(1));
    card.stamp.setPrintImageMadeBy([] { return BuiltinPictures::frame(1, Composition::PrintScale); });
    return card;
}

void Card::applyLayout(int kind)
{
    state.LayoutKind = uint8_t(kind);
    design.clearPlaces();
    const bool stamped = Composition::hasStamp(kind);
    stamp.setVisible(stamped);
    if (stamped) {
        stamp.setGeometry(Composition::stampRect(kind));
        const int frame = Composition::framePictureIndex(kind, state.StampBorderStyle);
        stamp.setPicture(BuiltinPictures::frame(frame));
        stamp.setPrintImageMadeBy([frame] { return BuiltinPictures::frame(frame, Composition::PrintScale); });
    } else {
        stamp.clear();
    }
}

bool Card::chooseBorderItem(int item)
{
    if (item < 1 || item > 4)
        return false;
    for (const CardSide side : {CardSide::Front, CardSide::Back}) {
        CardFace *each = face(side);
        if (!each)
            continue;
        CardState &fields = each->state;
        if (item == 1) {
            fields.CardBorder = false;
        } else {
            static constexpr int levels[] = {0, 0, 0, 120, 255};
            fields.CardBorder = true;
            fields.BorderColorR = levels[item];
            fields.BorderColorG = levels[item];
            fields.BorderColorB = uint8_t(levels[item]);
        }
    }
    checkedBorderItem = item;
    return true;
}

bool Card::chooseStampBorderOption(int option)
{
    if (option < 1 || option > 4)
        return false;
    state.StampBorderStyle = uint8_t(2 * option - 1);
    return true;
}

bool Card::enterTextLine(CardSide side, int line, const QString &answer)
{
    CardFace *typed = face(side);
    if (!typed || !typed->enterTextLine(line, answer))
        return false;
    if (side != CardSide::Front)
        return true;
    for (const CardSide each : {CardSide::Front, CardSide::Back})
        if (CardFace *codes = face(each))
            for (PlacedObject &object : codes->design.objects)
                if (object.kind == PlacedObject::Kind::Qr)
                    object.qr.followLines(state.TextLines);
    return true;
}

void Card::renew()
{
    CardState renewed;
    renewed.StampBorderStyle = state.StampBorderStyle;
    renewed.BorderColorR = state.BorderColorR;
    renewed.BorderColorG = state.BorderColorG;
    renewed.BorderColorB = state.BorderColorB;
    state = renewed;
    canvas.setBackColor(state.backColor());
    canvas.setPicture(QImage());
    stamp.setVisible(false);
    design = CardDesign();
    back.reset();
    team.reset();
    checkedBorderItem = 1;
}

void Card::setStampPicture(const QImage &picture, const QImage &print)
{
    if (picture.isNull()) {
        stamp.clear();
        return;
    }
    stamp.setGeometry(QRect(stamp.geometry().topLeft(), picture.size()));
    stamp.setPicture(picture, print);
}
