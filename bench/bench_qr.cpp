// One key press in the QR dialog: the vCard of a contact with every field filled, its
// code at levels M and H and the path paper draws, beside each part alone, the merging
// that QPainterPath::simplified() would add (not used), the screen's whole-pixel path, and
// the code painted on the screen and on a 300 dpi picture of 40 mm with antialiasing. Target: a key press within 5 ms.
#include "BenchSupport.h"
#include "qr/QrCode.h"
#include "qr/QrPainting.h"
#include "qr/QrPath.h"
#include "qr/VCard.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTextStream>

namespace {

QTextStream out(stdout);

ContactFields typicalContact(int keyPress)
{
    ContactFields f;
    f.naam = QStringLiteral("José Müller-Lüdenscheid");
    f.functie = QStringLiteral("Commercieel directeur");
    f.bedrijf = QStringLiteral("Bakkerij Müller & Zonen B.V.");
    f.telefoon = QStringLiteral("+31 38 421 12 34");
    f.mobiel = QStringLiteral("06 12 34 56 78");
    f.email = QStringLiteral("jose.mueller@bakkerij-mueller.nl");
    f.website = QStringLiteral("www.bakkerij-mueller.nl");
    // Each key press adds a character to the address, as typing does.
    f.adres = QStringLiteral("Kerkstraat 12a, 8011 AB Zwolle").left(15 + keyPress % 16);
    return f;
}

void line(const QString &what, const Bench::Timings &t, double reference)
{
    out << QStringLiteral("  %1 %2 / %3 ms   %4 x the key press\n")
               .arg(what, -34)
               .arg(t.median, 7, 'f', 3)
               .arg(t.worst, 7, 'f', 3)
               .arg(t.median / std::max(reference, 1e-6), 0, 'f', 2);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = 200;
    const QRectF paper(0, 0, 40, 40);
    for (const QrLevel level : {QrLevel::M, QrLevel::H}) {
        int press = 0;
        const QrCode sample = QrCode::encode(vcardText(typicalContact(15)), level);
        const QPainterPath built = modulePath(sample, paper);
        const Bench::Timings keyPress = Bench::timeMs(runs, [&] {
            const QrCode code = QrCode::encode(vcardText(typicalContact(press++)), level);
            const QPainterPath path = modulePath(code, paper);
            if (path.isEmpty())
                qFatal("no path");
        });
        const Bench::Timings vcard = Bench::timeMs(runs, [&] { (void)vcardText(typicalContact(press++)); });
        const QByteArray text = vcardText(typicalContact(15));
        const Bench::Timings encode = Bench::timeMs(runs, [&] { (void)QrCode::encode(text, level); });
        const Bench::Timings path = Bench::timeMs(runs, [&] { (void)modulePath(sample, paper); });
        const Bench::Timings rects = Bench::timeMs(runs, [&] { (void)moduleRects(sample); });
        const Bench::Timings simplified = Bench::timeMs(20, [&] { (void)built.simplified(); });
        const Bench::Timings pixels = Bench::timeMs(runs, [&] { (void)modulePixelPath(sample, QRect(0, 0, 300, 300)); });
        const int side = int(40 / 25.4 * 300);
        QImage picture(side, side, QImage::Format_RGB32);
        const Bench::Timings painted = Bench::timeMs(50, [&] {
            QPainter painter(&picture);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(side / 40.0, side / 40.0);
            paintQrCode(painter, sample, paper, Qt::black);
        });

        QImage screen(300, 300, QImage::Format_RGB32);
        const Bench::Timings onScreen = Bench::timeMs(runs, [&] {
            QPainter painter(&screen);
            paintQrCodeOnPixels(painter, sample, QRectF(0, 0, 300, 300), Qt::black);
        });

        out << QStringLiteral("QR key press, level %1: %2 bytes, version %3, %4 x %4 modules, %5 path elements, "
                              "%6 runs (median / slowest)\n")
                   .arg(qrLevelName(level))
                   .arg(text.size())
                   .arg(sample.version())
                   .arg(sample.size())
                   .arg(built.elementCount())
                   .arg(runs);
        line(QStringLiteral("key press (vCard + code + path)"), keyPress, keyPress.median);
        line(QStringLiteral("  vCard text"), vcard, keyPress.median);
        line(QStringLiteral("  code (libqrencode)"), encode, keyPress.median);
        line(QStringLiteral("  paper path"), path, keyPress.median);
        line(QStringLiteral("  PDF rectangles (%1)").arg(moduleRects(sample).size()), rects, keyPress.median);
        line(QStringLiteral("simplified() of the path (not used)"), simplified, keyPress.median);
        line(QStringLiteral("screen path, 300 x 300 pixels"), pixels, keyPress.median);
        line(QStringLiteral("painted on screen, 300 x 300 pixels"), onScreen, keyPress.median);
        line(QStringLiteral("painted, 40 mm at 300 dpi"), painted, keyPress.median);
        out << QStringLiteral("  key press %1 ms (target 5 ms): %2, %3 x the target\n")
                   .arg(keyPress.median, 0, 'f', 3)
                   .arg(keyPress.median <= 5 ? QStringLiteral("met") : QStringLiteral("NOT met"))
                   .arg(keyPress.median / 5, 0, 'f', 3);
    }
    return 0;
}
