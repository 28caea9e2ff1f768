#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QIODevice;

// The one way the program writes a file: the content goes to a hidden file beside the
// target, every write and the final flush are checked, the content is synced to the
// disk, and only then the file is renamed over the target. On any failure the hidden
// file is removed and the old file stays as it was.
//
// Qt's QSaveFile is not used: its commit() ignores an error of the last flush, and a
// small file sits entirely in its buffer until then, so a full disk became an empty
// file reported as saved.
namespace AtomicFile {

// Fills the file through the device; false means the content could not be made.
using Filler = std::function<bool(QIODevice &device)>;

// Why a file could not be written, in Dutch: the whole message naming the file, and the
// reason alone (e.g. "De schijf is vol."), empty when there is none to tell.
struct Failure {
    QString message;
    QString reason;
};

// What names standard output in a path the batch program is given.
inline constexpr char StandardOutput[] = "-";

// Whose name the path is. The program's own files (settings, corrections, templates, a
// card's files) are always put in place by renaming, so that a FIFO standing under such a
// name is replaced and never holds the program up. An output the user named (a batch
// command's output, a PDF) may be a stream the user means to fill.
enum class Destination { OwnFile, Output };

// nullopt when the file is in place. A regular file (or a link, which is replaced itself,
// never written through) is replaced by renaming. For an Output, a FIFO or a character
// device (/dev/null, a terminal, /dev/stdout and the other names of the process's own
// open files) cannot be put in place by a rename: the content is written into it
// directly, and StandardOutput writes to standard output; a block device or a socket is
// refused.
std::optional<Failure> write(const QString &path, const QByteArray &bytes,
                             Destination destination = Destination::OwnFile);
std::optional<Failure> write(const QString &path, const Filler &fill, Destination destination = Destination::OwnFile);

// The first half of write, for writers that move several files into place together:
// a complete, synced hidden file in folder. Either its path or the reason.
struct Temporary {
    QString path;
    std::optional<Failure> failure;
};
Temporary writeTemporary(const QString &folder, const QString &finalPath, const Filler &fill);

// A hidden name in folder that no file has (".lumovander-" and 16 hex digits, without
// a card file's extension, so that no dialog lists it).
QString freeName(const QString &folder);
// Whether a file name (without folder) is one freeName gives: what an interrupted write
// may leave behind.
bool isFreeName(const QString &fileName);

// The Dutch reason for an errno value of a failed write, e.g. a full disk.
QString reasonFor(int errorNumber);

} // namespace AtomicFile
