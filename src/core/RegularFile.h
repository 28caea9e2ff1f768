#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Every file the program reads was picked by a user or copied from somewhere else, so
// it may be a named pipe, a device or a file that another program is still cutting
// short. Such files are read through here: opened without waiting, refused unless they
// are a regular file, copied into memory with a size cap and never memory-mapped (a
// mapped file cut short while it is read ends the process with SIGBUS).
namespace RegularFile {

// The whole file when it is a regular file of at most maxBytes; nullopt when it is
// missing, unreadable, something other than a regular file, or larger than maxBytes.
std::optional<QByteArray> read(const QString &path, qint64 maxBytes);

} // namespace RegularFile
