// One autosave of a card with a photo background and a cut stamp: the whole recovery
// write (two bitmaps, the record, each file synced to disk and moved into place) beside
// its parts and beside what is left on the main thread now that a worker writes, in
// the program's own kind of folder. The target for the main thread is 50 ms.
#include "BenchSupport.h"
#include "cardfile/Autosave.h"
#include "cardfile/CardRecord.h"
#include "cardfile/PictureFile.h"
#include "cardfile/RecoveryCard.h"
#include "core/CardDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QTextStream out(stdout);

void report(const char *what, const Bench::Timings &f)
{
    out << QStringLiteral("%1 %2 ms median, %3 ms worst\n")
               .arg(QString::fromLatin1(what), -44)
               .arg(f.median, 8, 'f', 3)
               .arg(f.worst, 8, 'f', 3);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = 40;

    CardDocument document;
    document.applyLayout(2);
    document.drawOnCanvas(QStringLiteral("Foto"),
                          [](QImage &canvas) { canvas = Bench::photo(canvas.width(), canvas.height()); });
    document.drawOnStamp(QStringLiteral("Foto"),
                         [](QImage &stamp) { stamp = Bench::photo(stamp.width(), stamp.height()).mirrored(); });
    document.enterTextLine(1, QStringLiteral("Jan de Vries"));

    // Beside the program, where the data folder usually is; not in a memory file system.
    QTemporaryDir dir(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("autosave-XXXXXX")));
    const QString folder = dir.filePath(QStringLiteral("Herstel"));

    const QImage &canvas = document.canvas().image();
    const QImage &stamp = document.stamp().image();
    out << "Autosave of a " << canvas.width() << " x " << canvas.height() << " card with a "
        << stamp.width() << " x " << stamp.height() << " stamp, " << runs << " runs, in "
        << dir.path() << "\n";
    const Bench::Timings encode = Bench::timeMs(runs, [&] {
        PictureFile::bitmapBytes(document.canvas().image());
        PictureFile::bitmapBytes(document.stamp().image());
        CardRecord::write(document.state());
    });
    report("encoding the three files", encode);
    const Bench::Timings whole = Bench::timeMs(runs, [&] {
        if (RecoveryCard::write(document, folder))
            std::abort();
    });
    report("whole recovery write (synced, moved in place)", whole);
    Autosave autosave(document, dir.filePath(QStringLiteral("Herstel2")), std::chrono::hours(1));
    const Bench::Timings asked =
        Bench::timeMs(runs, [&] { autosave.saveNow(); }, {}, [&] { autosave.waitForWrites(); });
    report("main thread's part (take the card, hand over)", asked);
    const Bench::Timings find = Bench::timeMs(runs, [&] { RecoveryCard::find(folder); });
    report("finding it at start-up (reads it whole)", find);
    out << QStringLiteral("whole write / 50 ms target: %1 (worst %2)\n")
               .arg(whole.median / 50.0, 0, 'f', 3)
               .arg(whole.worst / 50.0, 0, 'f', 3);
    out << QStringLiteral("main thread's part / 50 ms target: %1 (worst %2)\n")
               .arg(asked.median / 50.0, 0, 'f', 3)
               .arg(asked.worst / 50.0, 0, 'f', 3);
    return 0;
}
