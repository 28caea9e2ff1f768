#include "press/PressPdf.h"

#include "core/AtomicFile.h"
#include "core/RegularFile.h"
#include "press/PressPage.h"
#include "press/PressWarnings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>

namespace PressProfiles {

const QString SrgbPath = QStringLiteral("/usr/share/color/icc/ghostscript/srgb.icc");

QByteArray fogra39()
{
    QFile file(QStringLiteral(":/icc/Lumovander-FOGRA39.icc"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace PressProfiles

namespace {

// The largest PDF read back from Ghostscript; a card is a few megabytes.
constexpr qint64 MaxPdfBytes = 256ll * 1024 * 1024;

QByteArray postScriptString(const QString &text)
{
    QByteArray out = "(";
    for (const char c : text.toLatin1()) {
        if (c == '(' || c == ')' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + ")";
}

// The output intent and the document's title, as Ghostscript's pdfmarks; the PDF/X
// version key only where the file is PDF/X.
QByteArray intentDefinition(const PressRequest &request, const QString &profile)
{
    const bool cmyk = request.colour == PressColour::Cmyk;
    QByteArray ps;
    // Photos as JPEG of the quality prepress asks for, without halving the colour detail.
    ps += "<< /ColorImageDict << /QFactor 0.15 /Blend 1 /HSamples [1 1 1 1] /VSamples [1 1 1 1] >> >> "
          "setdistillerparams\n";
    ps += "[ /Title " + postScriptString(request.title);
    if (cmyk)
        ps += " /GTS_PDFXVersion (PDF/X-3:2002)";
    ps += " /Trapped /False /DOCINFO pdfmark\n";
    ps += "[/_objdef {icc_intent} /type /stream /OBJ pdfmark\n";
    ps += QByteArray("[{icc_intent} << /N ") + (cmyk ? "4" : "3") + " >> /PUT pdfmark\n";
    ps += "[{icc_intent} " + postScriptString(profile) + " (r) file /PUT pdfmark\n";
    ps += "[/_objdef {intent} /type /dict /OBJ pdfmark\n";
    ps += "[{intent} << /Type /OutputIntent /S /GTS_PDFX\n";
    if (cmyk)
        ps += "  /OutputCondition (Offset printing, coated paper, ISO 12647-2:2004/Amd 1, FOGRA39)\n"
              "  /OutputConditionIdentifier (FOGRA39) /Info (Coated FOGRA39 \\(ISO 12647-2:2004\\))\n";
    else
        ps += "  /OutputCondition (sRGB IEC61966-2.1) /OutputConditionIdentifier (sRGB IEC61966-2.1)\n"
              "  /Info (sRGB IEC61966-2.1)\n";
    ps += "  /RegistryName (http://www.color.org) /DestOutputProfile {icc_intent} >> /PUT pdfmark\n";
    ps += "[{Catalog} << /OutputIntents [ {intent} ] >> /PUT pdfmark\n";
    return ps;
}

// The pages' own PDFs, in their order in the file.
const QString FrontPage = QStringLiteral("page.pdf");
const QString BackPage = QStringLiteral("achterkant.pdf");

QStringList ghostscriptArguments(const PressRequest &request, const QString &profile, const QStringList &pages)
{
    QStringList args{QStringLiteral("-q"), QStringLiteral("-dBATCH"), QStringLiteral("-dNOPAUSE"),
                     QStringLiteral("-dSAFER"), QStringLiteral("--permit-file-read=") + profile,
                     QStringLiteral("-sDEVICE=pdfwrite"), QStringLiteral("-dAutoRotatePages=/None"),
                     QStringLiteral("-dEmbedAllFonts=true"), QStringLiteral("-dSubsetFonts=true"),
                     QStringLiteral("-dDownsampleColorImages=false"), QStringLiteral("-dDownsampleGrayImages=false"),
                     QStringLiteral("-dAutoFilterColorImages=false"), QStringLiteral("-dColorImageFilter=/DCTEncode")};
    if (request.colour == PressColour::Cmyk)
        args << QStringLiteral("-dPDFX") << QStringLiteral("-dProcessColorModel=/DeviceCMYK")
             << QStringLiteral("-sColorConversionStrategy=CMYK") << QStringLiteral("-sOutputICCProfile=") + profile;
    else
        args << QStringLiteral("-dCompatibilityLevel=1.6") << QStringLiteral("-dProcessColorModel=/DeviceRGB")
             << QStringLiteral("-sColorConversionStrategy=RGB");
    args << QStringLiteral("-sOutputFile=drukklaar.pdf") << QStringLiteral("intent.ps") << pages;
    return args;
}

PressResult failed(QStringList warnings, const QString &message) { return {false, false, message, std::move(warnings)}; }

} // namespace

PressResult writePressPdf(const QString &fileName, const PressFaces &card, const SheetGeometry &sheet,
                          const PressRequest &request, const Ghostscript::Setup &ghostscript,
                          Ghostscript::StopSwitch *stop)
{
    return writePressPdf(fileName, QList<PressPerson>{{QString(), card}}, sheet, request, ghostscript, stop);
}

PressResult writePressPdf(const QString &fileName, const QList<PressPerson> &people, const SheetGeometry &sheet,
                          const PressRequest &request, const Ghostscript::Setup &ghostscript,
                          Ghostscript::StopSwitch *stop)
{
    const PressGeometry page(request.options, QSizeF(sheet.cardWidth, sheet.cardHeight));
    QStringList warnings;
    for (qsizetype person = 0; person < people.size(); ++person)
        for (const QString &warning : PressWarnings::check(people[person].faces, sheet, page))
            if (person == 0)
                warnings << warning;
            else if (!warnings.contains(warning))
                warnings << people[person].who + QStringLiteral(": ") + warning;
    const QString notWritten = QStringLiteral("De drukklare PDF '%1' is niet geschreven.\r\n").arg(fileName);

    QTemporaryDir work;
    if (!work.isValid())
        return failed(warnings, notWritten + QStringLiteral("Er is geen tijdelijke map te maken."));
    const QDir folder(work.path());
    QString profile = PressProfiles::SrgbPath;
    if (request.colour == PressColour::Cmyk) {
        profile = folder.filePath(QStringLiteral("FOGRA39.icc"));
        const QByteArray fogra = PressProfiles::fogra39();
        if (fogra.isEmpty() || AtomicFile::write(profile, fogra))
            return failed(warnings, notWritten + QStringLiteral("Het kleurprofiel FOGRA39 is niet te schrijven."));
    } else if (!QFile::exists(profile)) {
        return failed(warnings, notWritten + Ghostscript::MissingMessage);
    }

    // Each face is a page of its own, flattened or not by what it holds itself; each is
    // written as soon as it is drawn, so a large team is never held as pages in memory.
    // A card alone keeps the page names it always had.
    QStringList pages;
    const auto addPage = [&](const PrintedCard &face, const PhotoBeyond &beyond,
                             const QString &name) -> std::optional<QString> {
        const QByteArray pdf = pressPagePdf(face, sheet, page, request.title, beyond);
        if (pdf.isEmpty())
            return QStringLiteral("De pagina kon niet worden getekend.");
        if (AtomicFile::write(folder.filePath(name), pdf))
            return QStringLiteral("De tijdelijke bestanden zijn niet te schrijven.");
        pages << name;
        return std::nullopt;
    };
    for (qsizetype person = 0; person < people.size(); ++person) {
        const PressFaces &card = people[person].faces;
        const QString number = people.size() == 1 ? QString() : QStringLiteral("-%1").arg(person + 1, 5, 10, QLatin1Char('0'));
        if (const auto problem = addPage(card.front, card.frontBeyond, QString(FrontPage).insert(FrontPage.size() - 4, number)))
            return failed(warnings, notWritten + *problem);
        if (card.back)
            if (const auto problem = addPage(*card.back, card.backBeyond, QString(BackPage).insert(BackPage.size() - 4, number)))
                return failed(warnings, notWritten + *problem);
    }
    if (AtomicFile::write(folder.filePath(QStringLiteral("intent.ps")), intentDefinition(request, profile)))
        return failed(warnings, notWritten + QStringLiteral("De tijdelijke bestanden zijn niet te schrijven."));

    const Ghostscript::Run run =
        Ghostscript::run(ghostscript, ghostscriptArguments(request, profile, pages), work.path(), stop);
    if (run.stopped)
        return {false, true, notWritten + run.message, warnings};
    if (!run.ok)
        return failed(warnings, notWritten + run.message);
    const auto made = RegularFile::read(folder.filePath(QStringLiteral("drukklaar.pdf")), MaxPdfBytes);
    if (!made || !made->startsWith("%PDF-"))
        return failed(warnings, notWritten + QStringLiteral("Ghostscript gaf geen PDF-bestand terug."));
    if (const auto failure = AtomicFile::write(fileName, *made, AtomicFile::Destination::Output))
        return failed(warnings, failure->message);
    return {true, false, {}, warnings};
}
