#include "StampTestFiles.h"
#include "stamp/LogoLoader.h"
#include "stamp/SvgSanitiser.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QStringEncoder>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QByteArray Drawing = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 20 10"><rect width="20" height="10"/></svg>)";

QByteArray withBody(const QByteArray &body)
{
    return R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" viewBox="0 0 20 10">)"
        + body + "</svg>";
}

// A red drawing 20 x 10 with `inside` drawn over it.
QByteArray redWith(const QByteArray &inside, const QByteArray &before = QByteArray())
{
    return before + withBody(R"(<rect id="r" width="20" height="10" fill="#ff0000"/>)" + inside);
}

QImage drawn(const QByteArray &svg)
{
    QImage image(40, 20, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QSvgRenderer(svg).render(&painter);
    return image;
}

QColor middleOf(const QByteArray &svg) { return drawn(svg).pixelColor(20, 10); }

// The logo as the program keeps it, failing the test when it is refused.
QByteArray kept(const QByteArray &bytes)
{
    const LogoLoader::Loaded loaded = LogoLoader::fromBytes(bytes, QStringLiteral("logo.svg"));
    EXPECT_TRUE(loaded) << loaded.fault.toStdString();
    EXPECT_TRUE(SvgSanitiser::namesOnlyItself(loaded.logo.svg)) << loaded.logo.svg.toStdString();
    return loaded.logo.svg;
}

class HostileLogos : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QImage green(8, 8, QImage::Format_RGB32);
        green.fill(QColor(0, 255, 0));
        greenPng = StampTestFiles::write(dir, QStringLiteral("groen.png"), StampTestFiles::encoded(green, "PNG"));
        css = StampTestFiles::write(dir, QStringLiteral("groen.css"), "rect { fill: #00ff00; }\n");
        previous = QDir::currentPath();
        // Qt SVG takes a relative name from the working folder.
        QDir::setCurrent(dir.path());
    }
    void TearDown() override { QDir::setCurrent(previous); }

    QByteArray greenPicture() const
    {
        return R"(<image width="20" height="10" xlink:href=")" + greenPng.toUtf8() + R"("/>)";
    }

    QTemporaryDir dir;
    QString greenPng;
    QString css;
    QString previous;
};

} // namespace

// The three ways past the old check: each is drawn by Qt SVG from the file as it came (so
// the test shows the way is real), and not from the logo the program keeps.
TEST_F(HostileLogos, AStyleSheetInAProcessingInstructionIsNotApplied)
{
    for (const QString &name : {QStringLiteral("groen.css"), css}) {
        // A sheet does not beat a fill attribute in Qt SVG; this rectangle has none.
        const QByteArray svg = "<?xml version=\"1.0\"?>\n<?xml-stylesheet type=\"text/css\" href=\"" + name.toUtf8()
                               + "\"?>\n" + withBody(R"(<rect width="20" height="10"/>)");
        ASSERT_EQ(middleOf(svg), QColor(0, 255, 0)) << "Qt SVG applies the sheet";
        EXPECT_EQ(middleOf(kept(svg)), QColor(0, 0, 0));
    }
}

TEST_F(HostileLogos, AReferenceInUtf16WithoutAByteOrderMarkIsNotFollowed)
{
    const QByteArray utf8 = redWith(greenPicture());
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        QStringEncoder encode(encoding); // no byte-order mark unless asked for
        const QByteArray utf16 = encode(QString::fromUtf8(utf8));
        ASSERT_EQ(middleOf(utf16), QColor(0, 255, 0)) << "Qt SVG draws the outside picture";
        const QByteArray logo = kept(utf16);
        EXPECT_EQ(middleOf(logo), QColor(255, 0, 0));
        EXPECT_FALSE(logo.contains("groen")) << logo.toStdString();
    }
}

