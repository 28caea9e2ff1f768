#define ZX_USE_UTF8
#include "QrReader.h"

#include <ZXing/ReadBarcode.h>

ReadCode readQrCode(const QImage &picture)
{
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    ReadCode read;
    if (!result.isValid())
        return read;
    read.found = true;
    const ZXing::ByteArray &bytes = result.bytes();
    read.bytes = QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
    read.level = QString::fromStdString(result.ecLevel());
    return read;
}
