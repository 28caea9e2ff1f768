#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// Writes several files of one folder as one step: either every file gets its new
// content or every old file stays exactly as it was. Each file is first written
// completely under a temporary name in the folder and moved into place only when all
// of them are complete; when a move fails, the files moved before it are put back.
// Files the step removes go the same way: moved aside under a temporary name in their
// turn, put back when a later move fails, and gone only once all is in place.
class FileGroupWriter {
public:
    explicit FileGroupWriter(QString folder) : m_folder(std::move(folder)) {}

    // Files are moved into place in the order they were added.
    void add(const QString &finalPath, const QByteArray &content);
    // The file (or the link) at path goes, in its turn among the files added; nothing
    // when nothing stands there, and a folder in its place is left alone. A link is
    // removed itself, never what it points to.
    void remove(const QString &path);

    // nullopt when all files are in place; otherwise the Dutch reason, and the folder
    // holds what it held before.
    std::optional<QString> commit();

private:
    struct Entry {
        QString finalPath;
        QByteArray content;
        QString temporaryPath;
        QString backupPath; // a second name for the old file, empty when there was none
        bool removal = false;
    };
    std::optional<QString> writeTemporaries();
    std::optional<QString> keepOldFiles();
    std::optional<QString> moveIntoPlace();
    std::optional<QString> moveAside(Entry &entry);
    void putBackBefore(size_t failed);
    void discardTemporaries();
    void discardBackups();

    QString m_folder;
    std::vector<Entry> m_entries;
};
