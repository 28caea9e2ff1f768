#include "cardfile/ShippedTemplates.h"

#include "core/AtomicFile.h"
#include "core/RegularFile.h"

#include <QDir>
#include <QFile>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// A card-sized picture is well below this; anything larger is not one of ours.
constexpr qint64 LargestTemplate = 16 << 20;

bool existsInAnyForm(const QString &path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(fs::path(QFile::encodeName(path).toStdString()), error));
}

} // namespace

namespace ShippedTemplates {

QString installedFolder(const QString &programFolder)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/../share/lumovander/Templates"));
}

int seed(const QString &shippedFolder, const QString &templatesFolder)
{
    const QDir shipped(shippedFolder);
    if (QDir::cleanPath(shipped.absolutePath()) == QDir::cleanPath(QDir(templatesFolder).absolutePath())
        || !shipped.exists() || existsInAnyForm(templatesFolder))
        return 0;
    // mkdir, not mkpath: only the one folder is made, and never where something already is.
    if (!QDir().mkdir(templatesFolder))
        return 0;
    int copied = 0;
    const QStringList names = shipped.entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::NoSymLinks, QDir::Name);
    for (const QString &name : names) {
        const auto bytes = RegularFile::read(shipped.filePath(name), LargestTemplate);
        if (bytes && !AtomicFile::write(QDir(templatesFolder).filePath(name), *bytes))
            ++copied;
    }
    return copied;
}

} // namespace ShippedTemplates
