// A team of 1,000 people on a card with a 24-megapixel photo background (its print copy
// on paper) and a QR code following their lines:
// - 100 sheets to one PDF through the batch program's print, beside one sheet of the same
//   card alone in the same run: the time, and whether the background is stored once (the
//   file should grow by the people's own text and codes only);
// - in the window: stepping to the next person (Alt+Right to the painted card), and a
//   line's drag with the team attached against the same card without it, since every
//   change judges the team's codes again.
#include "BenchSupport.h"
#include "BenchWindow.h"
#include "background/BackgroundPhoto.h"
#include "batch/BatchCommands.h"
#include "cardfile/CardWriter.h"
#include "core/CardDocument.h"
#include "core/DataFolder.h"
#include "merge/MergeFile.h"
#include "program/InstallCommands.h"
#include "stamp/BackPic.h"
#include "support/ScriptedQuestions.h"
#include "window/CardView.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

void benchWindow(QTextStream &out, const Card &card, const QString &data, const QString &settingsPath)
{
    CardDocument document;
    ScriptedQuestions questions;
    MainWindow window(document, questions, settingsPath);
    installSubsystemCommands(window);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qFatal("the window never became active");
    document.replaceCard(QStringLiteral("Kaart"), card, false);
    const MergeRead read = readMergeFile(data);
    if (!read)
        qFatal("the team does not read");
    CardTeam team;
    team.data = read.data;
    team.mapping = MergeMapping::defaultFor(read.data);
    CardView *view = window.cardView();
    Bench::paintCard(view);

    constexpr int Rounds = 6, Moves = 20;
    std::vector<double> without, with;
    for (int round = 0; round < Rounds; ++round) {
        for (const bool attached : {round % 2 == 0, round % 2 != 0}) {
            if (attached)
                document.setTeam(team);
            const QPoint line3 =
                view->canvasToView().map(view->geometry().itemRect(CardItem::line(3)).center()).toPoint();
            const std::vector<double> times = Bench::dragTimes(view, line3, Moves);
            std::vector<double> &kept = attached ? with : without;
            kept.insert(kept.end(), times.begin(), times.end());
            document.undo(); // the drag
            if (attached)
                document.undo(); // the team
        }
    }
    document.setTeam(team);
    int shown = 0;
    QObject::connect(&document, &CardDocument::personChanged, [&shown] { ++shown; });
    std::vector<double> steps;
    QElapsedTimer timer;
    for (int i = 0; i < 60; ++i) {
        timer.start();
        QTest::keyClick(&window, Qt::Key_Right, Qt::AltModifier);
        Bench::paintCard(view);
        steps.push_back(Bench::elapsedMs(timer));
    }
    const double step = Bench::median(steps);
    out << "In the window, with " << read.data.rows.size()
        << " people attached (median and worst of 60; target <= 16 ms)\n";
    out << QStringLiteral("  next person (Alt+Right) %1 ms  (worst %2)  %3 x target, %4 of 60 shown\n")
               .arg(step, 6, 'f', 2)
               .arg(*std::max_element(steps.begin(), steps.end()), 6, 'f', 2)
               .arg(step / 16, 4, 'f', 2)
               .arg(shown);
    // A line everyone shares typed anew: every person's code and lines judged again.
    std::vector<double> typed;
    for (int i = 0; i < 10; ++i) {
        timer.start();
        document.enterTextLine(5, QStringLiteral("Dorpsstraat %1").arg(i + 2));
        Bench::paintCard(view);
        typed.push_back(Bench::elapsedMs(timer));
    }
    out << QStringLiteral("  shared line typed       %1 ms  (worst %2), everyone's code and lines judged again\n")
               .arg(Bench::median(typed), 6, 'f', 2)
               .arg(*std::max_element(typed.begin(), typed.end()), 6, 'f', 2);
    const double a = Bench::median(without), b = Bench::median(with);
    out << QStringLiteral("  line drag, per move:    %1 ms alone, %2 ms with the team (worst %3), ratio %4\n")
               .arg(a, 6, 'f', 2)
               .arg(b, 6, 'f', 2)
               .arg(*std::max_element(with.begin(), with.end()), 6, 'f', 2)
               .arg(b / a, 4, 'f', 2);
    out.flush();
}

