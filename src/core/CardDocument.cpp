#include "core/CardDocument.h"

#include <algorithm>
#include <cmath>

namespace {

enum MergeKey { NoMerge = 0, TextColourBars = 1, BackColourBars = 2, FirstNudgeKey = 100, FirstGestureKey = 1000 };
// A gesture on the back never merges with one on the front, nor the other way.
constexpr int BackMergeOffset = 1 << 29;

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
    refreshBlankBack();
}

const CardFace &CardDocument::shownFace() const
{
    if (m_side == CardSide::Front)
        return m_card.front();
    return m_card.back ? *m_card.back : m_blankBack;
}

Card CardDocument::shownCard() const
{
    if (m_side == CardSide::Front)
        return m_card;
    Card shown = m_card;
    shown.front() = shownFace();
    shown.back.reset();
    shown.stamp.setVisible(false);
    return shown;
}

void CardDocument::showSide(CardSide side)
{
    if (side == m_side)
        return;
    m_side = side;
    refreshBlankBack();
    Q_EMIT sideChanged();
    announce(CardHistory::Everything);
}

void CardDocument::refreshBlankBack()
{
    // Only while it shows: the front's steps need not make a back nobody looks at.
    if (m_side == CardSide::Back && !m_card.back)
        m_blankBack = CardFace::blankBack(m_card.front());
}

void CardDocument::removeBack()
{
    if (!m_card.back)
        return;
    // The step belongs to the side it removed, so undoing it shows the back again.
    record(QStringLiteral("Achterkant verwijderd"), CardHistory::Everything, NoMerge,
           [](Card &card) { card.back.reset(); });
    showSide(CardSide::Front);
}

void CardDocument::recordFace(const QString &stepName, unsigned parts, int mergeKey,
                              const std::function<void(CardFace &)> &change)
{
    if (m_side == CardSide::Front) {
        record(stepName, parts, mergeKey, [&change](Card &card) { change(card.front()); });
        return;
    }
    record(QStringLiteral("Achterkant: ") + stepName, parts, mergeKey ? mergeKey + BackMergeOffset : 0,
           [this, &change](Card &card) {
               // The change works on a back of its own: a filter lets the window handle
               // events between its rows, and a command run meanwhile may take the card's
               // back away ("Nieuw", "Open Kaart", "Achterkant verwijderen").
               const bool made = !card.back;
               const unsigned cards = m_cardsBroughtIn;
               CardFace face = made ? m_blankBack : *card.back;
               change(face);
               if (cards != m_cardsBroughtIn || (!made && !card.back))
                   return;
               // A change that left the blank back as it was adds no back.
               if (made && face == m_blankBack)
                   return;
               card.back = std::move(face);
           });
}

void CardDocument::record(const QString &stepName, unsigned parts, int mergeKey,
                          const std::function<void(Card &)> &change)
{
    CardHistory::Step step;
    step.name = stepName;
    step.before = m_card;
    step.parts = parts;
    step.mergeKey = mergeKey;
    step.side = m_side;
    change(m_card);
    refreshBlankBack();
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
    // The layout and the stamp are the front's: a change of them shows it.
    showSide(CardSide::Front);
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
    // The layout and the stamp are the front's: a change of them shows it.
    showSide(CardSide::Front);
    if (option < 1 || option > 4)
        return;
    record(QString::fromUtf8(kStampBorderNames[option]), CardHistory::StampBorderStyle, NoMerge,
           [option](Card &card) { card.chooseStampBorderOption(option); });
}

bool CardDocument::enterTextLine(int line, const QString &answer)
{
    CardFace changed = shownFace();
    if (!changed.enterTextLine(line, answer))
        return false;
    // A QR code whose fields follow the front's lines changes with them, on either side.
    const auto holdsQr = [](const CardFace &face) {
        return std::any_of(face.design.objects.begin(), face.design.objects.end(),
                           [](const PlacedObject &object) { return object.kind == PlacedObject::Kind::Qr; });
    };
    const bool followed = m_side == CardSide::Front && (holdsQr(m_card) || (m_card.back && holdsQr(*m_card.back)));
    if (m_side == CardSide::Front)
        record(QStringLiteral("Invoer tekst"), CardHistory::Text | (followed ? CardHistory::Design : 0u), NoMerge,
               [line, &answer](Card &card) { card.enterTextLine(CardSide::Front, line, answer); });
    else
        recordFace(QStringLiteral("Invoer tekst"), CardHistory::Text, NoMerge,
                   [line, &answer](CardFace &face) { face.enterTextLine(line, answer); });
    return true;
}

void CardDocument::applyChosenFont(const QFont &font)
{
    recordFace(QStringLiteral("Lettertype"), CardHistory::Text, NoMerge,
               [&font](CardFace &face) { face.applyChosenFont(font); });
}

