#include "core/PrintCopy.h"

#include <QBuffer>

void PrintCopy::pack(const PrintCopy *packedAlready)
{
    if (m_image.isNull())
        return;
    const qint64 pixels = m_image.cacheKey();
    if (packedAlready && packedAlready->isPacked() && packedAlready->m_packedFrom == pixels) {
        m_packed = packedAlready->m_packed;
        m_packedFrom = pixels;
        m_image = QImage();
        return;
    }
    QByteArray packed;
    QBuffer buffer(&packed);
    buffer.open(QIODevice::WriteOnly);
    // Packing is a saving, never a loss: a copy that does not pack stays as it is.
    if (!m_image.save(&buffer, "JPEG", 95) || packed.isEmpty())
        return;
    m_packed = packed;
    m_packedFrom = pixels;
    m_image = QImage();
}

QImage PrintCopy::image() const
{
    if (m_make)
        return (*m_make)();
    if (m_packed.isEmpty())
        return m_image;
    QImage unpacked;
    unpacked.loadFromData(m_packed, "JPEG");
    return unpacked.convertToFormat(QImage::Format_RGB32);
}

bool PrintCopy::samePixels(const PrintCopy &other) const
{
    if (m_make && m_make == other.m_make)
        return true;
    if (m_make || other.m_make)
        return image() == other.image();
    if (isPacked() != other.isPacked())
        return false;
    if (isPacked())
        return m_packed == other.m_packed;
    return m_image == other.m_image;
}

qsizetype PrintCopy::bytesBeyond(const PrintCopy &other) const
{
    // A copy made when asked for holds nothing itself. constData()/constBits() never
    // detach, so this looks at the sharing without changing it.
    if (m_make)
        return 0;
    if (isPacked())
        return m_packed.constData() == other.m_packed.constData() ? 0 : m_packed.size();
    if (m_image.isNull() || m_image.constBits() == other.m_image.constBits())
        return 0;
    return m_image.sizeInBytes();
}
