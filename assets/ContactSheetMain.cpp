// lumo_assets_preview: draws every built-in picture at twice its size on one sheet for
// reviewers. Usage: lumo_assets_preview [output.png], by default assets/preview.png in
// the current folder.
#include "assets/BuiltinPictures.h"
#include "assets/DrawingFont.h"

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Tile
{
    QImage picture;
    QString caption;
};

constexpr int scale = 2;
constexpr int gap = 16;
constexpr int captionHeight = 22;

QSize tileSize(const Tile &tile)
{
    return tile.picture.size() * scale + QSize(0, captionHeight);
}

// Draws the tiles of one column top to bottom, or of one row left to right.
QPoint paintRun(QPainter &p, QPoint at, const std::vector<Tile> &run, bool across)
{
    for (const Tile &tile : run) {
        const QSize size = tile.picture.size() * scale;
        p.drawImage(QRect(at, size), tile.picture);
        p.setPen(QColor(40, 40, 40));
        p.drawText(QRect(at.x(), at.y() + size.height(), size.width() + 200, captionHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, tile.caption);
        at += across ? QPoint(size.width() + gap, 0) : QPoint(0, tileSize(tile).height() + gap);
    }
    return at;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("assets/preview.png");

    static const char *const styles[] = {"Enkel kader", "Met tanding", "Dubbel kader", "Kartelrand"};
    std::vector<std::vector<Tile>> frameRows;
    for (int k = 1; k <= 4; ++k) {
        const QString name = QString::fromLatin1(styles[k - 1]);
        frameRows.push_back({{BuiltinPictures::frame(2 * k - 1), QStringLiteral("Img(%1) %2").arg(2 * k - 1).arg(name)},
                             {BuiltinPictures::frame(2 * k), QStringLiteral("Img(%1)").arg(2 * k)},
                             {BuiltinPictures::thumbnail(k), QStringLiteral("Klein(%1)").arg(k)}});
    }
    const std::vector<Tile> windows = {
        {BuiltinPictures::startPicture(), QStringLiteral("Startplaatje")},
        {BuiltinPictures::marginsDiagram(), QStringLiteral("Marges, Image1")},
        {BuiltinPictures::printerPicture(), QStringLiteral("Afdrukken, Image1")}};

    int framesWidth = 0;
    int framesHeight = 0;
    for (const auto &row : frameRows) {
        int rowWidth = 0;
        int rowHeight = 0;
        for (const Tile &tile : row) {
            rowWidth += tileSize(tile).width() + gap;
            rowHeight = std::max(rowHeight, tileSize(tile).height());
        }
        framesWidth = std::max(framesWidth, rowWidth);
        framesHeight += rowHeight + gap;
    }
    int windowsWidth = 0;
    int windowsHeight = 0;
    for (const Tile &tile : windows) {
        windowsWidth = std::max(windowsWidth, tileSize(tile).width());
        windowsHeight += tileSize(tile).height() + gap;
    }

    QImage sheet(gap + framesWidth + windowsWidth + gap, gap + std::max(framesHeight, windowsHeight),
                 QImage::Format_RGB32);
    sheet.fill(QColor(176, 182, 190));
    QPainter p(&sheet);
    p.setFont(drawingFont(14));
    QPoint at(gap, gap);
    for (const auto &row : frameRows) {
        paintRun(p, at, row, true);
        int rowHeight = 0;
        for (const Tile &tile : row)
            rowHeight = std::max(rowHeight, tileSize(tile).height());
        at.ry() += rowHeight + gap;
    }
    paintRun(p, QPoint(gap + framesWidth, gap), windows, false);
    p.end();

    if (!sheet.save(output, "PNG")) {
        std::fprintf(stderr, "Kan %s niet schrijven\n", qPrintable(output));
        return 1;
    }
    return 0;
}
