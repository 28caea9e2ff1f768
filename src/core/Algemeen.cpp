#include "core/Algemeen.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <cmath>

namespace Algemeen {

void OpenDocument(const QString &path)
{
    const QUrl url(path);
    const bool isAddress = url.isValid() && url.scheme().size() > 1;
    QDesktopServices::openUrl(isAddress ? url : QUrl::fromLocalFile(path));
}

void WaitSeconds(double seconds)
{
    if (!(seconds > 0))
        return;
    const qint64 total = qint64(std::ceil(seconds * 1000.0));
    QElapsedTimer clock;
    clock.start();
    // Sleeping in an event loop rather than spinning: events are handled as they
    // come and the processor stays free in between.
    for (qint64 left = total; left > 0; left = total - clock.elapsed()) {
        QEventLoop loop;
        QTimer::singleShot(std::chrono::milliseconds(left), Qt::PreciseTimer, &loop,
                           &QEventLoop::quit);
        loop.exec();
    }
}

bool FileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace Algemeen
