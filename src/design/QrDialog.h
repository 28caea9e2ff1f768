#pragma once

#include "core/QrObject.h"

#include <QColor>
#include <QDialog>
#include <QRectF>
#include <QSizeF>
#include <array>

struct Card;
enum class CardSide : uint8_t;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedWidget;

// " QR-code": what the code holds (a contact, a web address or a text), its error
// level and colour, with the text a phone will get and a live preview. Contact fields
// start from the card's lines; a field the user types stops following its line.
class QrDialog : public QDialog {
    Q_OBJECT
public:
    QrDialog(const Card &card, CardSide side, const QrObject &qr, const QRectF &rect, QSizeF cardMm,
             QWidget *parent = nullptr);

    // The code as the dialog now makes it, encoded.
    const QrObject &qr() const { return m_qr; }
    // The scan warnings shown, for the code where it stands.
    QStringList warnings() const;

private:
    void fieldEdited(ContactField field, const QString &text);
    void follow();
    // The text colour of the side the code stands on, for "QrKleur".
    QColor faceColour() const;

    const Card &m_card;
    CardSide m_side;
    QRectF m_rect;
    QSizeF m_cardMm;
    QrObject m_qr;
    QComboBox *m_kind;
    QStackedWidget *m_pages;
    std::array<QLineEdit *, ContactFieldCount> m_fields{};
    QLineEdit *m_web;
    QPlainTextEdit *m_text;
    QComboBox *m_level;
    QComboBox *m_colour;
    QPlainTextEdit *m_content;
    QLabel *m_preview;
    QLabel *m_warning;
};
