#pragma once

#include "qr/VCard.h"

#include <QByteArray>
#include <QString>

// What a QR code holds, as the dialog's kinds offer it.
enum class QrKind { Contact, WebAddress, Text };

// The kind as the dialog names it: "Contactgegevens (vCard)", "Webadres", "Tekst".
QString qrKindName(QrKind kind);

struct QrContent {
    QrKind kind = QrKind::Contact;
    ContactFields contact; // for Contact
    QString webAddress;    // for WebAddress
    QString text;          // for Text

    friend bool operator==(const QrContent &, const QrContent &) = default;
};

// The bytes the code holds, and the dialog shows read-only: the vCard of the contact;
// the web address with "https://" put in front when it has no scheme; the text as it is,
// in UTF-8. Only the part of the content's kind counts.
QByteArray encodedText(const QrContent &content);
