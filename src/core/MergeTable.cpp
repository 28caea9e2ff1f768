#include "core/MergeTable.h"

QString MergeData::cell(int row, int column) const
{
    if (row < 0 || row >= rows.size())
        return {};
    return rows[row].value(column);
}
