#pragma once

#include <QByteArray>
#include <QRectF>
#include <optional>

// The last touches to the one-page PDF that Qt's PDF writer made of a press page: Qt
// writes a MediaBox in whole points and no other box, and every colour in DeviceRGB.
namespace PdfFinishing {

// In PDF points, y upwards.
struct Boxes {
    QRectF media;
    QRectF bleed;
    QRectF trim;
};

// The page's MediaBox replaced by boxes.media, BleedBox and TrimBox added, the page's
// content with neutralToGray applied, and the cross-reference table brought in step.
// nullopt for a PDF that is not laid out as Qt writes it.
std::optional<QByteArray> finish(const QByteArray &pdf, const Boxes &boxes);

// Content-stream operators setting an RGB colour whose three components are equal
// (Qt writes "/CSp cs r g b scn" and "r g b SCN") turned into DeviceGray ("g", "G"):
// a colour converter sends gray to the black plate alone, RGB black to all four.
QByteArray neutralToGray(const QByteArray &content);

} // namespace PdfFinishing
