// A card whose design file lists 999 logos, each naming the same PNG: opening it, with the
// time, what the card keeps and the memory the process grew to. With --keep DIR the card
// stays in DIR/Cards, so that `lumovander-batch render Jan OUT --folder DIR` can be timed
// by another build of the program too.
#include "cardfile/CardOpening.h"
#include "cardfile/CardWriter.h"
#include "cardfile/DesignFile.h"
#include "core/CardDocument.h"
#include "core/DataFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
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
    return ok ? 0 : 1;
}
