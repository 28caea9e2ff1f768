#include "cardfile/FileGroupWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <filesystem>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

fs::path nativePath(const QString &path) { return fs::path(path.toStdU16String()); }

QString fileNameOf(const QString &path) { return QFileInfo(path).fileName(); }

QString notWritten(const QString &path)
{
    return QStringLiteral("Het bestand '") + fileNameOf(path)
        + QStringLiteral("' kon niet worden geschreven.");
}

QString notReplaced(const QString &path)
{
    return QStringLiteral("Het bestand '") + fileNameOf(path)
        + QStringLiteral("' kon niet worden vervangen.");
}

// A name in the folder that no file has; hidden and without a card file's extension,
// so that the open dialog never lists it.
QString freeName(const QString &folder)
{
    for (;;) {
        const QString candidate = QDir(folder).filePath(
            QStringLiteral(".lumovander-%1").arg(QRandomGenerator::global()->generate64(), 16, 16,
                                                QLatin1Char('0')));
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

bool writeCompletely(QFile &file, const QByteArray &content)
{
    if (file.write(content) != content.size() || !file.flush())
        return false;
#ifdef Q_OS_UNIX
    // A card is only complete once it survives a power cut: the move into place must
    // not reach the disk before the content does.
    if (::fsync(file.handle()) != 0)
        return false;
#endif
    return true;
}

} // namespace

void FileGroupWriter::add(const QString &finalPath, const QByteArray &content)
{
    m_entries.push_back({finalPath, content, {}, {}});
}

std::optional<QString> FileGroupWriter::commit()
{
    std::optional<QString> failure = writeTemporaries();
    if (!failure)
        failure = keepOldFiles();
    if (!failure)
        failure = moveIntoPlace();
    discardTemporaries();
    discardBackups();
    return failure;
}

std::optional<QString> FileGroupWriter::writeTemporaries()
{
    for (Entry &entry : m_entries) {
        QFile file(freeName(m_folder));
        // NewOnly creates the file with the usual permissions and never opens another's.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return notWritten(entry.finalPath);
        entry.temporaryPath = file.fileName();
        const bool complete = writeCompletely(file, entry.content);
        file.close();
        if (!complete || file.error() != QFileDevice::NoError)
            return notWritten(entry.finalPath);
    }
    return std::nullopt;
}

std::optional<QString> FileGroupWriter::keepOldFiles()
{
    for (Entry &entry : m_entries) {
        std::error_code error;
        const fs::file_status old = fs::symlink_status(nativePath(entry.finalPath), error);
        if (!fs::exists(old) || fs::is_directory(old))
            continue; // nothing to keep; a folder in the way makes the move fail later
        const QString backup = freeName(m_folder);
        // A second name keeps the old file itself, untouched, until the new one is in place.
        fs::create_hard_link(nativePath(entry.finalPath), nativePath(backup), error);
        if (error) {
            error.clear();
            fs::copy_file(nativePath(entry.finalPath), nativePath(backup), error);
        }
        if (error) {
            QFile::remove(backup);
            return notReplaced(entry.finalPath);
        }
        entry.backupPath = backup;
    }
    return std::nullopt;
}

std::optional<QString> FileGroupWriter::moveIntoPlace()
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        Entry &entry = m_entries[i];
        std::error_code error;
        fs::rename(nativePath(entry.temporaryPath), nativePath(entry.finalPath), error);
        if (!error) {
            entry.temporaryPath.clear();
            continue;
        }
        // Put back what the earlier moves replaced, newest first.
        for (size_t j = i; j-- > 0;) {
            Entry &placed = m_entries[j];
            std::error_code undo;
            if (placed.backupPath.isEmpty()) {
                fs::remove(nativePath(placed.finalPath), undo);
            } else {
                fs::rename(nativePath(placed.backupPath), nativePath(placed.finalPath), undo);
                // Moved back, or, should even that fail, left under its second name:
                // either way it must not be removed with the other backups.
                placed.backupPath.clear();
            }
        }
        return notReplaced(entry.finalPath);
    }
    return std::nullopt;
}

void FileGroupWriter::discardTemporaries()
{
    for (Entry &entry : m_entries) {
        if (!entry.temporaryPath.isEmpty())
            QFile::remove(entry.temporaryPath);
        entry.temporaryPath.clear();
    }
}

void FileGroupWriter::discardBackups()
{
    for (Entry &entry : m_entries) {
        if (!entry.backupPath.isEmpty())
            QFile::remove(entry.backupPath);
        entry.backupPath.clear();
    }
}
