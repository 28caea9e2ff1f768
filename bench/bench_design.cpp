// Dragging a line or the logo over a card with a camera photo as its background: each
// mouse move from the event to the painted card, with the card view painting as the
// window does. Turning the card over. The card as printed against the canvas, painted
// and dragged on. Opening a card with styles and an SVG logo against the same card without.
#include "BenchSupport.h"
#include "BenchWindow.h"

#include "cardfile/CardOpening.h"
#include "cardfile/CardWriter.h"
#include "core/CardDocument.h"
#include "core/QrObject.h"
#include "print/PdfSheetWriter.h"
#include "print/PrintedCard.h"
#include "print/SheetGeometry.h"
#include "program/InstallCommands.h"
#include "support/ScriptedQuestions.h"
#include "window/CardView.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <QTest>
#include <QTextStream>
#include <array>
#include <cstdio>

namespace {

QTextStream out(stdout);

const QByteArray kLogo = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 200 100" width="200" height="100">
<defs><linearGradient id="g" x1="0" x2="1"><stop offset="0" stop-color="#1b5e20"/><stop offset="1" stop-color="#a5d6a7"/></linearGradient></defs>
<path d="M10 90 C 40 10, 65 10, 95 90 S 150 170, 190 10" stroke="url(#g)" stroke-width="14" fill="none"/>
<circle cx="150" cy="40" r="30" fill="#e65100" fill-opacity="0.8"/>
<text x="20" y="60" font-family="Liberation Sans" font-size="28" fill="#263238">Lumo</text></svg>)svg";

Bench::Timings dragTimings(CardView *view, QPoint from)
{
    const std::vector<double> times = Bench::dragTimes(view, from);
    return {Bench::median(times), *std::max_element(times.begin(), times.end())};
}

// Where an item stands in the view's own pixels, in whichever view it shows.
QPoint itemCentre(const CardView *view, CardItem item)
{
    return view->canvasToView().map(view->geometry().itemRect(item).center()).toPoint();
}

// The designer window on a fresh card, shown and active, as the user has it.
struct ShownWindow {
    CardDocument document;
    ScriptedQuestions questions;
    MainWindow window;

    explicit ShownWindow(const QString &settingsPath)
        : window(document, questions, settingsPath)
    {
        installSubsystemCommands(window);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the window never became active");
    }
    // "Achtergrond" > "Foto Inladen" > "Randloos" on the side shown.
    void loadBackground(const QString &photo)
    {
        questions.openFileAnswers.push_back(photo);
        window.action(QStringLiteral("ToolsBackFotoRand(1)"))->trigger();
    }
};

void benchDrag(const QString &photo, const QString &settingsPath)
{
    ShownWindow shown(settingsPath);
    CardDocument &document = shown.document;
    shown.loadBackground(photo);
    PlacedObject logo;
    logo.rect = QRectF(330, 16, 98, 49);
    logo.logo.svg = kLogo;
    document.insertObject(logo);
    CardView *view = shown.window.cardView();

    const Bench::Timings repaint = Bench::timeMs(60, [&] { Bench::paintCard(view); });
    // In the view the window opens in, which maps the card's places onto its own pixels.
    const Bench::Timings lineDrag = dragTimings(view, itemCentre(view, CardItem::line(3)));
    const Bench::Timings logoDrag = dragTimings(view, itemCentre(view, CardItem::object(0)));
    out << "Dragging on a card with a 6000 x 4000 photo background and an SVG logo, per mouse move "
           "from the event to the painted card, in the "
        << (view->isPrinted() ? "printed" : "canvas") << " view (median and worst of 60; target <= 8 ms)\n";
    out << QStringLiteral("  card repainted alone   %1 ms  (worst %2)\n").arg(repaint.median, 6, 'f', 2).arg(repaint.worst, 6, 'f', 2);
    out << QStringLiteral("  line 3 dragged         %1 ms  (worst %2)  %3 x target\n")
               .arg(lineDrag.median, 6, 'f', 2).arg(lineDrag.worst, 6, 'f', 2).arg(lineDrag.median / 8, 4, 'f', 2);
    out << QStringLiteral("  logo dragged           %1 ms  (worst %2)  %3 x target\n")
               .arg(logoDrag.median, 6, 'f', 2).arg(logoDrag.worst, 6, 'f', 2).arg(logoDrag.median / 8, 4, 'f', 2);
    out << QStringLiteral("  steps the drags left   %1 (two drags: 2 expected)\n").arg(document.history().stepCount() - 2);
    out.flush();
}

