#pragma once

#include "qr/QrCode.h"
#include "qr/VCard.h"

#include <QByteArray>
#include <QString>
#include <optional>

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

// What makes a content too long for a code at a level, so that the user can be told what
// to shorten: the part of it that most can be cut from (the longest contact field, by its
// UTF-8 bytes; the web address; the text) and how many characters must go from its end.
struct QrOverflow {
    // The encoded bytes beyond the level's capacity.
    qsizetype bytesOver = 0;
    // The longest contact field; none for a web address or a text.
    std::optional<ContactField> field;
    // That part's length in characters.
    qsizetype length = 0;
    // The fewest characters that part must lose for the content to fit; 0 when the
    // content is too long even without it.
    qsizetype charactersOver = 0;
};

// nullopt when the content fits a code at this level (or holds nothing at all).
std::optional<QrOverflow> qrOverflow(const QrContent &content, QrLevel level);
