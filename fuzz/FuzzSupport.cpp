#include "FuzzSupport.h"

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
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("input"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort(); // the machine, not the input, failed
    return path;
}

} // namespace FuzzSupport
