#include "core/MergeMapping.h"

#include <QStringList>

MergeMapping MergeMapping::defaultFor(const MergeData &data)
{
    MergeMapping mapping;
    for (int line = 0; line < MergeLineCount && line < data.columnCount(); ++line)
        mapping.lines[line] = LineSource::ofColumn(line);
    return mapping;
}

MergeMapping MergeMapping::fittedTo(int columnCount) const
{
    MergeMapping fitted = *this;
    for (LineSource &source : fitted.lines)
        if (source.kind == LineSource::Kind::Column && (source.column < 0 || source.column >= columnCount))
            source = LineSource::card();
    return fitted;
}

QString MergeMapping::toText() const
{
    QStringList parts;
    for (const LineSource &source : lines) {
        switch (source.kind) {
        case LineSource::Kind::Card:
            parts.append(QStringLiteral("kaart"));
            break;
        case LineSource::Kind::Empty:
            parts.append(QStringLiteral("leeg"));
            break;
        case LineSource::Kind::Column:
            parts.append(QString::number(source.column + 1));
            break;
        }
    }
    return parts.join(u',');
}

std::optional<MergeMapping> MergeMapping::fromText(const QString &text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != MergeLineCount)
        return std::nullopt;
    MergeMapping mapping;
    for (int line = 0; line < MergeLineCount; ++line) {
        const QString &part = parts[line];
        if (part == u"kaart") {
            mapping.lines[line] = LineSource::card();
        } else if (part == u"leeg") {
            mapping.lines[line] = LineSource::empty();
        } else {
            // Digits only: toInt would also take "+3" and " 3".
            bool digits = !part.isEmpty() && part.size() <= 4;
            for (const QChar c : part)
                digits = digits && c >= u'0' && c <= u'9';
            const int number = digits ? part.toInt() : 0;
            if (number < 1 || number > MergeLimits::MaxColumns)
                return std::nullopt;
            mapping.lines[line] = LineSource::ofColumn(number - 1);
        }
    }
    return mapping;
}