TEST_F(HostileLogos, AnSvgInsideADataAddressIsRewrittenToo)
{
    const QByteArray inner = R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" )"
                             R"(width="20" height="10"><rect width="20" height="10" fill="#ff0000"/>)"
                             + greenPicture() + "</svg>";
    const QByteArray svg =
        withBody(R"(<image width="20" height="10" xlink:href="data:image/svg+xml;base64,)" + inner.toBase64() + R"("/>)");
    ASSERT_EQ(middleOf(svg), QColor(0, 255, 0)) << "Qt's picture plugin follows the inner reference";
    const QByteArray logo = kept(svg);
    EXPECT_EQ(middleOf(logo), QColor(255, 0, 0)) << "the inner drawing is kept, without what it fetched";
    EXPECT_TRUE(logo.contains("data:image/png;base64,"));

    // Three drawings deep is one more than a logo may hold.
    const QByteArray deeper = withBody(R"(<image width="20" height="10" xlink:href="data:image/svg+xml;base64,)"
                                       + svg.toBase64() + R"("/>)");
    EXPECT_TRUE(kept(deeper).contains("data:image/png"));
    const QByteArray deepest = withBody(R"(<image width="20" height="10" xlink:href="data:image/svg+xml;base64,)"
                                        + deeper.toBase64() + R"("/>)");
    EXPECT_FALSE(LogoLoader::fromBytes(deepest, QStringLiteral("logo.svg")));
}

