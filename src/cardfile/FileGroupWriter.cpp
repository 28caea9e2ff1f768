#include "cardfile/FileGroupWriter.h"

#include "core/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The bytes the system knows the name by; unlike a conversion from UTF-16 this never
// throws, whatever the name holds.
fs::path nativePath(const QString &path) { return fs::path(QFile::encodeName(path).toStdString()); }

QString fileNameOf(const QString &path) { return QFileInfo(path).fileName(); }

// With the reason, so that the user knows what to change: room, permission, a folder
// standing in the way, a name too long.
QString notReplaced(const QString &path, const std::error_code &error)
{
    const QString message = QStringLiteral("Het bestand '") + fileNameOf(path)
        + QStringLiteral("' kon niet worden vervangen.");
    const QString reason = error ? AtomicFile::reasonFor(error.value()) : QString();
    return reason.isEmpty() ? message : message + QLatin1Char(' ') + reason;
}

} // namespace

void FileGroupWriter::add(const QString &finalPath, const QByteArray &content)
{
    m_entries.push_back({finalPath, content, {}, {}});
}

std::optional<QString> FileGroupWriter::commit()
{
    std::optional<QString> failure;
    try {
        failure = writeTemporaries();
        if (!failure)
            failure = keepOldFiles();
        if (!failure)
            failure = moveIntoPlace();
    } catch (...) {
        // No hidden file may outlive a failure, whatever the failure was.
        discardTemporaries();
        discardBackups();
        throw;
    }
    discardTemporaries();
    discardBackups();
    return failure;
}

std::optional<QString> FileGroupWriter::writeTemporaries()
{
    for (Entry &entry : m_entries) {
        // Synced before any move: a card is only complete once it survives a power cut.
        const AtomicFile::Temporary written = AtomicFile::writeTemporary(
            m_folder, entry.finalPath,
            [&entry](QIODevice &device) { return device.write(entry.content) == entry.content.size(); });
        if (written.failure)
            return written.failure->message;
        entry.temporaryPath = written.path;
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
        const QString backup = AtomicFile::freeName(m_folder);
        // A second name keeps the old file itself, untouched, until the new one is in place.
        fs::create_hard_link(nativePath(entry.finalPath), nativePath(backup), error);
        if (error) {
            error.clear();
            fs::copy_file(nativePath(entry.finalPath), nativePath(backup), error);
        }
        if (error) {
            QFile::remove(backup);
            return notReplaced(entry.finalPath, error);
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
        return notReplaced(entry.finalPath, error);
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
