#pragma once

#include <QByteArray>
#include <QString>

// How much of a QR code may be damaged or covered and still read: about 7, 15, 25 and
// 30 percent. Higher levels need more modules for the same text.
enum class QrLevel { L, M, Q, H };

// The letter a level is known by (in the dialog and in decoders): "L", "M", "Q", "H".
QString qrLevelName(QrLevel level);

// The most bytes a code at this level holds, in its largest version (40) in 8-bit mode:
// 2953, 2331, 1663 and 1273 for L, M, Q and H.
qsizetype qrCapacity(QrLevel level);

// One encoded QR code: its square of n x n modules (without the quiet zone around it)
// and the level it was made at. A code that could not be made is invalid, has size 0
// and says why in Dutch.
class QrCode {
public:
    QrCode() = default;

    // The bytes as they are, in the code's 8-bit mode (UTF-8 text passes unchanged), at
    // the smallest version that holds them at this level.
    static QrCode encode(const QByteArray &bytes, QrLevel level);

    bool isValid() const { return m_size > 0; }
    // Modules per side; 21 for version 1 up to 177 for version 40; 0 when invalid.
    int size() const { return m_size; }
    // 1..40; 0 when invalid.
    int version() const { return m_version; }
    QrLevel level() const { return m_level; }
    // Why the code could not be made; empty for a valid code.
    QString error() const { return m_error; }

    // Column x, row y, both 0..size()-1, from the top left.
    bool isDark(int x, int y) const { return m_modules[qsizetype(y) * m_size + x] != 0; }

    friend bool operator==(const QrCode &, const QrCode &) = default;

private:
    int m_size = 0;
    int m_version = 0;
    QrLevel m_level = QrLevel::M;
    QByteArray m_modules; // size * size bytes, 1 for a dark module, row by row
    QString m_error;
};
