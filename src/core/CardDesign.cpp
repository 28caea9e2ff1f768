#include "core/CardDesign.h"

QString CardDesign::fullMessage()
{
    return QStringLiteral("Er staan al %1 logo's en QR-codes op de kaart, het meeste dat een kaart kan houden. "
                          "Verwijder er eerst een.")
        .arg(MaxObjects);
}

bool CardDesign::isPlain() const
{
    for (const LineDesign &line : lines)
        if (line.hasStyle() || !line.offset.isNull())
            return false;
    return stampOffset.isNull() && objects.empty();
}

void CardDesign::clearPlaces()
{
    for (LineDesign &line : lines)
        line.offset = QPointF();
    stampOffset = QPointF();
}

qsizetype CardDesign::pictureBytesBeyond(const CardDesign &other) const
{
    qsizetype bytes = 0;
    for (const PlacedObject &object : objects) {
        bool shared = false;
        for (const PlacedObject &theirs : other.objects)
            shared = shared || (object.logo.bitmap.constBits() == theirs.logo.bitmap.constBits()
                                && object.logo.svg.constData() == theirs.logo.svg.constData());
        if (!shared)
            bytes += object.logo.bitmap.sizeInBytes() + object.logo.svg.size();
    }
    return bytes;
}
