#pragma once

#include "core/MergeTable.h"

#include <QList>
#include <QString>
#include <QStringList>

// What reading a merge file gave: the people, or why there are none.
struct MergeRead {
    MergeData data;
    QString fault; // Dutch, naming the file; empty when it was read
    explicit operator bool() const { return fault.isEmpty(); }
};


// The Dutch messages of the readers, all naming the file by its shown name.
namespace MergeFaults {

// "Het bestand X kon niet worden gelezen: regel N: reason."
QString atLine(const QString &shownName, int line, const QString &reason);
// "Het bestand X kon niet worden gelezen: reason."
QString unreadable(const QString &shownName, const QString &reason);
QString tooManyPeople(const QString &shownName);

} // namespace MergeFaults
