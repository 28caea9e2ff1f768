#include "cardfile/CardName.h"

#include "cardfile/CardFolder.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace {

// Most file systems stop a file name at 255 bytes.
constexpr qsizetype kFileNameBytes = 255;

// The longest of what a save adds to the name for the files it always writes (see
// CardFolder::cardFiles), and for a card with a back for those of the back too. Only a
// card with a back is held to the back's longer names, so that every name a card
// without one could take before it still takes.
QString longestSuffix(bool withBack)
{
    QStringList suffixes = CardFolder::cardFileEndings();
    if (withBack)
        suffixes << CardFolder::backFileEndings();
    return *std::max_element(suffixes.begin(), suffixes.end(), [](const QString &a, const QString &b) {
        return a.toUtf8().size() < b.toUtf8().size();
    });
}

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

std::optional<QString> problem(const QString &name, bool withBack)
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
    if (CardFolder::isBackName(name))
        return QStringLiteral("Een naam mag niet op '.achterkant' eindigen: zo heten de bestanden van de "
                              "achterkant van een kaart.");
    const QString suffix = longestSuffix(withBack);
    const qsizetype over = name.toUtf8().size() + suffix.toUtf8().size() - kFileNameBytes;
    if (over > 0)
        // Each character is at least one byte, so this many fewer always fits.
        return QStringLiteral("De naam is te lang: met '%1' erachter wordt de bestandsnaam "
                              "langer dan %2 bytes. Maak de naam %3 korter.")
            .arg(suffix)
            .arg(kFileNameBytes)
            .arg(over == 1 ? QStringLiteral("1 teken") : QStringLiteral("%1 tekens").arg(over));
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
