// Writes the seed corpora below the folder given (fuzz/corpus): a few small, sound
// inputs per target, made by the program's own writers and Qt's picture writers, so
// that each fuzzer starts inside its format.
#include "cardfile/CardFolder.h"
#include "cardfile/CardRecord.h"
#include "cardfile/CardWriter.h"
#include "cardfile/DesignFile.h"
#include "cardfile/PictureFile.h"
#include "cardfile/PrintCopyFile.h"
#include "print/CorrectionFile.h"
#include "core/RegularFile.h"
#include "core/SettingsFile.h"
#include "../tests/support/HostilePictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

namespace {

QString g_root;

void put(const QString &target, const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(g_root + '/' + target);
    QFile file(g_root + '/' + target + '/' + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

QByteArray encoded(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

QImage sample(int w, int h, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(w, h, format);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(0, 0, w / 2, h, QColor(200, 30, 30));
    painter.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(20, 40, 220, 128));
    return image;
}

// A one-pixel GIF in both versions, built byte by byte (Qt writes no GIF): header,
// screen with a two-colour table, optional graphic control, one image of LZW code size 2.
QByteArray tinyGif(bool withControl)
{
    QByteArray gif(withControl ? "GIF89a" : "GIF87a");
    gif.append("\x01\x00\x01\x00\x80\x00\x00", 7);
    gif.append("\xff\xff\xff\x00\x00\x00", 6);
    if (withControl)
        gif.append("\x21\xf9\x04\x01\x00\x00\x00\x00", 8);
    gif.append("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10);
    gif.append("\x02\x02\x44\x01\x00\x3b", 6);
    return gif;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A recovery card as fuzz_recovery_card takes it: its files one after another, each
// ended by the line "#LUMO#", the print copies tagged with the bitmaps written beside.
QByteArray recoveryCard(const CardWriter::CardContent &content)
{
    QTemporaryDir dir;
    if (CardWriter::writeInto(content, dir.path(), QStringLiteral("Kaart"))) {
        std::fprintf(stderr, "cannot write a recovery card\n");
        std::exit(1);
    }
    const CardFolder::CardFiles files = CardFolder::cardFiles(dir.path(), QStringLiteral("Kaart"));
    QByteArray joined;
    for (const QString &path : {files.record, files.background, files.stamp, files.backgroundPrint,
                                files.stampPrint})
        joined += contentsOf(path) + "\n#LUMO#\n";
    return joined;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    g_root = QString::fromLocal8Bit(argv[1]);

    CardState card;
    put("fuzz_card_record", "default.crd", CardRecord::write(card));
    card.LayoutKind = 3;
    card.FontBold = true;
    card.TextColorR = GeneralValue(QStringLiteral("12"));
    card.TextLines[1] = QString::fromUtf8("REN\u00c9\u2019S BAR");
    card.TextLines[2] = QString::fromUtf8("CAF\u00c9\u00a0DE ROOS, \u20ac 4,50");
    put("fuzz_card_record", "windows-1252.crd", CardRecord::write(card));
    card.TextLines[3] = QString::fromUtf8("\u0141\u00f3d\u017a \xf0\x9f\x8c\xb9");
    put("fuzz_card_record", "utf-8.crd", CardRecord::write(card));
    // Two records of a megabyte, kept with the regressions (../regressions), which run
    // whole before each fuzzing run: as seeds they would make every input that large.
    // Blanks after the last field past the cap that opening a card has: reading takes
    // every field, opening and the recovery card refuse the file.
    put("../regressions/fuzz_card_record", "padded.crd", CardRecord::write(card) + QByteArray(RegularFile::RecordLimit, ' '));
    // Lines of one letter under 71,000 combining marks each: nothing advances, so only
    // a cut by characters keeps drawing them short.
    for (int line = 1; line <= 7; ++line)
        card.TextLines[size_t(line)] = QLatin1Char('a') + QString(71000, QChar(0x0301));
    put("../regressions/fuzz_card_record", "combining-marks.crd", CardRecord::write(card));

    // The round trip reads its card field by field from the bytes; any bytes will do.
    put("fuzz_record_roundtrip", "a", QByteArray("\x03\x05\x41\x42\xc9\x92\x00\x20\x01\xa0", 10));
    put("fuzz_record_roundtrip", "b", QByteArray(64, '\x7f'));

    PrintSettings settings;
    put("fuzz_settings", "default.ini", SettingsFile::encode(settings));
    settings.PrintMarginA = GeneralValue(QStringLiteral("12,5"));
    settings.CardWidthMm = 85.5;
    settings.PrintOffsetV = -3;
    settings.CardsPerSheet = 8;
    put("fuzz_settings", "typed.ini", SettingsFile::encode(settings));

    put("fuzz_bmp", "rgb.bmp", PictureFile::bitmapBytes(sample(5, 3)));
    put("fuzz_bmp", "indexed.bmp", encoded(sample(6, 4).convertToFormat(QImage::Format_Indexed8), "BMP"));
    put("fuzz_bmp", "mono.bmp", encoded(sample(9, 2).convertToFormat(QImage::Format_Mono), "BMP"));
    // A bitmap stored top down, and a bare header claiming the largest size there is.
    QByteArray topDown = PictureFile::bitmapBytes(sample(3, 2));
    const qint32 negative = -2;
    std::memcpy(topDown.data() + 22, &negative, 4);
    put("fuzz_bmp", "top-down.bmp", topDown);
    QByteArray claims = topDown.left(54);
    const qint32 largest = INT32_MAX;
    std::memcpy(claims.data() + 18, &largest, 4);
    std::memcpy(claims.data() + 22, &largest, 4);
    claims[28] = 32;
    put("fuzz_bmp", "claims-largest.bmp", claims);
    put("fuzz_png", "rgb.png", encoded(sample(6, 4), "PNG"));
    put("fuzz_png", "alpha.png", encoded(sample(6, 4, QImage::Format_ARGB32), "PNG"));
    put("fuzz_jpeg", "small.jpg", encoded(sample(16, 8), "JPEG", 50));
    put("fuzz_jpeg", "grey.jpg", encoded(sample(8, 8).convertToFormat(QImage::Format_Grayscale8), "JPEG", 50));
    put("fuzz_gif", "87a.gif", tinyGif(false));
    put("fuzz_gif", "89a.gif", tinyGif(true));
    // Tiny files whose headers claim pictures of gigabytes (the PNG is a real one).
    put("fuzz_gif", "screen-16000.gif", HostilePictures::gifScreen());
    put("fuzz_bmp", "rle4-16384.bmp", HostilePictures::rle4Bitmap());
    put("fuzz_jpeg", "progressive-16000.jpg", HostilePictures::progressiveJpeg());
    put("fuzz_png", "plain-16384.png", HostilePictures::plainPng());


    // Print copies tagged with the bitmap fuzz_print_copy writes, at the size it asks for.
    const QByteArray printBitmap("fuzz-print-copy-bitmap");
    put("fuzz_print_copy", "tagged.png", PrintCopyFile::bytes(sample(48, 32), printBitmap));
    put("fuzz_print_copy", "tagged-grey.png",
        PrintCopyFile::bytes(sample(48, 32).convertToFormat(QImage::Format_Grayscale8), printBitmap));
    put("fuzz_print_copy", "other-size.png", PrintCopyFile::bytes(sample(49, 32), printBitmap));

    CorrectionFile::Entries corrections;
    corrections.insert(QStringLiteral("HP LaserJet 1020"), PrinterCorrection{0.6, -0.4, 1.003, 1.003});
    corrections.insert(CorrectionFile::PdfTarget, PrinterCorrection{-1.25, 0, 1, 0.998});
    put("fuzz_correction_file", "two.ini", CorrectionFile::encode(corrections));
    put("fuzz_correction_file", "odd.ini",
        QByteArray("[]\n[x\nShiftX=1e308\n[Kantoor]\r\n ScaleX = 0.95 \r\nShiftY=nan\nShiftX=-30\n=\n"));

    CardDesign design;
    design.lines[1].font = LineFont{QStringLiteral("Liberation Serif"), 20, true, false, true, QColor(0xc0, 0, 0)};
    design.lines[1].align = LineAlign::Centre;
    design.lines[3].offset = QPointF(12.5, -3.25);
    design.stampOffset = QPointF(-40, 0.1);
    design.objects.resize(2);
    design.objects[0].rect = QRectF(300, 180, 96, 48);
    design.objects[1].rect = QRectF(-5.5, 200, 32, 24.125);
    put("fuzz_design_file", "every-key.opmaak",
        DesignFile::write(design, {QStringLiteral("Jan.logo.svg"), QStringLiteral("Jan.logo-2.png")}));
    put("fuzz_design_file", "odd.opmaak",
        QByteArray("\xEF\xBB\xBFLumovander opmaak 7\r\nregel.2.vet=1\r\nregel.9.grootte=3\nregel.2.plaats=nan;1\n"
                   "logo.3.plaats=1;2;3;4\nlogo.3.bestand=../x.logo-3.png\nzegel.plaats=1e3;-2000\n=\nregel..=\n"));

    // Small pictures keep each run quick; a card's pictures are read cut to their box.
    CardWriter::CardContent content;
    content.state.LayoutKind = 3;
    content.state.TextLines[0] = QStringLiteral("Jan de Vries");
    content.canvas = sample(22, 14);
    content.canvasPrint = sample(22 * 4, 14 * 4);
    content.stamp = sample(10, 12);
    content.stampPrint = sample(40, 48);
    put("fuzz_recovery_card", "with-stamp", recoveryCard(content));
    content.state.LayoutKind = 1;
    content.stamp = QImage();
    content.stampPrint = QImage();
    content.canvasPrint = QImage();
    put("fuzz_recovery_card", "plain", recoveryCard(content));
    return 0;
}
