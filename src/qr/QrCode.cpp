#include "qr/QrCode.h"

#include <qrencode.h>

#include <cerrno>
#include <memory>

QString qrLevelName(QrLevel level)
{
    switch (level) {
    case QrLevel::L:
        return QStringLiteral("L");
    case QrLevel::M:
        return QStringLiteral("M");
    case QrLevel::Q:
        return QStringLiteral("Q");
    case QrLevel::H:
        return QStringLiteral("H");
    }
    return {};
}

qsizetype qrCapacity(QrLevel level)
{
    switch (level) {
    case QrLevel::L:
        return 2953;
    case QrLevel::M:
        return 2331;
    case QrLevel::Q:
        return 1663;
    case QrLevel::H:
        return 1273;
    }
    return 0;
}

namespace {

QRecLevel libraryLevel(QrLevel level)
{
    switch (level) {
    case QrLevel::L:
        return QR_ECLEVEL_L;
    case QrLevel::M:
        return QR_ECLEVEL_M;
    case QrLevel::Q:
        return QR_ECLEVEL_Q;
    case QrLevel::H:
        return QR_ECLEVEL_H;
    }
    return QR_ECLEVEL_M;
}

struct FreeCode {
    void operator()(QRcode *code) const { QRcode_free(code); }
};

} // namespace

QrCode QrCode::encode(const QByteArray &bytes, QrLevel level)
{
    QrCode code;
    code.m_level = level;
    if (bytes.isEmpty()) {
        code.m_error = QStringLiteral("Er is geen tekst om in de QR-code te zetten.");
        return code;
    }
    // A text larger than the level's largest version is not even handed over (its size
    // might not fit the library's int).
    if (bytes.size() > qrCapacity(level)) {
        code.m_error = QStringLiteral("De tekst is te lang voor een QR-code.");
        return code;
    }
    // The library reports its reason through errno only.
    errno = 0;
    // Version 0: the library picks the smallest that holds the bytes.
    const std::unique_ptr<QRcode, FreeCode> made(QRcode_encodeData(
        int(bytes.size()), reinterpret_cast<const unsigned char *>(bytes.constData()), 0, libraryLevel(level)));
    if (!made) {
        code.m_error = errno == ERANGE
            ? QStringLiteral("De tekst is te lang voor een QR-code.")
            : QStringLiteral("De QR-code kon niet worden gemaakt (te weinig geheugen).");
        return code;
    }
    const int n = made->width;
    code.m_size = n;
    code.m_version = made->version;
    code.m_modules.resize(qsizetype(n) * n);
    // Bit 0 of each byte is the module's colour; the other bits only say what it serves.
    for (qsizetype i = 0; i < code.m_modules.size(); ++i)
        code.m_modules[i] = char(made->data[i] & 1);
    return code;
}
