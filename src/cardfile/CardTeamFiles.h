#pragma once

#include "core/CardTeam.h"

#include <QString>
#include <QStringList>
#include <optional>

class FileGroupWriter;

// The files that keep a card's team beside its record, under the card's exact name:
// N.gegevens.csv (the rows, CsvWriter) and N.samenvoegen (TeamFile). See
// CardFolder::teamDataFile.
namespace CardTeamFiles {

// Adds the team's two files to the save of the card named name in folder; a card without
// a team instead removes those an earlier save of the name left (a link there goes
// itself, never what it points to).
void addTo(FileGroupWriter &group, const std::optional<CardTeam> &team, const QString &folder, const QString &name);

// The team saved with the card named name in folder: none when neither file is there.
// When one is missing or damaged, none either, and a Dutch sentence for the user says so;
// the card itself opens as it is.
struct ReadTeam {
    std::optional<CardTeam> team;
    QStringList notes;
};
ReadTeam read(const QString &folder, const QString &name);

// The team files of the card named name that stand in folder (files or links).
QStringList present(const QString &folder, const QString &name);

} // namespace CardTeamFiles
