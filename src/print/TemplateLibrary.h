#pragma once

#include "print/CardStock.h"
#include "print/LabelTemplateFile.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The business-card sheets of the label templates installed on the machine (Debian's
// glabels-data in /usr/share/libglabels-3.0/templates) and of the user's own folder
// (~/.config/libglabels/templates), as card stocks "Kaartpapier" offers after its own.
//
// Of all templates only the sheets this program prints are taken: the category
// business-card, A4, one rectangular card shape laid out in 2 columns of 5 or 4 rows
// (one Layout of 2 across, or two single columns side by side at the same height),
// printed the right way round, every figure on the sheet and each card within it, and
// every field of the settings able to hold it. Other layouts (one wide card folded in
// two, 3 or more columns, other papers, round or CD labels) are left out.
//
// Every file is read as the program's own files are: a regular file only, opened
// without waiting, at most FileLimit bytes, and no more than TotalLimit bytes and
// FilesPerFolder files in all, so that whatever lies in those folders costs little.
namespace TemplateLibrary {

constexpr qint64 FileLimit = 2 * 1024 * 1024; // the library's largest file is under 100 KB
constexpr qint64 TotalLimit = 8 * 1024 * 1024; // the whole library is under 1 MB
constexpr int FilesPerFolder = 500;
// File names the programs give template files: *-templates.xml in the library, *.template
// for one the user made.
const QStringList FilePatterns = {QStringLiteral("*.xml"), QStringLiteral("*.template")};

struct Reading {
    // The sheets, sorted by maker and then product code.
    QList<CardStock> stocks;
    int files = 0;     // files read whole
    int templates = 0; // templates in them, copies (equiv) included
    // The files refused: not a regular file, too large, not readable as template XML.
    QStringList leftOutFiles;
};

// The user's own folder first, so that a template of theirs takes the place of the
// library's one of the same maker and part, then the library's folders.
QStringList standardFolders();

// Reads the template files of the folders, in that order and by name within a folder;
// a maker and part already read keeps its first template.
Reading read(const QStringList &folders);

// The sheet one template (with any equiv already resolved) gives, or nullopt when it is
// not one this program prints. source names where it came from.
std::optional<CardStock> stockOf(const LabelTemplateFile::Template &resolved, const QString &source);

// The reading of standardFolders(), or of the folders useFolders() named, read on the
// first call of the run and kept.
Reading installed();
// Tests and the benchmark read other folders; the next installed() reads them once.
void useFolders(const QStringList &folders);

// What "Kaartpapier" offers: the built-in sheets (CardStock::all()), then the library's.
// A library sheet with the product code of a built-in one that gives the very same
// settings is that sheet, and shown once, as the built-in one.
QList<CardStock> offered();
QList<CardStock> combined(const QList<CardStock> &builtIn, const QList<CardStock> &library);

} // namespace TemplateLibrary
