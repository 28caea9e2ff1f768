#include "design/QrPlacement.h"

#include "core/Card.h"
#include "core/CardPainter.h"
#include "core/Composition.h"
#include "design/DesignGuides.h"
#include "merge/MergeCard.h"
#include "merge/TeamCodes.h"
#include "qr/QrPath.h"
#include "qr/QrScanCheck.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace QrPlacement {

QSizeF canvasSize(double side, QSizeF cardMm)
{
    const QPointF size = DesignGuides::CardScale{cardMm.width(), cardMm.height()}.pixels({side, side});
    return {size.x(), size.y()};
}

double sideMm(const QRectF &rect, QSizeF cardMm)
{
    // The code is drawn as the largest square the rectangle holds.
    return std::min(rect.width() * cardMm.width() / Composition::CanvasWidth,
                    rect.height() * cardMm.height() / Composition::CanvasHeight);
}

QRectF defaultRect(QSizeF cardMm, double sideMm)
{
    const QSizeF size = canvasSize(sideMm, cardMm);
    const QSizeF margin = canvasSize(DesignGuides::SafetyMarginMm, cardMm);
    return {QPointF(Composition::CanvasWidth - margin.width() - size.width(),
                    Composition::CanvasHeight - margin.height() - size.height()),
            size};
}

Start startFor(const QrContent &content, QSizeF cardMm)
{
    const double room = std::min(cardMm.width(), cardMm.height()) - 2 * DesignGuides::SafetyMarginMm;
    const double largest = std::max(DefaultSideMm, std::min(MaxStartSideMm, room));
    const QByteArray bytes = encodedText(content);
    std::optional<Start> best;
    // L makes the smaller code; M, taken first, is kept when L is no smaller.
    for (const QrLevel level : {QrLevel::M, QrLevel::L}) {
        const QrCode code = QrCode::encode(bytes, level);
        if (!code.isValid())
            continue;
        const double side = std::max(DefaultSideMm, std::ceil(smallestSideMm(code) * 2 - 1e-9) / 2);
        if (!best || side < best->sideMm)
            best = Start{level, side};
    }
    if (!best)
        return {};
    if (best->sideMm > largest)
        return {QrLevel::L, largest};
    return *best;
}

NewCode newCode(const std::array<QString, 8> &lines, QSizeF cardMm)
{
    NewCode made{QrObject::fromLines(lines), {}};
    const Start start = startFor(made.qr.content, cardMm);
    made.qr.level = start.level;
    made.qr.encode();
    made.rect = defaultRect(cardMm, start.sideMm);
    return made;
}

QStringList warnings(const Card &card, const QrObject &qr, const QRectF &rect, QSizeF cardMm)
{
    QStringList messages;
    for (const Warning &warning : notes(card, qr, rect, cardMm))
        messages.append(warning.message);
    return messages;
}

QList<Warning> notes(const Card &card, const QrObject &qr, const QRectF &rect, QSizeF cardMm)
{
    if (!qr.code.isValid())
        return {{qr.whyEmpty(), qr.whyEmptyBriefly()}};
    // The quiet zone is the code's outer band; anything over it, on screen or paper,
    // keeps a phone from finding the code's edge.
    bool covered = false;
    for (int line = 1; line <= 7; ++line) {
        if (card.state.TextLines[size_t(line)].trimmed().isEmpty())
            continue;
        covered = covered || CardPainter::textLineRect(card, line).intersects(rect);
    }
    if (card.stamp.isVisible())
        covered = covered || CardPainter::stampRect(card).intersects(rect);
    const QColor dark = qr.inTextColour ? card.state.textColor() : QColor(Qt::black);
    QList<Warning> said;
    for (const ScanWarning &warning :
         scanWarnings(moduleMm(qr.code, sideMm(rect, cardMm)), dark, Qt::white, covered))
        said.append({warning.message, warning.brief});
    return said;
}

QList<Warning> notes(const Card &card, CardSide side, const QrObject &qr, const QRectF &rect, QSizeF cardMm)
{
    const LongestCode longest = longestCode(card, qr);
    if (longest.row < 0)
        return notes(sideAsCard(card, side), qr, rect, cardMm);
    const CardTeam &team = *card.team;
    const Card person = cardForPerson(card, team.data, team.mapping, longest.row, team.skipEmpty);
    const QString who = personLabel(team, longest.row) + QStringLiteral(": ");
    QList<Warning> said = notes(sideAsCard(person, side), longest.qr, rect, cardMm);
    for (Warning &warning : said) {
        warning.message.prepend(who);
        warning.brief.prepend(who);
    }
    return said;
}

QStringList warnings(const Card &card, CardSide side, const QrObject &qr, const QRectF &rect, QSizeF cardMm)
{
    QStringList messages;
    for (const Warning &warning : notes(card, side, qr, rect, cardMm))
        messages.append(warning.message);
    return messages;
}

} // namespace QrPlacement
