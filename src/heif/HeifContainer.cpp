#include "heif/HeifContainer.h"

#include "core/PictureLimits.h"

#include <QHash>
#include <QSize>
#include <QtEndian>
#include <algorithm>
#include <climits>
#include <optional>

bool HeifContainer::hasHevcBrand(QByteArrayView bytes)
{
    if (bytes.size() < 16 || bytes.sliced(4, 4) != QByteArrayView("ftyp"))
        return false;
    const qsizetype boxSize = std::min<qsizetype>(qFromBigEndian<quint32>(bytes.data()), bytes.size());
    static const QByteArrayView hevc[] = {"heic", "heix", "heim", "heis", "hevc", "hevx", "mif1", "msf1"};
    const auto isHevc = [](QByteArrayView brand) {
        return std::find(std::begin(hevc), std::end(hevc), brand) != std::end(hevc);
    };
    const QByteArrayView major = bytes.sliced(8, 4);
    if (major == QByteArrayView("avif") || major == QByteArrayView("avis"))
        return false;
    if (isHevc(major))
        return true;
    for (qsizetype at = 16; at + 4 <= boxSize; at += 4)
        if (isHevc(bytes.sliced(at, 4)))
            return true;
    return false;
}

namespace {

// Reads the bits of an HEVC parameter set, its emulation-prevention bytes removed.
class BitReader {
public:
    explicit BitReader(QByteArrayView nal)
    {
        int zeros = 0;
        for (const char byte : nal) {
            if (zeros >= 2 && byte == 3) {
                zeros = 0;
                continue;
            }
            zeros = byte == 0 ? zeros + 1 : 0;
            m_bytes.append(byte);
        }
    }
    bool failed() const { return m_failed; }
    quint32 bits(int n)
    {
        quint32 value = 0;
        for (int i = 0; i < n; ++i) {
            if (m_at >= m_bytes.size() * 8) {
                m_failed = true;
                return 0;
            }
            value = value << 1 | ((uchar(m_bytes[m_at / 8]) >> (7 - m_at % 8)) & 1);
            ++m_at;
        }
        return value;
    }
    void skip(int n) { bits(n); }
    // Exp-Golomb, ue(v); anything longer than 31 bits counts as broken.
    quint32 ue()
    {
        int zeros = 0;
        while (!m_failed && bits(1) == 0)
            if (++zeros > 31)
                m_failed = true;
        return m_failed ? 0 : ((quint32(1) << zeros) - 1 + bits(zeros));
    }

private:
    QByteArray m_bytes;
    qsizetype m_at = 0;
    bool m_failed = false;
};

// The coded picture size of a sequence parameter set (NAL unit type 33, header
// included); nothing when it cannot be read or is out of the standard's range.
std::optional<QSize> spsSize(QByteArrayView nal)
{
    BitReader r(nal);
    r.skip(16); // NAL unit header
    r.skip(4);  // sps_video_parameter_set_id
    const int subLayers = int(r.bits(3));
    r.skip(1);
    r.skip(96); // general profile, tier and level
    bool profile[8] = {}, level[8] = {};
    for (int i = 0; i < subLayers; ++i) {
        profile[i] = r.bits(1);
        level[i] = r.bits(1);
    }
    if (subLayers > 0)
        r.skip(2 * (8 - subLayers));
    for (int i = 0; i < subLayers; ++i)
        r.skip((profile[i] ? 88 : 0) + (level[i] ? 8 : 0));
    const quint32 id = r.ue();
    const quint32 chroma = r.ue();
    if (chroma == 3)
        r.skip(1); // separate_colour_plane_flag
    const quint32 width = r.ue();
    const quint32 height = r.ue();
    // Values the standard forbids mean a damaged set; libde265 then allocates at random.
    if (r.failed() || id > 15 || chroma > 3)
        return std::nullopt;
    return QSize(int(std::min<quint32>(width, INT_MAX)), int(std::min<quint32>(height, INT_MAX)));
}

// Big-endian fields of a box, read forward; reading past its end marks it failed.
struct FieldReader {
    QByteArrayView bytes;
    qsizetype at = 0;
    bool failed = false;
    quint64 take(int size)
    {
        if (size < 0 || size > 8 || at + size > bytes.size()) {
            failed = true;
            return 0;
        }
        quint64 value = 0;
        for (int i = 0; i < size; ++i)
            value = value << 8 | uchar(bytes[at + i]);
        at += size;
        return value;
    }
};

QByteArrayView boxBody(QByteArrayView meta, const char *type)
{
    const qsizetype at = meta.indexOf(QByteArrayView(type, 4));
    if (at < 4)
        return {};
    const qsizetype size = qFromBigEndian<quint32>(meta.data() + at - 4);
    if (size < 8 || at - 4 + size > meta.size())
        return {};
    return meta.sliced(at + 4, size - 8);
}

// The items that are grids of tiles or overlays, by item number, from the iinf box.
QHash<quint32, bool> derivedItems(QByteArrayView meta)
{
    QHash<quint32, bool> grids; // item -> true for a grid, false for an overlay
    const QByteArrayView iinf = boxBody(meta, "iinf");
    if (iinf.size() < 4)
        return grids;
    qsizetype at = 4 + (iinf[0] == 0 ? 2 : 4);
    while (at + 8 <= iinf.size()) {
        const qsizetype size = qFromBigEndian<quint32>(iinf.data() + at);
        if (size < 8 || at + size > iinf.size())
            break;
        FieldReader infe{iinf.sliced(at + 8, size - 8)};
        const int version = int(infe.take(1));
        infe.take(3);
        if (version >= 2) {
            const quint32 item = quint32(infe.take(version == 2 ? 2 : 4));
            infe.take(2);
            const quint64 type = infe.take(4);
            if (!infe.failed && (type == 0x67726964u || type == 0x696f766cu)) // "grid", "iovl"
                grids.insert(item, type == 0x67726964u);
        }
        at += size;
    }
    return grids;
}

// Derived pictures (a grid of tiles, an overlay) keep their canvas size in their item's
// data; libheif 1.15 allocates that canvas as claimed, even when it is far larger than
// the picture's own size: 515 bytes could ask for gigabytes. Every canvas must be a
// picture the program holds.
bool derivedCanvasesFit(QByteArrayView meta, QByteArrayView file)
{
    const QHash<quint32, bool> derived = derivedItems(meta);
    const QByteArrayView idat = boxBody(meta, "idat");
    FieldReader iloc{boxBody(meta, "iloc")};
    const int version = int(iloc.take(1));
    iloc.take(3);
    const int sizes = int(iloc.take(1));
    const int more = int(iloc.take(1));
    const int offsetSize = sizes >> 4, lengthSize = sizes & 15, baseSize = more >> 4;
    const int indexSize = (version == 1 || version == 2) ? (more & 15) : 0;
    // Sizes may be 0, 4 or 8; libheif reads a field of any other size as absent (0 bytes,
    // value 0), and so must we, or a file could show us other items than libheif sees.
    const auto field = [&iloc](int size) { return size == 4 || size == 8 ? iloc.take(size) : 0; };
    const quint64 items = iloc.take(version < 2 ? 2 : 4);
    for (quint64 item = 0; item < items && !iloc.failed; ++item) {
        const quint32 id = quint32(iloc.take(version < 2 ? 2 : 4));
        const int method = (version == 1 || version == 2) ? int(iloc.take(2) & 15) : 0;
        iloc.take(2);
        const quint64 base = field(baseSize);
        const quint64 extents = iloc.take(2);
        for (quint64 e = 0; e < extents && !iloc.failed; ++e) {
            field(indexSize);
            const quint64 offset = base + field(offsetSize);
            const quint64 length = field(lengthSize);
            if (e > 0 || !derived.contains(id) || method > 1)
                continue;
            const QByteArrayView source = method == 1 ? idat : file;
            if (offset > quint64(source.size()) || length > quint64(source.size()) - offset)
                return false;
            // grid: version, flags, rows-1, columns-1, width, height; overlay: version,
            // flags, four fill colours, width, height. Flag bit 0: 32-bit sizes.
            FieldReader canvas{source.sliced(qsizetype(offset), qsizetype(length))};
            canvas.take(1);
            const int wide = (canvas.take(1) & 1) ? 4 : 2;
            canvas.take(derived.value(id) ? 2 : 8);
            const quint64 width = canvas.take(wide);
            const quint64 height = canvas.take(wide);
            if (canvas.failed || width > quint64(HeifContainer::MaxSide)
                || height > quint64(HeifContainer::MaxSide) || !PictureLimits::fits(qint64(width), qint64(height)))
                return false;
        }
    }
    return !iloc.failed;
}

} // namespace

