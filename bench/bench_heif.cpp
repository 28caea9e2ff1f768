// A HEIC stamp photo (2016 x 1512, a phone's photo at a quarter of its pixels), in one
// run: decoded in process by libheif as the program did before the helper (the same
// decoding code, HeifDecoding::decode; linked here, opened at run time then), through
// the helper process (PhotoLoader, what every caller uses), and "Foto Inladen" in the
// window up to the painted view.
#include "HelperBench.h"
#include "heif/HeifDecoding.h"
#include "stamp/StampTestFiles.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

// Soft gradients with some detail, so that the coder has a photo's work to do.
QImage photo()
{
    QImage image(2016, 1512, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(90, 140, 220));
    sky.setColorAt(1, QColor(230, 200, 150));
    painter.fillRect(image.rect(), sky);
    for (int i = 0; i < 400; ++i) {
        painter.setBrush(QColor::fromHsv((i * 37) % 360, 120 + i % 100, 100 + (i * 13) % 150));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPoint((i * 211) % image.width(), (i * 97) % image.height()), 20 + i % 60, 15 + i % 40);
    }
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    HelperBench::run(StampTestFiles::heic(photo()), QStringLiteral("IMG_0001.HEIC"),
                     QStringLiteral("HEIC stamp photo, 2016 x 1512"), QStringLiteral("libheif in process (the old path)"),
                     [](const QByteArray &bytes) { return !HeifDecoding::decode(bytes).isNull(); }, 11);
    return 0;
}
