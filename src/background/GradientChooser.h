#pragma once

#include <QImage>
#include <QString>

class CardDocument;

// What the gradient dialog "Verloopcolor" holds while it is open: the scroll bar's
// number, the preview and the number text. A new chooser is made for each opening, so
// the dialog always opens at gradient 1 with an empty preview.
class GradientChooser {
public:
    // The preview's colour before anything was drawn into it.
    static constexpr QRgb EmptyPreviewColor = 0xfff0f0f0u;

    GradientChooser();

    int value() const { return m_value; }
    // The scroll bar moved: a number outside 1..42 is taken as the nearest end. A new
    // number draws its gradient over the preview (never cleared first) and sets the
    // number text to "n / 42"; the same number again changes nothing.
    void setValue(int value);

    const QImage &preview() const { return m_preview; }
    // "1" until the scroll bar is first moved.
    QString numberText() const { return m_numberText; }

    // "Ok": draws the chosen gradient over the card's canvas. ("Cancel" needs nothing.)
    void accept(CardDocument &document) const;

private:
    int m_value = 1;
    QImage m_preview;
    QString m_numberText;
};
