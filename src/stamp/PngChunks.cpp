#include "stamp/PngChunks.h"

namespace PngChunks {

bool lieInFile(QByteArrayView png, End end)
{
    static constexpr QByteArrayView signature("\x89PNG\r\n\x1a\n", 8);
    if (!png.startsWith(signature))
        return false;
    const auto be32 = [png](qsizetype at) {
        return quint32(uchar(png[at])) << 24 | quint32(uchar(png[at + 1])) << 16
            | quint32(uchar(png[at + 2])) << 8 | quint32(uchar(png[at + 3]));
    };
    qsizetype at = signature.size();
    while (png.size() - at >= 12) {
        const quint32 length = be32(at);
        const QByteArrayView type = png.sliced(at + 4, 4);
        // Length, type, data and checksum.
        if (length > quint32(png.size() - at - 12))
            return end == End::MayBeCut && type == "IDAT";
        if (type == "IEND")
            return true;
        at += 12 + qsizetype(length);
    }
    return end == End::MayBeCut;
}

} // namespace PngChunks
