#include "cardfile/RecoveryFolder.h"

#include "cardfile/CardFolder.h"
#include "core/AtomicFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kKeptAside = QStringLiteral("Bewaard-");

// The folder opened as itself: a link in its place does not open.
class FolderHandle {
public:
    explicit FolderHandle(const QString &path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC))
        , m_error(m_fd < 0 ? errno : 0)
    {
    }
    ~FolderHandle()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FolderHandle(const FolderHandle &) = delete;
    FolderHandle &operator=(const FolderHandle &) = delete;

    int fd() const { return m_fd; }
    bool isMissing() const { return m_error == ENOENT; }

private:
    int m_fd;
    int m_error;
};

// The endings of the files the card of every name writes, its back's and its team's
// among them.
QStringList fileEndings()
{
    return CardFolder::cardFileEndings() + CardFolder::backFileEndings() + CardFolder::teamFileEndings();
}

// Whether name is a file of the card named stem: its own files, its back's, and the
// design files of either side.
bool isFileOf(const QString &stem, const QString &name)
{
    return (name.startsWith(stem) && fileEndings().contains(name.mid(stem.size())))
        || CardFolder::isDesignFileOf(stem, name) || CardFolder::isDesignFileOf(CardFolder::backName(stem), name);
}

bool isCardFile(const QString &name)
{
    return isFileOf(RecoveryFolder::CardName, name);
}

bool isKeptAside(const QString &name)
{
    static const QRegularExpression keptAs(QStringLiteral("^Bewaard-\\d{8}-\\d{4}(-\\d+)?"));
    const QRegularExpressionMatch match = keptAs.match(name);
    return match.hasMatch() && isFileOf(match.captured(), name);
}

bool isOwnName(const QString &name)
{
    return isCardFile(name) || isKeptAside(name) || AtomicFile::isFreeName(name);
}

bool isRegularIn(int folder, const QString &name)
{
    struct stat info {};
    return ::fstatat(folder, QFile::encodeName(name).constData(), &info, AT_SYMLINK_NOFOLLOW) == 0
        && S_ISREG(info.st_mode);
}

bool existsIn(int folder, const QString &name)
{
    struct stat info {};
    return ::fstatat(folder, QFile::encodeName(name).constData(), &info, AT_SYMLINK_NOFOLLOW) == 0
        || errno != ENOENT;
}

// The names in the folder when every one of them is one of ours and a regular file;
// nullopt when anything else is there.
std::optional<QStringList> ownEntries(int folder)
{
    const int copy = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    DIR *dir = copy >= 0 ? ::fdopendir(copy) : nullptr;
    if (!dir) {
        if (copy >= 0)
            ::close(copy);
        return std::nullopt;
    }
    QStringList names;
    bool ours = true;
    while (const dirent *entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        // A name that does not come back as the same bytes is none of ours either.
        if (QFile::encodeName(name) != entry->d_name || !isOwnName(name) || !isRegularIn(folder, name)) {
            ours = false;
            break;
        }
        names << name;
    }
    ::closedir(dir);
    return ours ? std::optional<QStringList>(names) : std::nullopt;
}

// Renames without replacing a file that appeared under the new name meanwhile.
bool renameAside(int folder, const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(folder, source.constData(), folder, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    // A file system that cannot promise it: the name was found free just before.
    return errno == EINVAL && ::renameat(folder, source.constData(), folder, target.constData()) == 0;
}

} // namespace

namespace RecoveryFolder {

bool isOurs(const QString &folder)
{
    const FolderHandle handle(folder);
    if (handle.fd() < 0)
        return handle.isMissing();
    return ownEntries(handle.fd()).has_value();
}

bool isTakenByOther(const QString &folder)
{
    struct stat standing {};
    return !isOurs(folder) && ::lstat(QFile::encodeName(folder).constData(), &standing) == 0;
}

bool holdsRecord(const QString &folder)
{
    const FolderHandle handle(folder);
    if (handle.fd() < 0)
        return false;
    const auto names = ownEntries(handle.fd());
    return names && names->contains(CardName + CardFolder::cardFileEndings().first());
}

void clear(const QString &folder)
{
    const FolderHandle handle(folder);
    if (handle.fd() < 0)
        return;
    const auto names = ownEntries(handle.fd());
    if (!names)
        return;
    bool keptAsideRemains = false;
    for (const QString &name : *names) {
        if (isKeptAside(name))
            keptAsideRemains = true;
        else
            ::unlinkat(handle.fd(), QFile::encodeName(name).constData(), 0);
    }
    // Removes only an empty folder, and never one that a link stands in place of.
    if (!keptAsideRemains)
        ::rmdir(QFile::encodeName(folder).constData());
}

std::optional<QString> keepAside(const QString &folder, const QDateTime &written)
{
    const FolderHandle handle(folder);
    if (handle.fd() < 0)
        return std::nullopt;
    const auto names = ownEntries(handle.fd());
    if (!names)
        return std::nullopt;
    // The card's files as they are there, its back's and the design files included, each
    // by its ending.
    QStringList endings = fileEndings();
    for (const QString &name : *names)
        if (CardFolder::isDesignFileOf(CardName, name) || CardFolder::isDesignFileOf(CardFolder::backName(CardName), name))
            endings << name.mid(CardName.size());
    const QString base = kKeptAside + written.toString(QStringLiteral("yyyyMMdd-HHmm"));
    QString stem = base;
    for (int number = 2;; ++number) {
        const bool taken = std::any_of(endings.cbegin(), endings.cend(), [&](const QString &ending) {
            return existsIn(handle.fd(), stem + ending);
        });
        if (!taken)
            break;
        stem = base + QStringLiteral("-%1").arg(number);
    }
    bool allMoved = true;
    for (const QString &ending : endings)
        if (names->contains(CardName + ending))
            allMoved = renameAside(handle.fd(), CardName + ending, stem + ending) && allMoved;
    return allMoved ? std::optional<QString>(stem) : std::nullopt;
}

} // namespace RecoveryFolder
