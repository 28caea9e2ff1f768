#include "assets/PictureMakers.h"
#include "assets/StampFrameStyles.h"

#include <vector>

// A crenellated edge: square teeth 6 pixels wide stand 4 pixels out of the paper, one
// every 10 pixels, with a crisp black outline and a slightly shaded rim inside it.
// Drawn pixel by pixel on a mask so that every line lands on whole pixels.
namespace {

constexpr int toothPitch = 10;
constexpr int toothWidth = 6;
constexpr int toothHeight = 4;  // rows or columns 0..3 stand out; the paper starts at 4

const QRgb outlineColour = qRgb(0, 0, 0);
const QRgb rimColour = qRgb(198, 198, 198);

class PaperMask
{
public:
    PaperMask(int width, int height)
        : m_width(width), m_height(height), m_cells(size_t(width) * size_t(height), false)
    {
    }

    void fill(int left, int top, int width, int height)
    {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                m_cells[index(x, y)] = true;
    }

    bool contains(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_width && y < m_height && m_cells[index(x, y)];
    }

    // A paper pixel with a non-paper pixel among its eight neighbours.
    bool onBorder(int x, int y) const
    {
        if (!contains(x, y))
            return false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (!contains(x + dx, y + dy))
                    return true;
        return false;
    }

private:
    size_t index(int x, int y) const { return size_t(y) * size_t(m_width) + size_t(x); }

    int m_width;
    int m_height;
    std::vector<bool> m_cells;
};

// Teeth are centred on each edge, so a 140-pixel edge starts and ends with a 2-pixel gap;
// the square corners are filled, so the first teeth of two edges join into one corner.
PaperMask paper(int width, int height)
{
    PaperMask mask(width, height);
    mask.fill(toothHeight, toothHeight, width - 2 * toothHeight, height - 2 * toothHeight);
    for (int x : {0, width - toothHeight})
        for (int y : {0, height - toothHeight})
            mask.fill(x, y, toothHeight, toothHeight);
    const int firstAcross = (width % toothPitch + toothPitch - toothWidth) / 2;
    for (int x = firstAcross; x + toothWidth <= width; x += toothPitch) {
        mask.fill(x, 0, toothWidth, toothHeight);
        mask.fill(x, height - toothHeight, toothWidth, toothHeight);
    }
    const int firstDown = (height % toothPitch + toothPitch - toothWidth) / 2;
    for (int y = firstDown; y + toothWidth <= height; y += toothPitch) {
        mask.fill(0, y, toothHeight, toothWidth);
        mask.fill(width - toothHeight, y, toothHeight, toothWidth);
    }
    return mask;
}

} // namespace

namespace StampFrameStyles {

void paintSquareTeeth(QImage &image, int scale)
{
    // The teeth stand on whole screen pixels; at a scale each of those pixels is a
    // scale x scale square, so the outline stays as crisp as on screen.
    const PaperMask mask = paper(image.width() / scale, image.height() / scale);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (!mask.contains(x / scale, y / scale))
                continue;
            row[x] = mask.onBorder(x / scale, y / scale) ? outlineColour : PictureMakers::frameInside;
        }
    }
    shadeAlongLine(image, {rimColour}, scale);
}

} // namespace StampFrameStyles
