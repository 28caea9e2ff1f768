#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Bytes as text the way the files people export are written: UTF-8 with or without its
// byte order mark, UTF-16 with its mark (little or big endian), and otherwise the
// Windows code page a Dutch spreadsheet saves in (Windows-1252). Bytes that are not
// UTF-8 throughout are taken as Windows-1252, so a file is never refused for its
// encoding; at worst a character looks wrong.
namespace MergeText {

enum class Encoding { Utf8, Utf16LE, Utf16BE, Windows1252 };

// The encoding of the bytes: the mark decides, else whether they are UTF-8 throughout.
Encoding detect(QByteArrayView bytes);

// The bytes as text in their detected encoding, without the byte order mark.
QString decode(QByteArrayView bytes);

// One value's bytes, no byte order mark looked for: UTF-8 when they are UTF-8
// throughout, else Windows-1252.
QString decodeValue(QByteArrayView bytes);

// The bytes as text in the encoding named (a vCard's CHARSET: UTF-8, ISO-8859-1,
// Windows-1252, US-ASCII and what Qt knows beyond them); ISO-8859-1 is read as
// Windows-1252, as the programs that claim it write it. An unknown name decodes as
// decodeValue() does.
QString decodeCharset(QByteArrayView bytes, QByteArrayView charset);

QString fromWindows1252(QByteArrayView bytes);

} // namespace MergeText
