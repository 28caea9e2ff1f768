#pragma once

#include <QString>
#include <QStringList>

// The files of the Cards and Templates folders. Card files copied from Windows may
// carry other letter cases ("Jan.CRD", "Jan-Back.bmp"); Windows treats those as the
// same names, so this does too: an exact match wins, otherwise any case will do.
namespace CardFolder {

// The entries of a folder's list: the names of the files ending in the extension
// (".crd" or ".tmp", any case) without it, in alphabetical order. A missing folder
// gives an empty list.
QStringList entries(const QString &folder, const QString &extension);

// The path of the file with this name in the folder: the existing file whose name
// matches, or the name as given when none does.
QString locate(const QString &folder, const QString &fileName);

// The three files of the card named name in the Cards folder, and the print copies
// of its two pictures (see PrintCopyFile).
struct CardFiles {
    QString record;          // N.crd
    QString background;      // N-back.bmp
    QString stamp;           // N.bmp
    QString backgroundPrint; // N-back.print.png
    QString stampPrint;      // N.print.png
};
CardFiles cardFiles(const QString &cardsFolder, const QString &name);

// The picture file of the template named name in the Templates folder.
QString templateFile(const QString &templatesFolder, const QString &name);

} // namespace CardFolder
