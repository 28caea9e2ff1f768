#include "core/CardDocument.h"

#include <algorithm>
#include <cmath>

namespace {

enum MergeKey { NoMerge = 0, TextColourBars = 1, BackColourBars = 2, FirstNudgeKey = 100, FirstGestureKey = 1000 };

const char *const kLayoutNames[] = {"Tekst Links", "Tekst Midden", "Zegelfoto Links", "Zegelfoto Liggend",
                                    "Zegelfoto Rechts"};
const char *const kStampBorderNames[] = {"", "Enkel kader", "Met tanding", "Dubbel kader", "Kartelrand"};

// Resets a flag when the scope ends, also when the drawing throws.
class FlagScope {
public:
    explicit FlagScope(bool &flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &m_flag;
};

} // namespace

CardDocument::CardDocument(QObject *parent)
    : QObject(parent)
    , m_card(Card::initial())
{
}

void CardDocument::record(const QString &stepName, unsigned parts, int mergeKey,
                          const std::function<void(Card &)> &change)
{
    CardHistory::Step step;
    step.name = stepName;
    step.before = m_card;
    step.parts = parts;
    step.mergeKey = mergeKey;
    change(m_card);
    // A command that left the card as it was (the current layout chosen again on a
    // card without a cut stamp, the same outline) is no step; the views still hear it.
    // A drag back to where it began still reaches the history, which drops its step.
    if (m_card == step.before && (mergeKey == 0 || m_history.openMergeKey() != mergeKey)) {
        announce(parts);
        return;
    }
    step.after = m_card;
    m_history.push(std::move(step));
    announce(parts);
    Q_EMIT historyChanged();
    followModified();
}

void CardDocument::announce(unsigned parts)
{
    if (parts & CardHistory::Text)
        Q_EMIT textChanged();
    if (parts & CardHistory::Canvas)
        Q_EMIT canvasChanged();
    if (parts & CardHistory::Layout)
        Q_EMIT layoutChanged();
    if (parts & CardHistory::Stamp)
        Q_EMIT stampChanged();
    if (parts & CardHistory::Border)
        Q_EMIT borderChanged();
    if (parts & CardHistory::StampBorderStyle)
        Q_EMIT stampBorderStyleChanged();
    if (parts & CardHistory::Design)
        Q_EMIT designChanged();
}

void CardDocument::followModified()
{
    const bool modified = isModified();
    if (modified == m_wasModified)
        return;
    m_wasModified = modified;
    Q_EMIT modifiedChanged(modified);
}

void CardDocument::applyLayout(int kind)
{
    if (kind < 0 || kind > 4)
        return;
    record(QString::fromUtf8(kLayoutNames[kind]), CardHistory::Layout | CardHistory::Stamp | CardHistory::Design, NoMerge,
           [kind](Card &card) { card.applyLayout(kind); });
}

void CardDocument::chooseBorderItem(int item)
{
    if (item < 1 || item > 4)
        return;
    record(QStringLiteral("Border"), CardHistory::Border, NoMerge,
           [item](Card &card) { card.chooseBorderItem(item); });
}

void CardDocument::chooseStampBorderOption(int option)
{
    if (option < 1 || option > 4)
        return;
    record(QString::fromUtf8(kStampBorderNames[option]), CardHistory::StampBorderStyle, NoMerge,
           [option](Card &card) { card.chooseStampBorderOption(option); });
}

bool CardDocument::enterTextLine(int line, const QString &answer)
{
    Card changed = m_card;
    if (!changed.enterTextLine(line, answer))
        return false;
    // A QR code whose fields follow the line changes with it.
    const bool followed = std::any_of(m_card.design.objects.begin(), m_card.design.objects.end(),
                                      [](const PlacedObject &object) { return object.kind == PlacedObject::Kind::Qr; });
    record(QStringLiteral("Invoer tekst"), CardHistory::Text | (followed ? CardHistory::Design : 0u), NoMerge,
           [line, &answer](Card &card) { card.enterTextLine(line, answer); });
    return true;
}

void CardDocument::applyChosenFont(const QFont &font)
{
    record(QStringLiteral("Lettertype"), CardHistory::Text, NoMerge,
           [&font](Card &card) { card.applyChosenFont(font); });
}

void CardDocument::setTextColorComponent(Channel channel, int value)
{
    Card changed = m_card;
    if (!changed.setTextColorComponent(channel, value))
        return;
    record(QStringLiteral("Kleur tekst"), CardHistory::Text, TextColourBars,
           [&changed](Card &card) { card = changed; });
}

void CardDocument::setBackColorComponent(Channel channel, int value)
{
    Card changed = m_card;
    if (!changed.setBackColorComponent(channel, value))
        return;
    record(QStringLiteral("Achtergrond"), CardHistory::Canvas, BackColourBars,
           [&changed](Card &card) { card = changed; });
}

QString CardDocument::itemName(CardItem item) const
{
    switch (item.kind) {
    case CardItem::Kind::Line:
        return QStringLiteral("Regel %1").arg(item.index);
    case CardItem::Kind::Stamp:
        return QStringLiteral("Zegelfoto");
    case CardItem::Kind::Object:
        return hasItem(item) && m_card.design.objects[size_t(item.index)].kind == PlacedObject::Kind::Qr
                   ? QStringLiteral("QR-code")
                   : QStringLiteral("Logo");
    case CardItem::Kind::None:
        break;
    }
    return QString();
}

bool CardDocument::hasItem(CardItem item) const
{
    switch (item.kind) {
    case CardItem::Kind::Line:
        return item.index >= 1 && item.index <= 7;
    case CardItem::Kind::Stamp:
        return m_card.stamp.isVisible();
    case CardItem::Kind::Object:
        return item.index >= 0 && size_t(item.index) < m_card.design.objects.size();
    case CardItem::Kind::None:
        break;
    }
    return false;
}

void CardDocument::restyleLine(int line, const std::optional<LineFont> &font, LineAlign align)
{
    if (line < 1 || line > 7)
        return;
    record(QStringLiteral("Regel %1 opgemaakt").arg(line), CardHistory::Design, NoMerge, [&](Card &card) {
        LineDesign &design = card.design.lines[size_t(line)];
        design.font = font;
        design.align = align;
    });
}

QPointF CardDocument::itemPlace(CardItem item) const
{
    if (!hasItem(item))
        return {};
    switch (item.kind) {
    case CardItem::Kind::Line:
        return m_card.design.lines[size_t(item.index)].offset;
    case CardItem::Kind::Stamp:
        return m_card.design.stampOffset;
    case CardItem::Kind::Object:
        return m_card.design.objects[size_t(item.index)].rect.topLeft();
    case CardItem::Kind::None:
        break;
    }
    return {};
}

void CardDocument::moveItem(CardItem item, QPointF place, int mergeKey)
{
    if (!hasItem(item) || !std::isfinite(place.x()) || !std::isfinite(place.y()))
        return;
    record(itemName(item) + QStringLiteral(" verplaatst"), CardHistory::Design, mergeKey, [&](Card &card) {
        switch (item.kind) {
        case CardItem::Kind::Line:
            card.design.lines[size_t(item.index)].offset = place;
            break;
        case CardItem::Kind::Stamp:
            card.design.stampOffset = place;
            break;
        case CardItem::Kind::Object:
            card.design.objects[size_t(item.index)].rect.moveTopLeft(place);
            break;
        case CardItem::Kind::None:
            break;
        }
    });
}

void CardDocument::returnToLayoutPlace(CardItem item)
{
    if (item.kind == CardItem::Kind::Line || item.kind == CardItem::Kind::Stamp)
        if (hasItem(item))
            record(itemName(item) + QStringLiteral(" terug op de plaats van de layout"), CardHistory::Design, NoMerge,
                   [&](Card &card) {
                       if (item.kind == CardItem::Kind::Line)
                           card.design.lines[size_t(item.index)].offset = QPointF();
                       else
                           card.design.stampOffset = QPointF();
                   });
}

bool CardDocument::insertObject(const PlacedObject &object)
{
    if (!hasRoomForObject())
        return false;
    PlacedObject inserted = object;
    if (inserted.kind == PlacedObject::Kind::Qr)
        inserted.qr.encode();
    record(inserted.kind == PlacedObject::Kind::Qr ? QStringLiteral("QR-code ingevoegd") : QStringLiteral("Logo ingevoegd"),
           CardHistory::Design, NoMerge, [&](Card &card) { card.design.objects.push_back(inserted); });
    return true;
}

void CardDocument::changeQr(int index, const QrObject &qr)
{
    if (!hasItem(CardItem::object(index)) || m_card.design.objects[size_t(index)].kind != PlacedObject::Kind::Qr)
        return;
    QrObject changed = qr;
    changed.encode();
    record(QStringLiteral("QR-code gewijzigd"), CardHistory::Design, NoMerge,
           [&](Card &card) { card.design.objects[size_t(index)].qr = changed; });
}

void CardDocument::resizeObject(int index, const QRectF &rect, int mergeKey, std::optional<double> aspect)
{
    if (!hasItem(CardItem::object(index)) || !rect.isValid() || rect.isEmpty())
        return;
    const bool qr = m_card.design.objects[size_t(index)].kind == PlacedObject::Kind::Qr;
    if (aspect && (qr || !(*aspect > 0) || !std::isfinite(*aspect)))
        aspect.reset();
    record(qr ? QStringLiteral("Grootte QR-code veranderd") : QStringLiteral("Grootte logo veranderd"),
           CardHistory::Design, mergeKey, [&](Card &card) {
               PlacedObject &object = card.design.objects[size_t(index)];
               object.rect = rect;
               if (aspect)
                   object.aspect = *aspect;
           });
}

void CardDocument::removeObject(int index)
{
    if (!hasItem(CardItem::object(index)))
        return;
    record(itemName(CardItem::object(index)) + QStringLiteral(" verwijderd"), CardHistory::Design, NoMerge,
           [&](Card &card) { card.design.objects.erase(card.design.objects.begin() + index); });
}

int CardDocument::newGestureKey()
{
    return FirstGestureKey + m_gestures++;
}

int CardDocument::nudgeKey(CardItem item)
{
    return FirstNudgeKey + int(item.kind) * 20 + std::clamp(item.index, 0, 19);
}

void CardDocument::newCard()
{
    record(QStringLiteral("Nieuw"), CardHistory::Everything, NoMerge, [](Card &card) { card.renew(); });
    m_fileName.clear();
    m_lastFileName.clear();
    setNameCaption(QStringLiteral("*.*"));
    markSaved();
    Q_EMIT cardRenewed();
}

void CardDocument::drawOnCanvas(const QString &stepName, const std::function<void(QImage &)> &draw)
{
    const FlagScope drawing(m_drawing);
    record(stepName, CardHistory::Canvas, NoMerge, [&draw](Card &card) { draw(card.canvas.image()); });
}

void CardDocument::drawOnStamp(const QString &stepName, const std::function<void(QImage &)> &draw)
{
    const FlagScope drawing(m_drawing);
    record(stepName, CardHistory::Stamp, NoMerge, [&draw](Card &card) { draw(card.stamp.image()); });
}

void CardDocument::drawOnCanvas(const QString &stepName, const std::function<void(QImage &)> &draw,
                                const PrintDraw &drawPrint)
{
    const FlagScope drawing(m_drawing);
    record(stepName, CardHistory::Canvas, NoMerge, [&draw, &drawPrint](Card &card) {
        QImage print = card.canvas.printImage();
        draw(card.canvas.image());
        const qint64 drawn = card.canvas.image().cacheKey();
        drawPrint(print, card.canvas.image());
        // A print filter processes events too; a command run meanwhile (a new background
        // colour, a template) replaced the picture, and this copy is not its.
        if (!print.isNull() && card.canvas.image().cacheKey() == drawn)
            card.canvas.setPrintImage(print);
    });
}

void CardDocument::drawOnStamp(const QString &stepName, const std::function<void(QImage &)> &draw,
                               const PrintDraw &drawPrint)
{
    const FlagScope drawing(m_drawing);
    record(stepName, CardHistory::Stamp, NoMerge, [&draw, &drawPrint](Card &card) {
        // A stamp without a print copy (a card saved without one) keeps none: its print
        // falls back on the screen picture.
        QImage print = card.stamp.printImage();
        draw(card.stamp.image());
        const qint64 drawn = card.stamp.image().cacheKey();
        if (print.isNull())
            return;
        drawPrint(print, card.stamp.image());
        if (!print.isNull() && card.stamp.image().cacheKey() == drawn)
            card.stamp.setPrintImage(print);
    });
}

void CardDocument::setCanvasPicture(const QString &stepName, const QImage &picture, const QImage &print)
{
    record(stepName, CardHistory::Canvas, NoMerge,
           [&picture, &print](Card &card) { card.canvas.setPicture(picture, print); });
}

void CardDocument::setStampPicture(const QString &stepName, const QImage &picture, const QImage &print)
{
    record(stepName, CardHistory::Stamp, NoMerge,
           [&picture, &print](Card &card) { card.setStampPicture(picture, print); });
}

void CardDocument::replaceCard(const QString &stepName, const Card &card, bool saved)
{
    record(stepName, CardHistory::Everything, NoMerge, [&card](Card &current) { current = card; });
    if (saved)
        markSaved();
}

bool CardDocument::undo()
{
    return moveInHistory(true);
}

bool CardDocument::redo()
{
    return moveInHistory(false);
}

bool CardDocument::moveInHistory(bool back)
{
    if (m_drawing || !(back ? canUndo() : canRedo()))
        return false;
    const CardHistory::Step &step = back ? m_history.undo() : m_history.redo();
    m_card = back ? step.before : step.after;
    announce(step.parts);
    Q_EMIT historyChanged();
    followModified();
    return true;
}

void CardDocument::setHistoryByteBudget(qsizetype bytes)
{
    m_history.setByteBudget(bytes);
    Q_EMIT historyChanged();
    followModified();
}

void CardDocument::markSaved()
{
    m_history.markClean();
    followModified();
}

void CardDocument::setNameCaption(const QString &caption)
{
    m_nameCaption = caption;
    Q_EMIT nameCaptionChanged();
}
