#include "core/CardDocument.h"

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

bool storeChannel(GeneralValue &r, GeneralValue &g, uint8_t &b, CardDocument::Channel channel,
                  int value)
{
    value = std::clamp(value, 0, 255);
    switch (channel) {
    case CardDocument::Red:
        return storeComponent(r, value);
    case CardDocument::Green:
        return storeComponent(g, value);
    case CardDocument::Blue:
        return storeComponent(b, value);
    }
    return false;
}

} // namespace

CardDocument::CardDocument(QObject *parent)
    : QObject(parent)
{
    m_stamp.setPicture(BuiltinPictures::frame(1));
}

void CardDocument::applyLayout(int kind)
{
    m_state.LayoutKind = uint8_t(kind);
    const bool stamped = Composition::hasStamp(kind);
    m_stamp.setVisible(stamped);
    if (stamped) {
        m_stamp.setGeometry(Composition::stampRect(kind));
        const int frame = Composition::framePictureIndex(kind, m_state.StampBorderStyle);
        m_stamp.setPicture(BuiltinPictures::frame(frame),
                           BuiltinPictures::frame(frame, Composition::PrintScale));
    } else {
        m_stamp.clear();
    }
    Q_EMIT layoutChanged();
    Q_EMIT stampChanged();
}

void CardDocument::chooseBorderItem(int item)
{
    if (item < 1 || item > 4)
        return;
    if (item == 1) {
        m_state.CardBorder = false;
    } else {
        static constexpr int levels[] = {0, 0, 0, 120, 255};
        m_state.CardBorder = true;
        m_state.BorderColorR = levels[item];
        m_state.BorderColorG = levels[item];
        m_state.BorderColorB = uint8_t(levels[item]);
    }
    setCheckedBorderItem(item);
}

void CardDocument::setCheckedBorderItem(int item)
{
    m_checkedBorderItem = item;
    Q_EMIT borderChanged();
}

void CardDocument::chooseStampBorderOption(int option)
{
    if (option < 1 || option > 4)
        return;
    m_state.StampBorderStyle = uint8_t(2 * option - 1);
    Q_EMIT stampBorderStyleChanged();
}

bool CardDocument::enterTextLine(int line, const QString &answer)
{
    if (line < 1 || line > 7 || answer.isEmpty())
        return false;
    m_state.TextLines[size_t(line)] = answer == QLatin1String(" ") ? QStringLiteral("  ") : answer;
    Q_EMIT textChanged();
    return true;
}

void CardDocument::applyChosenFont(const QFont &font)
{
    m_state.FontName = font.family();
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    m_state.FontSize = int32_t(std::nearbyint(font.pointSizeF()));
    m_state.FontBold = font.bold();
    m_state.FontItalic = font.italic();
    m_state.FontUnderline = font.underline();
    Q_EMIT textChanged();
}

void CardDocument::setTextColorComponent(Channel channel, int value)
{
    if (storeChannel(m_state.TextColorR, m_state.TextColorG, m_state.TextColorB, channel, value))
        Q_EMIT textChanged();
}

void CardDocument::setBackColorComponent(Channel channel, int value)
{
    if (!storeChannel(m_state.BackColorR, m_state.BackColorG, m_state.BackColorB, channel, value))
        return;
    m_canvas.setBackColor(m_state.backColor());
    Q_EMIT canvasChanged();
}

void CardDocument::newCard()
{
    // Everything of the card starts afresh except the stamp border style and the
    // outline's colour.
    CardState renewed;
    renewed.StampBorderStyle = m_state.StampBorderStyle;
    renewed.BorderColorR = m_state.BorderColorR;
    renewed.BorderColorG = m_state.BorderColorG;
    renewed.BorderColorB = m_state.BorderColorB;
    m_state = renewed;
    m_canvas.setBackColor(m_state.backColor());
    m_canvas.setPicture(QImage());
    m_stamp.setVisible(false);
    m_checkedBorderItem = 1;

    Q_EMIT textChanged();
    Q_EMIT canvasChanged();
    Q_EMIT layoutChanged();
    Q_EMIT stampChanged();
    Q_EMIT borderChanged();
    setNameCaption(QStringLiteral("*.*"));
    Q_EMIT cardRenewed();
}

void CardDocument::setNameCaption(const QString &caption)
{
    m_nameCaption = caption;
    Q_EMIT nameCaptionChanged();
}
