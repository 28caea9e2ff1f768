#include "batch/BatchCommands.h"
#include "batch/BatchSupport.h"
#include "batch/Bmp32Writer.h"
#include "filters/Filters.h"
#include "stamp/PhotoLoader.h"

#include <QFileInfo>
#include <functional>

// lumovander-batch filter CODE PARAMETER INPUT OUTPUT
// Applies one filter code, or fliph, flipv or mirror, to a picture file of any kind the
// program opens and writes the result as a 32-bit BMP or PNG, chosen by OUTPUT's
// extension. The output appears only when everything succeeded.
namespace {
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

bool WritePicture(const QImage &picture, const QString &path, const QByteArray &format, QTextStream &err)
{
    std::optional<QString> failure;
    if (format == "bmp") {
        // Qt writes BMPs of 24 bits; the filters' pictures keep all 32.
        failure = writeFileWhole(path, [&](QIODevice &file) { return WriteBmp32(picture, file); });
    } else {
        // The fourth byte of an RGB32 picture is 255, so as ARGB32 it is the same pixels,
        // and PNG keeps all four bytes.
        QImage withFourthByte = picture;
        withFourthByte.reinterpretAsFormat(QImage::Format_ARGB32);
        failure = writeImageFile(withFourthByte, path, format);
    }
    return !failure || Fail(err, *failure);
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
    const QByteArray format = pictureFormat(output);
    if (format != "bmp" && format != "png") {
        Fail(err, QStringLiteral("the output '%1' must end in .bmp or .png").arg(output));
        return 2;
    }

    QImage picture = PhotoLoader::load(input);
    if (picture.isNull()) {
        Fail(err, QFileInfo::exists(input) ? QStringLiteral("'%1' is not a picture the program can open").arg(input)
                                            : QStringLiteral("'%1' does not exist").arg(input));
        return 1;
    }
    if (mirror)
        mirror(picture);
    else
        ApplyFilter(code, picture, parameter);
    return WritePicture(picture, output, format, err) ? 0 : 1;
}
