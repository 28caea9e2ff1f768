#include "core/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {
QString &overrideFolder()
{
    static QString folder;
    return folder;
}

bool canWriteIn(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    // Permission bits lie on some file systems; only a real file tells.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".lumovander-XXXXXX")));
    return probe.open();
}
} // namespace

namespace DataFolder {

QString choose(const QString &programFolder, const QString &userFolder)
{
    if (canWriteIn(programFolder))
        return programFolder;
    QDir().mkpath(userFolder);
    return userFolder;
}

QString path()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    static const QString decided = choose(
        QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    return decided;
}

QString settingsFile() { return QDir(path()).filePath(QStringLiteral("Lumovander.ini")); }
QString cardsFolder() { return QDir(path()).filePath(QStringLiteral("Cards")); }
QString templatesFolder() { return QDir(path()).filePath(QStringLiteral("Templates")); }

void setOverride(const QString &folder) { overrideFolder() = folder; }

} // namespace DataFolder
