#include "merge/MergeFile.h"
#include "core/MergeMapping.h"
#include "merge/MergePerson.h"
#include "merge/VCardReader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <utility>

namespace {

QString dataFile(const char *name)
{
    return QStringLiteral(LUMO_MERGE_DATA "/") + QLatin1String(name);
}

// The four people every file of the bakery holds, in the seven columns of a vCard.
const QList<QStringList> &bakery()
{
    static const QList<QStringList> people = {
        {QStringLiteral("Jan de Vries"), QStringLiteral("Directeur"), QStringLiteral("Bakkerij De Vries"),
         QStringLiteral("Kerkstraat 1"), QStringLiteral("3511 AB Utrecht"), QStringLiteral("06 12345678"),
         QStringLiteral("jan@bakkerijdevries.nl")},
        {QStringLiteral("Chloë van 't Hoff"), QStringLiteral("Hoofd inkoop, verkoop"), QStringLiteral("Bakkerij De Vries"),
         QStringLiteral("Kerkstraat 1\nachteringang"), QStringLiteral("3511 AB Utrecht"), QStringLiteral("030 123 45 67"),
         QStringLiteral("chloe@bakkerijdevries.nl")},
        {QStringLiteral("José \"Pepe\" Müller"), QStringLiteral("Bezorger “De Snelle” – e-bike"),
         QStringLiteral("Bakkerij De Vries"), QString(), QString(), QStringLiteral("06 87654321"), QString()},
        {QStringLiteral("Ingrid Smit-Ødegård"), QStringLiteral("Kassa & €-pas"), QStringLiteral("Bakkerij De Vries, Verkoop"),
         QStringLiteral("Marktplein 3"), QStringLiteral("3512 CD Utrecht"), QStringLiteral("+31 30 765 43 21"),
         QStringLiteral("ingrid@bakkerijdevries.nl")}};
    return people;
}

MergeRead readData(const char *name)
{
    const MergeRead read = readMergeFile(dataFile(name));
    EXPECT_TRUE(read) << name << ": " << read.fault.toStdString();
    return read;
}

} // namespace

