#include "stamp/LogoLoader.h"

#include <gtest/gtest.h>

namespace {

const QByteArray Drawing = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 20 10"><rect width="20" height="10"/></svg>)";

QByteArray withBody(const QByteArray &body)
{
    return R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" viewBox="0 0 20 10">)"
        + body + "</svg>";
}

} // namespace

// A logo must never make the card read a file or an address elsewhere, however the
// reference is written: plainly, through an entity, or in another encoding.
TEST(HostileLogos, AReferenceOutsideIsFoundHoweverItIsWritten)
{
    EXPECT_TRUE(LogoLoader::refersOutside(withBody(R"(<image xlink:href="file:///etc/passwd" width="5" height="5"/>)")));
    EXPECT_TRUE(LogoLoader::refersOutside(withBody(R"(<image href=" https://example.org/a.png"/>)")));
    // The markup comes from an entity whose text spells "href" with a character reference.
    EXPECT_TRUE(LogoLoader::refersOutside(
        "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY x \"&#60;image xlink:&#104;ref='file:///etc/passwd'/&#62;\">]>"
        + withBody("&x;")));
    // UTF-7 can spell the name in base64; a document in an encoding is read in full.
    EXPECT_TRUE(LogoLoader::refersOutside("<?xml version=\"1.0\" encoding=\"UTF-7\"?>"
                                          + withBody("<image xlink:+AGg-ref=\"file:///etc/passwd\"/>")));
    EXPECT_TRUE(LogoLoader::refersOutside(withBody("<image href=\"file:///x\""))) << "cut off";

    EXPECT_FALSE(LogoLoader::refersOutside(Drawing));
    EXPECT_FALSE(LogoLoader::refersOutside("<?xml version='1.0' encoding='UTF-8'?>\n" + Drawing));
    EXPECT_FALSE(LogoLoader::refersOutside("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + Drawing));
    EXPECT_FALSE(LogoLoader::refersOutside(withBody(R"(<rect id="a" width="2" height="2"/><use xlink:href="#a"/>)")));
    EXPECT_FALSE(LogoLoader::refersOutside(withBody(R"(<image href="data:image/png;base64,iVBORw0KGgo=" width="1" height="1"/>)")));
}

// A picked file is checked in full; a card's own copy only for what it may fetch.
TEST(HostileLogos, APickedSvgMustDrawACardsOwnCopyMustOnlyNotFetch)
{
    const QByteArray cut = Drawing.left(Drawing.size() - 12);
    EXPECT_TRUE(LogoLoader::fromBytes(Drawing, QStringLiteral("logo.svg")));
    EXPECT_FALSE(LogoLoader::fromBytes(cut, QStringLiteral("logo.svg")));
    EXPECT_TRUE(LogoLoader::fromBytes(cut, QStringLiteral("Jan.logo.svg"), LogoLoader::SvgCheck::SafetyOnly));
    const QByteArray fetching = withBody(R"(<image xlink:href="file:///etc/passwd"/>)");
    EXPECT_FALSE(LogoLoader::fromBytes(fetching, QStringLiteral("Jan.logo.svg"), LogoLoader::SvgCheck::SafetyOnly));
    EXPECT_FALSE(LogoLoader::fromBytes(fetching, QStringLiteral("logo.svg")));
}