// A device or a pipe named anywhere a file could be fetched: the logo comes back at once,
// and drawing it reads nothing.
TEST_F(HostileLogos, DevicesAndPipesNamedAsReferencesAreNeverOpened)
{
    const QString fifo = dir.filePath(QStringLiteral("pijp"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString &name : {QStringLiteral("/dev/zero"), fifo, QStringLiteral("pijp")}) {
        const QByteArray href = name.toUtf8();
        const QByteArray ways[] = {
            redWith("<image width=\"20\" height=\"10\" xlink:href=\"" + href + "\"/>"),
            redWith({}, "<?xml-stylesheet type=\"text/css\" href=\"" + href + "\"?>"),
            redWith("<image width=\"20\" height=\"10\" xlink:href=\"data:image/svg+xml,"
                    + QUrl::toPercentEncoding("<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                                              "width='4' height='4'><image width='4' height='4' xlink:href='"
                                              + href + "'/></svg>")
                    + "\"/>"),
            redWith("<use xlink:href=\"" + href + "#r\"/>"),
        };
        for (const QByteArray &svg : ways) {
            const QByteArray logo = kept(svg);
            EXPECT_FALSE(logo.contains(href)) << logo.toStdString();
            EXPECT_EQ(middleOf(logo), QColor(255, 0, 0));
        }
    }
}

// The reader decodes every encoding the renderer would; whatever it is, what comes out is
// UTF-8 that names nothing outside, and a drawing that was readable keeps its parts.
TEST_F(HostileLogos, EveryEncodingComesOutAsUtf8ThatNamesNothingOutside)
{
    const QString text = QString::fromUtf8(redWith(greenPicture() + R"(<use xlink:href="/etc/passwd#a"/>)"));
    const QByteArray xmlDeclared = "<?xml version=\"1.0\" encoding=\"%1\"?>";
    struct Way {
        QStringConverter::Encoding encoding;
        bool bom;
        const char *declared;
    };
    const Way ways[] = {
        {QStringConverter::Utf16LE, false, nullptr}, {QStringConverter::Utf16BE, false, nullptr},
        {QStringConverter::Utf16LE, true, nullptr},  {QStringConverter::Utf16BE, true, "UTF-16"},
        {QStringConverter::Utf32LE, true, nullptr},  {QStringConverter::Utf32BE, true, "UTF-32"},
        {QStringConverter::Utf8, true, "UTF-8"},     {QStringConverter::Latin1, false, "ISO-8859-1"},
    };
    for (const Way &way : ways) {
        const QString declaration =
            way.declared ? QString::fromLatin1(xmlDeclared).replace(QLatin1String("%1"), QLatin1String(way.declared)) : QString();
        QStringEncoder encode(way.encoding, way.bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
        const QByteArray bytes = encode(declaration + text);
        SCOPED_TRACE(std::string("encoding ") + std::to_string(int(way.encoding)) + (way.bom ? " with BOM" : ""));
        const QByteArray logo = kept(bytes);
        EXPECT_EQ(middleOf(logo), QColor(255, 0, 0));
        EXPECT_FALSE(logo.contains("groen") || logo.contains("passwd")) << logo.toStdString();
    }
    // UTF-7 spells "href" in base64; the reader either reads it (and the reference goes)
    // or refuses the drawing, which Qt SVG then never sees.
    const QByteArray utf7 =
        "<?xml version=\"1.0\" encoding=\"UTF-7\"?>" + withBody("<image xlink:+AGg-ref=\"file:///etc/passwd\"/>");
    const SvgSanitiser::Result rewritten = SvgSanitiser::sanitise(utf7);
    EXPECT_TRUE(!rewritten || (SvgSanitiser::namesOnlyItself(rewritten.svg) && !rewritten.svg.contains("passwd")));
}

// What the allow-list keeps and what it leaves: a reference however it is written, and
// the look of a logo as its program wrote it.
TEST_F(HostileLogos, OnlyTheDrawingsOwnPartsAreKept)
{
    // The markup's reference comes from an entity; a reference spelled with a leading blank.
    const QByteArray viaEntity = "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY x \"file:///etc/passwd\">]>"
                                 + redWith(R"(<image width="5" height="5" xlink:href="&x;"/>)");
    EXPECT_FALSE(kept(viaEntity).contains("passwd"));
    EXPECT_FALSE(kept(redWith(R"(<image href=" https://example.org/a.png"/>)")).contains("example"));
    // Styles: a url() that is not the drawing's own, an @import, an escape.
    const QByteArray styled = redWith(R"(<style>@import url(groen.css);</style><style>.c{fill:url(groen.svg#g)}</style>)"
                                      R"(<style>.d{fill:#0000ff}</style>)"
                                      R"~(<rect class="d" width="2" height="2" style="fill:u\72l(x.png);stroke:url(#r)"/>)~"
                                      R"~(<rect width="2" height="2" fill="url(x.svg#g)" onload="alert(1)"/>)~"
                                      R"(<script>alert(1)</script><foreignObject width="9" height="9"/>)");
    const QByteArray logo = kept(styled);
    for (const char *gone : {"import", "groen", "x.png", "x.svg", "alert", "script", "foreignObject"})
        EXPECT_FALSE(logo.contains(gone)) << gone << " in " << logo.toStdString();
    EXPECT_TRUE(logo.contains(".d{fill:#0000ff}"));
    EXPECT_TRUE(logo.contains("stroke:url(#r)"));

    // A gradient and a repeated part by their own names stay, and the logo draws as before.
    const QByteArray own =
        withBody(R"(<defs><linearGradient id="g"><stop offset="0" stop-color="#00f"/></linearGradient></defs>)"
                 R"~(<rect id="a" width="10" height="10" fill="url(#g)"/><use x="10" xlink:href="#a"/>)~"
                 R"(<image x="0" y="0" width="1" height="1" xlink:href="data:image/png;base64,)"
                 + StampTestFiles::encoded(QImage(2, 2, QImage::Format_RGB32), "PNG").toBase64() + R"("/>)");
    const QByteArray ownLogo = kept(own);
    EXPECT_TRUE(ownLogo.contains(R"(xlink:href="#a")"));
    EXPECT_TRUE(ownLogo.contains("url(#g)"));
    EXPECT_TRUE(ownLogo.contains("data:image/png"));
    EXPECT_EQ(drawn(ownLogo), drawn(own));
    // What the program wrote comes back the same: a card's own copy does not drift.
    EXPECT_EQ(SvgSanitiser::sanitise(ownLogo).svg, ownLogo);

    // A part that repeats itself, or a part not yet whole, is not repeated.
    const QByteArray cycle = kept(withBody(R"(<g id="a"><use xlink:href="#a"/><use xlink:href="#b"/></g><g id="b"/>)"));
    EXPECT_FALSE(cycle.contains("<use")) << cycle.toStdString();
}

TEST_F(HostileLogos, WhatIsNotAWholeSvgIsRefused)
{
    const QByteArray cut = Drawing.left(Drawing.size() - 12);
    EXPECT_TRUE(LogoLoader::fromBytes(Drawing, QStringLiteral("logo.svg")));
    EXPECT_FALSE(LogoLoader::fromBytes(cut, QStringLiteral("logo.svg")));
    EXPECT_FALSE(LogoLoader::fromBytes(cut, QStringLiteral("Jan.logo.svg"), LogoLoader::SvgCheck::SafetyOnly));
    EXPECT_FALSE(LogoLoader::fromBytes("<svg xmlns=\"http://www.w3.org/2000/svg\"/><svg/>", QStringLiteral("logo.svg")));
    EXPECT_FALSE(LogoLoader::fromBytes("<html><svg/></html>", QStringLiteral("logo.svg")));
}

// The caps: just within each, a logo is kept; one step beyond, it is refused with a
// message that names the logo and the cap.
TEST_F(HostileLogos, DrawingsBeyondTheCapsAreRefusedWithTheReason)
{
    SvgSanitiser::Caps caps;
    caps.elements = 20;
    caps.pathNumbers = 100;
    caps.pictures = 64 * 64;
    caps.depth = 6;
    const auto path = [](int numbers) {
        QByteArray d = "M0 0";
        for (int i = 2; i < numbers; i += 2)
            d += " L" + QByteArray::number(i % 20) + ' ' + QByteArray::number(i % 10);
        return withBody("<path d=\"" + d + "\"/>");
    };
    EXPECT_TRUE(SvgSanitiser::sanitise(path(100), caps));
    EXPECT_FALSE(SvgSanitiser::sanitise(path(102), caps));
    EXPECT_TRUE(SvgSanitiser::sanitise(withBody("<polygon points=\"" + QByteArray("1.5e1,2 ").repeated(50) + "\"/>"), caps));
    EXPECT_FALSE(SvgSanitiser::sanitise(withBody("<polygon points=\"" + QByteArray("1.5e1,2 ").repeated(51) + "\"/>"), caps));

    EXPECT_TRUE(SvgSanitiser::sanitise(withBody(QByteArray("<rect/>").repeated(19)), caps));
    EXPECT_FALSE(SvgSanitiser::sanitise(withBody(QByteArray("<rect/>").repeated(20)), caps));
    // Each use counts what it repeats: a group of three used twice, and that used twice.
    const QByteArray repeated = withBody(R"(<g id="a"><rect/><rect/><rect/></g>)"
                                         R"(<g id="b"><use xlink:href="#a"/><use xlink:href="#a"/></g>)"
                                         R"(<use xlink:href="#b"/><use xlink:href="#b"/>)");
    EXPECT_FALSE(SvgSanitiser::sanitise(repeated, caps)) << "16 elements, and 12 repeated twice";
    EXPECT_TRUE(SvgSanitiser::sanitise(withBody("<g><g><g><g><rect/></g></g></g></g>"), caps));
    EXPECT_FALSE(SvgSanitiser::sanitise(withBody("<g><g><g><g><g><rect/></g></g></g></g></g>"), caps));

    const auto picture = [](int width, int height) {
        return withBody(R"(<image width="5" height="5" xlink:href="data:image/png;base64,)"
                        + StampTestFiles::encoded(QImage(width, height, QImage::Format_RGB32), "PNG").toBase64()
                        + R"("/>)");
    };
    EXPECT_TRUE(SvgSanitiser::sanitise(picture(64, 64), caps).svg.contains("data:image/png"));
    EXPECT_FALSE(SvgSanitiser::sanitise(picture(65, 64), caps));
    // A header that claims more than the file holds is refused before decoding.
    const QByteArray lying = StampTestFiles::withPngSize(StampTestFiles::encoded(QImage(4, 4, QImage::Format_RGB32), "PNG"),
                                                         16384, 16384);
    EXPECT_FALSE(SvgSanitiser::sanitise(
        withBody(R"(<image width="5" height="5" xlink:href="data:image/png;base64,)" + lying.toBase64() + R"("/>)")));

    // The program's own caps, with the message the user sees.
    const LogoLoader::Loaded refused = LogoLoader::fromBytes(
        withBody("<path d=\"M0 0" + QByteArray(" L1 1").repeated(100001) + "\"/>"), QStringLiteral("Mijn logo.svg"));
    EXPECT_EQ(refused.fault.toStdString(), "\"Mijn logo.svg\" kon niet als logo worden geopend: de paden van de tekening "
                                           "hebben te veel punten (meer dan 200000 coördinaten).");
    EXPECT_TRUE(LogoLoader::fromBytes(withBody("<path d=\"M0 0" + QByteArray(" L1 1").repeated(99999) + "\"/>"),
                                      QStringLiteral("Mijn logo.svg")));
    EXPECT_FALSE(LogoLoader::fromBytes(withBody(QByteArray("<rect/>").repeated(10001)), QStringLiteral("logo.svg")));
}
