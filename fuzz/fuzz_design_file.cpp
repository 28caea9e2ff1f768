// libFuzzer target: any bytes as a card's design file N.opmaak. Every value read must lie
// in its range, a logo's file must lead only to the card's own files, and what is read
// must come back the same from its own writing. The same bytes as a team's N.samenvoegen:
// what it reads comes back the same from its own writing.
#include "cardfile/CardFolder.h"
#include "cardfile/DesignFile.h"
#include "cardfile/TeamFile.h"

#include <cmath>
#include <cstdlib>

namespace {

bool within(QPointF point, double limit)
{
    return std::isfinite(point.x()) && std::isfinite(point.y()) && std::abs(point.x()) <= limit
        && std::abs(point.y()) <= limit;
}

bool inRange(const CardDesign &design)
{
    for (const LineDesign &line : design.lines) {
        if (!within(line.offset, DesignFile::MaxOffset))
            return false;
        if (line.font && (line.font->size < DesignFile::MinFontSize || line.font->size > DesignFile::MaxFontSize
                          || line.font->name.isEmpty() || !line.font->colour.isValid()))
            return false;
    }
    if (!within(design.stampOffset, DesignFile::MaxOffset) || design.objects.size() > size_t(DesignFile::MaxLogos))
        return false;
    for (const PlacedObject &object : design.objects)
        if (!within(object.rect.topLeft(), DesignFile::MaxOffset) || !(object.rect.width() > 0)
            || !(object.rect.height() > 0) || object.rect.width() > DesignFile::MaxLogoSide
            || object.rect.height() > DesignFile::MaxLogoSide)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const LineFont card{QStringLiteral("Arial"), 16, false, false, false, QColor(70, 100, 70)};
    const DesignFile::Read read =
        DesignFile::read(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), card);
    if (!inRange(read.design) || read.logoFiles.size() != qsizetype(read.design.objects.size()))
        std::abort();
    for (const QString &file : read.logoFiles) {
        const QString own = CardFolder::ownLogoFile(QStringLiteral("Kaart"), file);
        if (!own.isEmpty() && !CardFolder::isDesignFileOf(QStringLiteral("Kaart"), own))
            std::abort();
    }
    const DesignFile::Read again = DesignFile::read(DesignFile::write(read.design, read.logoFiles), card);
    if (!(again.design == read.design) || again.logoFiles != read.logoFiles)
        std::abort();

    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const std::optional<TeamFile::Settings> settings = TeamFile::read(bytes)) {
        if (TeamFile::read(TeamFile::write(TeamFile::teamOf(*settings, MergeData()))) != settings)
            std::abort();
    }
    return 0;
}
