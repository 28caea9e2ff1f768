#pragma once

#include "core/CardTeam.h"
#include "merge/CsvReader.h"
#include "merge/MergeData.h"

#include <QByteArray>
#include <QString>

// A merge file as the user picked it: read through RegularFile (a regular file only, at
// most MergeLimits::MaxFileBytes, without waiting on a pipe), then as a vCard when its
// name ends in .vcf or .vcard or its text begins with BEGIN:VCARD, else as CSV. Every
// way it can fail gives a Dutch message naming the file; a file without anyone in it is
// refused too.
MergeRead readMergeFile(const QString &path, HeaderChoice header = HeaderChoice::Auto);

// The same from the file's bytes; fileName gives the extension and the name the
// messages show.
MergeRead readMergeBytes(const QByteArray &bytes, const QString &fileName, HeaderChoice header = HeaderChoice::Auto);

// The team a file gives at first: every row, each line the column the file's order (or a
// vCard's fields) puts there (MergeMapping::defaultFor), empty fields skipped.
CardTeam teamOf(const MergeData &data);
