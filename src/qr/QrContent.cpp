#include "qr/QrContent.h"

QString qrKindName(QrKind kind)
{
    switch (kind) {
    case QrKind::Contact:
        return QStringLiteral("Contactgegevens (vCard)");
    case QrKind::WebAddress:
        return QStringLiteral("Webadres");
    case QrKind::Text:
        return QStringLiteral("Tekst");
    }
    return {};
}

QByteArray encodedText(const QrContent &content)
{
    switch (content.kind) {
    case QrKind::Contact:
        return vcardText(content.contact);
    case QrKind::WebAddress:
        return webAddressWithScheme(content.webAddress).toUtf8();
    case QrKind::Text:
        return content.text.toUtf8();
    }
    return {};
}

namespace {

// The part of the content that is longest, to be cut: a contact field, the web address
// or the text.
QString *longestPart(QrContent &content, std::optional<ContactField> &field)
{
    switch (content.kind) {
    case QrKind::Contact: {
        qsizetype most = -1;
        for (const ContactField f : AllContactFields) {
            const qsizetype bytes = content.contact.value(f).toUtf8().size();
            if (bytes > most) {
                most = bytes;
                field = f;
            }
        }
        return nullptr;
    }
    case QrKind::WebAddress:
        return &content.webAddress;
    case QrKind::Text:
        return &content.text;
    }
    return nullptr;
}

} // namespace

std::optional<QrOverflow> qrOverflow(const QrContent &content, QrLevel level)
{
    const qsizetype capacity = qrCapacity(level);
    const qsizetype bytes = encodedText(content).size();
    if (bytes <= capacity)
        return std::nullopt;
    QrOverflow overflow;
    overflow.bytesOver = bytes - capacity;
    QrContent cut = content;
    QString *part = longestPart(cut, overflow.field);
    const QString whole = overflow.field ? content.contact.value(*overflow.field) : *part;
    overflow.length = whole.size();
    // Whether the content fits with that many characters taken off the part's end. The
    // encoded size only grows with the part (escapes and folds add, never take away).
    const auto fitsWithout = [&](qsizetype characters) {
        const QString shorter = whole.left(whole.size() - characters);
        if (overflow.field)
            cut.contact.setValue(*overflow.field, shorter);
        else
            *part = shorter;
        return encodedText(cut).size() <= capacity;
    };
    if (!fitsWithout(overflow.length))
        return overflow;
    qsizetype tooFew = 0; // taking this many off is not enough
    qsizetype enough = overflow.length;
    while (enough - tooFew > 1) {
        const qsizetype middle = tooFew + (enough - tooFew) / 2;
        (fitsWithout(middle) ? enough : tooFew) = middle;
    }
    overflow.charactersOver = enough;
    return overflow;
}
