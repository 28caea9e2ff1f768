#include "press/PdfFinishing.h"

#include <QList>
#include <QRegularExpression>
#include <QtEndian>
#include <algorithm>
#include <map>

namespace {

struct Edit {
    qsizetype at;
    qsizetype length;
    QByteArray with;
};

QByteArray number(double value) { return QByteArray::number(value, 'f', 4); }

QByteArray box(const char *name, const QRectF &r)
{
    return QByteArray("/") + name + " [" + number(r.left()) + ' ' + number(r.top()) + ' ' + number(r.right())
           + ' ' + number(r.bottom()) + "]\n";
}

// The classic cross-reference table Qt writes: object number to offset.
struct Xref {
    qsizetype tableAt = -1;
    std::map<int, qsizetype> offsets;
    QByteArray trailer; // from "trailer" up to "startxref"
};

std::optional<Xref> readXref(const QByteArray &pdf)
{
    const qsizetype start = pdf.lastIndexOf("startxref");
    if (start < 0)
        return std::nullopt;
    bool ok = false;
    const qsizetype at = pdf.mid(start + 9, 24).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    if (!ok || at <= 0 || at >= start || !pdf.mid(at).startsWith("xref"))
        return std::nullopt;
    Xref xref;
    xref.tableAt = at;
    const qsizetype trailerAt = pdf.indexOf("trailer", at);
    if (trailerAt < 0)
        return std::nullopt;
    const QList<QByteArray> lines = pdf.mid(at, trailerAt - at).split('\n');
    int object = 0;
    int left = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> words = lines[i].simplified().split(' ');
        if (words.size() == 2 && left == 0) {
            object = words[0].toInt();
            left = words[1].toInt();
        } else if (words.size() == 3 && left > 0) {
            if (words[2] == "n")
                xref.offsets[object] = words[0].toLongLong();
            ++object;
            --left;
        }
    }
    xref.trailer = pdf.mid(trailerAt, start - trailerAt);
    return xref;
}

// The object's text from "N 0 obj" to its "endobj".
std::pair<qsizetype, qsizetype> objectSpan(const QByteArray &pdf, qsizetype at)
{
    const qsizetype end = pdf.indexOf("endobj", at);
    return {at, end < 0 ? -1 : end};
}

int reference(const QByteArray &dictionary, const QByteArray &key)
{
    static const QRegularExpression digits(QStringLiteral("^\\s*(\\d+)\\s+0\\s+R"));
    const qsizetype at = dictionary.indexOf(key);
    if (at < 0)
        return -1;
    const auto match = digits.match(QString::fromLatin1(dictionary.mid(at + key.size(), 32)));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QByteArray inflate(const QByteArray &deflated)
{
    QByteArray sized(4, '\0');
    qToBigEndian<quint32>(quint32(std::min<qsizetype>(deflated.size() * 32 + 65536, 1 << 28)), sized.data());
    return qUncompress(sized + deflated);
}

QByteArray deflate(const QByteArray &plain) { return qCompress(plain, 9).mid(4); }

} // namespace

namespace PdfFinishing {

QByteArray neutralToGray(const QByteArray &content)
{
    static const QRegularExpression fill(QStringLiteral("/CSp cs ([0-9.]+) \\1 \\1 scn"));
    static const QRegularExpression stroke(QStringLiteral("(^|\\s)([0-9.]+) \\2 \\2 SCN"));
    QString text = QString::fromLatin1(content);
    text.replace(fill, QStringLiteral("\\1 g"));
    text.replace(stroke, QStringLiteral("\\1\\2 G"));
    return text.toLatin1();
}

std::optional<QByteArray> finish(const QByteArray &pdf, const Boxes &boxes)
{
    const auto xref = readXref(pdf);
    if (!xref)
        return std::nullopt;
    int pageObject = -1;
    for (const auto &[object, at] : xref->offsets) {
        const auto [from, to] = objectSpan(pdf, at);
        if (to > 0 && pdf.mid(from, to - from).contains("/Type /Page\n"))
            pageObject = object;
    }
    if (pageObject < 0)
        return std::nullopt;
    QList<Edit> edits;
    const auto [pageFrom, pageTo] = objectSpan(pdf, xref->offsets.at(pageObject));
    const QByteArray page = pdf.mid(pageFrom, pageTo - pageFrom);
    const qsizetype mediaAt = page.indexOf("/MediaBox [");
    const qsizetype mediaEnd = page.indexOf("]\n", mediaAt);
    if (mediaAt < 0 || mediaEnd < 0)
        return std::nullopt;
    edits.append({pageFrom + mediaAt, mediaEnd + 2 - mediaAt,
                  box("MediaBox", boxes.media) + box("BleedBox", boxes.bleed) + box("TrimBox", boxes.trim)});

    // The content: a Flate stream whose length is an object of its own.
    const int contents = reference(page, "/Contents");
    if (!xref->offsets.count(contents))
        return std::nullopt;
    const auto [contentFrom, contentTo] = objectSpan(pdf, xref->offsets.at(contents));
    const QByteArray contentObject = pdf.mid(contentFrom, contentTo - contentFrom);
    const int lengthObject = reference(contentObject, "/Length");
    const qsizetype dataAt = contentObject.indexOf("stream\n");
    const qsizetype dataEnd = contentObject.lastIndexOf("\nendstream");
    if (!contentObject.contains("/Filter /FlateDecode") || dataAt < 0 || dataEnd < dataAt
        || !xref->offsets.count(lengthObject))
        return std::nullopt;
    const QByteArray plain = inflate(contentObject.mid(dataAt + 7, dataEnd - dataAt - 7));
    if (plain.isEmpty())
        return std::nullopt;
    const QByteArray data = deflate(neutralToGray(plain));
    edits.append({contentFrom + dataAt + 7, dataEnd - dataAt - 7, data});
    const qsizetype lengthAt = xref->offsets.at(lengthObject);
    const qsizetype lengthValue = pdf.indexOf("obj\n", lengthAt) + 4;
    const qsizetype lengthEnd = pdf.indexOf("\nendobj", lengthValue);
    if (lengthValue < 4 || lengthEnd < 0)
        return std::nullopt;
    edits.append({lengthValue, lengthEnd - lengthValue, QByteArray::number(data.size())});

    std::sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) { return a.at < b.at; });
    const auto moved = [&](qsizetype offset) {
        qsizetype shift = 0;
        for (const Edit &edit : edits)
            if (edit.at < offset)
                shift += edit.with.size() - edit.length;
        return offset + shift;
    };
    QByteArray out;
    out.reserve(pdf.size() + 1024);
    qsizetype from = 0;
    for (const Edit &edit : edits) {
        out += pdf.mid(from, edit.at - from);
        out += edit.with;
        from = edit.at + edit.length;
    }
    out += pdf.mid(from, xref->tableAt - from);

    const qsizetype tableAt = out.size();
    const int size = xref->offsets.empty() ? 1 : xref->offsets.rbegin()->first + 1;
    out += "xref\n0 " + QByteArray::number(size) + "\n";
    for (int object = 0; object < size; ++object) {
        const auto found = xref->offsets.find(object);
        if (found == xref->offsets.end())
            out += "0000000000 65535 f \n";
        else
            out += QByteArray::number(moved(found->second)).rightJustified(10, '0') + " 00000 n \n";
    }
    out += xref->trailer;
    out += "startxref\n" + QByteArray::number(tableAt) + "\n%%EOF\n";
    return out;
}

} // namespace PdfFinishing