double printMs(const QStringList &args)
{
    QString errors;
    QTextStream err(&errors);
    QElapsedTimer timer;
    timer.start();
    if (batchPrint(args, err) != 0)
        qFatal("print failed: %s", qPrintable(errors));
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir folder;
    DataFolder::setOverride(folder.path());

    const QString jpeg = Bench::writeJpeg(folder, QStringLiteral("photo.jpg"), Bench::photo(6000, 4000, 3));
    CardDocument document;
    BackPic backPic;
    if (!loadBackgroundPhoto(document, backPic, jpeg, PhotoPlacement::Borderless))
        qFatal("the photo does not load");
    Card card = document.card();
    card.state.TextLines = {QString(),
                            QStringLiteral("Naam"),
                            QStringLiteral("Functie"),
                            QStringLiteral("naam@bakker.nl"),
                            QStringLiteral("Bakker & Zonen"),
                            QStringLiteral("Dorpsstraat 1"),
                            QStringLiteral("1234 AB Ergens"),
                            QStringLiteral("020-1234567")};
    PlacedObject code;
    code.kind = PlacedObject::Kind::Qr;
    code.rect = QRectF(320, 150, 100, 100);
    code.qr = QrObject::fromLines(card.state.TextLines);
    card.design.objects.push_back(code);
    document.replaceCard(QStringLiteral("Kaart"), card, false);
    if (CardWriter::write(document, QStringLiteral("Team")))
        qFatal("the card does not save");

    QByteArray csv = "Naam;Functie;E-mail\r\n";
    constexpr int People = 1000;
    for (int person = 1; person <= People; ++person)
        csv += QStringLiteral("Medewerker %1 van Dijk;Adviseur %1;medewerker%1@bakker.nl\r\n").arg(person).toUtf8();
    const QString data = folder.filePath(QStringLiteral("team.csv"));
    QFile file(data);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size())
        qFatal("cannot write the team");
    file.close();

    const QString sheetPdf = folder.filePath(QStringLiteral("sheet.pdf"));
    const QString teamPdf = folder.filePath(QStringLiteral("team.pdf"));
    const QStringList base = {QStringLiteral("Team"), QStringLiteral("--no-correction"), QStringLiteral("--output")};
    printMs(base + QStringList{sheetPdf}); // fonts and pictures warmed up
    const double sheetMs = printMs(base + QStringList{sheetPdf});
    const double teamMs = printMs(base + QStringList{teamPdf, QStringLiteral("--gegevens"), data});
    const qint64 sheetBytes = QFileInfo(sheetPdf).size();
    const qint64 teamBytes = QFileInfo(teamPdf).size();
    const double budget = 1.5 * sheetBytes + 30 * 1024.0 * People;
    out << "one sheet of the card alone (24 MP photo background, QR code): " << QString::number(sheetMs, 'f', 0)
        << " ms, " << sheetBytes << " bytes\n";
    out << People << " people, 100 sheets: " << QString::number(teamMs, 'f', 0) << " ms (target <= 3000 ms), "
        << teamBytes << " bytes\n";
    out << "  size over 1.5 x one sheet + 30 KB per person: " << QString::number(teamBytes / budget, 'f', 2)
        << " (target <= 1)\n";
    out << "  per person beyond the sheet: " << QString::number((teamBytes - sheetBytes) / 1024.0 / People, 'f', 1)
        << " KB\n";
    out.flush();
    benchWindow(out, card, data, folder.filePath(QStringLiteral("Lumovander.ini")));
    return 0;
}
