// One undo and one redo on the designer window's card while a 6000 x 4000 (24 MP)
// JPEG is loaded in the photo panel, each up to the repainted card, beside repainting
// the card alone, in one run. Target: a step within 16 ms.
#include "BenchSupport.h"
#include "window/CardView.h"
#include "window/MainWindow.h"
#include "stamp/panel/PhotoView.h"
#include "core/CardDocument.h"
#include "core/Questions.h"
#include "stamp/PhotoWorkspace.h"
#include "stamp/ui/StampCommands.h"

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>

namespace {

QTextStream out(stdout);

// Colour bands with noise, 24 megapixels as a camera photo has.
QString writePhoto(const QTemporaryDir &dir)
{
    const QImage image = Bench::noisyPicture(6000, 4000, [](int x, int y, quint32 noise) {
        const int n = int(noise >> 26);
        return qRgb((x / 24 + n) & 255, (y / 16 + n) & 255, ((x + y) / 40) & 255);
    });
    return Bench::writeJpeg(dir, QStringLiteral("foto-6000x4000.jpg"), image);
}

class NoQuestions : public Questions {
public:
    bool yesNo(const QString &, const QString &) override { return false; }
    Answer yesNoCancel(const QString &, const QString &) override { return Answer::Cancel; }
    void message(const QString &, const QString &) override {}
    std::optional<QString> inputText(const QString &, const QString &, const QString &) override { return {}; }
    QString openFileName(const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QFont> chooseFont(const QFont &) override { return {}; }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString photo = writePhoto(dir);

    CardDocument document;
    NoQuestions questions;
    MainWindow window(document, questions, dir.filePath(QStringLiteral("Lumovander.ini")));
    installStampCommands(window);
    window.show();
    if (!window.photoWorkspace().loadPhoto(photo))
        qFatal("the photo does not load");
    window.photoWorkspace().toggleEnlargedView();
    window.photoWorkspace().toggleEnlargedView();

    CardView *card = window.cardView();
    const auto settle = [&] {
        card->repaint();
        QApplication::processEvents();
    };

    QImage templ(440, 270, QImage::Format_RGB32);
    templ.fill(QColor(30, 60, 90));
    const struct {
        const char *name;
        std::function<void()> step;
    } steps[] = {
        {"Layout", [&] { document.applyLayout(2); }},
        {"Template", [&] { document.setCanvasPicture(QStringLiteral("Templates"), templ); }},
        {"Canvas filter", [&] {
             document.drawOnCanvas(QStringLiteral("Aquarel"),
                                   [](QImage &image) { QPainter(&image).fillRect(20, 20, 300, 200, Qt::red); });
         }},
        {"Stamp cut", [&] { document.setStampPicture(QStringLiteral("Zegelfoto"), templ.copy(0, 0, 140, 180)); }},
        {"Text line", [&] { document.enterTextLine(2, QStringLiteral("Bakkerij")); }},
        {"Colour bar", [&] { document.setBackColorComponent(CardDocument::Red, 17); }},
        {"New", [&] { document.newCard(); }},
    };
    for (const auto &s : steps) {
        s.step();
        settle();
    }

    const int rounds = 40;
    const Bench::Timings repaint = Bench::timeMs(rounds, settle);
    out << QStringLiteral("Undo/redo with a 6000 x 4000 photo in the panel, %1 rounds, ms (median / slowest)\n").arg(rounds);
    out << QStringLiteral("  repaint of the card alone      %1 / %2\n").arg(repaint.median, 7, 'f', 3).arg(repaint.worst, 7, 'f', 3);
    double worst = 0; // the slowest median step
    // Walks back over every step and forward again, each a measured undo or redo.
    for (int r = 0; r < 1; ++r) {
        for (int i = int(std::size(steps)) - 1; i >= 0; --i) {
            const Bench::Timings undo = Bench::timeMs(rounds, [&] {
                document.undo();
                settle();
                document.redo();
                settle();
            });
            // One round is an undo and a redo.
            const double perStep = undo.median / 2;
            worst = std::max(worst, perStep);
            out << QStringLiteral("  %1 undo+redo %2 / %3   one step %4 ms, %5 x the repaint\n")
                       .arg(QString::fromLatin1(steps[i].name), -14)
                       .arg(undo.median, 7, 'f', 3)
                       .arg(undo.worst, 7, 'f', 3)
                       .arg(perStep, 7, 'f', 3)
                       .arg(perStep / std::max(repaint.median, 1e-6), 0, 'f', 1);
            document.undo();
            settle();
        }
    }
    // The slowest rounds follow the machine's load (the bare repaint has them too).
    out << QStringLiteral("  slowest median step %1 ms (target 16 ms): %2\n")
               .arg(worst, 0, 'f', 3)
               .arg(worst <= 16 ? QStringLiteral("met") : QStringLiteral("NOT met"));
    out << QStringLiteral("  history: %1 steps, %2 KB of pictures\n")
               .arg(document.history().stepCount())
               .arg(document.history().bytes() / 1024);
    return 0;
}