void CardDocument::setTextColorComponent(Channel channel, int value)
{
    CardFace changed = shownFace();
    if (!changed.setTextColorComponent(channel, value))
        return;
    recordFace(QStringLiteral("Kleur tekst"), CardHistory::Text, TextColourBars,
               [&changed](CardFace &face) { face = changed; });
}

void CardDocument::setBackColorComponent(Channel channel, int value)
{
    CardFace changed = shownFace();
    if (!changed.setBackColorComponent(channel, value))
        return;
    recordFace(QStringLiteral("Achtergrond"), CardHistory::Canvas, BackColourBars,
               [&changed](CardFace &face) { face = changed; });
}

QString CardDocument::itemName(CardItem item) const
{
    switch (item.kind) {
    case CardItem::Kind::Line:
        return QStringLiteral("Regel %1").arg(item.index);
    case CardItem::Kind::Stamp:
        return QStringLiteral("Zegelfoto");
    case CardItem::Kind::Object:
        return hasItem(item) && shownFace().design.objects[size_t(item.index)].kind == PlacedObject::Kind::Qr
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
        return m_side == CardSide::Front && m_card.stamp.isVisible();
    case CardItem::Kind::Object:
        return item.index >= 0 && size_t(item.index) < shownFace().design.objects.size();
    case CardItem::Kind::None:
        break;
    }
    return false;
}

