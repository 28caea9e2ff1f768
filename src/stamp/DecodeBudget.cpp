#include "stamp/DecodeBudget.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

qint64 area(QSize size) { return qint64(std::max(0, size.width())) * std::max(0, size.height()); }

bool isStartOfFrame(uint8_t marker)
{
    // C4 (Huffman tables), C8 (reserved) and CC (arithmetic conditioning) are no frames.
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The size Qt's JPEG reader has libjpeg decode for a scaled read: the picture scaled by
// M/8 (M from 1 to 8), the smallest M that covers the target both ways; Qt then shrinks
// that to the target.
QSize jpegDecodedSize(QSize full, QSize target)
{
    if (target == full || target.isEmpty())
        return full;
    const double f = std::min(double(full.width()) / target.width(), double(full.height()) / target.height());
    const int m = std::clamp(int(std::ceil(8 / f)), 1, 8);
    return QSize(int((qint64(full.width()) * m + 7) / 8), int((qint64(full.height()) * m + 7) / 8));
}

} // namespace

namespace DecodeBudget {

JpegFrame jpegFrame(QByteArrayView b)
{
    JpegFrame frame;
    qsizetype at = 2;
    while (at + 4 <= b.size()) {
        if (uint8_t(b[at]) != 0xFF)
            break;
        const uint8_t marker = uint8_t(b[at + 1]);
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        const qsizetype length = uint8_t(b[at + 2]) << 8 | uint8_t(b[at + 3]);
        if (isStartOfFrame(marker)) {
            frame.progressive = (marker & 0x03) == 0x02;
            if (at + 9 < b.size())
                frame.components = std::max(1, int(uint8_t(b[at + 9])));
            break;
        }
        if (length < 2)
            break;
        at += 2 + length;
    }
    return frame;
}

QSize decodedSize(const QByteArray &format, QByteArrayView bytes, QSize readerSize)
{
    QSize size(readerSize.width(), qAbs(readerSize.height()));
    const auto le16 = [bytes](qsizetype at) { return int(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8); };
    if (format == "gif" && bytes.size() >= 10)
        size = size.expandedTo(QSize(le16(6), le16(8)));
    // Qt's bitmap reader gives no size at all for one it will not decode; the header
    // still says what the file claims, for the message.
    if (format == "bmp" && size.isEmpty() && bytes.size() >= 26 && le16(14) >= 40) {
        const auto le32 = [&](qsizetype at) { return qint32(quint32(le16(at)) | quint32(le16(at + 2)) << 16); };
        const qint64 width = le32(18);
        const qint64 height = qAbs(qint64(le32(22)));
        if (width > 0 && height > 0)
            size = QSize(int(std::min<qint64>(width, INT_MAX)), int(std::min<qint64>(height, INT_MAX)));
    }
    return size;
}

QSize coveringSize(QSize full, QSize cover)
{
    if (!cover.isValid() || cover.isEmpty() || full.isEmpty()
        || (full.width() <= cover.width() && full.height() <= cover.height()))
        return full;
    const double factor = std::max(double(cover.width()) / full.width(), double(cover.height()) / full.height());
    if (factor >= 1)
        return full;
    return QSize(std::clamp(int(std::ceil(full.width() * factor)), 1, full.width()),
                 std::clamp(int(std::ceil(full.height() * factor)), 1, full.height()));
}

qint64 peakBytes(const QByteArray &format, QByteArrayView bytes, QSize full, QSize target, QRect clip)
{
    if (format != "jpeg")
        return 4 * area(full) + (target == full ? 0 : 4 * area(target));
    const JpegFrame frame = jpegFrame(bytes);
    const qint64 coefficients = frame.progressive ? 2 * qint64(frame.components) * area(full) : 0;
    if (clip.isValid())
        return coefficients + 4 * area(clip.intersected(QRect(QPoint(0, 0), full)).size());
    const QSize decoded = jpegDecodedSize(full, target);
    return coefficients + 4 * area(decoded) + (decoded == target ? 0 : 4 * area(target));
}

} // namespace DecodeBudget
