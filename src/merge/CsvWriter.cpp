#include "merge/CsvWriter.h"

#include <QString>
#include <QStringList>

#include <algorithm>

namespace {

bool needsQuotes(const QString &field)
{
    if (field.isEmpty())
        return false;
    if (field.front().isSpace() || field.back().isSpace())
        return true;
    return std::any_of(field.cbegin(), field.cend(),
                       [](QChar c) { return c == u',' || c == u'"' || c == u'\n' || c == u'\r'; });
}

QString quoted(const QString &field)
{
    QString out = field;
    out.replace(QLatin1String("\""), QLatin1String("\"\""));
    return u'"' + out + u'"';
}

void appendRow(QString &text, const QStringList &fields)
{
    const bool allEmpty = std::all_of(fields.cbegin(), fields.cend(), [](const QString &f) { return f.isEmpty(); });
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += u',';
        const QString &field = fields[i];
        text += (needsQuotes(field) || (allEmpty && i == 0)) ? quoted(field) : field;
    }
    text += QLatin1String("\r\n");
}

} // namespace

QByteArray writeCsv(const MergeData &data)
{
    QString text = QStringLiteral("sep=,\r\n");
    appendRow(text, data.headers);
    for (const QStringList &row : data.rows)
        appendRow(text, row);
    return text.toUtf8();
}
