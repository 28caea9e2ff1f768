#include "cardfile/CardName.h"

#include <QRegularExpression>

namespace {

// The longest companion file is N-back.bmp, and most file systems stop at 255 bytes.
constexpr qsizetype kLongestSuffix = 9;
constexpr qsizetype kFileNameBytes = 255;

bool isReservedDeviceName(const QString &name)
{
    // Windows reserves these names also with an extension ("con.crd") and with
    // blanks before the dot.
    static const QRegularExpression reserved(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9]) *(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    return reserved.match(name).hasMatch();
}

} // namespace

namespace CardName {

std::optional<QString> problem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("Er is geen naam opgegeven.");
    // A lone half of a surrogate pair (pasted from a damaged text) has no form in any
    // file name encoding.
    if (!QStringView(name).isValidUtf16())
        return QStringLiteral("Een naam mag alleen geldige tekens bevatten.");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return QStringLiteral("Een naam mag geen stuurtekens bevatten.");
        if (QStringLiteral("\\/:*?\"<>|").contains(c))
            return QStringLiteral("Een naam mag geen van de tekens \\ / : * ? \" < > | bevatten.");
    }
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return QStringLiteral("Een naam mag niet op een punt of een spatie eindigen.");
    if (isReservedDeviceName(name))
        return QStringLiteral(
            "Een naam mag geen apparaatnaam zijn, zoals CON, PRN, AUX, NUL, COM1 of LPT1.");
    if (name.toUtf8().size() + kLongestSuffix > kFileNameBytes)
        return QStringLiteral("De naam is te lang.");
    return std::nullopt;
}

QString rejectionMessage(const QString &name, const QString &problem)
{
    return QStringLiteral("De naam '") + name
        + QStringLiteral("' kan niet als bestandsnaam worden gebruikt.\r\n") + problem;
}

bool staysInFolder(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !name.contains(QChar(0));
}

} // namespace CardName
