// lumovander-svg: draws one logo SVG, as the program's rewriting wrote it, read from
// standard input, into pixels of the size asked, under limits it puts on itself first.
// Qt SVG has no bounds of its own: a drawing of a few hundred points can keep its
// rasteriser busy for minutes, at some sizes and not at others. The program draws a logo's
// SVG in pixels only here; it keeps a logo only when this drawing ends within the limits,
// and then takes every picture of the logo on screen and in pictures from these pixels.
// Arguments (--crop-width and --crop-height: the size drawn) and answer ("LSVG", width,
// height, premultiplied pixels): helper/HelperMain.h.
#include "helper/HelperMain.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <memory>

int main(int argc, char **argv)
{
    // The program's cap on a logo's text, with room for what the rewriting adds.
    const HelperMain::Defaults defaults{5, 700, qsizetype(8) << 20};
    return HelperMain::run(argc, argv, "LSVG", defaults, [&argc, argv](const QByteArray &svg, const HelperMain::Request &request) {
        if (request.crop.isEmpty())
            return QImage();
        // Text needs Qt's fonts and with them an application; shapes draw without one.
        std::unique_ptr<QGuiApplication> app;
        if (svg.contains("<text")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QGuiApplication>(argc, argv);
        }
        QSvgRenderer renderer(svg);
        if (!renderer.isValid())
            return QImage();
        QImage drawn(request.crop, QImage::Format_ARGB32_Premultiplied);
        if (drawn.isNull())
            return QImage();
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(request.crop)));
        painter.end();
        return drawn;
    });
}