// Turning the card over with Ctrl+Tab, from the key to the painted card, with a camera
// photo on each side.
void benchSideSwitch(const QString &photo, const QString &settingsPath)
{
    ShownWindow shown(settingsPath);
    CardDocument &document = shown.document;
    for (const CardSide side : {CardSide::Front, CardSide::Back}) {
        document.showSide(side);
        shown.loadBackground(photo);
    }
    if (!document.hasBack())
        qFatal("the back got no photo");
    CardView *view = shown.window.cardView();
    int switches = 0;
    QObject::connect(&document, &CardDocument::sideChanged, [&switches] { ++switches; });
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < 60; ++i) {
        timer.start();
        // As a typed key: through the window's shortcuts, as the user's would go.
        QTest::keyClick(&shown.window, Qt::Key_Tab, Qt::ControlModifier);
        Bench::paintCard(view);
        times.push_back(Bench::elapsedMs(timer));
    }
    const double median = Bench::median(times);
    out << "Turning the card over (Ctrl+Tab) with a 6000 x 4000 photo on each side, from the key to "
           "the painted card (median and worst of 60; target <= 16 ms)\n";
    out << QStringLiteral("  side switched          %1 ms  (worst %2)  %3 x target\n")
               .arg(median, 6, 'f', 2)
               .arg(*std::max_element(times.begin(), times.end()), 6, 'f', 2)
               .arg(median / 16, 4, 'f', 2);
    out << QStringLiteral("  switches seen          %1 of 60\n").arg(switches);
    out.flush();
}

