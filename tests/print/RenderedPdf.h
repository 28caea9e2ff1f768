#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <functional>

// A PDF read back the way a user sees it: a page rendered by poppler's pdftoppm at
// 10 pixels per millimetre, and the words pdftotext finds with their boxes. All
// positions are millimetres from the page's top-left corner.
struct PdfWord {
    QString text;
    QRectF box;
};

namespace RenderedPdf {

constexpr int PixelsPerMm = 10;

int pageCount(const QString &pdf);
QImage renderPage(const QString &pdf, int page = 1);
QList<PdfWord> words(const QString &pdf, int page = 1);

// A window of a page, in millimetres, rendered finer than renderPage to measure
// positions to a few hundredths of a millimetre.
struct Window {
    QImage image;
    QRectF mm;
    int pixelsPerMm = 0;
};
Window renderWindow(const QString &pdf, const QRectF &windowMm, int pixelsPerMm, int page = 1);
// The pixels of a page rendered at dpi dots per inch, counted from the page's corner.
QImage renderPixels(const QString &pdf, double dpi, const QRect &pixels, int page = 1);

using PixelTest = std::function<bool(QRgb)>;
// The box of the pixels passing the test in the window, in page millimetres, or an empty box.
QRectF boxOf(const Window &window, const PixelTest &test);
// The box of the pixels passing the test inside the window, or an empty box.
QRectF boxOf(const QImage &page, const QRectF &windowMm, const PixelTest &test);
int countIn(const QImage &page, const QRectF &windowMm, const PixelTest &test);

} // namespace RenderedPdf
