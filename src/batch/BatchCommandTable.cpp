#include "batch/BatchCommandTable.h"

#include "batch/BatchCommands.h"

#include <algorithm>
#include <exception>
#include <new>

namespace {

const QString FilterHelp = QStringLiteral(
    "gebruik: lumovander-batch filter CODE PARAMETER INVOER UITVOER\n"
    "\n"
    "Past één beeldfilter toe op een foto en schrijft het resultaat als 32-bits BMP of als PNG.\n"
    "\n"
    "  CODE       de code van een filter van het programma (bijvoorbeeld 2 negatief,\n"
    "             12 grijstinten, 14 helderheid, 17 contrast), of fliph, flipv of mirror\n"
    "  PARAMETER  een heel getal, de sterkte van het filter; 0 voor een filter zonder\n"
    "  INVOER     een foto: JPEG, PNG, WebP, TIFF, HEIC/HEIF, BMP, GIF of WMF\n"
    "  UITVOER    het plaatje dat ontstaat, eindigend op .bmp of .png; - is de standaarduitvoer (PNG)\n"
    "\n"
    "Voorbeeld:\n"
    "  lumovander-batch filter 12 0 vakantie.jpg grijs.bmp\n");

const QString GradientHelp = QStringLiteral(
    "gebruik: lumovander-batch gradient N UITVOER [--size BxH] [--base FOTO]\n"
    "\n"
    "Tekent kleurverloop N van de 42 als plaatje.\n"
    "\n"
    "  N            het nummer van het verloop, 1 tot 42\n"
    "  UITVOER      het plaatje, eindigend op .bmp of .png; - is de standaarduitvoer (PNG)\n"
    "  --size BxH   breedte en hoogte in pixels, elk tot 16384 (anders 440x270, de kaart)\n"
    "  --base FOTO  het verloop over deze foto heen, in plaats van over zwart\n"
    "\n"
    "Voorbeeld:\n"
    "  lumovander-batch gradient 7 verloop.png --size 880x540\n");

const QString RenderHelp = QStringLiteral(
    "gebruik: lumovander-batch render NAAM UITVOER [--folder MAP] [--scale N] [--afgedrukt [--dpi N]]\n"
    "                               [--achterkant]\n"
    "\n"
    "Tekent de bewaarde kaart NAAM als PNG-plaatje, zoals het venster haar toont.\n"
    "\n"
    "  NAAM          de naam van de kaart in de map Cards (zonder .crd)\n"
    "  UITVOER       het PNG-bestand; - is de standaarduitvoer\n"
    "  --folder MAP  de map met Cards en Lumovander.ini in plaats van die van het programma\n"
    "  --scale N     N keer zo groot, 1 tot 16; vanaf 2 uit de afdrukkopieën\n"
    "  --afgedrukt   de kaart zoals de printer haar tekent, in de vorm en met de tekstmaten\n"
    "                van het papier (de kaartmaat uit Lumovander.ini), zoals het venster\n"
    "                haar toont met Beeld > Zoals afgedrukt\n"
    "  --dpi N       bij --afgedrukt: N pixels per inch, 10 tot 1200 (anders 300)\n"
    "  --achterkant  de achterkant in plaats van de voorkant; een kaart zonder\n"
    "                achterkant geeft een melding en geen plaatje\n"
    "\n"
    "Voorbeeld:\n"
    "  lumovander-batch render Jan jan.png --scale 4\n"
    "  lumovander-batch render Jan jan-papier.png --afgedrukt --dpi 600\n"
    "  lumovander-batch render Jan jan-achterkant.png --achterkant\n");

const QString PrintHelp = QStringLiteral(
    "gebruik: lumovander-batch print NAAM --output BESTAND.pdf [--copies N] [--folder MAP]\n"
    "                             [--shift DX,DY] [--scale SX,SY] [--no-correction]\n"
    "                             [--dubbelzijdig lang|kort] [--begin N]\n"
    "                             [--gegevens BESTAND] [--per-persoon K]\n"
    "\n"
    "Drukt een vel met de bewaarde kaart NAAM af in een PDF-bestand, met de marges uit\n"
    "Lumovander.ini. Kaarten die buiten het A4-vel vallen, worden op de standaardfout\n"
    "genoemd; het vel toont wat past.\n"
    "\n"
    "  NAAM                 de naam van de kaart in de map Cards (zonder .crd)\n"
    "  --output BESTAND.pdf het PDF-bestand, verschijnt pas als het af is; - is de standaarduitvoer\n"
    "  --copies N           1 tot 10 vellen (anders 1)\n"
    "  --folder MAP         de map met Cards en Lumovander.ini\n"
    "  --shift DX,DY        een eigen correctie van de voorkanten: verschuiving in mm (tot 30),\n"
    "                       + naar rechts en beneden; de achterkanten dan zonder correctie\n"
    "  --scale SX,SY        een eigen correctie van de voorkanten: vergroting in procenten, 90 tot 110\n"
    "  --no-correction      zonder de bewaarde correcties van de PDF-printer\n"
    "  --dubbelzijdig lang|kort\n"
    "                       ook de achterkant: na elke bladzijde met voorkanten een met de\n"
    "                       achterkanten, gespiegeld voor papier dat over de lange of de korte\n"
    "                       kant wordt omgeslagen; een kaart zonder achterkant wordt geweigerd\n"
    "  --begin N            begin bij kaart N van het eerste vel (1 tot de kaarten per vel,\n"
    "                       anders 1), om een vel af te maken waarvan al kaarten gebruikt zijn;\n"
    "                       de plaatsen ervoor blijven leeg, de vellen erna zijn vol\n"
    "  --gegevens BESTAND   een team: ieder uit een CSV- of vCard-bestand krijgt de kaart met\n"
    "                       de eigen regels (de kolommen op regel 1 tot 7 in hun volgorde; een\n"
    "                       vCard: naam, functie, organisatie, straat, postcode en plaats,\n"
    "                       telefoon, e-mail), na elkaar langs de rijen vanaf --begin; een lege\n"
    "                       waarde laat de regels eronder opschuiven; --copies drukt het hele\n"
    "                       team zo vaak af; zonder --gegevens drukt een kaart die met een\n"
    "                       team bewaard is, dat team af\n"
    "  --per-persoon K      1 tot 100 kaarten van ieder (anders 1), alleen voor een team\n"
    "\n"
    "Voorbeeld:\n"
    "  lumovander-batch print Jan --output jan.pdf --copies 2\n"
    "  lumovander-batch print Jan --output jan-dubbel.pdf --dubbelzijdig lang\n"
    "  lumovander-batch print Jan --output jan-rest.pdf --begin 4\n"
    "  lumovander-batch print Jan --output team.pdf --gegevens team.csv --per-persoon 2\n");

const QString CalibrateHelp = QStringLiteral(
    "gebruik: lumovander-batch calibrate --output BESTAND.pdf [--folder MAP]\n"
    "\n"
    "Schrijft het meetvel met linialen op de hoeken voor de marges uit Lumovander.ini,\n"
    "zonder correctie, om een printer mee op te meten.\n"
    "\n"
    "  --output BESTAND.pdf het PDF-bestand; - is de standaarduitvoer\n"
    "  --folder MAP         de map met Lumovander.ini\n"
    "\n"
    "Voorbeeld:\n"
    "  lumovander-batch calibrate --output meetvel.pdf\n");

const QString DrukklaarHelp = QStringLiteral(
    "gebruik: lumovander-batch drukklaar NAAM --output BESTAND.pdf [--size BxH] [--bleed MM]\n"
    "                                 [--no-marks] [--rgb] [--folder MAP] [--gegevens BESTAND]\n"
    "\n"
    "Maakt van de bewaarde kaart NAAM een drukklare PDF voor de drukkerij: één kaartje per\n"
    "bladzijde op snijmaat met afloop, TrimBox en BleedBox, snijtekens en PDF/X-3 in CMYK\n"
    "voor gestreken offsetpapier (FOGRA39), zwarte tekst alleen in zwarte inkt. Wat een\n"
    "drukker zou opmerken (te dicht bij de snijrand, te weinig ppi, bijna zwart) komt als\n"
    "waarschuwing op de standaardfout. Ghostscript (het pakket ghostscript) is nodig.\n"
    "\n"
    "  NAAM                 de naam van de kaart in de map Cards (zonder .crd)\n"
    "  --output BESTAND.pdf het PDF-bestand, verschijnt pas als het af is; - is de standaarduitvoer\n"
    "  --size BxH           de snijmaat in mm, bijvoorbeeld 85x55 of 90x50 (anders de eigen\n"
    "                       maat van de kaart uit Lumovander.ini)\n"
    "  --bleed MM           de afloop rondom, 0 tot 5 mm (anders 3)\n"
    "  --no-marks           zonder snijtekens\n"
    "  --rgb                RGB met sRGB als doel, voor een digitale drukkerij, in plaats van CMYK\n"
    "  --folder MAP         de map met Cards en Lumovander.ini\n"
    "  --gegevens BESTAND   een team uit een CSV- of vCard-bestand, zoals bij print: ieder een\n"
    "                       bladzijde (met achterkant twee) met de eigen regels; een\n"
    "                       waarschuwing die maar voor één persoon geldt, noemt die persoon\n"
    "\n"
    "Voorbeeld:\n"
    "  lumovander-batch drukklaar Jan --output jan-drukker.pdf --size 85x55\n");

bool asksHelp(const QString &word)
{
    return word == QLatin1String("--help") || word == QLatin1String("-h");
}

} // namespace