// The card as printed against the canvas on one card, as a user has it who loaded a
// camera photo: a 6000 x 4000 background with its print copy, an SVG logo, a QR code and
// seven lines. A whole repaint of the card view, and each mouse move of a line's drag
// from the event to the painted card, in either view by turns, so that the machine's
// noise falls on both alike.
void benchPrintedView(const QString &photo, const QString &settingsPath)
{
    ShownWindow shown(settingsPath);
    CardDocument &document = shown.document;
    shown.loadBackground(photo);
    const char *lines[] = {"", "José Müller-Lüdenscheid", "Bakker", "Tel: 020-1234567", "jose@voorbeeld.nl",
                           "Kerkstraat 1", "1234 AB Plaats", "www.voorbeeld.nl"};
    for (int line = 1; line <= 7; ++line)
        document.enterTextLine(line, QString::fromUtf8(lines[line]));
    PlacedObject logo;
    logo.rect = QRectF(330, 16, 98, 49);
    logo.logo.svg = kLogo;
    document.insertObject(logo);
    PlacedObject qr;
    qr.kind = PlacedObject::Kind::Qr;
    qr.rect = QRectF(330, 150, 97, 107);
    qr.qr = QrObject::fromLines(document.state().TextLines);
    document.insertObject(qr);
    CardView *view = shown.window.cardView();
    QAction *printedView = shown.window.action(QStringLiteral("BeeldAfgedrukt"));

    constexpr int Rounds = 15, Repaints = 10, Moves = 20;
    int movedDrags = 0;
    std::array<std::vector<double>, 2> repaints, moves; // [0] the canvas, [1] as printed
    for (int round = 0; round < Rounds; ++round) {
        for (const int printed : {round % 2, 1 - round % 2}) {
            printedView->setChecked(printed == 1);
            if (view->isPrinted() != (printed == 1))
                qFatal("the view did not follow \"Zoals afgedrukt\"");
            // The first paint in a view makes its pictures of the logo; what is timed is
            // the view in use.
            Bench::paintCard(view);
            for (int i = 0; i < Repaints; ++i) {
                QElapsedTimer timer;
                timer.start();
                Bench::paintCard(view);
                repaints[size_t(printed)].push_back(Bench::elapsedMs(timer));
            }
            const QPointF before = document.design().lines[3].offset;
            const std::vector<double> drag = Bench::dragTimes(view, itemCentre(view, CardItem::line(3)), Moves);
            movedDrags += document.design().lines[3].offset != before;
            // Each drag from the same place, so that none pushes the line against the
            // card's edge.
            if (!document.undo())
                qFatal("the drag left no step to undo");
            moves[size_t(printed)].insert(moves[size_t(printed)].end(), drag.begin(), drag.end());
        }
    }
    const auto figure = [](const std::vector<double> &times) {
        return Bench::Timings{Bench::median(times), *std::max_element(times.begin(), times.end())};
    };
    const Bench::Timings canvasPaint = figure(repaints[0]), printedPaint = figure(repaints[1]);
    const Bench::Timings canvasMove = figure(moves[0]), printedMove = figure(moves[1]);
    out << "The card as printed against the canvas, on a card with a 6000 x 4000 photo background"
        << (document.card().canvas.hasPrintCopy() ? " (with its print copy)" : " (WITHOUT its print copy!)")
        << ", an SVG logo, a QR code and seven lines, printed view " << view->cardRect().width() << " x "
        << view->cardRect().height() << " at " << view->printedDpi() << " dpi (median and worst; "
        << Rounds * Repaints << " repaints and " << Rounds * Moves
        << " moves of line 3 in each, by turns; targets <= 16 ms and <= 1.5 x the canvas)\n";
    const auto row = [](const char *what, const Bench::Timings &canvas, const Bench::Timings &printed) {
        out << QStringLiteral("  %1 canvas %2 ms (worst %3)  printed %4 ms (worst %5)  %6 x target  ratio %7\n")
                   .arg(QString::fromLatin1(what), -14)
                   .arg(canvas.median, 6, 'f', 2).arg(canvas.worst, 6, 'f', 2)
                   .arg(printed.median, 6, 'f', 2).arg(printed.worst, 6, 'f', 2)
                   .arg(printed.median / 16, 4, 'f', 2).arg(printed.median / canvas.median, 4, 'f', 2);
    };
    row("card repainted", canvasPaint, printedPaint);
    row("line dragged", canvasMove, printedMove);
    out << QStringLiteral("  drags that moved it    %1 of %2\n").arg(movedDrags).arg(2 * Rounds);
    out.flush();
}

void benchOpen(const QTemporaryDir &dir)
{
    CardDocument plain;
    ScriptedQuestions questions;
    const QImage background = Bench::photo(440, 270);
    plain.setCanvasPicture(QStringLiteral("Achtergrond"), background);
    const QString folder = dir.filePath(QStringLiteral("Kaarten"));
    if (CardWriter::writeInto(CardWriter::contentOf(plain), folder, QStringLiteral("Gewoon")))
        qFatal("cannot save the plain card");
    CardDocument styled;
    styled.setCanvasPicture(QStringLiteral("Achtergrond"), background);
    styled.restyleLine(1, LineFont{QStringLiteral("Liberation Serif"), 24, true, false, false, Qt::black}, LineAlign::Left);
    styled.restyleLine(2, LineFont{QStringLiteral("Liberation Sans"), 12, false, true, false, Qt::darkGray}, LineAlign::Centre);
    styled.moveItem(CardItem::line(3), QPointF(12.5, -3));
    PlacedObject logo;
    logo.rect = QRectF(330, 16, 98, 49);
    logo.logo.svg = kLogo;
    styled.insertObject(logo);
    if (CardWriter::writeInto(CardWriter::contentOf(styled), folder, QStringLiteral("Opgemaakt")))
        qFatal("cannot save the styled card");

    const auto openTime = [&](const QString &name) {
        return Bench::timeMs(21, [&] {
            CardDocument document;
            CardOpening::openCardFrom(document, folder, name);
        });
    };
    // Alternated, so that the machine's noise falls on both alike.
    std::vector<double> withoutRounds, withRounds;
    for (int round = 0; round < 5; ++round) {
        withoutRounds.push_back(openTime(QStringLiteral("Gewoon")).median);
        withRounds.push_back(openTime(QStringLiteral("Opgemaakt")).median);
    }
    const double without = Bench::median(withoutRounds), with = Bench::median(withRounds);
    CardDocument check;
    CardOpening::openCardFrom(check, folder, QStringLiteral("Opgemaakt"));
    out << "Opening a card, with styles, a moved line and an SVG logo against the same card without "
           "(median of 5 x 21; target <= 1.2 x)\n";
    out << QStringLiteral("  without   %1 ms\n  with      %2 ms   ratio %3%4\n")
               .arg(without, 6, 'f', 3).arg(with, 6, 'f', 3).arg(with / without, 4, 'f', 2)
               .arg(check.design().objects.empty() ? QStringLiteral("  (the card opened without its logo!)") : QString());
    out.flush();
}

