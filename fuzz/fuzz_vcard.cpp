// Any bytes as a vCard file: reading never fails hard, and what it reads is one row of
// the seven columns per person, no more people than allowed, each with something in it;
// a person's lines with empty fields skipped keep exactly the fields the person has.
#include "core/MergeMapping.h"
#include "merge/MergePerson.h"
#include "merge/VCardReader.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const MergeRead read = VCardReader::read(bytes, QStringLiteral("fuzz.vcf"));
    if (!read)
        return 0;
    if (read.data.headers != VCardReader::columnNames() || read.data.rows.size() > MergeLimits::MaxPeople)
        std::abort();
    const MergeMapping mapping = MergeMapping::defaultFor(read.data);
    for (int r = 0; r < read.data.rows.size(); ++r) {
        const QStringList &row = read.data.rows[r];
        if (row.size() != VCardReader::ColumnCount
            || std::all_of(row.cbegin(), row.cend(), [](const QString &f) { return f.isEmpty(); }))
            std::abort();
        // Every column is mapped to its line, so the lines that keep a place are exactly
        // the fields the person has, each with its text.
        const auto filled = std::count_if(row.cbegin(), row.cend(), [](const QString &f) { return !f.isEmpty(); });
        qsizetype placed = 0;
        for (const PlacedLine &line : personLines({}, mapping, row, true)) {
            if (line.source >= 0 && line.text.isEmpty())
                std::abort();
            placed += line.source >= 0 ? 1 : 0;
        }
        if (placed != filled)
            std::abort();
        (void)personName(read.data, mapping, r);
    }
    return 0;
}
