#pragma once

#include <QString>
#include <QStringList>

// The files of the Cards and Templates folders. A file belongs to a card only under the
// card's exact name: "JAN" and "jan" are two cards with files of their own. Card files
// copied from Windows may carry other letter cases throughout ("Jan.CRD",
// "Jan-Back.bmp"), and Windows treats those as the same names; so when not one file of
// a card has its exact name, the card's files are looked up in any letter case, all of
// them together.
namespace CardFolder {

// The entries of a folder's list: the names of the files ending in the extension
// (".crd" or ".tmp", any case) without it, in alphabetical order. A missing folder
// gives an empty list.
QStringList entries(const QString &folder, const QString &extension);

// The three files of the card named name in the Cards folder, and the print copies
// of its two pictures (see PrintCopyFile).
struct CardFiles {
    QString record;          // N.crd
    QString background;      // N-back.bmp
    QString stamp;           // N.bmp
    QString backgroundPrint; // N-back.print.png
    QString stampPrint;      // N.print.png
};
// The endings of a card's file names after N, in the order of CardFiles.
QStringList cardFileEndings();

// The files under their exact names, whether they exist or not: what saving writes.
CardFiles exactFiles(const QString &folder, const QString &name);
// The files of the card as they are found (see above): what opening reads and deleting
// removes.
CardFiles cardFiles(const QString &cardsFolder, const QString &name);

// The design beside the record (see DesignFile): N.opmaak, and the logos copied into
// the folder, N.logo.svg or N.logo.png for the first and N.logo-2.svg, N.logo-3.png...
// for the others. These are only ever looked up under the card's exact name: the
// program wrote them, in the letters of the name it saved under.
QString designFile(const QString &folder, const QString &name);
// The file name of the logo of object index (0 for the first) of the card named name.
QString logoFileName(const QString &name, int index, bool svg);
// The card's own logo file for a file its design names: name followed by the named
// file's logo ending (".logo.svg", ".logo-2.png"), so that a card renamed by hand with
// all its files keeps its logo, and a design never reaches a file of another card. Empty
// when the named file has no logo ending.
QString ownLogoFile(const QString &name, const QString &namedFile);
// Whether fileName is the design file or one of the logo files of the card named name.
bool isDesignFileOf(const QString &name, const QString &fileName);
// The logo files of the card named name that stand in folder, whatever they are
// (files, links, folders), as paths: what a save must replace or remove.
QStringList logoFiles(const QString &folder, const QString &name);

// The picture file of the template named name in the Templates folder.
QString templateFile(const QString &templatesFolder, const QString &name);

} // namespace CardFolder
