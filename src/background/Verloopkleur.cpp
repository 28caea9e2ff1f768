#include "background/Verloopkleur.h"

#include "background/LinePen.h"

#include <algorithm>

namespace {

// Which channels a scheme lights: red, green, blue, yellow, cyan, magenta, grey.
struct Scheme {
    bool red, green, blue;
};
constexpr Scheme Schemes[7] = {
    {true, false, false}, {false, true, false}, {false, false, true}, {true, true, false},
    {false, true, true},  {true, false, true},  {true, true, true},
};

// The diagonal pattern's second family starts this far right on the bottom edge,
// whatever the size: the preview keeps a wedge of what it showed before.
constexpr int DiagonalOffset = 170;

class GradientPainter {
public:
    GradientPainter(QImage &target, Scheme scheme)
        : m_pen(target)
        , m_scheme(scheme)
        , W(target.width())
        , H(target.height())
    {
    }

    void draw(int pattern)
    {
        switch (pattern) {
        case 1: topToBottom(); break;
        case 2: bottomToTop(); break;
        case 3: diagonal(); break;
        case 4: horizontalBand(); break;
        case 5: frame(); break;
        case 6: verticalBand(); break;
        }
    }

private:
    void use(int v)
    {
        const uint c = uint(std::min(v, 255));
        m_pen.setColor(qRgb(m_scheme.red ? c : 0, m_scheme.green ? c : 0, m_scheme.blue ? c : 0));
    }

    void topToBottom()
    {
        for (int i = 0; i <= H; ++i) {
            use(i);
            m_pen.line({0, i}, {W, i});
        }
    }

    void bottomToTop()
    {
        for (int i = 0; i <= H; ++i) {
            use(H - i);
            m_pen.line({0, i}, {W, i});
        }
    }

    void diagonal()
    {
        for (int j = 0; j <= W; ++j) {
            use(j);
            m_pen.line({j, 0}, {0, j});
        }
        for (int i = 0; i <= H; ++i) {
            use(H - i);
            m_pen.line({W, i}, {i + DiagonalOffset, H});
        }
    }

    // "To H/2" runs while the counter is not above the exact half: 2 * i <= H.
    void horizontalBand()
    {
        for (int i = 0; 2 * i <= H; ++i) {
            use(2 * i);
            m_pen.line({0, i}, {W, i});
            m_pen.line({0, H - i}, {W, H - i});
        }
    }

    void frame()
    {
        for (int i = 0; 2 * i <= H; ++i) {
            use(2 * i);
            m_pen.rectOutline({i, i}, {W - i, H - i});
        }
    }

    void verticalBand()
    {
        for (int j = 0; 2 * j <= W; ++j) {
            use(j);
            m_pen.line({j, 0}, {j, H});
            m_pen.line({W - j, 0}, {W - j, H});
        }
    }

    LinePen m_pen;
    Scheme m_scheme;
    const int W;
    const int H;
};

} // namespace

bool Verloopkleur(QImage &target, int n)
{
    if (n < Gradients::First || n > Gradients::Last || target.isNull())
        return false;
    ensureLinePenFormat(target);
    GradientPainter painter(target, Schemes[(n - 1) % 7]);
    painter.draw((n - 1) / 7 + 1);
    return true;
}
