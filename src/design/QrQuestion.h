#pragma once

#include "core/QrObject.h"

#include <QRectF>
#include <QSizeF>
#include <optional>

struct Card;
enum class CardSide : uint8_t;
class QWidget;

// The question " QR-code", so that tests can answer it without a screen: opened on the
// code as it is (or as the card's lines give it, for a new one), for a code standing in
// rect on `side` of a card of cardMm (the whole card, its team too, which the scan
// warnings are judged by). nullopt when cancelled.
class QrQuestion {
public:
    virtual ~QrQuestion() = default;
    virtual std::optional<QrObject> askQr(const Card &card, CardSide side, const QrObject &current, const QRectF &rect,
                                          QSizeF cardMm) = 0;
};

// The question as the window asks it: QrDialog, modal over parent.
class DialogQrQuestion : public QrQuestion {
public:
    explicit DialogQrQuestion(QWidget *parent) : m_parent(parent) {}
    std::optional<QrObject> askQr(const Card &card, CardSide side, const QrObject &current, const QRectF &rect,
                                  QSizeF cardMm) override;

private:
    QWidget *m_parent;
};
