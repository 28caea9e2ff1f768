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