const QList<BatchCommand> &batchCommands()
{
    static const QList<BatchCommand> commands = {
        {QStringLiteral("filter"), batchFilter, FilterHelp},
        {QStringLiteral("gradient"), batchGradient, GradientHelp},
        {QStringLiteral("render"), batchRender, RenderHelp},
        {QStringLiteral("print"), batchPrint, PrintHelp},
        {QStringLiteral("calibrate"), batchCalibrate, CalibrateHelp},
        {QStringLiteral("drukklaar"), batchDrukklaar, DrukklaarHelp},
    };
    return commands;
}

QString batchOverview()
{
    QString text = QStringLiteral("gebruik: lumovander-batch OPDRACHT ...\n\n");
    for (const BatchCommand &command : batchCommands())
        text += QStringLiteral("  ") + command.help.section(QLatin1Char('\n'), 0, 0).mid(9) + QLatin1Char('\n');
    text += QStringLiteral("\nlumovander-batch OPDRACHT --help vertelt meer over één opdracht.\n");
    return text;
}

int runBatch(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (!args.isEmpty() && asksHelp(args.first())) {
        out << batchOverview();
        return 0;
    }
    const BatchCommand *command = nullptr;
    for (const BatchCommand &known : batchCommands())
        if (!args.isEmpty() && known.name == args.first())
            command = &known;
    if (!command) {
        err << "usage: lumovander-batch filter|gradient|render|print|calibrate|drukklaar ... (--help tells more)\n";
        return 2;
    }
    const QStringList words = args.mid(1);
    if (std::any_of(words.begin(), words.end(), asksHelp)) {
        out << command->help;
        return 0;
    }
    // The one boundary of every command: whatever escapes one is a failure of one line.
    // The files being written remove themselves on the way out.
    QString failure;
    try {
        return command->run(words, err);
    } catch (const std::bad_alloc &) {
        failure = QStringLiteral("out of memory");
    } catch (const std::exception &e) {
        failure = QString::fromLocal8Bit(e.what()).simplified();
    } catch (...) {
        failure = QStringLiteral("unexpected error");
    }
    err << "lumovander-batch " << command->name << ": " << failure << '\n';
    return 1;
}
