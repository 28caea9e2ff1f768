#include "cardfile/CardFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <sys/stat.h>

namespace {

// The paths of name + each ending, in that order.
QStringList exactPaths(const QDir &dir, const QString &name, const QStringList &endings)
{
    QStringList paths;
    for (const QString &ending : endings)
        paths << dir.filePath(name + ending);
    return paths;
}

// The entry that spells fileName in other letters. Of several, the one that spells
// the card's name itself exactly (only its ending differs); when that does not decide,
// none: a file of one of two other cards would be a guess.
QString otherCase(const QStringList &all, const QString &name, const QString &fileName)
{
    QStringList found;
    for (const QString &candidate : all)
        if (candidate.compare(fileName, Qt::CaseInsensitive) == 0)
            found << candidate;
    if (found.size() == 1)
        return found.first();
    QStringList sameName;
    for (const QString &candidate : found)
        if (candidate.startsWith(name))
            sameName << candidate;
    return sameName.size() == 1 ? sameName.first() : QString();
}

// The files of one card: the exact names when one of them exists; otherwise each
// file in whatever letters it was copied with.
QStringList locateAll(const QString &folder, const QString &name, const QStringList &endings)
{
    const QDir dir(folder);
    QStringList paths = exactPaths(dir, name, endings);
    if (std::any_of(paths.cbegin(), paths.cend(), [](const QString &path) { return QFileInfo::exists(path); }))
        return paths;
    const QStringList all = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (qsizetype i = 0; i < endings.size(); ++i) {
        const QString found = otherCase(all, name, name + endings[i]);
        if (!found.isEmpty())
            paths[i] = dir.filePath(found);
    }
    return paths;
}

const QString kDesignEnding = QStringLiteral(".opmaak");
const QString kBackWord = QStringLiteral(".achterkant");

// What follows the card's name in a logo file's name: ".logo.svg", ".logo-2.png"; the
// numbers from 2 on, written as a save writes them.
bool isLogoEnding(const QString &ending)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("\\.logo(-[1-9][0-9]{0,2})?\\.(svg|png)")));
    const QRegularExpressionMatch match = pattern.match(ending);
    return match.hasMatch() && match.captured(1) != QLatin1String("-1");
}

CardFolder::CardFiles asCardFiles(const QStringList &paths)
{
    return {paths[0], paths[1], paths[2], paths[3], paths[4]};
}

} // namespace

namespace CardFolder {

QStringList entries(const QString &folder, const QString &extension)
{
    const QStringList files =
        QDir(folder).entryList({QLatin1Char('*') + extension}, QDir::Files, QDir::Unsorted);
    QStringList names;
    names.reserve(files.size());
    for (const QString &file : files)
        names << file.chopped(extension.size());
    // Sorted by the names shown, so that "Jan" comes before "Jan-2" and "jan 2".
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int byLetters = a.compare(b, Qt::CaseInsensitive);
        return byLetters != 0 ? byLetters < 0 : a < b;
    });
    return names;
}

QStringList cardFileEndings()
{
    return {QStringLiteral(".crd"), QStringLiteral("-back.bmp"), QStringLiteral(".bmp"),
            QStringLiteral("-back.print.png"), QStringLiteral(".print.png")};
}

CardFiles exactFiles(const QString &folder, const QString &name)
{
    return asCardFiles(exactPaths(QDir(folder), name, cardFileEndings()));
}

CardFiles cardFiles(const QString &cardsFolder, const QString &name)
{
    return asCardFiles(locateAll(cardsFolder, name, cardFileEndings()));
}

QString designFile(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name + kDesignEnding);
}

QString logoFileName(const QString &name, int index, bool svg)
{
    const QString number = index == 0 ? QString() : QStringLiteral("-%1").arg(index + 1);
    return name + QStringLiteral(".logo") + number + (svg ? QStringLiteral(".svg") : QStringLiteral(".png"));
}

QString ownLogoFile(const QString &name, const QString &namedFile)
{
    static const QRegularExpression ending(QStringLiteral("\\.logo(-[1-9][0-9]{0,2})?\\.(svg|png)\\z"));
    const QRegularExpressionMatch match = ending.match(namedFile);
    if (!match.hasMatch() || !isLogoEnding(match.captured()))
        return QString();
    return name + match.captured();
}

bool isDesignFileOf(const QString &name, const QString &fileName)
{
    if (!fileName.startsWith(name))
        return false;
    const QString ending = fileName.mid(name.size());
    return ending == kDesignEnding || isLogoEnding(ending);
}

QStringList logoFiles(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    QStringList paths;
    for (const QString &entry : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        if (entry.startsWith(name) && isLogoEnding(entry.mid(name.size())))
            paths << dir.filePath(entry);
    return paths;
}

QStringList teamFileEndings()
{
    return {QStringLiteral(".gegevens.csv"), QStringLiteral(".samenvoegen")};
}

QString teamDataFile(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name + teamFileEndings()[0]);
}

QString teamFile(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name + teamFileEndings()[1]);
}

QString backName(const QString &name)
{
    return name + kBackWord;
}

QStringList backFileEndings()
{
    return {kBackWord + QStringLiteral(".rec"), kBackWord + QStringLiteral(".bmp"),
            kBackWord + QStringLiteral(".print.png")};
}

BackFiles backFiles(const QString &folder, const QString &name)
{
    const QStringList paths = exactPaths(QDir(folder), name, backFileEndings());
    return {paths[0], paths[1], paths[2]};
}

bool standsThere(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

bool hasBack(const QString &folder, const QString &name)
{
    return standsThere(backFiles(folder, name).record);
}

bool isBackName(const QString &name)
{
    return name.endsWith(kBackWord, Qt::CaseInsensitive);
}

QString templateFile(const QString &templatesFolder, const QString &name)
{
    return locateAll(templatesFolder, name, {QStringLiteral(".tmp")}).first();
}

} // namespace CardFolder
