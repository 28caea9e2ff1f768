#include "merge/TeamCodes.h"

#include "core/QrFollowing.h"
#include "merge/MergeCard.h"
#include "merge/MergePerson.h"

namespace {

LongestCode judged(const Card &card, const QrObject &qr)
{
    const bool follows = std::any_of(qr.follows.begin(), qr.follows.end(),
                                     [](const QList<int> &lines) { return !lines.isEmpty(); });
    if (!follows)
        return {};
    const CardTeam &team = *card.team;
    LongestCode longest;
    qsizetype most = -1;
    QrContent content = qr.content;
    for (const int row : team.people()) {
        content.contact = followedFields(qr, followedLines(card, team.data, team.mapping, row));
        const qsizetype size = encodedText(content).size();
        if (size > most) {
            most = size;
            longest.row = row;
            longest.qr.content = content;
        }
    }
    if (longest.row < 0)
        return {};
    longest.qr.level = qr.level;
    longest.qr.inTextColour = qr.inTextColour;
    longest.qr.follows = qr.follows;
    longest.qr.encode();
    return longest;
}

// What a judgement depends on. Rows and lines are shared copies while nobody changes
// them, so comparing them is cheap where judging them is not.
struct Judged {
    std::array<QString, 8> lines;
    CardTeam team;
    QrContent content;
    std::array<QList<int>, ContactFieldCount> follows;
    QrLevel level;
    bool inTextColour;
    LongestCode longest;

    bool holds(const Card &card, const QrObject &qr) const
    {
        return lines == card.state.TextLines && content == qr.content && follows == qr.follows &&
               level == qr.level && inTextColour == qr.inTextColour && team == *card.team;
    }
};

} // namespace

LongestCode longestCode(const Card &card, const QrObject &qr)
{
    if (!card.team || qr.content.kind != QrKind::Contact)
        return {};
    // The window asks after every change, a drag's every move too, for each code on the
    // card: the last few answers are kept, so only a change of lines, team or code judges
    // again.
    constexpr qsizetype Kept = 4;
    thread_local QList<Judged> kept;
    for (qsizetype i = 0; i < kept.size(); ++i)
        if (kept[i].holds(card, qr)) {
            kept.move(i, 0);
            return kept.front().longest;
        }
    Judged made{card.state.TextLines, *card.team, qr.content, qr.follows, qr.level, qr.inTextColour, judged(card, qr)};
    kept.prepend(std::move(made));
    if (kept.size() > Kept)
        kept.removeLast();
    return kept.front().longest;
}

QString personLabel(const CardTeam &team, int row)
{
    const QString name = personName(team.data, team.mapping, row);
    return name.isEmpty() ? QStringLiteral("Persoon %1").arg(row + 1) : name;
}