// libheif allocates what an image's HEVC stream says, whatever size the container
// gives: a few hundred bytes claiming a huge picture would take gigabytes. Every decoder
// configuration (hvcC) in the file must describe a picture the program holds.
bool HeifContainer::codedSizesFit(QByteArrayView file)
{
    // The configurations live in the meta box; the picture data after it is not searched.
    QByteArrayView bytes;
    for (qsizetype at = 0; at + 8 <= file.size();) {
        qsizetype size = qFromBigEndian<quint32>(file.data() + at);
        if (size == 0)
            size = file.size() - at;
        if (size < 8 || at + size > file.size())
            return false;
        if (file.sliced(at + 4, 4) == QByteArrayView("meta")) {
            bytes = file.sliced(at, size);
            break;
        }
        at += size;
    }
    if (!derivedCanvasesFit(bytes, file))
        return false;
    const QByteArrayView tag("hvcC");
    bool any = false;
    for (qsizetype at = bytes.indexOf(tag); at >= 4; at = bytes.indexOf(tag, at + 4)) {
        const qsizetype start = at - 4;
        const qsizetype boxSize = qFromBigEndian<quint32>(bytes.data() + start);
        if (boxSize < 31 || start + boxSize > bytes.size())
            return false;
        const QByteArrayView box = bytes.sliced(start + 8, boxSize - 8);
        qsizetype i = 22;
        const int arrays = uchar(box[i++]);
        for (int a = 0; a < arrays; ++a) {
            if (i + 3 > box.size())
                return false;
            const int type = uchar(box[i]) & 0x3F;
            const int count = qFromBigEndian<quint16>(box.data() + i + 1);
            i += 3;
            for (int n = 0; n < count; ++n) {
                if (i + 2 > box.size())
                    return false;
                const int length = qFromBigEndian<quint16>(box.data() + i);
                i += 2;
                if (i + length > box.size())
                    return false;
                if (type == 33) {
                    const auto size = spsSize(box.sliced(i, length));
                    if (!size || !PictureLimits::fits(size->width(), size->height())
                        || size->width() > HeifContainer::MaxSide || size->height() > HeifContainer::MaxSide)
                        return false;
                    any = true;
                }
                i += length;
            }
        }
    }
    return any;
}
