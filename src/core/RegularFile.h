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

// The caps of the program's own files, each far above what the program writes, so that
// whatever stands in their place costs no more than this to refuse. The settings file
// is under a hundred bytes and the printer correction file a few hundred.
constexpr qint64 SettingsLimit = 16 * 1024;
// A card record is a few hundred bytes; the one cap for opening a card and for the
// recovery card, so that what is offered is what can be brought back.
constexpr qint64 RecordLimit = 1 << 20;

// The whole file when it is a regular file of at most maxBytes; nullopt when it is
// missing, unreadable, something other than a regular file, or larger than maxBytes.
std::optional<QByteArray> read(const QString &path, qint64 maxBytes);

} // namespace RegularFile
