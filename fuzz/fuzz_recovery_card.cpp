// libFuzzer target: a recovery card folder made of any bytes, looked for and brought
// back as the program does at start-up. The input is the card's files one after another,
// each ended by a line "#LUMO#": the record, N-back.bmp, N.bmp, N-back.print.png and
// N.print.png (the seeds are sound recovery cards written by the program). Bringing it
// back must never fail half-way: either the card comes back whole or nothing changes.
#include "FuzzSupport.h"

#include "cardfile/CardFolder.h"
#include "cardfile/RecoveryCard.h"
#include "core/CardDocument.h"
#include "core/Composition.h"
#include "core/StampBox.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

const QByteArray kSeparator("\n#LUMO#\n");

void put(const QString &path, QByteArrayView bytes)
{
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)
        || file.write(bytes.data(), bytes.size()) != bytes.size())
        std::abort(); // the machine, not the input, failed
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/lumo-fuzz-recovery-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/lumo-fuzz-recovery-XXXXXX"));
    const QString folder = dir.filePath(QStringLiteral("Herstel"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const CardFolder::CardFiles files = CardFolder::cardFiles(folder, QStringLiteral("Kaart"));
    const QString order[] = {files.record, files.background, files.stamp, files.backgroundPrint,
                             files.stampPrint};

    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    qsizetype from = 0;
    for (const QString &path : order) {
        if (from > input.size())
            break;
        qsizetype end = input.indexOf(kSeparator, from);
        if (end < 0)
            end = input.size();
        put(path, input.sliced(from, end - from));
        from = end + kSeparator.size();
    }

    const bool found = RecoveryCard::find(folder).has_value();
    CardDocument document;
    const QImage before = document.canvas().image();
    const bool restored = RecoveryCard::restore(document, folder);
    if (restored != found)
        std::abort();
    if (!restored && document.canvas().image() != before)
        std::abort();
    if (restored) {
        const QImage canvas = document.canvas().image();
        if (canvas.size() != Composition::CanvasSize)
            std::abort();
        // A print copy, when one came back, is the canvas at print scale, never another size.
        if (document.canvas().hasPrintCopy()
            && document.canvas().printImage().size() != Composition::PrintCanvasSize)
            std::abort();
        const StampBox &stamp = document.stamp();
        if (stamp.hasPrintCopy() && stamp.printImage().size() != stamp.image().size() * Composition::PrintScale)
            std::abort();
    }
    return 0;
}
