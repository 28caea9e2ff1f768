#include "merge/ShownPerson.h"

#include "core/CardDocument.h"
#include "merge/MergeCard.h"
#include "merge/MergePerson.h"

int shownRow(const CardDocument &document)
{
    if (!document.team())
        return -1;
    const QList<int> people = document.team()->people();
    return people.isEmpty() ? -1 : people.value(document.shownPerson(), -1);
}

Card shownPersonCard(const CardDocument &document)
{
    const int row = shownRow(document);
    if (row < 0)
        return document.shownCard();
    const CardTeam &team = *document.team();
    Card person = cardForPerson(document.card(), team.data, team.mapping, row, team.skipEmpty);
    if (document.shownSide() == CardSide::Front)
        return person;
    if (!person.back)
        return document.shownCard();
    return sideAsCard(std::move(person), CardSide::Back);
}

QString personCaption(const CardDocument &document)
{
    const int row = shownRow(document);
    if (row < 0)
        return QString();
    const CardTeam &team = *document.team();
    const QString counted = QStringLiteral("Persoon %1 van %2").arg(document.shownPerson() + 1).arg(team.people().size());
    const QString name = personName(team.data, team.mapping, row);
    return name.isEmpty() ? counted : counted + QStringLiteral(": ") + name;
}

TypedLine typedLine(const Card &card, int row, int place)
{
    if (!card.team || place < 1 || place > MergeLineCount)
        return {place};
    const CardTeam &team = *card.team;
    const PersonLines lines = personLines(cardOwnLines(card), team.mapping, team.data.rows.value(row), team.skipEmpty);
    const int source = lines[size_t(place - 1)].source;
    if (source < 0)
        return {place};
    const LineSource &from = team.mapping.lines[size_t(source)];
    if (from.kind == LineSource::Kind::Column)
        return {0, row, from.column};
    return {source + 1};
}

QString shownLineText(const CardDocument &document, int place)
{
    if (place < 1 || place > MergeLineCount)
        return QString();
    return shownPersonCard(document).state.TextLines[size_t(place)];
}

bool enterShownLine(CardDocument &document, int place, const QString &answer)
{
    const int row = shownRow(document);
    if (row < 0 || document.shownSide() != CardSide::Front)
        return document.enterTextLine(place, answer);
    const TypedLine typed = typedLine(document.card(), row, place);
    if (!typed.isField())
        return document.enterTextLine(typed.cardLine, answer);
    if (answer.isEmpty())
        return false;
    return document.enterPersonField(typed.row, typed.column, answer);
}
