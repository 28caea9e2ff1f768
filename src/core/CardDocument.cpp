#include "core/CardDocument.h"

namespace {

enum MergeKey { NoMerge = 0, TextColourBars = 1, BackColourBars = 2 };

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
    if (m_card == step.before) {
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
    record(QString::fromUtf8(kLayoutNames[kind]), CardHistory::Layout | CardHistory::Stamp, NoMerge,
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
    record(QStringLiteral("Invoer tekst"), CardHistory::Text, NoMerge,
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
