// libFuzzer target: any bytes as a print copy read back from a card folder (N.print.png
// beside N.bmp). The seeds are tagged with the bitmap this target writes, so mutations
// get past the tag to the PNG decoder. Whatever comes back must be the size asked for,
// Format_RGB32, or null.
#include "FuzzSupport.h"

#include "cardfile/PrintCopyFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

// The bitmap every seed belongs to (fuzz/make_corpus.cpp writes the same bytes).
const QByteArray kBitmap("fuzz-print-copy-bitmap");
constexpr QSize kSeedSize(48, 32);

QString bitmapPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("N.bmp"));
        QFile file(p);
        if (!file.open(QIODevice::WriteOnly) || file.write(kBitmap) != kBitmap.size())
            std::abort();
        return p;
    }();
    return path;
}

void check(const QImage &image, QSize size)
{
    if (!image.isNull() && (image.size() != size || image.format() != QImage::Format_RGB32))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::asFile(data, size);
    check(PrintCopyFile::read(path, bitmapPath(), kSeedSize), kSeedSize);
    // Also at whatever size the header claims, so that a mutated size is decoded too; the
    // card's own bitmap bounds what is asked for in the program, a quarter megapixel here.
    // The size is taken from the header's bytes: the PNG library would read the whole
    // header, whatever its chunks claim.
    const auto be32 = [data](size_t at) {
        return quint32(data[at]) << 24 | quint32(data[at + 1]) << 16 | quint32(data[at + 2]) << 8 | data[at + 3];
    };
    const QSize claimed = size >= 24 ? QSize(int(be32(16) & 0x7FFFFFFF), int(be32(20) & 0x7FFFFFFF)) : QSize();
    if (claimed.isValid() && qint64(claimed.width()) * claimed.height() <= (qint64(1) << 18))
        check(PrintCopyFile::read(path, bitmapPath(), claimed), claimed);
    return 0;
}
