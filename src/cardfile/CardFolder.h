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

// The team of a card (the people it is made for), beside the record under the card's
// exact name: N.gegevens.csv holds the rows, N.samenvoegen which line takes which column,
// the choices and who is left out (see TeamFile). Only a card with a team has them.
QString teamDataFile(const QString &folder, const QString &name);
QString teamFile(const QString &folder, const QString &name);
// The endings after N, in the order above.
QStringList teamFileEndings();

// The back of the card named name, kept beside the card under the name N.achterkant:
// N.achterkant.rec (its fields, in the record format of N.crd), N.achterkant.bmp (its
// canvas), N.achterkant.print.png (that picture's print copy), and its design and logos
// as any card's under that name (N.achterkant.opmaak, N.achterkant.logo.svg, ...). The
// word "back" already names the front's background (N-back.bmp), hence another word. The
// files are a back only while its record stands there: without it the card has none,
// and files of those names are left alone (a card an earlier version let the user name
// "N.achterkant" may own some). Looked up under the exact name only, like the design:
// the program wrote them.
QString backName(const QString &name);
struct BackFiles {
    QString record;          // N.achterkant.rec
    QString background;      // N.achterkant.bmp
    QString backgroundPrint; // N.achterkant.print.png
};
// The endings after N, in the order of BackFiles.
QStringList backFileEndings();
BackFiles backFiles(const QString &folder, const QString &name);
// Whether something (a file, a link, anything) stands at path, a link not followed.
bool standsThere(const QString &path);
// Whether something stands where the back's record goes: the back's files are then the
// card's to replace or remove.
bool hasBack(const QString &folder, const QString &name);
// Whether name ends in ".achterkant", in any letters: no card may be named so, as its
// files would be another card's back (and on Windows, in other letters, the same files).
bool isBackName(const QString &name);

// The picture file of the template named name in the Templates folder.
QString templateFile(const QString &templatesFolder, const QString &name);

} // namespace CardFolder
