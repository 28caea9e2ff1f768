#include "RenderedPdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace RenderedPdf {

namespace {

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

constexpr double MmPerPoint = 25.4 / 72;

QRect pixelWindow(const QImage &page, const QRectF &mm)
{
    const QRect window(QPoint(int(mm.left() * PixelsPerMm), int(mm.top() * PixelsPerMm)),
                       QPoint(int(mm.right() * PixelsPerMm), int(mm.bottom() * PixelsPerMm)));
    return window.intersected(page.rect());
}

} // namespace

int pageCount(const QString &pdf)
{
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}));
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QImage renderPage(const QString &pdf, int page)
{
    QTemporaryDir folder;
    const QString prefix = folder.filePath(QStringLiteral("page"));
    const QString number = QString::number(page);
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(PixelsPerMm * 254 / 10),
                                     QStringLiteral("-f"), number, QStringLiteral("-l"), number,
                                     QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QImage renderPixels(const QString &pdf, double dpi, const QRect &pixels, int page)
{
    QTemporaryDir folder;
    const QString prefix = folder.filePath(QStringLiteral("window"));
    const QString number = QString::number(page);
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), number, QStringLiteral("-l"), number,
         QStringLiteral("-x"), QString::number(pixels.x()), QStringLiteral("-y"), QString::number(pixels.y()),
         QStringLiteral("-W"), QString::number(pixels.width()), QStringLiteral("-H"),
         QString::number(pixels.height()), QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

Window renderWindow(const QString &pdf, const QRectF &windowMm, int pixelsPerMm, int page)
{
    const QRect pixels(QPoint(int(windowMm.left() * pixelsPerMm), int(windowMm.top() * pixelsPerMm)),
                       QSize(int(windowMm.width() * pixelsPerMm), int(windowMm.height() * pixelsPerMm)));
    Window window;
    window.image = renderPixels(pdf, pixelsPerMm * 25.4, pixels, page);
    window.mm = QRectF(QPointF(pixels.x(), pixels.y()) / pixelsPerMm, QSizeF(pixels.size()) / pixelsPerMm);
    window.pixelsPerMm = pixelsPerMm;
    return window;
}

QRectF boxOf(const Window &window, const PixelTest &test)
{
    QRect box;
    for (int y = 0; y < window.image.height(); ++y)
        for (int x = 0; x < window.image.width(); ++x)
            if (test(window.image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    if (box.isNull())
        return {};
    const double s = window.pixelsPerMm;
    return {window.mm.left() + box.x() / s, window.mm.top() + box.y() / s, box.width() / s, box.height() / s};
}

QList<PdfWord> words(const QString &pdf, int page)
{
    const QString number = QString::number(page);
    QXmlStreamReader xml(run(QStringLiteral("pdftotext"),
                             {QStringLiteral("-bbox"), QStringLiteral("-f"), number, QStringLiteral("-l"),
                              number, pdf, QStringLiteral("-")}));
    QList<PdfWord> found;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("word"))
            continue;
        const auto a = xml.attributes();
        const QPointF topLeft(a.value(QLatin1String("xMin")).toDouble(), a.value(QLatin1String("yMin")).toDouble());
        const QPointF bottomRight(a.value(QLatin1String("xMax")).toDouble(),
                                  a.value(QLatin1String("yMax")).toDouble());
        found.append({xml.readElementText(), QRectF(topLeft * MmPerPoint, bottomRight * MmPerPoint)});
    }
    return found;
}

QRectF boxOf(const QImage &page, const QRectF &windowMm, const PixelTest &test)
{
    const QRect window = pixelWindow(page, windowMm);
    QRect box;
    for (int y = window.top(); y <= window.bottom(); ++y)
        for (int x = window.left(); x <= window.right(); ++x)
            if (test(page.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    if (box.isNull())
        return {};
    return {box.x() / double(PixelsPerMm), box.y() / double(PixelsPerMm), box.width() / double(PixelsPerMm),
            box.height() / double(PixelsPerMm)};
}

int countIn(const QImage &page, const QRectF &windowMm, const PixelTest &test)
{
    const QRect window = pixelWindow(page, windowMm);
    int n = 0;
    for (int y = window.top(); y <= window.bottom(); ++y)
        for (int x = window.left(); x <= window.right(); ++x)
            n += test(page.pixel(x, y));
    return n;
}

} // namespace RenderedPdf