void CardDocument::restyleLine(int line, const std::optional<LineFont> &font, LineAlign align)
{
    if (line < 1 || line > 7)
        return;
    recordFace(QStringLiteral("Regel %1 opgemaakt").arg(line), CardHistory::Design, NoMerge, [&](CardFace &card) {
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
        return shownFace().design.lines[size_t(item.index)].offset;
    case CardItem::Kind::Stamp:
        return shownFace().design.stampOffset;
    case CardItem::Kind::Object:
        return shownFace().design.objects[size_t(item.index)].rect.topLeft();
    case CardItem::Kind::None:
        break;
    }
    return {};
}

void CardDocument::moveItem(CardItem item, QPointF place, int mergeKey)
{
    if (!hasItem(item) || !std::isfinite(place.x()) || !std::isfinite(place.y()))
        return;
    recordFace(itemName(item) + QStringLiteral(" verplaatst"), CardHistory::Design, mergeKey, [&](CardFace &card) {
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
            recordFace(itemName(item) + QStringLiteral(" terug op de plaats van de layout"), CardHistory::Design, NoMerge,
                   [&](CardFace &card) {
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
    recordFace(inserted.kind == PlacedObject::Kind::Qr ? QStringLiteral("QR-code ingevoegd") : QStringLiteral("Logo ingevoegd"),
           CardHistory::Design, NoMerge, [&](CardFace &card) { card.design.objects.push_back(inserted); });
    return true;
}

void CardDocument::changeQr(int index, const QrObject &qr)
{
    if (!hasItem(CardItem::object(index)) || shownFace().design.objects[size_t(index)].kind != PlacedObject::Kind::Qr)
        return;
    QrObject changed = qr;
    changed.encode();
    recordFace(QStringLiteral("QR-code gewijzigd"), CardHistory::Design, NoMerge,
           [&](CardFace &card) { card.design.objects[size_t(index)].qr = changed; });
}

void CardDocument::resizeObject(int index, const QRectF &rect, int mergeKey, std::optional<double> aspect)
{
    if (!hasItem(CardItem::object(index)) || !rect.isValid() || rect.isEmpty())
        return;
    const bool qr = shownFace().design.objects[size_t(index)].kind == PlacedObject::Kind::Qr;
    if (aspect && (qr || !(*aspect > 0) || !std::isfinite(*aspect)))
        aspect.reset();
    recordFace(qr ? QStringLiteral("Grootte QR-code veranderd") : QStringLiteral("Grootte logo veranderd"),
           CardHistory::Design, mergeKey, [&](CardFace &card) {
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
    recordFace(itemName(CardItem::object(index)) + QStringLiteral(" verwijderd"), CardHistory::Design, NoMerge,
           [&](CardFace &card) { card.design.objects.erase(card.design.objects.begin() + index); });
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
    bringInCard(QStringLiteral("Nieuw"), [](Card &card) { card.renew(); });
    m_fileName.clear();
    m_lastFileName.clear();
    setNameCaption(QStringLiteral("*.*"));
    markSaved();
    Q_EMIT cardRenewed();
}

void CardDocument::drawOnCanvas(const QString &stepName, const std::function<void(QImage &)> &draw)
{
    const FlagScope drawing(m_drawing);
    recordFace(stepName, CardHistory::Canvas, NoMerge, [&draw](CardFace &card) { draw(card.canvas.image()); });
}

void CardDocument::drawOnStamp(const QString &stepName, const std::function<void(QImage &)> &draw)
{
    showSide(CardSide::Front);
    const FlagScope drawing(m_drawing);
    record(stepName, CardHistory::Stamp, NoMerge, [&draw](Card &card) { draw(card.stamp.image()); });
}

void CardDocument::drawOnCanvas(const QString &stepName, const std::function<void(QImage &)> &draw,
                                const PrintDraw &drawPrint)
{
    const FlagScope drawing(m_drawing);
    recordFace(stepName, CardHistory::Canvas, NoMerge, [&draw, &drawPrint](CardFace &card) {
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

void CardDocument::drawOnCanvas(const QString &stepName, const std::function<void(QImage &)> &draw,
                                const PrintDraw &drawPrint, const BeyondDraw &drawBeyond)
{
    const FlagScope drawing(m_drawing);
    recordFace(stepName, CardHistory::Canvas, NoMerge, [&draw, &drawPrint, &drawBeyond](CardFace &card) {
        QImage print = card.canvas.printImage();
        draw(card.canvas.image());
        const qint64 drawn = card.canvas.image().cacheKey();
        drawPrint(print, card.canvas.image());
        if (print.isNull() || card.canvas.image().cacheKey() != drawn)
            return;
        card.canvas.setPrintImage(print);
        QMargins margins;
        const QImage beyond = drawBeyond(margins);
        if (card.canvas.image().cacheKey() == drawn)
            card.canvas.setPrintBeyond(beyond, margins);
    });
}

void CardDocument::drawOnStamp(const QString &stepName, const std::function<void(QImage &)> &draw,
                               const PrintDraw &drawPrint)
{
    showSide(CardSide::Front);
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
    recordFace(stepName, CardHistory::Canvas, NoMerge,
               [&picture, &print](CardFace &card) { card.canvas.setPicture(picture, print); });
}

void CardDocument::setStampPicture(const QString &stepName, const QImage &picture, const QImage &print)
{
    showSide(CardSide::Front);
    record(stepName, CardHistory::Stamp, NoMerge,
           [&picture, &print](Card &card) { card.setStampPicture(picture, print); });
}

void CardDocument::bringInCard(const QString &stepName, const std::function<void(Card &)> &change)
{
    // A card comes in on its front, in a step of the front.
    const bool wasBack = m_side == CardSide::Back;
    m_side = CardSide::Front;
    ++m_cardsBroughtIn;
    m_person = 0;
    record(stepName, CardHistory::Everything, NoMerge, change);
    if (wasBack)
        Q_EMIT sideChanged();
    Q_EMIT personChanged();
}

void CardDocument::replaceCard(const QString &stepName, const Card &card, bool saved)
{
    bringInCard(stepName, [&card](Card &current) { current = card; });
    if (saved)
        markSaved();
}

void CardDocument::setTeam(const std::optional<CardTeam> &team)
{
    if (team == m_card.team)
        return;
    // The team decides every line of the front and the codes that follow them.
    showSide(CardSide::Front);
    m_person = 0;
    record(team ? QStringLiteral("Samenvoegen") : QStringLiteral("Gegevens losgelaten"),
           CardHistory::Text | CardHistory::Design, NoMerge, [&team](Card &card) { card.team = team; });
    Q_EMIT personChanged();
}

int CardDocument::shownPerson() const
{
    if (!m_card.team)
        return 0;
    const qsizetype count = m_card.team->people().size();
    return count == 0 ? 0 : std::clamp(m_person, 0, int(count) - 1);
}

void CardDocument::showPerson(int person)
{
    const int before = shownPerson();
    m_person = person;
    m_person = shownPerson();
    if (m_person == before)
        return;
    Q_EMIT personChanged();
    announce(CardHistory::Text | CardHistory::Design);
}

bool CardDocument::enterPersonField(int row, int column, const QString &text)
{
    if (!m_card.team || row < 0 || row >= m_card.team->data.rows.size() || column < 0
        || column >= m_card.team->data.columnCount())
        return false;
    if (m_card.team->data.rows[row][column] == text)
        return false;
    record(QStringLiteral("Invoer tekst"), CardHistory::Text | CardHistory::Design, NoMerge,
           [row, column, &text](Card &card) {
               if (card.team && row < card.team->data.rows.size() && column < card.team->data.rows[row].size())
                   card.team->data.rows[row][column] = text;
           });
    return true;
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
    const Card &now = back ? step.before : step.after;
    // A team that came or went starts at its first person; a field typed or a person
    // left out keeps the one shown, whose caption may have changed.
    const bool teamChanged = now.team != m_card.team;
    if (now.team.has_value() != m_card.team.has_value())
        m_person = 0;
    m_card = now;
    const bool otherSide = step.side != m_side;
    m_side = step.side;
    refreshBlankBack();
    if (otherSide)
        Q_EMIT sideChanged();
    announce(otherSide ? unsigned(CardHistory::Everything) : step.parts);
    if (teamChanged)
        Q_EMIT personChanged();
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
