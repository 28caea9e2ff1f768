#pragma once

#include <QImage>

// The finer copy of one card picture for paper, Composition::PrintScale times the
// screen picture's pixels. It counts only beside the very screen picture it was made
// with: writing into a QImage detaches it and so changes its cacheKey, so a writer that
// changed the screen picture without bringing the print copy in step leaves a copy that
// no longer matches, and paper falls back on the screen picture instead of showing an
// older card.
class PrintCopy {
public:
    void set(const QImage &print, const QImage &screen)
    {
        m_image = print;
        m_screenKey = screen.cacheKey();
    }
    void reset() { *this = PrintCopy(); }

    bool matches(const QImage &screen) const { return !m_image.isNull() && screen.cacheKey() == m_screenKey; }
    // The copy as stored, whether or not it still matches.
    const QImage &image() const { return m_image; }

private:
    QImage m_image;
    qint64 m_screenKey = 0;
};
