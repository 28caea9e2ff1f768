#include "BuiltinPictures.h"

// Plain pictures of the right sizes until the drawings are made.
namespace {
QImage plain(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}
} // namespace

namespace BuiltinPictures {
QImage frame(int n) { return n % 2 ? plain(140, 180) : plain(180, 140); }
QImage thumbnail(int k) { return plain(k == 4 ? 60 : 62, 80); }
QImage startPicture() { return plain(230, 420); }
QImage marginsDiagram() { return plain(240, 260); }
QImage printerPicture() { return plain(80, 43); }
} // namespace BuiltinPictures
