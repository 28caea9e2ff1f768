#include "core/MergeMapping.h"
#include "merge/MergePerson.h"
#include "merge/VCardReader.h"

#include <gtest/gtest.h>

namespace {

MergeData csvWithColumns(int count)
{
    MergeData data;
    for (int c = 0; c < count; ++c)
        data.headers.append(QStringLiteral("Kolom %1").arg(c + 1));
    return data;
}

const std::array<QString, MergeLineCount> cardTexts = {
    QStringLiteral("Kaart 1"), QStringLiteral("Kaart 2"), QStringLiteral("Kaart 3"), QString(),
    QStringLiteral("Kaart 5"), QStringLiteral("Kaart 6"), QStringLiteral("Kaart 7")};

// Place by place: the line whose style it takes, and its text.
QList<std::pair<int, QString>> placed(const PersonLines &lines)
{
    QList<std::pair<int, QString>> out;
    for (const PlacedLine &line : lines)
        out.append({line.source, line.text});
    return out;
}

} // namespace

TEST(MergeMapping, ColumnsGoToTheLinesInTheirOrder)
{
    const MergeMapping three = MergeMapping::defaultFor(csvWithColumns(3));
    EXPECT_EQ(three.toText(), QStringLiteral("1,2,3,kaart,kaart,kaart,kaart"));
    EXPECT_EQ(MergeMapping::defaultFor(csvWithColumns(9)).toText(), QStringLiteral("1,2,3,4,5,6,7"));
    MergeData cards;
    cards.kind = MergeData::Kind::VCard;
    cards.headers = VCardReader::columnNames();
    EXPECT_EQ(MergeMapping::defaultFor(cards).lines[VCardReader::Email], LineSource::ofColumn(VCardReader::Email));
    EXPECT_EQ(MergeMapping::defaultFor(csvWithColumns(9)).fittedTo(2).toText(),
              QStringLiteral("1,2,kaart,kaart,kaart,kaart,kaart"));
}

TEST(MergeMapping, TextFormReadsBackAndRefusesAnythingElse)
{
    MergeMapping mapping;
    mapping.lines = {LineSource::ofColumn(4), LineSource::card(), LineSource::empty(), LineSource::ofColumn(0),
                     LineSource::ofColumn(255), LineSource::empty(), LineSource::card()};
    EXPECT_EQ(mapping.toText(), QStringLiteral("5,kaart,leeg,1,256,leeg,kaart"));
    EXPECT_EQ(MergeMapping::fromText(mapping.toText()), mapping);
    for (const char *wrong : {"", "1,2,3,4,5,6", "1,2,3,4,5,6,7,8", "0,2,3,4,5,6,7", "257,2,3,4,5,6,7",
                              "+1,2,3,4,5,6,7", " 1,2,3,4,5,6,7", "Kaart,2,3,4,5,6,7", "1,,3,4,5,6,7"})
        EXPECT_FALSE(MergeMapping::fromText(QString::fromLatin1(wrong))) << wrong;
}

TEST(MergePerson, EmptyFieldsMoveTheLinesBelowUpOnlyWhenAsked)
{
    MergeMapping mapping;
    mapping.lines[0] = LineSource::ofColumn(0);
    mapping.lines[1] = LineSource::ofColumn(1); // empty for this person
    mapping.lines[4] = LineSource::empty();
    mapping.lines[5] = LineSource::ofColumn(2);
    const QStringList row = {QStringLiteral("Jan"), QStringLiteral("  "), QStringLiteral("Kerkstraat 1\n\nUtrecht")};

    // Each line in its own place; the hole stays.
    EXPECT_EQ(placed(personLines(cardTexts, mapping, row, false)),
              (QList<std::pair<int, QString>>{{0, QStringLiteral("Jan")},
                                              {1, QString()},
                                              {2, QStringLiteral("Kaart 3")},
                                              {3, QString()},
                                              {4, QString()},
                                              {5, QStringLiteral("Kerkstraat 1, Utrecht")},
                                              {6, QStringLiteral("Kaart 7")}}));
    // The lines below the empty field move up in their own styles; the card's blank line
    // 4 and the "Leeg" line 5 keep their places among them.
    EXPECT_EQ(placed(personLines(cardTexts, mapping, row, true)),
              (QList<std::pair<int, QString>>{{0, QStringLiteral("Jan")},
                                              {2, QStringLiteral("Kaart 3")},
                                              {3, QString()},
                                              {4, QString()},
                                              {5, QStringLiteral("Kerkstraat 1, Utrecht")},
                                              {6, QStringLiteral("Kaart 7")},
                                              {-1, QString()}}));
    // A column the person's row does not reach is an empty field too.
    mapping.lines[6] = LineSource::ofColumn(9);
    EXPECT_EQ(personLines(cardTexts, mapping, row, true)[5], (PlacedLine{-1, QString()}));
}

TEST(MergePerson, NameFromLineOneOrANameColumn)
{
    MergeData data;
    data.headers = {QStringLiteral("Functie"), QStringLiteral("Volledige naam")};
    data.rows = {{QStringLiteral("Baas"), QStringLiteral("Jan de Vries")}, {QString(), QStringLiteral("Piet")}};
    MergeMapping mapping;
    mapping.lines[0] = LineSource::ofColumn(0);
    EXPECT_EQ(personName(data, mapping, 0), QStringLiteral("Baas"));
    EXPECT_EQ(personName(data, mapping, 1), QStringLiteral("Piet"));
    EXPECT_EQ(personName(data, mapping, 5), QString());
}
