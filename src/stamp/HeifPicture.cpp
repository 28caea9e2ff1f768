#include "stamp/HeifPicture.h"

#include "heif/HeifContainer.h"

namespace {

const DecoderProcess::Helper &helper()
{
    static const DecoderProcess::Helper heif{
        QStringLiteral("lumovander-heif"), "LUMO_HEIF_DECODER", QByteArrayLiteral("LHEF"),
#ifdef LUMO_HEIF_DECODER_BUILD_PATH
        QStringLiteral(LUMO_HEIF_DECODER_BUILD_PATH),
#else
        QString(),
#endif
        HeifPicture::defaultLimits()};
    return heif;
}

// Our own reading of the boxes refuses, without starting a helper, what would only make
// it allocate gigabytes before its memory limit ends it.
bool worthDecoding(QByteArrayView bytes)
{
    return HeifContainer::hasHevcBrand(bytes) && HeifContainer::codedSizesFit(bytes);
}

} // namespace

namespace HeifPicture {

bool looksLikeHeif(QByteArrayView bytes) { return HeifContainer::hasHevcBrand(bytes); }

DecoderProcess::Limits defaultLimits()
{
    DecoderProcess::Limits limits;
    limits.cpuSeconds = 10;
    limits.memoryMb = 3072;
    limits.wallClockMs = 15000;
    return limits;
}

QString decoderPath() { return DecoderProcess::helperPath(helper()); }

QImage read(QByteArrayView bytes) { return readFully(bytes).picture; }

DecoderProcess::Decoded readFully(QByteArrayView bytes)
{
    return worthDecoding(bytes) ? DecoderProcess::decodeFully(helper(), bytes, helper().limits)
                                : DecoderProcess::Decoded{};
}

QImage read(QByteArrayView bytes, const DecoderProcess::Limits &limits, const QString &decoder)
{
    return worthDecoding(bytes) ? DecoderProcess::decode(helper(), bytes, limits, decoder) : QImage();
}

} // namespace HeifPicture