TEST(MergeFiles, EveryEncodingAndSeparatorGivesTheSamePeople)
{
    for (const char *name : {"excel-nl.csv", "excel-nl-utf8.csv", "libreoffice-unicode.txt", "plain-utf8.csv"}) {
        const MergeRead read = readData(name);
        EXPECT_EQ(read.data.kind, MergeData::Kind::Csv) << name;
        EXPECT_TRUE(read.data.hasHeader) << name;
        EXPECT_EQ(read.data.headers.first(), QStringLiteral("Naam")) << name;
        EXPECT_EQ(read.data.rows, bakery()) << name;
    }
    // UTF-16 the other way round, for a CSV and for a vCard.
    QFile little(dataFile("libreoffice-unicode.txt"));
    ASSERT_TRUE(little.open(QIODevice::ReadOnly));
    QByteArray big = little.readAll();
    for (qsizetype i = 0; i + 1 < big.size(); i += 2)
        std::swap(big[i], big[i + 1]);
    EXPECT_EQ(readMergeBytes(big, QStringLiteral("team.txt")).data.rows, bakery());
    QFile card(dataFile("iphone-icloud.vcf"));
    ASSERT_TRUE(card.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(card.readAll());
    const QByteArray utf16 = QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    EXPECT_EQ(readMergeBytes(utf16, QStringLiteral("team.vcf")).data.rows, bakery());
}

TEST(MergeFiles, EveryVCardVersionGivesTheSamePeople)
{
    for (const char *name : {"iphone-icloud.vcf", "android-21.vcf", "phone-21-latin1.vcf"}) {
        const MergeRead read = readData(name);
        EXPECT_EQ(read.data.kind, MergeData::Kind::VCard) << name;
        EXPECT_EQ(read.data.rows, bakery()) << name;
    }
    QList<QStringList> dashed = bakery();
    for (QStringList &person : dashed)
        person[VCardReader::Telefoon].replace(u' ', u'-');
    EXPECT_EQ(readData("rfc6350-40.vcf").data.rows, dashed);
}

TEST(MergeFiles, AddressBookExportsKeepTheirColumns)
{
    const MergeRead google = readData("google-contacts.csv");
    ASSERT_EQ(google.data.rows.size(), 4);
    const int formatted = int(google.data.headers.indexOf(QStringLiteral("Address 1 - Formatted")));
    EXPECT_EQ(google.data.cell(1, formatted), QStringLiteral("Kerkstraat 1\nachteringang\n3511 AB Utrecht\nNederland"));
    EXPECT_EQ(google.data.cell(1, int(google.data.headers.indexOf(QStringLiteral("Organization Title")))),
              QStringLiteral("Hoofd inkoop, verkoop"));
    // First, middle and last name make the name the window shows.
    EXPECT_EQ(personName(google.data, MergeMapping(), 1), QStringLiteral("Chloë van 't Hoff"));

    const MergeRead outlook = readData("outlook-contacts.csv");
    ASSERT_EQ(outlook.data.rows.size(), 4);
    EXPECT_EQ(outlook.data.headers.first(), QStringLiteral("Title"));
    EXPECT_EQ(outlook.data.cell(1, int(outlook.data.headers.indexOf(QStringLiteral("Business Street")))),
              QStringLiteral("Kerkstraat 1\nachteringang"));
    EXPECT_EQ(personName(outlook.data, MergeMapping::defaultFor(outlook.data), 2), QStringLiteral("José \"Pepe\" Müller"));
}

TEST(MergeFiles, KindByNameOrByContent)
{
    const QByteArray card = "BEGIN:VCARD\r\nFN:Jan\r\nEND:VCARD\r\n";
    EXPECT_EQ(readMergeBytes(card, QStringLiteral("lijst.txt")).data.kind, MergeData::Kind::VCard);
    EXPECT_EQ(readMergeBytes(QByteArray("\xEF\xBB\xBF\r\n  ") + card, QStringLiteral("lijst")).data.kind,
              MergeData::Kind::VCard);
    // A .vcf is read as a vCard whatever it holds, so its fault says what is wrong.
    EXPECT_TRUE(readMergeBytes("Naam;Functie\r\nJan;Baas\r\n", QStringLiteral("/tmp/Team.VCF"))
                    .fault.startsWith(QStringLiteral("Het bestand Team.VCF kon niet worden gelezen: regel 1:")));
    EXPECT_EQ(readMergeBytes("Naam;Functie\r\n", QStringLiteral("leeg.csv")).fault,
              QStringLiteral("Het bestand leeg.csv bevat geen personen."));
}

TEST(MergeFiles, TenThousandPeopleAtMost)
{
    QByteArray csv = "Naam\n";
    for (int i = 0; i < MergeLimits::MaxPeople; ++i)
        csv += "p\n";
    EXPECT_EQ(readMergeBytes(csv, QStringLiteral("team.csv")).data.rows.size(), MergeLimits::MaxPeople);
    EXPECT_EQ(readMergeBytes(csv + "p\n", QStringLiteral("team.csv")).fault,
              QStringLiteral("Het bestand team.csv heeft meer dan 10.000 personen; Lumovander leest er ten hoogste "
                             "10.000."));

    QByteArray cards;
    for (int i = 0; i <= MergeLimits::MaxPeople; ++i)
        cards += "BEGIN:VCARD\nFN:p\nEND:VCARD\n";
    EXPECT_TRUE(readMergeBytes(cards, QStringLiteral("team.vcf")).fault.contains(QStringLiteral("meer dan 10.000")));
}

TEST(MergeFiles, LargeFilesAndWhatIsNoFileAreRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile large(dir.filePath(QStringLiteral("groot.csv")));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly));
    ASSERT_TRUE(large.resize(MergeLimits::MaxFileBytes + 1)); // sparse: costs no disk
    large.close();
    EXPECT_EQ(readMergeFile(large.fileName()).fault,
              QStringLiteral("Het bestand groot.csv is groter dan 16 MB; Lumovander leest bestanden tot 16 MB."));

    EXPECT_TRUE(readMergeFile(dir.path()).fault.contains(QStringLiteral("geen gewoon bestand")));
    EXPECT_TRUE(readMergeFile(dir.filePath(QStringLiteral("weg.csv"))).fault.contains(QStringLiteral("weg.csv")));
}
