#include "BatchCommands.h"
#include "Bmp32Writer.h"
#include "Filters.h"

#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <functional>

// lumovander-batch filter CODE PARAMETER INPUT OUTPUT
// Applies one filter code, or fliph, flipv or mirror, to a picture file and writes the
// result as a 32-bit BMP or PNG, chosen by OUTPUT's extension. The output appears only
// when everything succeeded: it is written to a temporary file that is then renamed.
namespace {
// Pictures beyond this many bytes decoded are refused before they are decoded.
constexpr int DecodeLimitMiB = 1024;

bool Fail(QTextStream &err, const QString &message)
{
    err << "lumovander-batch filter: " << message << '\n';
    return false;
}

std::function<void(QImage &)> MirrorNamed(const QString &word)
{
    if (word == QLatin1String("fliph"))
        return FlipHorizontal;
    if (word == QLatin1String("flipv"))
        return FlipVertical;
    if (word == QLatin1String("mirror"))
        return MirrorBackground;
    return {};
}

bool ReadPicture(const QString &path, QImage &picture, QTextStream &err)
{
    QImageReader reader(path);
    reader.setAllocationLimit(DecodeLimitMiB);
    if (!reader.read(&picture))
        return Fail(err, QStringLiteral("cannot read picture '%1': %2").arg(path, reader.errorString()));
    // Filters and output keep 32 bits per pixel; a fourth byte the file does not carry is 255.
    if (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_ARGB32)
        picture = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (picture.isNull())
        return Fail(err, QStringLiteral("not enough memory for picture '%1'").arg(path));
    return true;
}

bool WritePicture(const QImage &picture, const QString &path, const QByteArray &format, QTextStream &err)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(err, QStringLiteral("cannot write '%1': %2").arg(path, file.errorString()));
    bool written;
    if (format == "bmp") {
        written = WriteBmp32(picture, file);
    } else {
        // An RGB32 picture's fourth byte is 255, so as ARGB32 it is the same pixels,
        // and PNG keeps all four bytes.
        QImage withFourthByte = picture;
        withFourthByte.reinterpretAsFormat(QImage::Format_ARGB32);
        written = QImageWriter(&file, format).write(withFourthByte);
    }
    if (!written) {
        file.cancelWriting();
        return Fail(err, QStringLiteral("cannot write '%1'").arg(path));
    }
    if (!file.commit())
        return Fail(err, QStringLiteral("cannot write '%1': %2").arg(path, file.errorString()));
    return true;
}
} // namespace

int batchFilter(const QStringList &args, QTextStream &err)
{
    if (args.size() != 4) {
        Fail(err, QStringLiteral("usage: lumovander-batch filter CODE|fliph|flipv|mirror PARAMETER INPUT OUTPUT"));
        return 2;
    }
    const QString &codeWord = args[0];
    const QString &input = args[2];
    const QString &output = args[3];

    const auto mirror = MirrorNamed(codeWord);
    bool isNumber = false;
    const int code = codeWord.toInt(&isNumber);
    if (!mirror && !(isNumber && IsFilterCode(code))) {
        Fail(err, QStringLiteral("unknown filter code '%1'").arg(codeWord));
        return 2;
    }
    const int parameter = args[1].toInt(&isNumber);
    if (!isNumber) {
        Fail(err, QStringLiteral("the parameter '%1' is not a whole number").arg(args[1]));
        return 2;
    }
    const QByteArray format = QFileInfo(output).suffix().toLower().toLatin1();
    if (format != "bmp" && format != "png") {
        Fail(err, QStringLiteral("the output '%1' must end in .bmp or .png").arg(output));
        return 2;
    }

    QImage picture;
    if (!ReadPicture(input, picture, err))
        return 1;
    if (mirror)
        mirror(picture);
    else
        ApplyFilter(code, picture, parameter);
    return WritePicture(picture, output, format, err) ? 0 : 1;
}
