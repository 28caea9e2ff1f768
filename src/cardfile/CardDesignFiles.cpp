#include "cardfile/CardDesignFiles.h"

#include "cardfile/CardFolder.h"
#include "cardfile/DesignFile.h"
#include "cardfile/FileGroupWriter.h"
#include "core/PictureLimits.h"
#include "core/RegularFile.h"
#include "stamp/LogoLoader.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

#include <sys/stat.h>

namespace {

// An SVG as the card holds it, which is its rewriting (LogoLoader), never the file the
// user picked; a bitmap as PNG, which keeps every pixel and its alpha.
QByteArray logoBytes(const LogoPicture &logo)
{
    if (logo.isVector())
        return logo.svg;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(logo.bitmap.convertToFormat(QImage::Format_ARGB32)) ? png : QByteArray();
}

bool standsThere(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// A card's own SVG is rewritten again like any picked logo: the file may have been
// replaced since the card wrote it.
std::optional<LogoPicture> readLogo(const QString &path)
{
    const bool svg = path.endsWith(QLatin1String(".svg"));
    const auto bytes = RegularFile::read(path, svg ? LogoLoader::MaxSvgBytes : PictureLimits::MaxDecodedBytes);
    if (!bytes)
        return std::nullopt;
    const LogoLoader::Loaded loaded =
        LogoLoader::fromBytes(*bytes, QFileInfo(path).fileName(), LogoLoader::SvgCheck::SafetyOnly);
    if (!loaded || loaded.logo.isVector() != svg)
        return std::nullopt;
    return loaded.logo;
}

} // namespace

namespace CardDesignFiles {

std::optional<QString> addTo(FileGroupWriter &group, const CardDesign &design, const QString &folder,
                             const QString &name)
{
    const QDir dir(folder);
    // An object without a picture draws nothing, and has nothing to keep.
    CardDesign saved = design;
    std::erase_if(saved.objects, [](const PlacedObject &object) {
        return object.kind == PlacedObject::Kind::Logo && object.logo.isNull();
    });
    if (saved.objects.size() > size_t(DesignFile::MaxLogos))
        saved.objects.resize(size_t(DesignFile::MaxLogos));
    QStringList logoFiles;
    int logoCount = 0;
    for (size_t i = 0; i < saved.objects.size(); ++i) {
        if (saved.objects[i].kind == PlacedObject::Kind::Qr) {
            logoFiles << QString();
            continue;
        }
        const LogoPicture &logo = saved.objects[i].logo;
        const QString file = CardFolder::logoFileName(name, logoCount++, logo.isVector());
        const QByteArray bytes = logoBytes(logo);
        if (bytes.isEmpty())
            return QStringLiteral("Het logo '%1' kon niet worden opgeslagen.").arg(file);
        group.add(dir.filePath(file), bytes);
        logoFiles << file;
    }
    // What an earlier save left and this one does not write would come back on opening.
    for (const QString &path : CardFolder::logoFiles(folder, name))
        if (!logoFiles.contains(QFileInfo(path).fileName()))
            group.remove(path);
    const QString designPath = CardFolder::designFile(folder, name);
    const QByteArray text = DesignFile::write(saved, logoFiles);
    if (text.isEmpty())
        group.remove(designPath);
    else
        group.add(designPath, text);
    return std::nullopt;
}

CardDesign read(const QString &folder, const QString &name, const LineFont &cardFont)
{
    const auto bytes = RegularFile::read(CardFolder::designFile(folder, name), RegularFile::RecordLimit);
    if (!bytes)
        return {};
    DesignFile::Read read = DesignFile::read(*bytes, cardFont);
    const QDir dir(folder);
    std::vector<PlacedObject> objects;
    for (size_t i = 0; i < read.design.objects.size(); ++i) {
        if (read.design.objects[i].kind == PlacedObject::Kind::Qr) {
            objects.push_back(read.design.objects[i]);
            continue;
        }
        const QString own = CardFolder::ownLogoFile(name, read.logoFiles[qsizetype(i)]);
        const auto logo = own.isEmpty() ? std::nullopt : readLogo(dir.filePath(own));
        if (!logo)
            continue;
        PlacedObject object = read.design.objects[i];
        object.logo = *logo;
        objects.push_back(object);
    }
    read.design.objects = std::move(objects);
    return read.design;
}

QStringList present(const QString &folder, const QString &name)
{
    QStringList paths = CardFolder::logoFiles(folder, name);
    const QString design = CardFolder::designFile(folder, name);
    if (standsThere(design))
        paths.prepend(design);
    return paths;
}

} // namespace CardDesignFiles
