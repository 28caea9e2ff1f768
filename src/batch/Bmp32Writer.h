#pragma once

#include <QImage>
#include <QIODevice>

// Writes a 32-bit picture as a 32-bit Windows bitmap (Qt's own writer drops to 24
// bits), rows bottom-up, every pixel's four bytes as they are. A picture with an alpha
// channel gets an alpha mask, so that readers keep its fourth byte. False when the
// picture is not 32-bit or the device fails.
bool WriteBmp32(const QImage &picture, QIODevice &device);
