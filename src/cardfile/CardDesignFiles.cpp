#include "cardfile/CardDesignFiles.h"

#include "cardfile/CardFolder.h"
#include "cardfile/DesignFile.h"
#include "cardfile/FileGroupWriter.h"
#include "core/PictureLimits.h"
#include "core/RegularFile.h"
#include "stamp/LogoLoader.h"
#include "stamp/SvgPixels.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QImageWriter>

#include <cmath>
#include <map>


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

// What a bitmap will hold once decoded, from its header alone: the loader keeps a logo no
// larger than covering MaxBitmapSide on each side. 0 when the header tells nothing.
qint64 decodedBytesOf(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const QSize size = QImageReader(&buffer).size();
    if (size.isEmpty())
        return 0;
    const double side = LogoLoader::MaxBitmapSide;
    const double scale = std::min(1.0, std::max(side / size.width(), side / size.height()));
    return qint64(std::ceil(size.width() * scale)) * qint64(std::ceil(size.height() * scale)) * 4;
}

qint64 heldBytes(const LogoPicture &logo)
{
    return logo.isVector() ? logo.svg.size() + logo.drawn.sizeInBytes() : logo.bitmap.sizeInBytes();
}

// An SVG's pixels at their largest, counted before the helper draws them.
constexpr qint64 DrawnSvgBytes = qint64(SvgPixels::DrawnSide) * SvgPixels::DrawnSide * 4;

// A logo file as read, or why it was left out for the card's budget.
struct ReadLogo {
    std::optional<LogoPicture> logo;
    bool overBudget = false;
    QString fault; // Dutch, naming the file: why a logo that was read was refused
};

// A card's own SVG is rewritten again like any picked logo: the file may have been
// replaced since the card wrote it.
ReadLogo readLogo(const QString &path, qint64 budgetLeft)
{
    const bool svg = path.endsWith(QLatin1String(".svg"));
    const auto bytes = RegularFile::read(path, svg ? LogoLoader::MaxSvgBytes : PictureLimits::MaxDecodedBytes);
    if (!bytes)
        return {};
    // Measured before a pixel is decoded: a file that would not fit is not decoded.
    if ((svg ? bytes->size() + DrawnSvgBytes : decodedBytesOf(*bytes)) > budgetLeft)
        return {std::nullopt, true};
    const LogoLoader::Loaded loaded =
        LogoLoader::fromBytes(*bytes, QFileInfo(path).fileName(), LogoLoader::SvgCheck::SafetyOnly);
    if (!loaded)
        return {std::nullopt, false, loaded.fault};
    if (loaded.logo.isVector() != svg)
        return {};
    if (heldBytes(loaded.logo) > budgetLeft)
        return {std::nullopt, true};
    return {loaded.logo, false};
}

// The logos of one opening, by file: each read once, and the budget spent once per file.
class LogoCache {
public:
    LogoCache(QDir folder, qint64 budget) : m_folder(std::move(folder)), m_budget(budget), m_budgetLeft(budget) {}

    qint64 spent() const { return m_budget - m_budgetLeft; }

    const ReadLogo &logo(const QString &file)
    {
        const auto known = m_read.find(file);
        if (known != m_read.end())
            return known->second;
        // Each SVG is drawn by the helper within its own limits; a card of many drawings
        // that each take nearly that long gets this much of them together.
        const bool svg = file.endsWith(QLatin1String(".svg"));
        if (svg && m_svgTime >= SvgDrawingMs)
            return m_read.emplace(file, ReadLogo{std::nullopt, true, QString()}).first->second;
        QElapsedTimer timer;
        timer.start();
        ReadLogo read = readLogo(m_folder.filePath(file), m_budgetLeft);
        if (svg)
            m_svgTime += timer.elapsed();
        if (read.logo)
            m_budgetLeft -= heldBytes(*read.logo);
        return m_read.emplace(file, std::move(read)).first->second;
    }

private:
    static constexpr qint64 SvgDrawingMs = 15000;
    QDir m_folder;
    qint64 m_budget;
    qint64 m_budgetLeft;
    qint64 m_svgTime = 0;
    std::map<QString, ReadLogo> m_read;
};

