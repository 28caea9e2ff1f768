#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// What a real QR reader (zxing-cpp) makes of a picture.
struct ReadCode {
    bool found = false;
    QByteArray bytes;   // the raw bytes, before any character set guess
    QString level;      // "L", "M", "Q" or "H"
};
ReadCode readQrCode(const QImage &picture);
