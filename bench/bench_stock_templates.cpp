// Reading the label templates installed on this machine into "Kaartpapier": the time of
// the first reading of the run (target <= 150 ms) and of later readings, and what it found.
// bench_stock_templates [FOLDER...]: reads those folders instead of the standard ones.
#include "BenchSupport.h"
#include "print/MarginsForm.h"
#include "print/TemplateLibrary.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextStream>
#include <algorithm>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);

    QStringList folders;
    for (int i = 1; i < argc; ++i)
        folders << QString::fromLocal8Bit(argv[i]);
    if (folders.isEmpty())
        folders = TemplateLibrary::standardFolders();
    TemplateLibrary::useFolders(folders);

    // The first opening of "Afdruk Marges" in a run: the library read and the form built.
    QElapsedTimer timer;
    timer.start();
    const MarginsForm form(PrintSettings(), QLocale(QLocale::Dutch, QLocale::Netherlands));
    const double firstMs = timer.nsecsElapsed() / 1e6;

    TemplateLibrary::Reading reading;
    const double readMs = Bench::timeMs(9, [&] { reading = TemplateLibrary::read(folders); }).median;
    const double formMs =
        Bench::timeMs(9, [&] { MarginsForm(PrintSettings(), QLocale(QLocale::Dutch, QLocale::Netherlands)); }).median;

    const auto withCards = [&](int cards) {
        return std::count_if(reading.stocks.begin(), reading.stocks.end(),
                             [&](const CardStock &s) { return s.cards == cards; });
    };
    out << "folders: " << folders.join(QStringLiteral(", ")) << "\n";
    out << "template files read: " << reading.files << ", left out: " << reading.leftOutFiles.size()
        << ", templates: " << reading.templates << "\n";
    out << "business-card sheets: " << reading.stocks.size() << " (" << withCards(10) << " of 10 cards, "
        << withCards(8) << " of 8 cards); listed in Kaartpapier after the " << CardStock::all().size()
        << " built-in ones: " << form.stocks().size() - CardStock::all().size() << "\n";
    out << "first opening of the form, library read: " << QString::number(firstMs, 'f', 1)
        << " ms (target <= 150 ms)\n";
    out << "reading the whole library: " << QString::number(readMs, 'f', 1) << " ms, median of 9\n";
    out << "the form once the library is kept: " << QString::number(formMs, 'f', 2) << " ms, median of 9\n";
    return 0;
}
