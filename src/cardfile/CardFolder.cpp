#include "cardfile/CardFolder.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

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

QString locate(const QString &folder, const QString &fileName)
{
    const QDir dir(folder);
    const QString exact = dir.filePath(fileName);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList all = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QString &candidate : all)
        if (candidate.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(candidate);
    return exact;
}

CardFiles cardFiles(const QString &cardsFolder, const QString &name)
{
    return {locate(cardsFolder, name + QStringLiteral(".crd")),
            locate(cardsFolder, name + QStringLiteral("-back.bmp")),
            locate(cardsFolder, name + QStringLiteral(".bmp")),
            locate(cardsFolder, name + QStringLiteral("-back.print.png")),
            locate(cardsFolder, name + QStringLiteral(".print.png"))};
}

QString templateFile(const QString &templatesFolder, const QString &name)
{
    return locate(templatesFolder, name + QStringLiteral(".tmp"));
}

} // namespace CardFolder
