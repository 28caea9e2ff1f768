#pragma once

#include "core/GeneralValue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The line format shared by Lumovander.ini and the card record: one write per line,
// fields separated by a comma, texts between double quotes without escaping, numbers
// bare, booleans as #TRUE# or #FALSE#, every line ended by CR LF.
class RecordWriter {
public:
    RecordWriter &text(const QString &value);
    RecordWriter &number(double value);
    RecordWriter &boolean(bool value);
    RecordWriter &general(const GeneralValue &value);
    // Ends the current line.
    RecordWriter &endLine();

    const QString &result() const { return m_out; }

private:
    void separate();
    QString m_out;
    bool m_lineOpen = false;
};

// Reads fields one after another, whatever their spread over lines. Every read
// consumes one field; a field of the wrong kind gives nullopt, and so does reading
// past the end. A quoted field ends at its closing quote, or at its line end when the
// quote is never closed.
class RecordReader {
public:
    explicit RecordReader(const QString &content) : m_text(content) {}

    std::optional<QString> text();
    std::optional<double> number();
    std::optional<int> integer(); // a number rounded to the nearest whole, halves to even
    std::optional<bool> boolean();
    std::optional<GeneralValue> general();

    bool atEnd() const;

private:
    struct Field {
        QString value;
        bool quoted = false;
    };
    std::optional<Field> next();

    QString m_text;
    qsizetype m_pos = 0;
};

// Record files written on Windows use the Windows-1252 code page; this program writes
// it too when every character fits. A file with a byte-order mark is UTF-8, UTF-16 or
// UTF-32 as the mark says. An unmarked file is UTF-8 only when it reads so and could
// hardly be Windows-1252: read as UTF-8 it holds a character beyond ASCII and only
// characters the code page has ("Café Noël"), or it holds a byte the code page leaves
// undefined. Everything else is Windows-1252: "RENÉ’S BAR" is valid UTF-8 too, but reads
// as a character the code page lacks.
QString decodeRecordBytes(const QByteArray &bytes);
// Windows-1252 when every character fits and the bytes read back as the text;
// otherwise UTF-8 after a byte-order mark.
QByteArray encodeRecordText(const QString &text);
