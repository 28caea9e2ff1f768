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
    m_entries.push_back({finalPath, content, {}, {}, false});
}

void FileGroupWriter::remove(const QString &path)
{
    m_entries.push_back({path, {}, {}, {}, true});
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
        if (entry.removal)
            continue;
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
        if (entry.removal)
            continue; // moved aside in its turn
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
        if (entry.removal) {
            if (const auto failure = moveAside(entry)) {
                putBackBefore(i);
                return failure;
            }
            continue;
        }
        std::error_code error;
        fs::rename(nativePath(entry.temporaryPath), nativePath(entry.finalPath), error);
        if (!error) {
            entry.temporaryPath.clear();
            continue;
        }
        putBackBefore(i);
        return notReplaced(entry.finalPath, error);
    }
    return std::nullopt;
}

std::optional<QString> FileGroupWriter::moveAside(Entry &entry)
{
    std::error_code error;
    const fs::file_status old = fs::symlink_status(nativePath(entry.finalPath), error);
    if (!fs::exists(old) || fs::is_directory(old))
        return std::nullopt;
    // Renamed, not unlinked: a link moves as itself, and the old file can come back.
    const QString aside = AtomicFile::freeName(m_folder);
    fs::rename(nativePath(entry.finalPath), nativePath(aside), error);
    if (error)
        return notReplaced(entry.finalPath, error);
    entry.backupPath = aside;
    return std::nullopt;
}

// Puts back what the moves before entry failed replaced or removed, newest first.
void FileGroupWriter::putBackBefore(size_t failed)
{
    for (size_t j = failed; j-- > 0;) {
        Entry &placed = m_entries[j];
        std::error_code undo;
        if (placed.backupPath.isEmpty()) {
            if (!placed.removal)
                fs::remove(nativePath(placed.finalPath), undo);
        } else {
            fs::rename(nativePath(placed.backupPath), nativePath(placed.finalPath), undo);
            // Moved back, or, should even that fail, left under its second name:
            // either way it must not be removed with the other backups.
            placed.backupPath.clear();
        }
    }
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
