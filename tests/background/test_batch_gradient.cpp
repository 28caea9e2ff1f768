#include "batch/BatchCommands.h"
#include "core/CardDocument.h"
#include "background/GradientChooser.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class BatchGradientTest : public ::testing::Test {
protected:
    // Runs the command; its stderr text lands in m_errors.
    int run(const QStringList &args)
    {
        m_errors.clear();
        QTextStream err(&m_errors);
        const int status = batchGradient(args, err);
        err.flush();
        return status;
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    void expectRefused(const QStringList &args)
    {
        EXPECT_NE(run(args), 0) << args.join(u' ').toStdString();
        EXPECT_EQ(m_errors.count(u'\n'), 1) << m_errors.toStdString();
        EXPECT_TRUE(m_errors.endsWith(u'\n'));
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), m_keep)
            << args.join(u' ').toStdString();
    }

    QTemporaryDir m_dir;
    QString m_errors;
    QStringList m_keep; // files the test itself put in the folder
};

} // namespace

TEST_F(BatchGradientTest, DrawsOnABlackCardByDefault)
{
    const QString out = path(QStringLiteral("g29.png"));
    ASSERT_EQ(run({QStringLiteral("29"), out}), 0) << m_errors.toStdString();
    EXPECT_TRUE(m_errors.isEmpty());
    const QImage image(out);
    ASSERT_EQ(image.size(), QSize(440, 270));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(128, 200), qRgb(140, 0, 0));
    EXPECT_EQ(image.pixel(220, 135), qRgb(255, 0, 0));
}

TEST_F(BatchGradientTest, PreviewSizeKeepsTheBlackWedge)
{
    const QString out = path(QStringLiteral("g15.bmp"));
    ASSERT_EQ(run({QStringLiteral("15"), out, QStringLiteral("--size"), QStringLiteral("220x135")}), 0);
    const QImage image(out, "BMP");
    ASSERT_EQ(image.size(), QSize(220, 135));
    EXPECT_EQ(image.pixel(100, 130), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(210, 27), qRgb(134, 0, 0));
}

TEST_F(BatchGradientTest, StartsFromTheBasePictureAtItsNaturalSize)
{
    QImage base(200, 135, QImage::Format_RGB32);
    base.fill(qRgb(0, 0, 200));
    ASSERT_TRUE(base.save(path(QStringLiteral("base.png"))));
    const QString out = path(QStringLiteral("g15.png"));
    ASSERT_EQ(run({QStringLiteral("--base"), path(QStringLiteral("base.png")), QStringLiteral("15"), out,
                   QStringLiteral("--size"), QStringLiteral("220x135")}),
              0)
        << m_errors.toStdString();
    const QImage image(out);
    EXPECT_EQ(image.pixel(100, 130), qRgb(0, 0, 200)); // the wedge keeps the base
    EXPECT_EQ(image.pixel(50, 50), qRgb(100, 0, 0));
}

TEST_F(BatchGradientTest, EveryGradientIsTheOneTheDialogPaintsOnTheCard)
{
    for (int n = 1; n <= 42; ++n) {
        const QString out = path(QStringLiteral("g%1.png").arg(n));
        ASSERT_EQ(run({QString::number(n), out}), 0) << n << m_errors.toStdString();

        CardDocument document;
        document.drawOnCanvas(QStringLiteral("Test"), [&](QImage &image) { image.fill(Qt::black); });
        GradientChooser chooser;
        chooser.setValue(n);
        chooser.accept(document);
        EXPECT_EQ(QImage(out).convertToFormat(QImage::Format_RGB32), document.canvas().image()) << n;
    }
}

TEST_F(BatchGradientTest, RefusesBadNumbersAndWords)
{
    const QString out = path(QStringLiteral("out.png"));
    for (const char *number : {"0", "43", "-1", "abc", "1.5", ""})
        expectRefused({QString::fromLatin1(number), out});
    expectRefused({});
    expectRefused({QStringLiteral("1")});
    expectRefused({QStringLiteral("1"), out, QStringLiteral("extra.png")});
    expectRefused({QStringLiteral("1"), out, QStringLiteral("--colour"), QStringLiteral("red")});
}

TEST_F(BatchGradientTest, RefusesBadSizes)
{
    const QString out = path(QStringLiteral("out.png"));
    for (const char *size : {"440", "0x10", "10x0", "10x", "x10", "-5x10", "20000x10", "10x20000", "1e3x5"})
        expectRefused({QStringLiteral("1"), out, QStringLiteral("--size"), QString::fromLatin1(size)});
    expectRefused({QStringLiteral("1"), out, QStringLiteral("--size")});
    expectRefused({QStringLiteral("1"), out, QStringLiteral("--size"), QStringLiteral("10x10"),
                   QStringLiteral("--size"), QStringLiteral("20x20")});
}

TEST_F(BatchGradientTest, RefusesABaseThatIsNotAPicture)
{
    QFile text(path(QStringLiteral("notes.png")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("no picture here");
    text.close();
    m_keep = {QStringLiteral("notes.png")};
    const QString out = path(QStringLiteral("out.png"));
    expectRefused({QStringLiteral("1"), out, QStringLiteral("--base"), path(QStringLiteral("notes.png"))});
    expectRefused({QStringLiteral("1"), out, QStringLiteral("--base"), path(QStringLiteral("missing.png"))});
    expectRefused({QStringLiteral("1"), out, QStringLiteral("--base")});
}

TEST_F(BatchGradientTest, RefusesOutputsItCannotWrite)
{
    expectRefused({QStringLiteral("1"), path(QStringLiteral("out.jpg"))});
    expectRefused({QStringLiteral("1"), path(QStringLiteral("out"))});
    // The line names the file and why, as the system told it.
    expectRefused({QStringLiteral("1"), path(QStringLiteral("no/such/folder/out.png"))});
    EXPECT_TRUE(m_errors.contains(QStringLiteral("no/such/folder/out.png': De map bestaat niet.")))
        << m_errors.toStdString();
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("taken.png")));
    expectRefused({QStringLiteral("1"), path(QStringLiteral("taken.png"))});
    EXPECT_TRUE(m_errors.contains(QStringLiteral("taken.png': Er staat een map met die naam.")))
        << m_errors.toStdString();
}
