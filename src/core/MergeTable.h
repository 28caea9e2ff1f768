#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The people of a merge file: one row of fields per person, every row as long as the
// header. Read from a CSV or text file (its own columns) or a vCard file (the fixed
// columns below, one row per contact).
struct MergeData {
    enum class Kind { Csv, VCard };

    Kind kind = Kind::Csv;
    // One name per column: a CSV's header row ("Kolom 3" for a column it leaves unnamed,
    // and for every column of a file without one); for a vCard the fixed names.
    QStringList headers;
    // One row per person, each exactly headers.size() fields; a field a person does not
    // have is empty.
    QList<QStringList> rows;
    // Whether the first row of the CSV was taken as its header (never for a vCard).
    bool hasHeader = false;

    int columnCount() const { return int(headers.size()); }
    QString cell(int row, int column) const;

    friend bool operator==(const MergeData &, const MergeData &) = default;
};

namespace MergeLimits {

// Far beyond any team's file (a contact with a photo is some tens of kilobytes); larger
// files are refused before they are read.
constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
// A card per person, and a preview and a print run a person can wait for.
constexpr int MaxPeople = 10000;
// Address books export up to about a hundred columns; what has more is not a list of
// people, and would cost memory for every one of them.
constexpr int MaxColumns = 256;

} // namespace MergeLimits
