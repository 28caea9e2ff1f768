#include "stamp/WmfPicture.h"

namespace {

quint32 le16(QByteArrayView b, qsizetype i) { return uint8_t(b[i]) | quint32(uint8_t(b[i + 1])) << 8; }

const DecoderProcess::Helper &helper()
{
    static const DecoderProcess::Helper wmf{
        QStringLiteral("lumovander-wmf"), "LUMO_WMF_DECODER", QByteArrayLiteral("LWMF"),
#ifdef LUMO_WMF_DECODER_BUILD_PATH
        QStringLiteral(LUMO_WMF_DECODER_BUILD_PATH),
#else
        QString(),
#endif
        DecoderProcess::Limits{}};
    return wmf;
}

} // namespace

namespace WmfPicture {

bool looksLikeWmf(QByteArrayView b)
{
    if (b.size() >= 22 && le16(b, 0) == 0xCDD7 && le16(b, 2) == 0x9AC6)
        return true;
    // Plain header: type 1 (memory) or 2 (disk), 9 words long, version 1.0 or 3.0.
    return b.size() >= 18 && (le16(b, 0) == 1 || le16(b, 0) == 2) && le16(b, 2) == 9
        && (le16(b, 4) == 0x0100 || le16(b, 4) == 0x0300);
}

QString decoderPath() { return DecoderProcess::helperPath(helper()); }

QImage render(QByteArrayView bytes) { return renderFully(bytes).picture; }

DecoderProcess::Decoded renderFully(QByteArrayView bytes)
{
    return looksLikeWmf(bytes) ? DecoderProcess::decodeFully(helper(), bytes, helper().limits) : DecoderProcess::Decoded{};
}

QImage renderScaled(QByteArrayView bytes, int scale, QSize crop)
{
    if (!looksLikeWmf(bytes) || scale < 1 || crop.isEmpty())
        return {};
    return DecoderProcess::decode(helper(), bytes, helper().limits, {},
                                  {QStringLiteral("--scale"), QString::number(scale), QStringLiteral("--crop-width"),
                                   QString::number(crop.width()), QStringLiteral("--crop-height"),
                                   QString::number(crop.height())});
}

QImage render(QByteArrayView bytes, const DecoderLimits &limits, const QString &decoder)
{
    return looksLikeWmf(bytes) ? DecoderProcess::decode(helper(), bytes, limits, decoder) : QImage();
}

} // namespace WmfPicture
