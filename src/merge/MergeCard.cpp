#include "merge/MergeCard.h"

#include "merge/MergePerson.h"

std::array<QString, MergeLineCount> cardOwnLines(const Card &card)
{
    std::array<QString, MergeLineCount> texts;
    for (int line = 0; line < MergeLineCount; ++line)
        texts[size_t(line)] = card.state.TextLines[size_t(line + 1)];
    return texts;
}

std::array<QString, 8> followedLines(const Card &card, const MergeData &data, const MergeMapping &mapping, int row)
{
    const PersonLines unmoved = personLines(cardOwnLines(card), mapping, data.rows.value(row), false);
    std::array<QString, 8> followed = card.state.TextLines;
    for (int line = 0; line < MergeLineCount; ++line)
        followed[size_t(line + 1)] = unmoved[size_t(line)].text;
    return followed;
}

Card cardWithPersonLines(const Card &card, const MergeData &data, const MergeMapping &mapping, int row,
                         bool skipEmpty)
{
    Card person = card;
    const PersonLines placed = personLines(cardOwnLines(card), mapping, data.rows.value(row), skipEmpty);
    for (int place = 0; place < MergeLineCount; ++place) {
        const PlacedLine &line = placed[size_t(place)];
        LineDesign &design = person.design.lines[size_t(place + 1)];
        person.state.TextLines[size_t(place + 1)] = line.text;
        if (line.source < 0) {
            design.font.reset();
            design.align = LineAlign::Left;
            continue;
        }
        const LineDesign &style = card.design.lines[size_t(line.source + 1)];
        design.font = style.font;
        design.align = style.align;
    }
    return person;
}

Card cardForPerson(const Card &card, const MergeData &data, const MergeMapping &mapping, int row, bool skipEmpty)
{
    Card person = cardWithPersonLines(card, data, mapping, row, skipEmpty);
    const std::array<QString, 8> followed = followedLines(card, data, mapping, row);
    for (const CardSide side : {CardSide::Front, CardSide::Back})
        if (CardFace *face = person.face(side))
            for (PlacedObject &object : face->design.objects)
                if (object.kind == PlacedObject::Kind::Qr)
                    object.qr.followLines(followed);
    return person;
}

Card sideAsCard(Card card, CardSide side)
{
    if (side == CardSide::Front)
        return card;
    card.front() = card.back ? *card.back : CardFace::blankBack(card.front());
    card.back.reset();
    card.stamp.setVisible(false);
    return card;
}
