// Any bytes as a team's CSV file: reading never fails hard; what it reads has every row
// as long as the header and no more people than allowed; and written back as CSV (every
// field quoted, the separator named) it reads back the same.
#include "merge/CsvReader.h"
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
    }
    return 0;
}
