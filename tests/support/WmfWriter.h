#pragma once

#include <QByteArray>
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QVector>
#include <algorithm>

// Writes small Windows metafiles record by record, for tests, benchmarks and the fuzz
// corpus: a placeable or plain header and the records added. Objects are selected as
// they are made and never deleted, so each takes the next handle.
class WmfWriter {
public:
    WmfWriter &record(int function, const QVector<int> &words)
    {
        put32(m_records, quint32(3 + words.size()));
        put16(m_records, function);
        for (int w : words)
            put16(m_records, w);
        m_largest = std::max(m_largest, int(3 + words.size()));
        return *this;
    }
    // A record with parameters given as bytes (padded to whole words).
    WmfWriter &rawRecord(int function, QByteArray params)
    {
        if (params.size() % 2)
            params.append('\0');
        put32(m_records, quint32(3 + params.size() / 2));
        put16(m_records, function);
        m_records.append(params);
        m_largest = std::max(m_largest, int(3 + params.size() / 2));
        return *this;
    }

    WmfWriter &brush(QColor c, int style = 0, int hatch = 0)
    {
        record(0x02FC, {style, c.red() | c.green() << 8, c.blue(), hatch});
        return select();
    }
    WmfWriter &nullBrush() { return brush(Qt::black, 1); }
    WmfWriter &pen(QColor c, int width = 1, int style = 0)
    {
        record(0x02FA, {style, width, 0, c.red() | c.green() << 8, c.blue()});
        return select();
    }
    WmfWriter &nullPen() { return pen(Qt::black, 0, 5); }
    WmfWriter &font(int height, const QByteArray &face = "DejaVu Sans", int escapement = 0)
    {
        QByteArray p;
        for (int w : {-height, 0, escapement, escapement, 400, 0, 0, 0, 0})
            put16(p, w);
        p.append(face.left(31));
        p.append(QByteArray(32 - std::min<qsizetype>(face.size(), 31), '\0'));
        rawRecord(0x02FB, p);
        return select();
    }

    WmfWriter &mapMode(int mode) { return record(0x0103, {mode}); }
    WmfWriter &windowOrg(int x, int y) { return record(0x020B, {y, x}); }
    WmfWriter &windowExt(int w, int h) { return record(0x020C, {h, w}); }
    WmfWriter &polyFillMode(int mode) { return record(0x0106, {mode}); }
    WmfWriter &textColour(QColor c) { return record(0x0209, {c.red() | c.green() << 8, c.blue()}); }
    WmfWriter &backgroundMode(int mode) { return record(0x0102, {mode}); }
    WmfWriter &textAlign(int align) { return record(0x012E, {align}); }
    WmfWriter &clipRect(int l, int t, int r, int b) { return record(0x0416, {b, r, t, l}); }

