#include "CardDocument.h"

#include "BuiltinPictures.h"
#include "Composition.h"

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
        m_stamp.setPicture(BuiltinPictures::frame(
            Composition::framePictureIndex(kind, m_state.StampBorderStyle)));
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

void CardDocument::setNameCaption(const QString &caption)
{
    m_nameCaption = caption;
    Q_EMIT nameCaptionChanged();
}
