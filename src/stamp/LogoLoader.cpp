#include "stamp/LogoLoader.h"

#include "core/PictureLimits.h"
#include "core/RegularFile.h"
#include "stamp/PhotoLoader.h"

#include <QFileInfo>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace LogoLoader {

namespace {

Loaded failed(const QString &shownName, const QString &reason)
{
    return {LogoPicture(), QStringLiteral("\"%1\" kon niet als logo worden geopend: %2.").arg(shownName, reason)};
}

QString photoReason(PhotoLoader::Fault fault)
{
    switch (fault) {
    case PhotoLoader::Fault::NotAPicture:
        return QStringLiteral("het is geen afbeelding die het programma kent");
    case PhotoLoader::Fault::TooLarge:
        return QStringLiteral("de afbeelding is te groot");
    case PhotoLoader::Fault::Damaged:
        return QStringLiteral("het bestand is beschadigd");
    default:
        return QStringLiteral("het bestand kon niet worden gelezen");
    }
}

// Whether the XML is read as UTF-8: it declares no other encoding (looksLikeSvg already
// asked for a '<' as its first byte after blanks, so it is no UTF-16 or UTF-32 either).
bool readsAsUtf8(const QByteArray &bytes)
{
    QByteArrayView head(bytes);
    if (head.startsWith("\xEF\xBB\xBF"))
        head = head.sliced(3);
    head = head.trimmed();
    if (!head.startsWith("<?xml"))
        return true;
    const qsizetype end = head.indexOf("?>");
    if (end < 0)
        return false;
    const QByteArrayView declaration = head.first(end);
    const qsizetype at = declaration.indexOf("encoding");
    if (at < 0)
        return true;
    QByteArrayView value = declaration.sliced(at + 8).trimmed();
    if (!value.startsWith('='))
        return false;
    value = value.sliced(1).trimmed();
    return value.size() >= 7 && (value[0] == '"' || value[0] == '\'') && value[6] == value[0]
           && value.sliced(1, 5).compare("utf-8", Qt::CaseInsensitive) == 0;
}

} // namespace

bool looksLikeSvg(const QByteArray &bytes)
{
    QByteArrayView head = QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), 4096));
    if (head.startsWith("\xEF\xBB\xBF"))
        head = head.sliced(3);
    head = head.trimmed();
    return head.startsWith("<") && head.contains("<svg");
}

bool refersOutside(const QByteArray &bytes)
{
    // In UTF-8 without entity declarations every attribute name stands in the text as it
    // is; with no "href" anywhere there is nothing that could fetch, and nothing to parse.
    if (!bytes.contains("href") && !bytes.contains("<!ENTITY") && readsAsUtf8(bytes))
        return false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        // Every reference that could load a file or an address; within the document
        // (#id) and data: addresses are the SVG's own.
        for (const QXmlStreamAttribute &attribute : xml.attributes()) {
            if (attribute.name() != QLatin1String("href"))
                continue;
            const QStringView value = attribute.value().trimmed();
            if (!value.startsWith(u'#') && !value.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
                return true;
        }
    }
    // What cannot be read to the end cannot be shown to fetch nothing.
    return xml.hasError();
}

bool isSafeSvg(const QByteArray &bytes)
{
    if (refersOutside(bytes))
        return false;
    QSvgRenderer renderer(bytes);
    return renderer.isValid() && !renderer.viewBoxF().isEmpty();
}

Loaded fromBytes(const QByteArray &bytes, const QString &shownName, SvgCheck check)
{
    if (looksLikeSvg(bytes)) {
        if (bytes.size() > MaxSvgBytes)
            return failed(shownName, QStringLiteral("de tekening is te groot"));
        if (check == SvgCheck::SafetyOnly ? refersOutside(bytes) : !isSafeSvg(bytes))
            return failed(shownName, QStringLiteral("de SVG-tekening is beschadigd of haalt afbeeldingen van buiten"));
        LogoPicture logo;
        logo.svg = bytes;
        return {logo, QString()};
    }
    PhotoLoader::Use use;
    use.cover = QSize(MaxBitmapSide, MaxBitmapSide);
    use.keepAlpha = true;
    const PhotoLoader::Loaded loaded = PhotoLoader::fromBytes(bytes, use);
    if (loaded.picture.isNull())
        return failed(shownName, photoReason(loaded.fault));
    LogoPicture logo;
    logo.bitmap = loaded.picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return {logo, QString()};
}

Loaded read(const QString &path)
{
    const QString shown = QFileInfo(path).fileName();
    const std::optional<QByteArray> bytes = RegularFile::read(path, PictureLimits::MaxDecodedBytes);
    if (!bytes)
        return failed(shown, QStringLiteral("het bestand kon niet worden gelezen"));
    return fromBytes(*bytes, shown);
}

QSizeF naturalSize(const LogoPicture &logo)
{
    if (logo.isVector()) {
        QSvgRenderer renderer(logo.svg);
        const QSizeF size = renderer.viewBoxF().size();
        return size.isEmpty() ? QSizeF(renderer.defaultSize()) : size;
    }
    return QSizeF(logo.bitmap.size());
}

} // namespace LogoLoader
