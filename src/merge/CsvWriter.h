#pragma once

#include "core/MergeTable.h"

#include <QByteArray>

// A team's rows as a CSV file that CsvReader reads back exactly, with its header row
// taken as one: UTF-8 without a byte order mark, the header row first, fields apart by
// commas, lines ending in CRLF (RFC 4180). A field is quoted when reading it bare would
// change it: a separator the reader might take (comma, semicolon, tab), a quote, a line
// break, spaces at either end, or Excel's "sep=" at the start of the file; a row of
// nothing but empty fields quotes its first, so that the person stays. A line break
// inside a field reads back as "\n", which is how the readers give every line break.
QByteArray writeCsv(const MergeData &data);
