#include "core/QrObject.h"
#include "core/QrFollowing.h"

#include <QLocale>
#include <QStringList>

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

ContactFields followedFields(const QrObject &qr, const std::array<QString, 8> &lines)
{
    const ContactGuess guess = guessContactFields(lines);
    ContactFields fields = qr.content.contact;
    for (const ContactField field : AllContactFields) {
        const QList<int> &from = qr.follows[size_t(field)];
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
    return fields;
}

bool QrObject::followLines(const std::array<QString, 8> &lines)
{
    ContactFields fields = followedFields(*this, lines);
    if (fields == content.contact)
        return false;
    content.contact = std::move(fields);
    encode();
    return true;
}

namespace {

QString number(qsizetype n)
{
    return QLocale(QLocale::Dutch, QLocale::Netherlands).toString(qlonglong(n));
}

// "Adres (regels 4 en 5)", "Telefoon (regel 3)", "Bedrijf"; "het webadres", "de tekst".
QString partName(const QrObject &qr, const QrOverflow &overflow, bool withArticle)
{
    if (!overflow.field)
        return qr.content.kind == QrKind::WebAddress
            ? (withArticle ? QStringLiteral("het webadres") : QStringLiteral("Webadres"))
            : (withArticle ? QStringLiteral("de tekst") : QStringLiteral("Tekst"));
    QString name = (withArticle ? QStringLiteral("het veld ") : QString()) + contactFieldCaption(*overflow.field);
    const QList<int> &lines = qr.follows[size_t(*overflow.field)];
    if (lines.size() == 1)
        name += QStringLiteral(" (regel %1)").arg(lines.first());
    else if (lines.size() > 1) {
        QStringList numbers;
        for (const int line : lines)
            numbers << QString::number(line);
        name += QStringLiteral(" (regels %1 en %2)")
                    .arg(numbers.mid(0, numbers.size() - 1).join(QStringLiteral(", ")), numbers.last());
    }
    return name;
}

} // namespace

QString QrObject::whyEmpty() const
{
    if (code.isValid())
        return {};
    const std::optional<QrOverflow> overflow = qrOverflow(content, level);
    if (!overflow)
        return code.error();
    QString message = QStringLiteral("De QR-code blijft leeg: zijn inhoud past niet in de grootste QR-code met "
                                     "foutcorrectie %1. ")
                          .arg(qrLevelName(level));
    const QString part = partName(*this, *overflow, true);
    if (overflow->charactersOver > 0)
        message += QStringLiteral("%1%2 is %3 tekens lang; met %4 tekens minder past het")
                       .arg(part.left(1).toUpper(), part.mid(1), number(overflow->length),
                            number(overflow->charactersOver));
    else
        message += QStringLiteral("Ook zonder %1 is de inhoud te lang; maak de velden korter").arg(part);
    if (level != QrLevel::L && encodedText(content).size() <= qrCapacity(QrLevel::L))
        message += QStringLiteral(", of kies foutcorrectie L");
    return message + u'.';
}

QString QrObject::whyEmptyBriefly() const
{
    if (code.isValid())
        return {};
    const std::optional<QrOverflow> overflow = qrOverflow(content, level);
    if (!overflow)
        return code.error();
    if (overflow->charactersOver > 0)
        return QStringLiteral("QR-code leeg: %1 is %2 tekens te lang")
            .arg(partName(*this, *overflow, false), number(overflow->charactersOver));
    return QStringLiteral("QR-code leeg: de inhoud is %1 bytes te lang").arg(number(overflow->bytesOver));
}
