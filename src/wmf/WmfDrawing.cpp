#include "wmf/WmfDrawing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

extern "C" {
#include <libwmf/api.h>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>
#include <libwmf/macro.h>
}

namespace {

constexpr double ScreenDpi = 96.0;

// Windows mapping modes; libwmf keeps them in the device context but does not publish
// their names.
constexpr int MapText = 1;
constexpr int MapIsotropic = 7;
constexpr int MapAnisotropic = 8;
// libwmf's own mode for a placeable file that sets none: the box's units per inch.
constexpr int MapPlaceable = 9;

// Metafile records that draw text, and the two that set the window.
constexpr int RecordTextOut = 0x0521;
constexpr int RecordExtTextOut = 0x0A32;
constexpr int RecordSetWindowOrg = 0x020B;
constexpr int RecordSetWindowExt = 0x020C;

quint32 le16(QByteArrayView b, qsizetype i) { return uint8_t(b[i]) | quint32(uint8_t(b[i + 1])) << 8; }
quint32 le32(QByteArrayView b, qsizetype i) { return le16(b, i) | le16(b, i + 2) << 16; }
qint16 signed16(QByteArrayView b, qsizetype i) { return qint16(le16(b, i)); }

bool isPlaceable(QByteArrayView b)
{
    return b.size() >= 22 && le16(b, 0) == 0xCDD7 && le16(b, 2) == 0x9AC6;
}

bool isWmf(QByteArrayView b)
{
    if (isPlaceable(b))
        return true;
    return b.size() >= 18 && (le16(b, 0) == 1 || le16(b, 0) == 2) && le16(b, 2) == 9
        && (le16(b, 4) == 0x0100 || le16(b, 4) == 0x0300);
}

// Whether any record's function is one that wanted says yes to, reading the records'
// lengths only, up to the end record or the first that makes no sense.
template <typename Wanted> bool anyRecord(QByteArrayView b, Wanted wanted)
{
    if (!isWmf(b))
        return false;
    qsizetype at = isPlaceable(b) ? 22 : 0;
    if (b.size() < at + 18)
        return false;
    at += qsizetype(le16(b, at + 2)) * 2;
    while (at + 6 <= b.size()) {
        const quint32 words = le32(b, at);
        const quint32 function = le16(b, at + 4);
        if (wanted(function))
            return true;
        if (words < 3 || function == 0)
            return false;
        at += qsizetype(words) * 2;
    }
    return false;
}

// Where the picture lies and how large it is. A placeable file's header names a box in
// the metafile's own units; a plain file has only the extent libwmf's scan finds.
struct Frame {
    bool placeable = false;
    // Whether the records set the window's origin or extent; a placeable file's box
    // then gives only the picture's size, the window what lies in it.
    bool setsWindow = false;
    bool setsWindowExtent = false;
    double left = 0, top = 0, unitsWide = 1, unitsHigh = 1;
    wmfD_Rect scanned{};
    QSize pixels;
    // Pixels of the picture a pixel of the metafile's own size is drawn as.
    int scale = 1;
};

struct Device {
    Frame frame;
    QImage image;
    QPainter painter;
    ~Device()
    {
        if (painter.isActive())
            painter.end();
    }
};

Device &device(wmfAPI *api) { return *static_cast<Device *>(api->device_data); }

// From libwmf's device units to pixels of our picture, for the device context in force.
// libwmf's device units are the metafile's units from the window origin, scaled by the
// context's pixel size: points for a placeable file in a fixed mapping mode, a
// 1024-unit viewport in the (an)isotropic modes that most clip art uses. Windows maps
// the window a metafile sets onto the whole picture, and the header's box otherwise:
// the box is where the picture lies on the page of the program that wrote it (far from
// the origin, or in other units than the window), never a shift of the drawing.
QTransform toPixels(const Device &d, const wmfDC *dc)
{
    const double w = d.frame.pixels.width(), h = d.frame.pixels.height();
    const Frame &f = d.frame;
    if (!f.placeable) {
        const double sx = w / std::max(1e-6f, f.scanned.BR.x - f.scanned.TL.x);
        const double sy = h / std::max(1e-6f, f.scanned.BR.y - f.scanned.TL.y);
        return QTransform(sx, 0, 0, sy, -f.scanned.TL.x * sx, -f.scanned.TL.y * sy);
    }
    double pw = dc->pixel_width, ph = dc->pixel_height;
    if (pw == 0 || ph == 0 || !std::isfinite(pw) || !std::isfinite(ph))
        return QTransform();
    // Without a mode of its own a window's extent counts as in the anisotropic mode: a
    // program playing a placeable file maps the window onto the box it places.
    const bool windowMapped = dc->map_mode == MapIsotropic || dc->map_mode == MapAnisotropic
        || ((dc->map_mode == MapText || dc->map_mode == MapPlaceable) && f.setsWindowExtent);
    if (windowMapped && dc->Window.width != 0 && dc->Window.height != 0) {
        const double vw = std::abs(pw * dc->Window.width), vh = std::abs(ph * dc->Window.height);
        return QTransform(w / vw, 0, 0, h / vh, 0, 0);
    }
    // libwmf turns the scale round for a window of negative extent in these modes.
    if (dc->Window.width < 0)
        pw = -pw;
    if (dc->Window.height < 0)
        ph = -ph;
    const double kx = w / f.unitsWide, ky = h / f.unitsHigh;
    if (f.setsWindow)
        return QTransform(kx / pw, 0, 0, ky / ph, 0, 0);
    return QTransform(kx / pw, 0, 0, ky / ph, (dc->Window.Ox - f.left) * kx,
                      (dc->Window.Oy - f.top) * ky);
}

QColor colour(const wmfRGB &rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

QPointF point(wmfD_Coord c) { return QPointF(c.x, c.y); }

// The longest stroke the picture needs: a pen wider than this covers it all anyway, and
// without the bound a hostile pen makes the stroker work for minutes.
double widestPen(const Device &d) { return 2.0 * (d.frame.pixels.width() + d.frame.pixels.height()); }

QPen makePen(const Device &d, const wmfDC *dc, const QTransform &m)
{
    const wmfPen *pen = WMF_DC_PEN(dc);
    if (!pen || WMF_PEN_STYLE(pen) == PS_NULL)
        return Qt::NoPen;
    // A pen of no width is one pixel wide at any scale, as on the screen.
    double width = std::abs(WMF_PEN_WIDTH(pen) * m.m11());
    if (!std::isfinite(width) || width < 1)
        width = 1;
    QPen result(colour(pen->lopnColor), std::min(width, widestPen(d)));
    switch (WMF_PEN_STYLE(pen)) {
    case PS_DASH: result.setStyle(Qt::DashLine); break;
    case PS_DOT: result.setStyle(Qt::DotLine); break;
    case PS_DASHDOT: result.setStyle(Qt::DashDotLine); break;
    case PS_DASHDOTDOT: result.setStyle(Qt::DashDotDotLine); break;
    default: result.setStyle(Qt::SolidLine); break;
    }
    switch (WMF_PEN_ENDCAP(pen)) {
    case PS_ENDCAP_SQUARE: result.setCapStyle(Qt::SquareCap); break;
    case PS_ENDCAP_FLAT: result.setCapStyle(Qt::FlatCap); break;
    default: result.setCapStyle(Qt::RoundCap); break;
    }
    switch (WMF_PEN_JOIN(pen)) {
    case PS_JOIN_BEVEL: result.setJoinStyle(Qt::BevelJoin); break;
    case PS_JOIN_MITER: result.setJoinStyle(Qt::MiterJoin); break;
    default: result.setJoinStyle(Qt::RoundJoin); break;
    }
    return result;
}

// A brush's pattern bitmap as pixels; libwmf reads bitmaps bottom row first.
QImage bitmapImage(wmfAPI *api, wmfBMP *bmp, int x0, int y0, int w, int h)
{
    if (!bmp->data || w <= 0 || h <= 0 || x0 < 0 || y0 < 0 || x0 + w > bmp->width
        || y0 + h > bmp->height || qint64(w) * h > WmfDrawing::MaxPixels)
        return {};
    QImage image(w, h, QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(h - 1 - y));
        for (int x = 0; x < w; ++x) {
            wmfRGB rgb{};
            const int opacity = wmf_ipa_bmp_color(api, bmp, &rgb, unsigned(x0 + x), unsigned(y0 + y));
            row[x] = qRgba(rgb.r, rgb.g, rgb.b, opacity >= 0 ? 255 : 0);
        }
    }
    return image;
}

Qt::BrushStyle hatch(int style)
{
    switch (style) {
    case HS_HORIZONTAL: return Qt::HorPattern;
    case HS_VERTICAL: return Qt::VerPattern;
    case HS_FDIAGONAL: return Qt::FDiagPattern;
    case HS_BDIAGONAL: return Qt::BDiagPattern;
    case HS_CROSS: return Qt::CrossPattern;
    default: return Qt::DiagCrossPattern;
    }
}

// Fills with the context's brush; a hatched brush on an opaque background first lays
// the background colour under its lines.
void fill(wmfAPI *api, const wmfDC *dc, const QPainterPath &path)
{
    Device &d = device(api);
    wmfBrush *brush = WMF_DC_BRUSH(dc);
    if (!brush)
        return;
    switch (WMF_BRUSH_STYLE(brush)) {
    case BS_NULL: return;
    case BS_HATCHED:
        if (WMF_DC_OPAQUE(dc))
            d.painter.fillPath(path, colour(dc->bgcolor));
        d.painter.fillPath(path, QBrush(colour(brush->lbColor), hatch(WMF_BRUSH_HATCH(brush))));
        return;
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT: {
        wmfBMP *bmp = WMF_BRUSH_BITMAP(brush);
        const QImage tile = bitmapImage(api, bmp, 0, 0, bmp->width, bmp->height);
        if (!tile.isNull()) {
            d.painter.fillPath(path, QBrush(tile));
            return;
        }
        break;
    }
    default: break;
    }
    d.painter.fillPath(path, colour(brush->lbColor));
}

// The raster operation of the context for pens and brushes; false when nothing is drawn.
bool applyRop2(QPainter &painter, const wmfDC *dc)
{
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (WMF_DC_ROP(dc)) {
    case R2_NOP: return false;
    case R2_XORPEN: mode = QPainter::RasterOp_SourceXorDestination; break;
    case R2_MASKPEN: mode = QPainter::RasterOp_SourceAndDestination; break;
    case R2_MERGEPEN: mode = QPainter::RasterOp_SourceOrDestination; break;
    case R2_NOT: mode = QPainter::RasterOp_NotDestination; break;
    case R2_NOTCOPYPEN: mode = QPainter::RasterOp_NotSource; break;
    default: break;
    }
    painter.setCompositionMode(mode);
    // Raster operations mix bits; antialiased edges would leave half-mixed seams.
    painter.setRenderHint(QPainter::Antialiasing, mode == QPainter::CompositionMode_SourceOver);
    return true;
}

void restoreMode(QPainter &painter)
{
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing, true);
}

