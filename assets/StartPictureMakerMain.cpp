// lumo_start_picture_maker FILE: draws the start picture and writes it as a C++ source
// that holds its pixels. The picture is in the first paint of every start; drawn then,
// its gradients, shapes and two typefaces would cost each start what the build pays once.
#include "assets/PictureMakers.h"

#include <QFile>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumo_start_picture_maker FILE\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QImage picture = PictureMakers::makeStartPicture().convertToFormat(QImage::Format_RGB32);

    QByteArray source = "// Made by lumo_start_picture_maker from StartPicture.cpp; do not edit.\n"
                        "#include \"assets/StartPicturePixels.h\"\n\n"
                        "namespace StartPicturePixels {\n\n";
    source += QByteArray("const int width = ") + QByteArray::number(picture.width()) + ";\n";
    source += QByteArray("const int height = ") + QByteArray::number(picture.height()) + ";\n";
    source += "alignas(16) const quint32 pixels[] = {";
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            source += x % 8 == 0 ? "\n    " : " ";
            source += "0x" + QByteArray::number(line[x], 16) + "u,";
        }
    }
    source += "\n};\n\n} // namespace StartPicturePixels\n";

    // A build output: a failed run fails the build, which makes the file again.
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(source) != source.size() || !file.flush()) {
        std::fprintf(stderr, "lumo_start_picture_maker: cannot write %s\n", argv[1]);
        file.remove();
        return 1;
    }
    return 0;
}
