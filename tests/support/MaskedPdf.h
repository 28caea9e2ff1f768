#pragma once

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

// The PDF with its dates and identifiers masked, keeping every length (and so the
// cross-reference table) as it was: two writes of the same sheet compare equal. Qt writes
// the two identifiers with a space between them, Ghostscript without.
inline QByteArray maskedPdf(QByteArray pdf)
{
    static const QRegularExpression varying(
        QStringLiteral(R"(\(D:[^)]*\)|<xmp:\w+Date>[^<]*<|uuid:[0-9a-fA-F-]+|/ID \[<[0-9a-fA-F]+> ?<[0-9a-fA-F]+>\])"));
    QString text = QString::fromLatin1(pdf);
    auto it = varying.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        for (qsizetype i = match.capturedStart(); i < match.capturedEnd(); ++i)
            if (text[i].isLetterOrNumber())
                pdf[i] = 'x';
    }
    return pdf;
}
