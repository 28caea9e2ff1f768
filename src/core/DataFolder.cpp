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

// An installed program lies in a prefix's bin folder (/usr/bin, /usr/local/bin,
// /opt/…/bin), shared by every user and by other programs: even when it is writable,
// as for root, settings and cards do not belong there.
bool isInstalledLocation(const QString &folder)
{
    return QDir(QDir::cleanPath(folder)).dirName() == QLatin1String("bin");
}

} // namespace

namespace DataFolder {

QString choose(const QString &programFolder, const QString &userFolder)
{
    if (!isInstalledLocation(programFolder) && canWriteIn(programFolder))
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
