#include "merge/CsvReader.h"

#include <gtest/gtest.h>

namespace {

MergeRead csv(const QString &text, HeaderChoice header = HeaderChoice::Auto)
{
    return CsvReader::read(text, QStringLiteral("team.csv"), header);
}

} // namespace

TEST(CsvReader, FindsTheSeparatorTheFileKeepsTo)
{
    EXPECT_EQ(CsvReader::separator(u"a;b;c\n1;2;3\n"), u';');
    EXPECT_EQ(CsvReader::separator(u"a\tb\n1\t2\n"), u'\t');
    EXPECT_EQ(CsvReader::separator(u"a,b\n1,2\n"), u',');
    // Commas inside the fields of a semicolon file split the rows unevenly.
    EXPECT_EQ(CsvReader::separator(u"Naam;Adres\nJansen, Jan;Kerkstraat 1, Utrecht\nPiet;Dorp 2\n"), u';');
    // A separator inside quotes does not count.
    EXPECT_EQ(CsvReader::separator(u"\"a;b\",c\n\"d;e\",f\n"), u',');
    // Excel's own line names it.
    const MergeRead read = csv(QStringLiteral("sep=,\r\nNaam,Functie\r\nJan;Piet,Baas\r\n"));
    ASSERT_TRUE(read) << read.fault.toStdString();
    EXPECT_EQ(read.data.rows, QList<QStringList>({{QStringLiteral("Jan;Piet"), QStringLiteral("Baas")}}));
}

TEST(CsvReader, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks)
{
    const MergeRead read =
        csv(QStringLiteral("Jan;\"Hoofd; inkoop\";\"Zei \"\"ja\"\"\";\"Kerkstraat 1\r\nachterom\"\rPiet;\"\";  x\"y  \n"),
            HeaderChoice::No);
    ASSERT_TRUE(read) << read.fault.toStdString();
    ASSERT_EQ(read.data.rows.size(), 2);
    EXPECT_EQ(read.data.rows[0], QStringList({QStringLiteral("Jan"), QStringLiteral("Hoofd; inkoop"),
                                              QStringLiteral("Zei \"ja\""), QStringLiteral("Kerkstraat 1\nachterom")}));
    // A quote inside an unquoted field is text; a row short of columns is filled up.
    EXPECT_EQ(read.data.rows[1],
              QStringList({QStringLiteral("Piet"), QString(), QStringLiteral("x\"y"), QString()}));
    EXPECT_EQ(read.data.headers, QStringList({QStringLiteral("Kolom 1"), QStringLiteral("Kolom 2"),
                                              QStringLiteral("Kolom 3"), QStringLiteral("Kolom 4")}));
}

TEST(CsvReader, EmptyRowsAndTheLastLineEndAddNobody)
{
    const MergeRead read = csv(QStringLiteral("Jan;1\r\n;;\r\n\r\nPiet;2"), HeaderChoice::No);
    ASSERT_TRUE(read);
    EXPECT_EQ(read.data.rows.size(), 2);
    EXPECT_EQ(read.data.cell(1, 0), QStringLiteral("Piet"));
}

TEST(CsvReader, RecognisesAHeaderRow)
{
    const auto header = [](const QString &text) { return csv(text).data.hasHeader; };
    // Column names that exports use.
    EXPECT_TRUE(header(QStringLiteral("Naam;Functie\nJan;Baas\n")));
    EXPECT_TRUE(header(QStringLiteral("First Name,Last Name,E-mail 1 - Value\nJan,Vries,jan@x.nl\n")));
    // Words above values in the same column.
    EXPECT_TRUE(header(QStringLiteral("Wie;Bereik\nJan;06 12345678\n")));
    // A first row with a value is a person.
    EXPECT_FALSE(header(QStringLiteral("Jan;jan@example.nl\nPiet;piet@example.nl\n")));
    // Nothing to tell them apart: the first row stays a person.
    EXPECT_FALSE(header(QStringLiteral("Jan;Baas\nPiet;Knecht\n")));
    // A first row with an empty cell is no header of unknown words.
    EXPECT_FALSE(header(QStringLiteral("Wie;\nJan;06 12345678\n")));

    const MergeRead forced = csv(QStringLiteral("Jan;Baas\nPiet;Knecht\n"), HeaderChoice::Yes);
    EXPECT_EQ(forced.data.headers, QStringList({QStringLiteral("Jan"), QStringLiteral("Baas")}));
    EXPECT_EQ(forced.data.rows.size(), 1);
    const MergeRead refused = csv(QStringLiteral("Naam;Functie\nJan;Baas\n"), HeaderChoice::No);
    EXPECT_EQ(refused.data.rows.size(), 2);
}

TEST(CsvReader, NamesTheLineWhereItWentWrong)
{
    // The quote opens on line 4 (the first record takes lines 1 and 2).
    EXPECT_EQ(csv(QStringLiteral("a;\"b\nc\"\nd;e\n\"f;g\nh\n")).fault,
              QStringLiteral("Het bestand team.csv kon niet worden gelezen: regel 4: een aanhalingsteken wordt "
                             "niet gesloten."));
    // CRLF counts as one line end.
    EXPECT_TRUE(csv(QStringLiteral("a;b\r\nc;d\r\ne;\"f\r\n")).fault.contains(QStringLiteral("regel 3:")));
    // Excel's separator line is line 1.
    EXPECT_TRUE(csv(QStringLiteral("sep=;\na;\"b\n")).fault.contains(QStringLiteral("regel 2:")));
    EXPECT_TRUE(csv(QString::fromUtf8("a;b\nc;d\0e\n", 10)).fault.contains(QStringLiteral("regel 2:")));
    QString wide = QStringLiteral("a;b\n");
    wide += QString(MergeLimits::MaxColumns, u';');
    EXPECT_TRUE(csv(wide).fault.contains(QStringLiteral("regel 2: meer dan 256 kolommen")));
}
