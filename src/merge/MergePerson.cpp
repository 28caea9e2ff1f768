#include "merge/MergePerson.h"

#include "merge/MergeHeaders.h"

namespace {

QString oneLine(const QString &field)
{
    QStringList parts;
    for (const QString &part : field.split(u'\n'))
        if (!part.trimmed().isEmpty())
            parts.append(part.trimmed());
    return parts.join(QStringLiteral(", "));
}

} // namespace

PersonLines personLines(const std::array<QString, MergeLineCount> &cardTexts, const MergeMapping &mapping,
                        const QStringList &row, bool skipEmpty)
{
    PersonLines places;
    int place = 0;
    for (int line = 0; line < MergeLineCount; ++line) {
        const LineSource &source = mapping.lines[line];
        QString text;
        switch (source.kind) {
        case LineSource::Kind::Card:
            text = cardTexts[line];
            break;
        case LineSource::Kind::Empty:
            break;
        case LineSource::Kind::Column:
            text = oneLine(row.value(source.column));
            if (skipEmpty && text.isEmpty())
                continue;
            break;
        }
        places[place++] = {line, text};
    }
    return places;
}

QString personName(const MergeData &data, const MergeMapping &mapping, int row)
{
    const LineSource &first = mapping.lines[0];
    if (first.kind == LineSource::Kind::Column) {
        const QString name = oneLine(data.cell(row, first.column));
        if (!name.isEmpty())
            return name;
    }
    QString given, middle, family;
    for (int column = 0; column < data.columnCount(); ++column) {
        const QString field = oneLine(data.cell(row, column));
        if (field.isEmpty())
            continue;
        switch (MergeHeaders::namePart(data.headers[column])) {
        case MergeHeaders::NamePart::Full:
            return field;
        case MergeHeaders::NamePart::Given:
            given = given.isEmpty() ? field : given;
            break;
        case MergeHeaders::NamePart::Middle:
            middle = middle.isEmpty() ? field : middle;
            break;
        case MergeHeaders::NamePart::Family:
            family = family.isEmpty() ? field : family;
            break;
        case MergeHeaders::NamePart::None:
            break;
        }
    }
    QStringList parts;
    for (const QString &part : {given, middle, family})
        if (!part.isEmpty())
            parts.append(part);
    return parts.join(u' ');
}
