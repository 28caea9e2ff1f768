#include "core/HelpMenu.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace HelpMenu {

QString panelText()
{
    const QStringList lines = {
        QStringLiteral("Welkom bij Lumovander"),
        QString(32, QLatin1Char('-')),
        QStringLiteral("Met dit programma kunt u eenvoudig uw"),
        QStringLiteral("eigen visitekaartjes ontwerpen met een"),
        QStringLiteral("achtergrondfoto, zegelfoto en teksten."),
        QString(),
        QStringLiteral("Maatvoering kaarten"),
        QString(31, QLatin1Char('-')),
        QStringLiteral("Als standaard maatvoering hebben we"),
        QStringLiteral("gekozen voor visitekaartjes van het"),
        QStringLiteral("type Lumovander LV-9050 (90 x 50 mm),"),
        QStringLiteral("hierop zitten 10 kaartjes per vel (A4), kijk"),
        QStringLiteral("ook in de bijlage (lumovander.pdf) voor info."),
        QString(),
    };
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

QString manualPath(const QString &programFolder)
{
    const QDir folder(programFolder);
    for (const QString &candidate : {folder.filePath(QStringLiteral("Lumovander.pdf")),
                                     folder.filePath(QStringLiteral("../share/lumovander/Lumovander.pdf"))}) {
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    }
    return {};
}

QString moreSoftwareAddress() { return QStringLiteral("https://lumovander.nl/software"); }
QString partnerDomain() { return QStringLiteral("kaartpapier.nl"); }
QString partnerAddress() { return QStringLiteral("https://") + partnerDomain(); }

} // namespace HelpMenu