// A 10-card sheet into a PDF with a QR code on the card against the same sheet without.
void benchQrSheet(const QTemporaryDir &dir)
{
    CardDocument plain;
    plain.setCanvasPicture(QStringLiteral("Achtergrond"), Bench::photo(440, 270),
                           Bench::photo(1760, 1080, 7, 4));
    const char *lines[] = {"", "José Müller-Lüdenscheid", "Bakker", "Tel: 020-1234567", "jose@voorbeeld.nl",
                           "Kerkstraat 1", "1234 AB Plaats", "www.voorbeeld.nl"};
    for (int line = 1; line <= 7; ++line)
        plain.enterTextLine(line, QString::fromUtf8(lines[line]));
    CardDocument withQr;
    withQr.replaceCard(QStringLiteral("Kopie"), plain.card(), true);
    PlacedObject qr;
    qr.kind = PlacedObject::Kind::Qr;
    qr.rect = QRectF(330, 150, 97, 107);
    qr.qr = QrObject::fromLines(withQr.state().TextLines);
    withQr.insertObject(qr);
    const QString file = dir.filePath(QStringLiteral("vel.pdf"));
    const auto sheetTime = [&](const CardDocument &document) {
        return Bench::timeMs(11, [&] {
            if (!writeSheetPdf(file, PrintedCard::from(document.card()), SheetGeometry(), 1).isPrinted())
                qFatal("cannot print the sheet");
        });
    };
    // Alternated, so that the machine's noise falls on both alike.
    std::vector<double> without, with;
    for (int round = 0; round < 3; ++round) {
        without.push_back(sheetTime(plain).median);
        with.push_back(sheetTime(withQr).median);
    }
    const double a = Bench::median(without), b = Bench::median(with);
    out << "A 10-card sheet printed into a PDF, with a QR code (vCard, level M, version "
        << withQr.design().objects.front().qr.code.version()
        << ") on the card against the same card without (median of 3 x 11; target <= 1.1 x)\n";
    out << QStringLiteral("  without   %1 ms\n  with      %2 ms   ratio %3\n").arg(a, 7, 'f', 2).arg(b, 7, 'f', 2).arg(b / a, 4, 'f', 2);
    out.flush();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString jpeg = Bench::writeJpeg(dir, QStringLiteral("photo.jpg"), Bench::photo(6000, 4000, 7, 10));
    benchDrag(jpeg, dir.filePath(QStringLiteral("Lumovander.ini")));
    benchSideSwitch(jpeg, dir.filePath(QStringLiteral("Lumovander.ini")));
    benchPrintedView(jpeg, dir.filePath(QStringLiteral("Lumovander.ini")));
    benchOpen(dir);
    benchQrSheet(dir);
    return 0;
}
