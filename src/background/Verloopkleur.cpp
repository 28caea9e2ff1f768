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

// Gradient n's value at card pixel (x, y), anywhere, before it is held to 0..255: what
// GradientPainter leaves there on a card (the last line drawn through a pixel decides;
// on the card the diagonal's second family meets the first exactly at x + y = W,
// because DiagonalOffset is W - H there).
int cardValue(int pattern, int x, int y)
{
    const int W = Gradients::CardSize.width();
    const int H = Gradients::CardSize.height();
    switch (pattern) {
    case 1: return y;
    case 2: return H - y;
    case 3: return x + y <= W ? x + y : W + H - (x + y);
    case 4: return 2 * std::min(y, H - y);
    case 5: return 2 * std::min(std::min(x, W - x), std::min(y, H - y));
    case 6: return std::min(x, W - x);
    }
    return 0;
}

QRgb schemeColour(Scheme scheme, int value)
{
    const int c = std::clamp(value, 0, 255);
    return qRgb(scheme.red ? c : 0, scheme.green ? c : 0, scheme.blue ? c : 0);
}

// n = 7 * (pattern - 1) + scheme, both counted from 1.
int patternOf(int n) { return (n - 1) / 7 + 1; }
Scheme schemeOf(int n) { return Schemes[(n - 1) % 7]; }

static_assert(Gradients::CardSize.width() - Gradients::CardSize.height() == DiagonalOffset);

} // namespace

bool Verloopkleur(QImage &target, int n)
{
    if (n < Gradients::First || n > Gradients::Last || target.isNull())
        return false;
    ensureLinePenFormat(target);
    GradientPainter painter(target, schemeOf(n));
    painter.draw(patternOf(n));
    return true;
}

int shownGradient(const QImage &picture)
{
    if (picture.size() != Gradients::CardSize)
        return 0;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    for (int n = Gradients::First; n <= Gradients::Last; ++n) {
        const Scheme scheme = schemeOf(n);
        const int pattern = patternOf(n);
        bool same = true;
        for (int y = 0; same && y < rgb.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            for (int x = 0; same && x < rgb.width(); ++x)
                same = (row[x] | 0xff000000u) == schemeColour(scheme, cardValue(pattern, x, y));
        }
        if (same)
            return n;
    }
    return 0;
}

QImage gradientBeyond(int n, const QMargins &beyond)
{
    if (n < Gradients::First || n > Gradients::Last || beyond.left() < 0 || beyond.top() < 0 || beyond.right() < 0
        || beyond.bottom() < 0)
        return {};
    const Scheme scheme = schemeOf(n);
    const int pattern = patternOf(n);
    QImage out(Gradients::CardSize.grownBy(beyond), QImage::Format_RGB32);
    if (out.isNull())
        return out;
    for (int y = 0; y < out.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            row[x] = schemeColour(scheme, cardValue(pattern, x - beyond.left(), y - beyond.top()));
    }
    return out;
}
