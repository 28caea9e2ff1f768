// What a QR code can hold at each level, and what makes a content too long for it.
#include "qr/QrContent.h"

#include <gtest/gtest.h>

namespace {

constexpr QrLevel Levels[] = {QrLevel::L, QrLevel::M, QrLevel::Q, QrLevel::H};

QrContent text(const QString &t)
{
    QrContent content;
    content.kind = QrKind::Text;
    content.text = t;
    return content;
}

} // namespace

TEST(QrContent, TheCapacityIsWhatTheLargestCodeHoldsAtEachLevel)
{
    for (const QrLevel level : Levels) {
        const qsizetype capacity = qrCapacity(level);
        const QrCode full = QrCode::encode(QByteArray(capacity, 'a'), level);
        EXPECT_TRUE(full.isValid()) << qPrintable(qrLevelName(level));
        EXPECT_EQ(full.version(), 40);
        const QrCode over = QrCode::encode(QByteArray(capacity + 1, 'a'), level);
        EXPECT_FALSE(over.isValid()) << qPrintable(qrLevelName(level));
        EXPECT_FALSE(over.error().isEmpty());
        EXPECT_FALSE(qrOverflow(text(QString(capacity, u'a')), level).has_value());
    }
    EXPECT_EQ(qrCapacity(QrLevel::L), 2953);
}

TEST(QrContent, ATextTooLongIsSaidWithTheCharactersOverCountedAsWritten)
{
    // "é" is two bytes: 10 bytes over are 5 of them.
    const QString written = QString(qrCapacity(QrLevel::M) - 100, u'a') + QString(55, u'é');
    const auto overflow = qrOverflow(text(written), QrLevel::M);
    ASSERT_TRUE(overflow.has_value());
    EXPECT_FALSE(overflow->field.has_value());
    EXPECT_EQ(overflow->bytesOver, 10);
    EXPECT_EQ(overflow->length, written.size());
    EXPECT_EQ(overflow->charactersOver, 5);
    EXPECT_FALSE(qrOverflow(text(written), QrLevel::L).has_value());
}

TEST(QrContent, AContactNamesItsLongestFieldAndExactlyHowMuchOfItMustGo)
{
    QrContent content;
    content.contact.naam = QStringLiteral("Jan de Vries");
    content.contact.email = QStringLiteral("jan@voorbeeld.nl");
    // Commas are escaped and long lines folded: the vCard grows faster than the field.
    content.contact.adres = QStringLiteral("Kerkstraat 1, ") + QString(1400, u',') + QStringLiteral(", 3511 AB Utrecht");
    const auto overflow = qrOverflow(content, QrLevel::Q);
    ASSERT_TRUE(overflow.has_value());
    ASSERT_EQ(overflow->field, ContactField::Adres);
    EXPECT_EQ(overflow->length, content.contact.adres.size());
    ASSERT_GT(overflow->charactersOver, 0);
    QrContent cut = content;
    const auto withOff = [&](qsizetype characters) {
        cut.contact.adres = content.contact.adres.left(content.contact.adres.size() - characters);
        return encodedText(cut).size();
    };
    EXPECT_LE(withOff(overflow->charactersOver), qrCapacity(QrLevel::Q));
    EXPECT_GT(withOff(overflow->charactersOver - 1), qrCapacity(QrLevel::Q));

    // Every field long: without the longest the rest is still too much.
    for (const ContactField field : AllContactFields)
        content.contact.setValue(field, QString(300, u'x'));
    const auto everything = qrOverflow(content, QrLevel::H);
    ASSERT_TRUE(everything.has_value());
    EXPECT_EQ(everything->charactersOver, 0);
    EXPECT_GT(everything->bytesOver, 0);
}
