#pragma once

#include "core/CardTeam.h"

#include <QByteArray>
#include <optional>

// N.samenvoegen: how a card uses its team's rows (N.gegevens.csv), as lines of key=value
// in UTF-8, each key once:
//   bron=<the file's name as the user picked it>
//   soort=csv|vcard
//   kop=ja|nee              (the file's first row was its header)
//   regels=<the mapping, MergeMapping::toText>
//   overslaan=ja|nee        (empty fields let the lines below move up)
//   weg=<the rows left out, from 1, apart by commas; empty when none>
// Reading takes exactly that: a missing, doubled or unknown key, or a value out of its
// form, makes the file damaged.
namespace TeamFile {

// Far above what the program writes (ten thousand rows left out take some 60 KB).
constexpr qint64 MaxBytes = 256 * 1024;

// The team without its rows, as the file keeps it.
struct Settings {
    MergeData::Kind kind = MergeData::Kind::Csv;
    bool hasHeader = false;
    MergeMapping mapping;
    QString sourceName;
    bool skipEmpty = true;
    QList<int> leftOut; // from 0, ascending

    bool operator==(const Settings &) const = default;
};

QByteArray write(const CardTeam &team);
std::optional<Settings> read(const QByteArray &bytes);
// The team of these rows used as the settings say.
CardTeam teamOf(const Settings &settings, MergeData data);

} // namespace TeamFile
