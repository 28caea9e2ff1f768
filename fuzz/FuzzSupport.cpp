#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdlib>

namespace FuzzSupport {

void startApplication()
{
    static int argc = 1;
    static char name[] = "lumovander-fuzz";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication *app = new QGuiApplication(argc, argv);
    (void)app;
}

QString asFile(const uint8_t *data, size_t size)
{
    // In memory where the system offers it; and a new file each time, since truncating a
    // file on ext4 waits for its blocks to be flushed (a hundred times slower).
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/lumo-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/lumo-fuzz-XXXXXX"));
    static const QString path = dir.filePath(QStringLiteral("input"));
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort(); // the machine, not the input, failed
    return path;
}

} // namespace FuzzSupport
