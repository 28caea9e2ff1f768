#pragma once

#include <QByteArray>
#include <QImage>
#include <functional>
#include <memory>

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
        m_packed.clear();
        m_packedFrom = 0;
        m_make = nullptr;
        m_screenKey = screen.cacheKey();
    }
    // A copy made only when asked for, by make: a built-in picture at print scale (a
    // bare stamp frame) takes milliseconds to draw, at every start, and is seldom printed.
    void setMadeBy(std::function<QImage()> make, const QImage &screen)
    {
        set(QImage(), screen);
        m_make = std::make_shared<const std::function<QImage()>>(std::move(make));
    }
    void reset() { *this = PrintCopy(); }

    // Keeps the copy as a JPEG of quality 95 instead of pixels, a tenth of the memory
    // or less, for the undo history's older steps: undone that far, a card still
    // prints from its print copy, at some 42 dB from the copy it had. Unpacked again
    // by image(), on each call, or for good by set().
    // A copy packed already from the same pixels (the step before, undo's neighbour)
    // gives its bytes instead of packing them again.
    void pack(const PrintCopy *packedAlready = nullptr);
    bool isPacked() const { return !m_packed.isEmpty(); }

    bool matches(const QImage &screen) const { return !isEmpty() && screen.cacheKey() == m_screenKey; }
    bool isEmpty() const { return m_image.isNull() && m_packed.isEmpty() && !m_make; }
    // The copy as stored, whether or not it still matches; a packed copy decoded.
    QImage image() const;
    // Whether both hold the same pixels (a packed copy and its unpacked original do not).
    bool samePixels(const PrintCopy &other) const;
    // The bytes the copy holds that other does not share with it.
    qsizetype bytesBeyond(const PrintCopy &other) const;

private:
    QImage m_image;
    QByteArray m_packed;
    qint64 m_packedFrom = 0; // the cacheKey of the pixels packed
    // Shared by the copies of a card, so that comparing them need not make the picture.
    std::shared_ptr<const std::function<QImage()>> m_make;
    qint64 m_screenKey = 0;
};
