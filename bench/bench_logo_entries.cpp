// A card whose design file lists 999 logos, each naming the same PNG: opening it, with the
// time, what the card keeps and the memory the process grew to. With --keep DIR the card
// stays in DIR/Cards, so that `lumovander-batch render Jan OUT --folder DIR` can be timed
// by another build of the program too. Then SVG logos, which the helper draws: an ordinary
// one read the first and the second time, drawings that keep Qt's rasteriser busy, and a
// picture of the ordinary logo made from its pixels against drawing its SVG in process.
#include "cardfile/CardOpening.h"
#include "cardfile/CardWriter.h"
#include "cardfile/DesignFile.h"
#include "core/CardDocument.h"
#include "core/DataFolder.h"
#include "core/DesignPainter.h"
#include "stamp/LogoLoader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <set>

namespace {

// The most memory the process held so far, in MB.
long peakMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong() / 1024;
    return -1;
}

double secondsOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

void benchSvgLogos(QTextStream &out)
{
    const QByteArray ordinary = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 200 100" width="200" height="100">
<rect x="4" y="4" width="192" height="92" rx="14" fill="#1e88e5"/>
<circle cx="50" cy="50" r="30" fill="#ffffff" fill-opacity="0.8"/>
<text x="90" y="62" font-family="Liberation Sans" font-size="30" fill="#ffffff">Lumo</text></svg>)svg";
    QByteArray d = "M0 0";
    for (int i = 0; i < 250; ++i)
        d += " L" + QByteArray::number(i * 4 + 2) + " 1000 L" + QByteArray::number(i * 4 + 4) + " 0";
    const QByteArray comb = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 1000 1000"><path d=")" + d + R"( Z"/></svg>)";
    QByteArray zig = "M0 0";
    for (int i = 1; i < 99000; ++i)
        zig += " L" + QByteArray::number(i * 0.01, 'f', 2) + (i % 2 ? " 1000" : " 0");
    const QByteArray zigzag = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 1000 1000"><path d=")" + zig + R"("/></svg>)";
    const QByteArray longText = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 1000 1000"><text x="0" y="900" font-size="900">)"
        + QByteArray(9000, 'W') + "</text></svg>";

    LogoLoader::Loaded kept;
    const double first = secondsOf([&] { kept = LogoLoader::fromBytes(ordinary, QStringLiteral("logo.svg")); });
    const double second = secondsOf([&] { LogoLoader::fromBytes(ordinary, QStringLiteral("logo.svg")); });
    out << "SVG logo drawn by the helper (" << kept.logo.drawn.width() << " x " << kept.logo.drawn.height()
        << " px): read the first time " << QString::number(first * 1000, 'f', 0) << " ms, again "
        << QString::number(second * 1000, 'f', 1) << " ms\n";
    for (const auto &[name, svg] : {std::pair{"one path, a 250-tooth comb", comb},
                                    std::pair{"one path of 99,000 segments", zigzag},
                                    std::pair{"a text of 9,000 letters at 900 units", longText}}) {
        LogoLoader::Loaded read;
        const double seconds = secondsOf([&] { read = LogoLoader::fromBytes(svg, QStringLiteral("x.svg")); });
        out << "  " << name << ": " << (read ? "kept" : "refused") << " after " << QString::number(seconds, 'f', 2)
            << " s" << (read ? QString() : QStringLiteral(" (") + read.fault.section(QStringLiteral(": "), 1) + ')') << "\n";
    }
    // The window's and a render's picture of the ordinary logo: from its pixels, and from
    // its SVG drawn in process as before (a fresh size each time, so no copy is reused).
    for (const QSize size : {QSize(200, 100), QSize(1760, 880), QSize(7040, 3520)}) {
        QImage target(size, QImage::Format_ARGB32_Premultiplied);
        const double fromPixels = secondsOf([&] {
            QPainter painter(&target);
            DesignPainter::drawLogo(painter, kept.logo, QRectF(QPointF(), QSizeF(size)));
        });
        const double inProcess = secondsOf([&] {
            QPainter painter(&target);
            painter.setRenderHint(QPainter::Antialiasing);
            QSvgRenderer(kept.logo.svg).render(&painter, QRectF(QPointF(), QSizeF(size)));
        });
        out << "  picture " << size.width() << " x " << size.height() << ": from the pixels "
            << QString::number(fromPixels * 1000, 'f', 1) << " ms, the SVG drawn in process "
            << QString::number(inProcess * 1000, 'f', 1) << " ms\n";
    }
    out.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QStringList args = app.arguments().mid(1);
    QString keep;
    if (const qsizetype at = args.indexOf(QStringLiteral("--keep")); at >= 0 && at + 1 < args.size()) {
        keep = args[at + 1];
        args.remove(at, 2);
    }
    const int width = args.value(0, QStringLiteral("2048")).toInt();
    const int height = args.value(1, QStringLiteral("2048")).toInt();
    QTemporaryDir temporary;
    const QString folder = keep.isEmpty() ? temporary.path() : keep;
    QDir().mkpath(folder);
    DataFolder::setOverride(folder);

    QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(20, 90, 160, 200));
    CardDocument card;
    PlacedObject logo;
    logo.rect = QRectF(10, 10, 60, 40);
    logo.logo.bitmap = picture;
    card.insertObject(logo);
    if (CardWriter::write(card, QStringLiteral("Jan")))
        return 1;
    QByteArray text = QByteArray(DesignFile::VersionLine) + "\n";
    for (int k = 1; k <= DesignFile::MaxLogos; ++k)
        text += "logo." + QByteArray::number(k) + ".bestand=Jan.logo.png\nlogo." + QByteArray::number(k)
            + ".plaats=10;10;60;40\n";
    QFile design(QDir(DataFolder::cardsFolder()).filePath(QStringLiteral("Jan.opmaak")));
    if (!design.open(QIODevice::WriteOnly) || design.write(text) != text.size())
        return 1;
    design.close();

    const long before = peakMb();
    QElapsedTimer timer;
    timer.start();
    CardDocument opened;
    const bool ok = bool(CardOpening::openCard(opened, QStringLiteral("Jan")));
    const qint64 ms = timer.elapsed();
    std::set<qint64> pictures;
    for (const PlacedObject &object : opened.design().objects)
        pictures.insert(object.logo.bitmap.cacheKey());
    out << "logo " << width << "x" << height << " PNG, 999 entries naming it: opened " << (ok ? "yes" : "no") << " in "
        << ms << " ms; objects kept " << opened.design().objects.size() << ", distinct pictures " << pictures.size()
        << "; peak memory " << before << " MB before opening, " << peakMb() << " MB after\n";
    benchSvgLogos(out);
    return ok ? 0 : 1;
}
