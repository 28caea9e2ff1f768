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

namespace {

// Whether one of the face's lines lies on rect: the quiet zone is the code's outer band,
// and anything over it, on screen or paper, keeps a phone from finding the code's edge.
bool linesCover(const CardFace &face, const QRectF &rect)
{
    for (int line = 1; line <= 7; ++line)
        if (!face.state.TextLines[size_t(line)].trimmed().isEmpty()
            && CardPainter::textLineRect(face, line).intersects(rect))
            return true;
    return false;
}

bool stampCovers(const Card &card, const QRectF &rect)
{
    return card.stamp.isVisible() && CardPainter::stampRect(card).intersects(rect);
}

// Where each person printed has lines on the front, in canvas pixels before the lines'
// places are moved: a drag asks at every move, a line's drag moves only where a place
// stands, and a thousand people's lines are not measured that often. Kept while the
// card's lines, their fonts and alignments and the team stay.
struct TeamLineRects {
    CardState state;
    std::array<std::optional<LineFont>, 8> fonts;
    std::array<LineAlign, 8> aligns;
    CardTeam team;
    // Per person, the places (1..7) that show text and where their text stands unmoved.
    QList<std::pair<int, QList<std::pair<int, QRectF>>>> people;

    bool holds(const Card &card) const
    {
        for (int line = 1; line <= 7; ++line)
            if (fonts[size_t(line)] != card.design.lines[size_t(line)].font
                || aligns[size_t(line)] != card.design.lines[size_t(line)].align)
                return false;
        return state == card.state && team == *card.team;
    }
};

const TeamLineRects &teamLineRects(const Card &card)
{
    thread_local std::optional<TeamLineRects> kept;
    if (kept && kept->holds(card))
        return *kept;
    const CardTeam &team = *card.team;
    TeamLineRects made{card.state, {}, {}, team, {}};
    for (int line = 1; line <= 7; ++line) {
        made.fonts[size_t(line)] = card.design.lines[size_t(line)].font;
        made.aligns[size_t(line)] = card.design.lines[size_t(line)].align;
    }
    for (const int row : team.people()) {
        const Card person = cardWithPersonLines(card, team.data, team.mapping, row, team.skipEmpty);
        QList<std::pair<int, QRectF>> places;
        for (int line = 1; line <= 7; ++line)
            if (!person.state.TextLines[size_t(line)].trimmed().isEmpty())
                places.append({line, CardPainter::layoutLineRect(person, line)});
        made.people.append({row, places});
    }
    kept = std::move(made);
    return *kept;
}

// The first person printed whose front's lines lie on rect; -1 when nobody's do.
int coveringPerson(const Card &card, const QRectF &rect)
{
    for (const auto &[row, places] : teamLineRects(card).people)
        for (const auto &[line, unmoved] : places)
            if (unmoved.translated(card.design.lines[size_t(line)].offset).intersects(rect))
                return row;
    return -1;
}

} // namespace

QList<Warning> notes(const Card &card, const QrObject &qr, const QRectF &rect, QSizeF cardMm)
{
    if (!qr.code.isValid())
        return {{qr.whyEmpty(), qr.whyEmptyBriefly()}};
    const bool covered = linesCover(card, rect) || stampCovers(card, rect);
    const QColor dark = qr.inTextColour ? card.state.textColor() : QColor(Qt::black);
    QList<Warning> said;
    for (const ScanWarning &warning :
         scanWarnings(moduleMm(qr.code, sideMm(rect, cardMm)), dark, Qt::white, covered))
        said.append({warning.message, warning.brief});
    return said;
}

QList<Warning> notes(const Card &card, CardSide side, const QrObject &qr, const QRectF &rect, QSizeF cardMm)
{
    const Card shown = sideAsCard(card, side);
    if (!card.team || card.team->people().isEmpty())
        return notes(shown, qr, rect, cardMm);
    const CardTeam &team = *card.team;
    // The code: the longest person's, named, or the same for everyone.
    const LongestCode longest = longestCode(card, qr);
    const QrObject &code = longest.row < 0 ? qr : longest.qr;
    const QString who = longest.row < 0 ? QString() : personLabel(team, longest.row) + QStringLiteral(": ");
    if (!code.code.isValid())
        return {{who + code.whyEmpty(), who + code.whyEmptyBriefly()}};
    // Its border: the back's lines and the stamp are everyone's, the front's lines each
    // person's own, and the first whose lines cover it is named.
    QString coveredFor;
    bool covered = stampCovers(shown, rect);
    if (!covered && side == CardSide::Back) {
        covered = linesCover(shown, rect);
    } else if (!covered) {
        const int row = coveringPerson(card, rect);
        covered = row >= 0;
        if (covered)
            coveredFor = personLabel(team, row) + QStringLiteral(": ");
    }
    const QColor dark = code.inTextColour ? shown.state.textColor() : QColor(Qt::black);
    QList<Warning> said;
    for (const ScanWarning &warning :
         scanWarnings(moduleMm(code.code, sideMm(rect, cardMm)), dark, Qt::white, covered)) {
        // The colours are everyone's; the modules' size is the longest code's.
        const QString whose = warning.problem == ScanProblem::ModulesTooSmall    ? who
                               : warning.problem == ScanProblem::QuietZoneCovered ? coveredFor
                                                                                  : QString();
        said.append({whose + warning.message, whose + warning.brief});
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
