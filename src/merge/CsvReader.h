#pragma once

#include "merge/MergeData.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Whether a CSV's first row names its columns: found by the reader, or said by the user.
enum class HeaderChoice { Auto, Yes, No };

// A CSV or text export as spreadsheets and address books write it (RFC 4180): fields
// apart by a comma, a semicolon (what a Dutch spreadsheet writes) or a tab, whichever
// the file keeps to; a field in double quotes may hold separators, line breaks and
// doubled quotes; lines end in CRLF, LF or CR. Fields are taken without the spaces
// around them (a quoted field as it stands between its quotes), a line break inside one
// as "\n"; rows with nothing in them are left out, unless a field of theirs is quoted. Excel's first line "sep=;" names the separator.
namespace CsvReader {

MergeRead read(QStringView text, const QString &shownName, HeaderChoice header = HeaderChoice::Auto);

// The separator the text keeps to: the one of tab, semicolon and comma that splits the
// first records into the same number of fields most often (at least two), in that
// order when they tie; a comma when none splits them.
QChar separator(QStringView text);

// Whether the first of these records names the columns of the others: not when it holds
// a value (an e-mail address, a phone number, a number, a postcode); yes when it holds a
// column name that exports use; else yes when it leaves no column empty and a later
// record holds a value in a column where it holds a word. Otherwise it is a person.
bool looksLikeHeader(const QList<QStringList> &records);

} // namespace CsvReader
