#include "core/CardTeam.h"

QList<int> CardTeam::people() const
{
    QList<int> rows;
    for (int row = 0; row < data.rows.size(); ++row)
        if (!leftOut.contains(row))
            rows.append(row);
    return rows;
}
