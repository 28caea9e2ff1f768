#include "core/QrObject.h"

QrObject QrObject::fromLines(const std::array<QString, 8> &lines)
{
    const ContactGuess guess = guessContactFields(lines);
    QrObject qr;
    qr.content.kind = QrKind::Contact;
    qr.content.contact = guess.fields;
    qr.follows = guess.lines;
    qr.encode();
    return qr;
}

void QrObject::encode()
{
    code = QrCode::encode(encodedText(content), level);
}

bool QrObject::followLines(const std::array<QString, 8> &lines)
{
    const ContactGuess guess = guessContactFields(lines);
    ContactFields fields = content.contact;
    for (const ContactField field : AllContactFields) {
        const QList<int> &from = follows[size_t(field)];
        if (from.isEmpty())
            continue;
        if (guess.linesOf(field) == from) {
            fields.setValue(field, guess.fields.value(field));
            continue;
        }
        // The line no longer reads as this field (a phone number typed over with a
        // name): the field keeps following it, as its plain text.
        QStringList parts;
        for (const int line : from)
            if (line >= 1 && line <= 7 && !lines[size_t(line)].trimmed().isEmpty())
                parts.append(lines[size_t(line)].trimmed());
        fields.setValue(field, parts.join(QStringLiteral(", ")));
    }
    if (fields == content.contact)
        return false;
    content.contact = fields;
    encode();
    return true;
}
