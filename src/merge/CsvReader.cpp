#include "merge/CsvReader.h"

#include "merge/MergeHeaders.h"

#include <algorithm>
#include <utility>

namespace CsvReader {

namespace {

// How many records the separator and the header are judged by.
constexpr qsizetype SampleRecords = 50;

struct Record {
    QStringList fields;
    int line = 0; // where the record begins, from 1
};

struct Parsed {
    QList<Record> records;
    int faultLine = 0;
    QString fault; // the reason, without the file's name
};

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Steps over the line end at i (CRLF, LF or CR).
qsizetype afterLineEnd(QStringView text, qsizetype i)
{
    return (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? i + 2 : i + 1;
}

int lineOf(QStringView text, qsizetype pos, int firstLine)
{
    int line = firstLine;
    for (qsizetype i = 0; i < pos;) {
        if (isLineEnd(text[i])) {
            i = afterLineEnd(text, i);
            ++line;
        } else {
            ++i;
        }
    }
    return line;
}

// The records of the text, up to maxRecords of them; blank records are left out.
Parsed parse(QStringView text, QChar separator, int line, qsizetype maxRecords)
{
    Parsed out;
    QStringList fields;
    QString field;
    // Whether the field holds more than spaces (or was quoted): a quote then is text.
    bool started = false;
    // Where a quoted field's closing quote was: what stands between the quotes is kept
    // as it is, spaces and all, as the writer meant it.
    qsizetype quotedEnd = -1;
    // A quoted field makes a record, even an empty one: someone wrote it on purpose.
    bool recordQuoted = false;
    int recordLine = line;
    const auto fail = [&out](int at, const QString &reason) {
        out.faultLine = at;
        out.fault = reason;
        return out;
    };
    const auto endField = [&] {
        if (quotedEnd < 0) {
            fields.append(field.trimmed());
        } else {
            qsizetype end = field.size();
            while (end > quotedEnd && field[end - 1].isSpace())
                --end;
            fields.append(field.left(end));
        }
        field.clear();
        started = false;
        quotedEnd = -1;
        return fields.size() <= MergeLimits::MaxColumns;
    };
    const auto endRecord = [&] {
        if (recordQuoted
            || std::any_of(fields.cbegin(), fields.cend(), [](const QString &f) { return !f.isEmpty(); }))
            out.records.append({fields, recordLine});
        fields.clear();
        recordQuoted = false;
    };
    const QString tooWide = QStringLiteral("meer dan %1 kolommen").arg(MergeLimits::MaxColumns);

    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == u'"' && !started) {
            const int opened = line;
            field.clear(); // the spaces before the quote
            bool closed = false;
            for (++i; i < n;) {
                const QChar q = text[i];
                if (q == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                if (isLineEnd(q)) {
                    field += u'\n';
                    ++line;
                    i = afterLineEnd(text, i);
                    continue;
                }
                field += q;
                ++i;
            }
            if (!closed)
                return fail(opened, QStringLiteral("een aanhalingsteken wordt niet gesloten"));
            started = true;
            quotedEnd = field.size();
            recordQuoted = true;
            continue;
        }
        if (c == separator) {
            if (!endField())
                return fail(recordLine, tooWide);
            ++i;
            continue;
        }
        if (isLineEnd(c)) {
            if (!endField())
                return fail(recordLine, tooWide);
            endRecord();
            i = afterLineEnd(text, i);
            recordLine = ++line;
            if (out.records.size() >= maxRecords)
                return out;
            continue;
        }
        field += c;
        started = started || !c.isSpace();
        ++i;
    }
    if (!fields.isEmpty() || !field.isEmpty() || started) {
        if (!endField())
            return fail(recordLine, tooWide);
        endRecord();
    }
    return out;
}

// Excel's "sep=;" on a line of its own before the records.
bool namedSeparator(QStringView text, QChar *separator, qsizetype *rest)
{
    if (text.size() < 5 || !text.startsWith(u"sep=", Qt::CaseInsensitive))
        return false;
    if (text.size() > 5 && !isLineEnd(text[5]))
        return false;
    if (isLineEnd(text[4]) || text[4] == u'"')
        return false;
    *separator = text[4];
    *rest = text.size() > 5 ? afterLineEnd(text, 5) : text.size();
    return true;
}

} // namespace

QChar separator(QStringView text)
{
    QChar best = u',';
    double bestShare = 0;
    for (const QChar candidate : {u'\t', u';', u','}) {
        const Parsed sample = parse(text, candidate, 1, SampleRecords);
        if (sample.records.isEmpty())
            continue;
        const qsizetype count = sample.records.first().fields.size();
        if (count < 2)
            continue;
        const auto same = std::count_if(sample.records.cbegin(), sample.records.cend(),
                                        [count](const Record &r) { return r.fields.size() == count; });
        const double share = double(same) / double(sample.records.size());
        if (share > bestShare) {
            best = candidate;
            bestShare = share;
        }
    }
    return best;
}

bool looksLikeHeader(const QList<QStringList> &records)
{
    if (records.isEmpty())
        return false;
    const QStringList &first = records.first();
    if (std::any_of(first.cbegin(), first.cend(), MergeHeaders::looksLikeValue))
        return false;
    if (std::any_of(first.cbegin(), first.cend(), MergeHeaders::isKnownHeader))
        return true;
    if (std::any_of(first.cbegin(), first.cend(), [](const QString &c) { return c.isEmpty(); }))
        return false;
    const qsizetype sample = std::min<qsizetype>(records.size(), SampleRecords);
    for (qsizetype r = 1; r < sample; ++r) {
        const QStringList &record = records[r];
        for (qsizetype c = 0; c < std::min(record.size(), first.size()); ++c)
            if (MergeHeaders::looksLikeValue(record[c]))
                return true;
    }
    return false;
}

MergeRead read(QStringView text, const QString &shownName, HeaderChoice header)
{
    int firstLine = 1;
    QChar sep;
    qsizetype rest = 0;
    if (namedSeparator(text, &sep, &rest)) {
        text = text.sliced(rest);
        firstLine = 2;
    } else {
        sep = separator(text);
    }
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        return {{}, MergeFaults::atLine(shownName, lineOf(text, nul, firstLine),
                                        QStringLiteral("hier staan gegevens die geen tekst zijn"))};

    // A header and one person more than allowed are enough to know the file is too long.
    const Parsed parsed = parse(text, sep, firstLine, qsizetype(MergeLimits::MaxPeople) + 2);
    if (!parsed.fault.isEmpty())
        return {{}, MergeFaults::atLine(shownName, parsed.faultLine, parsed.fault)};

    QList<QStringList> records;
    records.reserve(parsed.records.size());
    for (const Record &record : parsed.records)
        records.append(record.fields);

    MergeData data;
    data.kind = MergeData::Kind::Csv;
    data.hasHeader = !records.isEmpty()
        && (header == HeaderChoice::Yes
            || (header == HeaderChoice::Auto && looksLikeHeader(records.mid(0, SampleRecords))));
    const QStringList named = data.hasHeader ? records.takeFirst() : QStringList();
    if (records.size() > MergeLimits::MaxPeople)
        return {{}, MergeFaults::tooManyPeople(shownName)};

    qsizetype columns = named.size();
    for (const QStringList &record : std::as_const(records))
        columns = std::max(columns, record.size());
    for (qsizetype c = 0; c < columns; ++c) {
        const QString name = named.value(c);
        data.headers.append(name.isEmpty() ? QStringLiteral("Kolom %1").arg(c + 1) : name);
    }
    for (QStringList &record : records) {
        while (record.size() < columns)
            record.append(QString());
    }
    data.rows = std::move(records);
    return {data, QString()};
}

} // namespace CsvReader