    WmfWriter &rectangle(int l, int t, int r, int b) { return record(0x041B, {b, r, t, l}); }
    WmfWriter &roundRect(int l, int t, int r, int b, int w, int h) { return record(0x061C, {h, w, b, r, t, l}); }
    WmfWriter &ellipse(int l, int t, int r, int b) { return record(0x0418, {b, r, t, l}); }
    // Pie (0x081A), arc (0x0817) or chord (0x0830) of the box, from one radial to the other.
    WmfWriter &arcRecord(int function, QRect box, QPoint from, QPoint to)
    {
        return record(function, {to.y(), to.x(), from.y(), from.x(), box.bottom() + 1,
                                  box.right() + 1, box.top(), box.left()});
    }
    // ExtFloodFill up to a border colour.
    WmfWriter &floodFill(QPoint at, QColor border) { return record(0x0548, {0, border.red() | border.green() << 8, border.blue(), at.y(), at.x()}); }
    WmfWriter &line(QPoint from, QPoint to)
    {
        record(0x0214, {from.y(), from.x()});
        return record(0x0213, {to.y(), to.x()});
    }
    WmfWriter &polygon(const QVector<QPoint> &points) { return poly(0x0324, points); }
    WmfWriter &polyline(const QVector<QPoint> &points) { return poly(0x0325, points); }
    WmfWriter &polyPolygon(const QVector<QVector<QPoint>> &polygons)
    {
        QVector<int> words{int(polygons.size())};
        for (const auto &p : polygons)
            words << int(p.size());
        for (const auto &p : polygons)
            for (QPoint pt : p)
                words << pt.x() << pt.y();
        return record(0x0538, words);
    }
    WmfWriter &textOut(QPoint at, const QByteArray &text)
    {
        QByteArray p;
        put16(p, int(text.size()));
        p.append(text);
        if (p.size() % 2)
            p.append('\0');
        put16(p, at.y());
        put16(p, at.x());
        return rawRecord(0x0521, p);
    }
    // StretchDIB with SRCCOPY of a 24-bit bitmap given top row first.
    WmfWriter &bitmap(QRect target, const QVector<QVector<QColor>> &rows)
    {
        const int h = int(rows.size()), w = int(rows.value(0).size());
        QByteArray p;
        put32(p, 0x00CC0020);
        for (int v : {0, h, w, 0, 0, target.height(), target.width(), target.y(), target.x()})
            put16(p, v);
        p.append(dib(rows));
        return rawRecord(0x0F43, p);
    }
    static QByteArray dib(const QVector<QVector<QColor>> &rows)
    {
        const int h = int(rows.size()), w = int(rows.value(0).size());
        const int stride = (w * 3 + 3) & ~3;
        QByteArray p;
        put32(p, 40);
        put32(p, quint32(w));
        put32(p, quint32(h));
        put16(p, 1);
        put16(p, 24);
        for (quint32 v : {0u, quint32(stride * h), 0u, 0u, 0u, 0u})
            put32(p, v);
        for (int y = h - 1; y >= 0; --y) { // bottom row first
            QByteArray row;
            for (const QColor &c : rows[y])
                row.append(char(c.blue())).append(char(c.green())).append(char(c.red()));
            row.append(QByteArray(stride - row.size(), '\0'));
            p.append(row);
        }
        return p;
    }

    QByteArray plain() const
    {
        QByteArray header;
        put16(header, 1);
        put16(header, 9);
        put16(header, 0x0300);
        QByteArray records = m_records;
        put32(records, 3);
        put16(records, 0); // end of file
        put32(header, quint32((18 + records.size()) / 2));
        put16(header, m_objects);
        put32(header, quint32(m_largest));
        put16(header, 0);
        return header + records;
    }
    QByteArray placeable(QRect box, int unitsPerInch = 96) const
    {
        QByteArray header;
        put32(header, 0x9AC6CDD7);
        put16(header, 0);
        put16(header, box.left());
        put16(header, box.top());
        put16(header, box.right() + 1);
        put16(header, box.bottom() + 1);
        put16(header, unitsPerInch);
        put32(header, 0);
        quint16 checksum = 0;
        for (int i = 0; i < 20; i += 2)
            checksum ^= quint16(uchar(header[i]) | uchar(header[i + 1]) << 8);
        put16(header, checksum);
        return header + plain();
    }

    static void put16(QByteArray &b, int v)
    {
        b.append(char(v & 0xFF));
        b.append(char((v >> 8) & 0xFF));
    }
    static void put32(QByteArray &b, quint32 v)
    {
        put16(b, int(v & 0xFFFF));
        put16(b, int(v >> 16));
    }

private:
    WmfWriter &select() { return record(0x012D, {m_objects++}); }
    WmfWriter &poly(int function, const QVector<QPoint> &points)
    {
        QVector<int> words{int(points.size())};
        for (QPoint p : points)
            words << p.x() << p.y();
        return record(function, words);
    }

    QByteArray m_records;
    int m_objects = 0;
    int m_largest = 3;
};
