#include "merge/CsvReader.h"
#include "merge/CsvWriter.h"

#include <gtest/gtest.h>

namespace {

MergeData table(const QStringList &headers, const QList<QStringList> &rows)
{
    MergeData data;
    data.headers = headers;
    data.rows = rows;
    data.hasHeader = true;
    return data;
}

MergeData roundTrip(const MergeData &data)
{
    const MergeRead read =
        CsvReader::read(QString::fromUtf8(writeCsv(data)), QStringLiteral("Jan.gegevens.csv"), HeaderChoice::Yes);
    EXPECT_TRUE(read) << read.fault.toStdString();
    return read.data;
}

} // namespace

TEST(CsvWriter, EveryFieldComesBackAsItWas)
{
    const MergeData data = table(
        {QStringLiteral("Naam"), QStringLiteral("Adres, plaats"), QStringLiteral(" Notitie ")},
        {{QStringLiteral("Jansen, Jan"), QStringLiteral("Kerkstraat 1\nachterom"), QStringLiteral("Zei \"ja\"")},
         {QStringLiteral("  Piet"), QString(), QStringLiteral("tab\there; en zo  ")},
         {QString(), QString(), QStringLiteral("\"")},
         {QStringLiteral("Ærøskøbing — 東京"), QStringLiteral("😀"), QStringLiteral("x\"y")},
         {QString(), QStringLiteral("laatste"), QString()}});
    EXPECT_EQ(roundTrip(data), data);
}

TEST(CsvWriter, APersonWithEveryFieldEmptyStays)
{
    const MergeData data = table({QStringLiteral("Naam"), QStringLiteral("Functie")},
                                 {{QStringLiteral("Jan"), QString()}, {QString(), QString()}, {QStringLiteral("Piet"), QString()}});
    const MergeData read = roundTrip(data);
    ASSERT_EQ(read.rows.size(), 3) << "the rows after it would shift and the people left out with them";
    EXPECT_EQ(read, data);
    // One column: the empty person is a line of its own.
    const MergeData single = table({QStringLiteral("Naam")}, {{QString()}, {QStringLiteral("Jan")}});
    EXPECT_EQ(roundTrip(single), single);
}

TEST(CsvWriter, FieldsThatLookLikeAnotherSeparatorOrExcelsLineStayInTheirColumns)
{
    // Semicolons or tabs in every row would make a reader that guesses take them for the
    // separator; a quote in the middle of a field is no quoting for such a guess.
    const MergeData data = table({QStringLiteral("sep=;"), QStringLiteral("b;c")},
                                 {{QStringLiteral("1;2"), QStringLiteral("3\t4")}, {QStringLiteral("5;6"), QStringLiteral("7\t8")}});
    EXPECT_EQ(roundTrip(data), data);
    const MergeData header = table({QStringLiteral("Naam"), QStringLiteral("Functie;x\ny"), QStringLiteral("Plaats")},
                                   {{QStringLiteral("Jan"), QStringLiteral("a;b"), QStringLiteral("c")}});
    EXPECT_EQ(roundTrip(header), header);
    const MergeData vcard = table({QStringLiteral("Naam"), QStringLiteral("Telefoon")},
                                  {{QStringLiteral("Jan"), QStringLiteral("+31 6 1234 5678")}});
    const QByteArray written = writeCsv(vcard);
    EXPECT_EQ(written, QByteArray("sep=,\r\nNaam,Telefoon\r\nJan,+31 6 1234 5678\r\n"))
        << "no BOM, nothing quoted needlessly";
}

TEST(CsvReader, AQuotedFieldKeepsItsSpacesAndAQuotedEmptyRowIsAPerson)
{
    const MergeRead read = CsvReader::read(u"\" a \" , b \n\"\",\n  ,  \n", QStringLiteral("x.csv"), HeaderChoice::No);
    ASSERT_TRUE(read);
    EXPECT_EQ(read.data.rows, QList<QStringList>({{QStringLiteral(" a "), QStringLiteral("b")}, {QString(), QString()}}));
}
