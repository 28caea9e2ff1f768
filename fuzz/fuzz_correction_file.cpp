// libFuzzer target: any bytes as the printers' correction file. Every value read must lie
// in its range, and what is read must come back the same from its own encoding.
#include "FuzzSupport.h"

#include "print/CorrectionFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

bool inRange(const PrinterCorrection &c)
{
    using namespace CorrectionFile;
    const auto shift = [](double v) { return v >= -MaxShiftMm && v <= MaxShiftMm; };
    const auto scale = [](double v) { return v >= MinScale && v <= MaxScale; };
    return shift(c.shiftX) && shift(c.shiftY) && scale(c.scaleX) && scale(c.scaleY);
}

bool same(const PrinterCorrection &a, const PrinterCorrection &b)
{
    return a.shiftX == b.shiftX && a.shiftY == b.shiftY && a.scaleX == b.scaleX && a.scaleY == b.scaleY;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::asFile(data, size);
    const CorrectionFile::Entries entries = CorrectionFile::read(path);
    CorrectionFile::Entries kept;
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
        if (!inRange(entry.value()))
            std::abort();
        if (!entry.value().isNeutral())
            kept.insert(entry.key(), entry.value());
    }
    // Written and read again, every correction that is not neutral comes back as it was.
    const QByteArray encoded = CorrectionFile::encode(kept);
    const QString again = FuzzSupport::asFile(reinterpret_cast<const uint8_t *>(encoded.constData()),
                                              size_t(encoded.size()));
    const CorrectionFile::Entries reread = CorrectionFile::read(again);
    for (auto entry = kept.cbegin(); entry != kept.cend(); ++entry)
        if (!reread.contains(entry.key()) || !same(reread.value(entry.key()), entry.value()))
            std::abort();
    return 0;
}