// Draws a shape given in libwmf's device units: filled with the brush when it is
// closed, outlined with the pen.
void drawShape(wmfAPI *api, const wmfDC *dc, QPainterPath path, bool closed)
{
    Device &d = device(api);
    if (!applyRop2(d.painter, dc))
        return;
    const QTransform m = toPixels(d, dc);
    path.setFillRule(WMF_DC_POLYFILL(dc) == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    const QPainterPath mapped = m.map(path);
    if (closed)
        fill(api, dc, mapped);
    const QPen pen = makePen(d, dc, m);
    // Windows lights the pixel a coordinate names; a line of odd width in pixels is
    // centred on the pixel's middle to cover whole pixels, as there. Drawn at a scale,
    // the line lies where the one of the picture's own size does.
    if (pen.style() != Qt::NoPen) {
        const long ownWidth = std::max(1L, std::lround(pen.widthF() / d.frame.scale));
        const double middle = ownWidth % 2 ? 0.5 * d.frame.scale : 0.0;
        d.painter.strokePath(mapped.translated(middle, middle), pen);
    }
    restoreMode(d.painter);
}

QPainterPath polyline(const wmfD_Coord *pt, int count)
{
    QPainterPath path;
    if (!pt || count <= 0)
        return path;
    path.moveTo(point(pt[0]));
    for (int i = 1; i < count; ++i)
        path.lineTo(point(pt[i]));
    return path;
}

enum class ArcKind { Open, Pie, Chord };

// An arc's ends come relative to the ellipse's centre. Windows draws counter-clockwise
// (on the screen) from the record's first radial, which libwmf hands over as the end.
void drawArc(wmfAPI *api, wmfDrawArc_t *arc, ArcKind kind)
{
    const QRectF box = QRectF(point(arc->TL), point(arc->BR)).normalized();
    if (box.isEmpty())
        return;
    const QPointF centre = box.center();
    const double rx = box.width() / 2, ry = box.height() / 2;
    const auto angle = [&](wmfD_Coord p) {
        return std::atan2(-p.y / ry, p.x / rx) * 180.0 / M_PI;
    };
    const double start = angle(arc->end);
    double sweep = angle(arc->start) - start;
    while (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    if (kind == ArcKind::Pie)
        path.moveTo(centre);
    else
        path.arcMoveTo(box, start);
    path.arcTo(box, start, sweep);
    if (kind != ArcKind::Open)
        path.closeSubpath();
    drawShape(api, arc->dc, path, kind != ArcKind::Open);
}

QPainterPath rectangles(const QTransform &m, const wmfD_Coord *tl, const wmfD_Coord *br, unsigned count)
{
    QPainterPath path;
    for (unsigned i = 0; i < count; ++i)
        path.addRect(m.mapRect(QRectF(point(tl[i]), point(br[i])).normalized()));
    return path;
}

// Scanline flood fill over what is already drawn: within the border colour, or over
// the connected area of one colour.
void floodFill(wmfAPI *api, wmfFlood_t *flood, bool surface)
{
    Device &d = device(api);
    const QPoint start = toPixels(d, flood->dc).map(point(flood->pt)).toPoint();
    const QImage &image = d.image;
    if (!image.rect().contains(start))
        return;
    const QRgb target = 0xFF000000u | qRgb(flood->color.r, flood->color.g, flood->color.b);
    const auto inside = [&](int x, int y) {
        const QRgb p = reinterpret_cast<const QRgb *>(image.constScanLine(y))[x] | 0xFF000000u;
        return surface ? p == target : p != target;
    };
    if (!inside(start.x(), start.y()))
        return;
    const int w = image.width(), h = image.height();
    std::vector<bool> seen(size_t(w) * size_t(h), false);
    std::vector<QPoint> todo{start};
    std::vector<QRect> spans;
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        const int y = p.y();
        if (seen[size_t(y) * w + p.x()] || !inside(p.x(), y))
            continue;
        int left = p.x(), right = p.x();
        while (left > 0 && !seen[size_t(y) * w + left - 1] && inside(left - 1, y))
            --left;
        while (right < w - 1 && !seen[size_t(y) * w + right + 1] && inside(right + 1, y))
            ++right;
        for (int x = left; x <= right; ++x)
            seen[size_t(y) * w + x] = true;
        spans.emplace_back(QPoint(left, y), QPoint(right, y));
        // One seed per run of fillable pixels above and below keeps the stack small.
        for (int ny : {y - 1, y + 1}) {
            if (ny < 0 || ny >= h)
                continue;
            for (int x = left; x <= right; ++x) {
                if (seen[size_t(ny) * w + x] || !inside(x, ny))
                    continue;
                todo.emplace_back(x, ny);
                while (x < right && !seen[size_t(ny) * w + x + 1] && inside(x + 1, ny))
                    ++x;
            }
        }
    }
    // Painted only once the area is known, so that the fill does not read its own paint.
    const wmfBrush *brush = WMF_DC_BRUSH(flood->dc);
    const QColor paint = brush ? colour(brush->lbColor) : QColor(Qt::black);
    for (const QRect &span : spans)
        d.painter.fillRect(span, paint);
}

// --- libwmf's function reference ---

void deviceOpen(wmfAPI *) {}
void deviceClose(wmfAPI *) {}

void deviceBegin(wmfAPI *api)
{
    Device &d = device(api);
    d.image.fill(Qt::white);
    if (!d.painter.begin(&d.image)) {
        api->err = wmf_E_DeviceError;
        return;
    }
    // Bitmaps are stretched without smoothing, pixel for pixel as Windows does.
    d.painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
}

void deviceEnd(wmfAPI *api)
{
    Device &d = device(api);
    if (d.painter.isActive())
        d.painter.end();
}

void floodInterior(wmfAPI *api, wmfFlood_t *flood) { floodFill(api, flood, false); }
void floodExterior(wmfAPI *api, wmfFlood_t *flood) { floodFill(api, flood, flood->type == FLOODFILLSURFACE); }

void drawPixel(wmfAPI *api, wmfDrawPixel_t *pixel)
{
    Device &d = device(api);
    const QTransform m = toPixels(d, pixel->dc);
    const QRectF area(point(pixel->pt), QSizeF(pixel->pixel_width, pixel->pixel_height));
    d.painter.fillRect(m.mapRect(area.normalized()), colour(pixel->color));
}

void drawPie(wmfAPI *api, wmfDrawArc_t *arc) { drawArc(api, arc, ArcKind::Pie); }
void drawChord(wmfAPI *api, wmfDrawArc_t *arc) { drawArc(api, arc, ArcKind::Chord); }
void drawOpenArc(wmfAPI *api, wmfDrawArc_t *arc) { drawArc(api, arc, ArcKind::Open); }

void drawEllipse(wmfAPI *api, wmfDrawArc_t *arc)
{
    QPainterPath path;
    path.addEllipse(QRectF(point(arc->TL), point(arc->BR)).normalized());
    drawShape(api, arc->dc, path, true);
}

void drawLine(wmfAPI *api, wmfDrawLine_t *line)
{
    QPainterPath path(point(line->from));
    path.lineTo(point(line->to));
    drawShape(api, line->dc, path, false);
}

void polyLine(wmfAPI *api, wmfPolyLine_t *poly) { drawShape(api, poly->dc, polyline(poly->pt, poly->count), false); }

void drawPolygon(wmfAPI *api, wmfPolyLine_t *poly)
{
    QPainterPath path = polyline(poly->pt, poly->count);
    path.closeSubpath();
    drawShape(api, poly->dc, path, true);
}

void drawPolyPolygon(wmfAPI *api, wmfPolyPoly_t *poly)
{
    QPainterPath path;
    for (int i = 0; poly->pt && poly->count && i < poly->npoly; ++i) {
        QPainterPath part = polyline(poly->pt[i], poly->count[i]);
        part.closeSubpath();
        path.addPath(part);
    }
    drawShape(api, poly->dc, path, true);
}

void drawRectangle(wmfAPI *api, wmfDrawRectangle_t *rect)
{
    QPainterPath path;
    const QRectF box = QRectF(point(rect->TL), point(rect->BR)).normalized();
    if (rect->width > 0 && rect->height > 0)
        path.addRoundedRect(box, rect->width / 2, rect->height / 2);
    else
        path.addRect(box);
    drawShape(api, rect->dc, path, true);
}

// Block operations with the brush only (PatBlt and the like).
void ropDraw(wmfAPI *api, wmfROP_Draw_t *rop)
{
    Device &d = device(api);
    const QRectF area = toPixels(d, rop->dc).mapRect(QRectF(point(rop->TL), point(rop->BR)).normalized());
    QPainterPath path;
    path.addRect(area);
    switch (rop->ROP) {
    case WHITENESS: d.painter.fillPath(path, Qt::white); break;
    case BLACKNESS: d.painter.fillPath(path, Qt::black); break;
    case DSTINVERT:
        d.painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        d.painter.fillPath(path, Qt::black);
        break;
    case PATINVERT:
        d.painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        fill(api, rop->dc, path);
        break;
    default: fill(api, rop->dc, path); break;
    }
    restoreMode(d.painter);
}

void bmpDraw(wmfAPI *api, wmfBMP_Draw_t *draw)
{
    Device &d = device(api);
    const QImage picture = bitmapImage(api, &draw->bmp, draw->crop.x, draw->crop.y, draw->crop.w, draw->crop.h);
    if (picture.isNull())
        return;
    const QRectF area(point(draw->pt), QSizeF(draw->crop.w * draw->pixel_width, draw->crop.h * draw->pixel_height));
    const QRectF target = toPixels(d, draw->dc).mapRect(area.normalized());
    switch (draw->type) {
    case SRCAND: d.painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case SRCPAINT: d.painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case SRCINVERT: d.painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case NOTSRCCOPY: d.painter.setCompositionMode(QPainter::RasterOp_NotSource); break;
    default: break;
    }
    d.painter.drawImage(target, picture);
    restoreMode(d.painter);
}

// libwmf allocates a bitmap's pixels from its header before reading them; a header
// claiming more pixels than a picture may have, or more colours than the record holds,
// is not read (found by fuzzing: 12 GB).
void bmpRead(wmfAPI *api, wmfBMP_Read_t *read)
{
    const QByteArrayView header(reinterpret_cast<const char *>(read->buffer), read->buffer ? read->length : 0);
    if (header.size() >= 16 && le32(header, 0) >= 40) {
        const qint64 width = std::abs(qint64(qint32(le32(header, 4))));
        const qint64 height = std::abs(qint64(qint32(le32(header, 8))));
        if (width == 0 || height == 0 || width > WmfDrawing::MaxPixels / height)
            return;
        // Nor one whose colour table would not fit in the record (libwmf sizes it first).
        const qint64 headerBytes = le32(header, 0), colours = header.size() >= 36 ? le32(header, 32) : 0;
        if (headerBytes > header.size() || colours > (header.size() - headerBytes) / 4)
            return;
    } else if (header.size() >= 12 && le32(header, 0) == 12) {
        if (qint64(le16(header, 4)) * le16(header, 6) > WmfDrawing::MaxPixels)
            return;
    }
    wmf_ipa_bmp_read(api, read);
}
void bmpFree(wmfAPI *api, wmfBMP *bmp) { wmf_ipa_bmp_free(api, bmp); }

QFont qtFont(const wmfFont *font)
{
    QFont result;
    if (font && font->lfFaceName && *font->lfFaceName)
        result.setFamily(QString::fromLatin1(font->lfFaceName));
    if (font) {
        if (font->lfWeight > 0)
            result.setWeight(QFont::Weight(std::clamp(int(font->lfWeight), 100, 900)));
        result.setItalic(font->lfItalic);
        result.setUnderline(font->lfUnderline);
        result.setStrikeOut(font->lfStrikeOut);
    }
    return result;
}

// libwmf places the text: the point is the start of its baseline, the metafile's
// alignment already applied; the angle turns about it.
void drawText(wmfAPI *api, wmfDrawText_t *text)
{
    Device &d = device(api);
    if (!QGuiApplication::instance() || !text->str)
        return;
    const QTransform m = toPixels(d, text->dc);
    const double pixelSize = std::abs(text->font_height * m.m22());
    if (!std::isfinite(pixelSize) || pixelSize < 1 || pixelSize > 4 * widestPen(d))
        return;
    QFont font = qtFont(WMF_DC_FONT(text->dc));
    font.setPixelSize(int(std::lround(pixelSize)));
    d.painter.save();
    const QRectF clip = m.mapRect(QRectF(point(text->TL), point(text->BR)).normalized());
    if (text->flags & ETO_OPAQUE)
        d.painter.fillRect(clip, colour(text->dc->bgcolor));
    if (text->flags & ETO_CLIPPED)
        d.painter.setClipRect(clip, Qt::IntersectClip);
    if (WMF_DC_OPAQUE(text->dc)) {
        QPolygonF box;
        for (wmfD_Coord c : {text->bbox.TL, text->bbox.TR, text->bbox.BR, text->bbox.BL})
            box << m.map(point(c));
        QPainterPath path;
        path.addPolygon(box);
        d.painter.fillPath(path, colour(text->dc->bgcolor));
    }
    d.painter.setFont(font);
    d.painter.setPen(colour(text->dc->textcolor));
    d.painter.translate(m.map(point(text->pt)));
    const wmfFont *wf = WMF_DC_FONT(text->dc);
    if (wf)
        d.painter.rotate(-WMF_TEXT_ANGLE(wf) * 180.0 / M_PI);
    d.painter.drawText(QPointF(0, 0), QString::fromLatin1(text->str));
    d.painter.restore();
}

void udataNothing(wmfAPI *, wmfUserData_t *) {}

void regionFrame(wmfAPI *api, wmfPolyRectangle_t *rects)
{
    Device &d = device(api);
    const QTransform m = toPixels(d, rects->dc);
    QPainterPath frame;
    for (unsigned i = 0; i < rects->count; ++i) {
        const QRectF outer = QRectF(point(rects->TL[i]), point(rects->BR[i])).normalized();
        QPainterPath ring;
        ring.addRect(outer);
        QPainterPath hole;
        hole.addRect(outer.adjusted(rects->width, rects->height, -rects->width, -rects->height));
        frame.addPath(ring.subtracted(hole));
    }
    fill(api, rects->dc, m.map(frame));
}

void regionPaint(wmfAPI *api, wmfPolyRectangle_t *rects)
{
    const QTransform m = toPixels(device(api), rects->dc);
    fill(api, rects->dc, rectangles(m, rects->TL, rects->BR, rects->count));
}

void regionClip(wmfAPI *api, wmfPolyRectangle_t *rects)
{
    Device &d = device(api);
    if (rects->count == 0) {
        d.painter.setClipping(false);
        return;
    }
    d.painter.setClipPath(rectangles(toPixels(d, rects->dc), rects->TL, rects->BR, rects->count));
}

void installFunctions(wmfAPI *api)
{
    auto *fr = static_cast<wmfFunctionReference *>(api->function_reference);
    fr->device_open = deviceOpen;
    fr->device_close = deviceClose;
    fr->device_begin = deviceBegin;
    fr->device_end = deviceEnd;
    fr->flood_interior = floodInterior;
    fr->flood_exterior = floodExterior;
    fr->draw_pixel = drawPixel;
    fr->draw_pie = drawPie;
    fr->draw_chord = drawChord;
    fr->draw_arc = drawOpenArc;
    fr->draw_ellipse = drawEllipse;
    fr->draw_line = drawLine;
    fr->poly_line = polyLine;
    fr->draw_polygon = drawPolygon;
    fr->draw_polypolygon = drawPolyPolygon;
    fr->draw_rectangle = drawRectangle;
    fr->rop_draw = ropDraw;
    fr->bmp_draw = bmpDraw;
    fr->bmp_read = bmpRead;
    fr->bmp_free = bmpFree;
    fr->draw_text = drawText;
    fr->udata_init = udataNothing;
    fr->udata_copy = udataNothing;
    fr->udata_set = udataNothing;
    fr->udata_free = udataNothing;
    fr->region_frame = regionFrame;
    fr->region_paint = regionPaint;
    fr->region_clip = regionClip;
    api->device_data = nullptr;
}

// Fonts are Qt's: libwmf asks only for a font's mapping (nothing to do) and for the
// width of a string at one point, to place aligned text.
void mapFont(wmfAPI *, wmfFont *font) { font->user_data = nullptr; }

float stringWidth(wmfAPI *, wmfFont *font, char *str)
{
    if (!str)
        return 0;
    const QString text = QString::fromLatin1(str);
    if (!QGuiApplication::instance())
        return 0.5f * float(text.size());
    QFont qfont = qtFont(font);
    qfont.setPixelSize(100);
    return float(QFontMetricsF(qfont).horizontalAdvance(text) / 100.0);
}

struct ApiDeleter {
    void operator()(wmfAPI *api) const { wmf_api_destroy(api); }
};
using Api = std::unique_ptr<wmfAPI, ApiDeleter>;

Api createApi()
{
    wmfAPI_Options options{};
    options.function = installFunctions;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR
        | WMF_OPT_NO_DEBUG;
    wmfAPI *api = nullptr;
    const wmf_error_t error = wmf_api_create(&api, flags, &options);
    // libwmf hands back a half-made API on failure; it is ours to destroy either way.
    Api owned(api);
    if (error != wmf_E_None || !api || !api->font_data)
        return nullptr;
    auto *fonts = static_cast<wmfFontData *>(api->font_data);
    fonts->map = mapFont;
    fonts->stringwidth = stringWidth;
    return owned;
}

bool fits(QSize pixels, qint64 maxPixels)
{
    return pixels.width() > 0 && pixels.height() > 0 && pixels.width() <= maxPixels / pixels.height();
}

} // namespace

