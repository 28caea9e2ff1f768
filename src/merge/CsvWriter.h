#pragma once

#include "core/MergeTable.h"

#include <QByteArray>

// A team's rows as a CSV file that CsvReader reads back exactly, with its header row
// taken as one: UTF-8 without a byte order mark, Excel's line "sep=," first (so that no
// reader has to guess the separator from fields that hold semicolons or tabs), then the
// header row and a row per person, fields apart by commas, lines ending in CRLF (RFC
// 4180). A field is quoted when reading it bare would change it: a comma, a quote, a line
// break or spaces at either end; a row of nothing but empty fields quotes its first, so
// that the person stays. A line break inside a field reads back as "\n", which is how the
// readers give every line break; a lone surrogate (from a damaged UTF-16 file), which
// UTF-8 cannot hold, as U+FFFD.
QByteArray writeCsv(const MergeData &data);