// The same logo shown by several objects is one picture: kept once, as one file.
const void *pictureIdentity(const LogoPicture &logo)
{
    return logo.isVector() ? static_cast<const void *>(logo.svg.constData())
                           : static_cast<const void *>(logo.bitmap.constBits());
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
    if (saved.objects.size() > size_t(CardDesign::MaxObjects))
        saved.objects.resize(size_t(CardDesign::MaxObjects));
    QStringList logoFiles;
    int logoCount = 0;
    std::map<const void *, QString> written;
    for (size_t i = 0; i < saved.objects.size(); ++i) {
        if (saved.objects[i].kind == PlacedObject::Kind::Qr) {
            logoFiles << QString();
            continue;
        }
        const LogoPicture &logo = saved.objects[i].logo;
        if (const auto same = written.find(pictureIdentity(logo)); same != written.end()) {
            logoFiles << same->second;
            continue;
        }
        const QString file = CardFolder::logoFileName(name, logoCount++, logo.isVector());
        written[pictureIdentity(logo)] = file;
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
    return readWithNotes(folder, name, cardFont).design;
}

ReadDesign readWithNotes(const QString &folder, const QString &name, const LineFont &cardFont, qint64 logoBudget)
{
    const auto bytes = RegularFile::read(CardFolder::designFile(folder, name), RegularFile::RecordLimit);
    if (!bytes)
        return {};
    DesignFile::Read read = DesignFile::read(*bytes, cardFont);
    ReadDesign result;
    if (read.leftOut > 0)
        result.notes << QStringLiteral("De opmaak noemt %1 logo's en QR-codes meer dan de %2 die een kaart kan houden; "
                                       "die zijn weggelaten.")
                            .arg(read.leftOut)
                            .arg(CardDesign::MaxObjects);
    LogoCache logos(QDir(folder), logoBudget);
    QStringList overBudget;
    std::vector<PlacedObject> objects;
    for (size_t i = 0; i < read.design.objects.size(); ++i) {
        if (read.design.objects[i].kind == PlacedObject::Kind::Qr) {
            objects.push_back(read.design.objects[i]);
            continue;
        }
        const QString own = CardFolder::ownLogoFile(name, read.logoFiles[qsizetype(i)]);
        if (own.isEmpty())
            continue;
        const ReadLogo &logo = logos.logo(own);
        if (logo.overBudget && !overBudget.contains(own))
            overBudget << own;
        if (!logo.fault.isEmpty() && !result.notes.contains(logo.fault))
            result.notes << logo.fault;
        if (!logo.logo)
            continue;
        PlacedObject object = read.design.objects[i];
        object.logo = *logo.logo;
        objects.push_back(object);
    }
    if (!overBudget.isEmpty())
        result.notes << QStringLiteral("De logo's van de kaart zijn samen groter dan de %1 die een kaart kan houden, "
                                       "of kosten samen te veel rekenwerk; weggelaten: %2.")
                            .arg(QLocale(QLocale::Dutch).formattedDataSize(logoBudget, 0,
                                                                           QLocale::DataSizeTraditionalFormat))
                            .arg(overBudget.join(QStringLiteral(", ")));
    read.design.objects = std::move(objects);
    result.design = std::move(read.design);
    result.logoBytes = logos.spent();
    return result;
}

QStringList present(const QString &folder, const QString &name)
{
    QStringList paths = CardFolder::logoFiles(folder, name);
    const QString design = CardFolder::designFile(folder, name);
    if (CardFolder::standsThere(design))
        paths.prepend(design);
    return paths;
}

} // namespace CardDesignFiles
