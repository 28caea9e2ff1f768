// Any bytes as a team's CSV file: reading never fails hard; what it reads has every row
// as long as the header and no more people than allowed; and written back as CSV (every
// field quoted, the separator named; or as the card saves a team) it reads back the same.
#include "merge/CsvReader.h"
#include "merge/CsvWriter.h"
#include "merge/MergeText.h"

#include <QStringList>
#include <cstdlib>
#include <utility>

namespace {

QString quoted(const QString &field)
{
    QString text = field;
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString written(const MergeData &data)
{
    QList<QStringList> rows{data.headers};
    rows += data.rows;
    QString text = QStringLiteral("sep=;\r\n");
    for (const QStringList &row : std::as_const(rows)) {
        QStringList fields;
        for (const QString &field : row)
            fields.append(quoted(field));
        text += fields.join(u';') + QStringLiteral("\r\n");
    }
    return text;
}

// What UTF-8 can hold of a field: a lone surrogate (from a damaged UTF-16 file) becomes
// the replacement character. Behind a letter, so that a field's leading U+FEFF is not
// taken for the mark of a file.
QString asUtf8(const QString &field)
{
    return QString::fromUtf8((u'x' + field).toUtf8()).mid(1);
}

MergeData asUtf8(MergeData data)
{
    for (QString &header : data.headers)
        header = asUtf8(header);
    for (QStringList &row : data.rows)
        for (QString &field : row)
            field = asUtf8(field);
    return data;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = MergeText::decode(bytes);
    for (const HeaderChoice header : {HeaderChoice::Auto, HeaderChoice::No}) {
        const MergeRead read = CsvReader::read(text, QStringLiteral("fuzz.csv"), header);
        if (!read)
            continue;
        if (read.data.rows.size() > MergeLimits::MaxPeople || read.data.columnCount() > MergeLimits::MaxColumns)
            std::abort();
        for (const QStringList &row : read.data.rows)
            if (row.size() != read.data.columnCount())
                std::abort();
        if (read.data.columnCount() == 0)
            continue;
        const MergeRead again = CsvReader::read(written(read.data), QStringLiteral("fuzz.csv"), HeaderChoice::Yes);
        if (!again || again.data.headers != read.data.headers || again.data.rows != read.data.rows)
            std::abort();
        const MergeRead saved =
            CsvReader::read(QString::fromUtf8(writeCsv(read.data)), QStringLiteral("fuzz.csv"), HeaderChoice::Yes);
        const MergeData held = asUtf8(read.data);
        if (!saved || saved.data.headers != held.headers || saved.data.rows != held.rows)
            std::abort();
    }
    return 0;
}
