#include "stamp/LogoLoader.h"

#include "core/DesignPainter.h"
#include "core/PictureLimits.h"
#include "core/RegularFile.h"
#include "stamp/PhotoLoader.h"
#include "stamp/RecentByHash.h"
#include "stamp/SvgSanitiser.h"
#include "stamp/SvgPixels.h"

#include <QFileInfo>
#include <QStringDecoder>

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

// The rewriting of a logo's bytes. A card's own copy is rewritten at every opening, and
// the same card is often opened again in a run: the last few rewritings are remembered by
// the hash of what they were made of.
SvgSanitiser::Result rewrite(const QByteArray &bytes)
{
    static RecentByHash<SvgSanitiser::Result> recent(16);
    const QByteArray key = recent.keyOf(bytes);
    if (const auto known = recent.find(key))
        return *known;
    const SvgSanitiser::Result result = SvgSanitiser::sanitise(bytes);
    recent.keep(key, result);
    return result;
}

QString drawingFault(SvgPixels::Verdict verdict)
{
    switch (verdict) {
    case SvgPixels::Verdict::TooCostly:
        return QStringLiteral("de tekening kost te veel rekenwerk (niet binnen %1 seconden en %2 MB getekend)")
            .arg(SvgPixels::defaultLimits().cpuSeconds)
            .arg(SvgPixels::defaultLimits().memoryMb);
    case SvgPixels::Verdict::Damaged:
        return QStringLiteral("de SVG-tekening is beschadigd of leeg");
    case SvgPixels::Verdict::Drawn:
    case SvgPixels::Verdict::NoHelper:
        break;
    }
    return QStringLiteral("het hulpprogramma lumovander-svg, dat tekeningen tekent, ontbreekt");
}

} // namespace

bool looksLikeSvg(const QByteArray &bytes)
{
    // A byte-order mark, or the zero bytes around a first '<', tell UTF-16 and UTF-32 as
    // the XML reader tells them; any other encoding begins as ASCII.
    const QByteArrayView head = QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), 4096));
    const auto encoding = QStringConverter::encodingForData(head, u'<');
    QStringDecoder decode(encoding.value_or(QStringConverter::Utf8));
    const QString text = QString(decode(head)).trimmed();
    return text.startsWith(u'<') && text.contains(QLatin1String("<svg"));
}

Loaded fromBytes(const QByteArray &bytes, const QString &shownName, SvgCheck check)
{
    if (looksLikeSvg(bytes)) {
        if (bytes.size() > MaxSvgBytes)
            return failed(shownName, QStringLiteral("de tekening is te groot"));
        const SvgSanitiser::Result rewritten = rewrite(bytes);
        if (!rewritten)
            return failed(shownName, rewritten.fault);
        // The card keeps the rewriting, and reads it back under the same cap.
        if (rewritten.svg.size() > MaxSvgBytes)
            return failed(shownName, QStringLiteral("de tekening is te groot"));
        LogoPicture logo;
        logo.svg = rewritten.svg;
        // Its own size as every drawing of it takes it, from the painter's one parse of
        // it, which the card's first paint then finds ready. Qt SVG gives a drawing it
        // cannot read, or one without a size, none.
        const QSizeF own = DesignPainter::logoSize(logo);
        if (check == SvgCheck::Full && own.isEmpty())
            return failed(shownName, QStringLiteral("de SVG-tekening is beschadigd of leeg"));
        const SvgPixels::Drawing drawing = SvgPixels::draw(logo.svg, own);
        if (drawing.verdict != SvgPixels::Verdict::Drawn)
            return failed(shownName, drawingFault(drawing.verdict));
        logo.drawn = drawing.pixels;
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

} // namespace LogoLoader
