// The print copies read back from a card folder: taken only at the size the card's
// bitmap asks for, and a header claiming more is refused before decoding.
#include "DataFolderFixture.h"

#include "cardfile/CardOpening.h"
#include "cardfile/CardRecord.h"
#include "cardfile/PictureFile.h"
#include "cardfile/PrintCopyFile.h"
#include "core/CardDocument.h"
#include "core/Composition.h"

#include <QElapsedTimer>
#include <QImage>
#include <sys/resource.h>

namespace {

QImage pattern(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x + y) % 256));
    return image;
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char c : bytes) {
        crc ^= uchar(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putBigEndian(QByteArray &bytes, qsizetype at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char(value >> (24 - 8 * i));
}

// The PNG with its header claiming another size, its checksum made right again.
QByteArray claimingSize(QByteArray png, QSize size)
{
    // Signature (8), length (4), "IHDR" (4), width, height, ...; the checksum follows
    // the header's 13 bytes.
    putBigEndian(png, 16, quint32(size.width()));
    putBigEndian(png, 20, quint32(size.height()));
    putBigEndian(png, 33, crc32(png.mid(12, 17)));
    return png;
}

// The most memory this process has held so far, in megabytes.
long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

class PrintCopyFileTest : public DataFolderFixture {
protected:
    // A card "Jan" of the canvas picture only, with print as its print copy.
    void writeCard(const QByteArray &print)
    {
        writeBytes(cards(QStringLiteral("Jan.crd")), CardRecord::write(CardState()));
        writeBytes(cards(QStringLiteral("Jan-back.bmp")), bitmap);
        writeBytes(cards(QStringLiteral("Jan-back.print.png")), print);
    }
    const QImage canvas = pattern(Composition::CanvasSize);
    const QByteArray bitmap = PictureFile::bitmapBytes(canvas);
};

TEST_F(PrintCopyFileTest, CopyOfAnotherSizeIsIgnoredNeverStretched)
{
    writeCard(PrintCopyFile::bytes(pattern(Composition::PrintCanvasSize), bitmap));
    CardDocument sound;
    ASSERT_TRUE(CardOpening::openCard(sound, QStringLiteral("Jan")));
    ASSERT_TRUE(sound.canvas().hasPrintCopy()) << "the copy at print size is taken";

    for (QSize other : {Composition::PrintCanvasSize / 2, Composition::PrintCanvasSize + QSize(1, 0)}) {
        writeCard(PrintCopyFile::bytes(pattern(other), bitmap));
        CardDocument document;
        ASSERT_TRUE(CardOpening::openCard(document, QStringLiteral("Jan")));
        EXPECT_EQ(document.canvas().image(), canvas) << "the card still opens from its bitmap";
        EXPECT_FALSE(document.canvas().hasPrintCopy()) << other.width() << "x" << other.height();
        EXPECT_TRUE(PrintCopyFile::read(cards(QStringLiteral("Jan-back.print.png")),
                                        cards(QStringLiteral("Jan-back.bmp")), Composition::PrintCanvasSize)
                        .isNull());
    }
}

TEST_F(PrintCopyFileTest, HeaderClaimingAHugePictureIsRefusedBeforeDecoding)
{
    const QByteArray sound = PrintCopyFile::bytes(pattern(QSize(40, 30)), bitmap);
    writeBytes(cards(QStringLiteral("Jan-back.bmp")), bitmap);
    const QString path = cards(QStringLiteral("Jan-back.print.png"));
    writeBytes(path, sound);
    ASSERT_FALSE(PrintCopyFile::read(path, cards(QStringLiteral("Jan-back.bmp")), QSize(40, 30)).isNull());

    // 40000 x 30000 pixels are 4.8 GB: beyond what the program holds, even when asked for.
    const QSize huge(40000, 30000);
    writeBytes(path, claimingSize(sound, huge));
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(PrintCopyFile::read(path, cards(QStringLiteral("Jan-back.bmp")), huge).isNull());
    EXPECT_TRUE(PrintCopyFile::read(path, cards(QStringLiteral("Jan-back.bmp")), QSize(40, 30)).isNull());
    EXPECT_LT(timer.elapsed(), 2000) << "refused from its header";
}

} // namespace

namespace {

// A few hundred bytes whose text chunk claims a gigabyte: the PNG library would take
// (and clear) that much memory just to read the header.
TEST_F(PrintCopyFileTest, ChunkClaimingMoreThanTheFileHoldsIsRefusedWithoutTakingItsMemory)
{
    const QSize size(40, 30);
    const QByteArray sound = PrintCopyFile::bytes(pattern(size), bitmap);
    writeBytes(cards(QStringLiteral("Jan-back.bmp")), bitmap);
    const QString path = cards(QStringLiteral("Jan-back.print.png"));
    QByteArray hostile = sound;
    QByteArray chunk(8, '\0');
    putBigEndian(chunk, 0, 1u << 30);
    chunk.replace(4, 4, "zTXt");
    hostile.insert(33, chunk + QByteArray("Comment\0\0x\x9c", 11)); // after the header chunk
    writeBytes(path, hostile);

    const long before = peakMegabytes();
    EXPECT_TRUE(PrintCopyFile::read(path, cards(QStringLiteral("Jan-back.bmp")), size).isNull());
    EXPECT_LT(peakMegabytes() - before, 256) << "megabytes taken for a copy of a few hundred bytes";

    writeBytes(path, sound.left(sound.size() - 12)); // without its end chunk
    EXPECT_TRUE(PrintCopyFile::read(path, cards(QStringLiteral("Jan-back.bmp")), size).isNull());
}

} // namespace