namespace WmfDrawing {

bool looksLikeWmf(QByteArrayView bytes) { return isWmf(bytes); }

bool hasText(QByteArrayView b)
{
    return anyRecord(b, [](quint32 f) { return f == RecordTextOut || f == RecordExtTextOut; });
}

QImage draw(QByteArrayView bytes, qint64 maxPixels) { return draw(bytes, 1, QSize(), maxPixels); }

QImage draw(QByteArrayView bytes, int scale, QSize crop, qint64 maxPixels)
{
    if (!isWmf(bytes) || scale < 1)
        return {};
    Frame frame;
    if (isPlaceable(bytes)) {
        const double left = signed16(bytes, 6), top = signed16(bytes, 8);
        const double right = signed16(bytes, 10), bottom = signed16(bytes, 12);
        const double unitsPerInch = le16(bytes, 14);
        if (unitsPerInch <= 0 || left == right || top == bottom)
            return {};
        frame.placeable = true;
        frame.setsWindow = anyRecord(bytes, [](quint32 f) {
            return f == RecordSetWindowOrg || f == RecordSetWindowExt;
        });
        frame.setsWindowExtent = anyRecord(bytes, [](quint32 f) { return f == RecordSetWindowExt; });
        frame.left = std::min(left, right);
        frame.top = std::min(top, bottom);
        frame.unitsWide = std::abs(right - left);
        frame.unitsHigh = std::abs(bottom - top);
        frame.pixels = QSize(int(std::lround(frame.unitsWide * ScreenDpi / unitsPerInch)),
                             int(std::lround(frame.unitsHigh * ScreenDpi / unitsPerInch)));
        // Refused from the header alone, before libwmf reads a record.
        if (!fits(frame.pixels, maxPixels))
            return {};
    }

    Device device;
    Api api = createApi();
    if (!api)
        return {};
    api->device_data = &device;
    // libwmf only reads the buffer; it takes it through a non-const pointer.
    QByteArray data = bytes.toByteArray();
    // libwmf allocates a buffer of the header's largest record before reading any; no
    // record is larger than the file, so a header claiming gigabytes is put right here.
    const qsizetype largestAt = (frame.placeable ? 22 : 0) + 12;
    if (data.size() >= largestAt + 4 && le32(data, largestAt) > quint32(data.size() / 2)) {
        const quint32 words = quint32(data.size() / 2);
        for (int i = 0; i < 4; ++i)
            data[largestAt + i] = char((words >> (8 * i)) & 0xFF);
    }
    if (wmf_mem_open(api.get(), reinterpret_cast<unsigned char *>(data.data()), long(data.size()))
        != wmf_E_None)
        return {};
    wmfD_Rect box{};
    if (wmf_scan(api.get(), 0, &box) != wmf_E_None)
        return {};
    if (!frame.placeable) {
        const double w = double(box.BR.x) - box.TL.x, h = double(box.BR.y) - box.TL.y;
        if (!(w >= 0.5 && h >= 0.5) || w > maxPixels || h > maxPixels)
            return {};
        frame.scanned = box;
        frame.pixels = QSize(int(std::lround(w)), int(std::lround(h)));
        if (!fits(frame.pixels, maxPixels))
            return {};
    }
    // The whole picture is mapped at the scale; the image holds the part asked for.
    const QSize drawn = (crop.isEmpty() ? frame.pixels : frame.pixels.boundedTo(crop)) * scale;
    if (!fits(drawn, maxPixels))
        return {};
    frame.pixels *= scale;
    frame.scale = scale;
    device.frame = frame;
    device.image = QImage(drawn, QImage::Format_RGB32);
    if (device.image.isNull())
        return {};
    if (wmf_play(api.get(), 0, &box) != wmf_E_None)
        return {};
    if (device.painter.isActive())
        device.painter.end();
    return std::move(device.image);
}

} // namespace WmfDrawing
