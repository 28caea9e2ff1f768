// The program's own templates reach a user's data folder once, on its first start,
// and never over anything the user has there.
#include "cardfile/ShippedTemplates.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ShippedTemplatesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(shipped));
        put(shipped + QStringLiteral("/Zee.tmp"), "zee");
        put(shipped + QStringLiteral("/Bos.tmp"), "bos");
        put(shipped + QStringLiteral("/leesmij.txt"), "geen template");
        ASSERT_TRUE(QFile::link(QDir::rootPath() + QStringLiteral("etc/hostname"), shipped + QStringLiteral("/Link.tmp")));
    }
    static void put(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList templates() const { return QDir(target).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name); }

    QTemporaryDir dir;
    QString shipped = dir.filePath(QStringLiteral("share/lumovander/Templates"));
    QString target = dir.filePath(QStringLiteral("data/Templates"));
};

} // namespace

TEST_F(ShippedTemplatesTest, InstalledFolderLiesBesideTheBinFolder)
{
    EXPECT_EQ(ShippedTemplates::installedFolder(QStringLiteral("/usr/bin")), QStringLiteral("/usr/share/lumovander/Templates"));
}

TEST_F(ShippedTemplatesTest, FirstStartCopiesTheRegularTemplatesOnly)
{
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("data"))));
    EXPECT_EQ(ShippedTemplates::seed(shipped, target), 2);
    EXPECT_EQ(templates(), (QStringList{"Bos.tmp", "Zee.tmp"}));
    QFile zee(target + QStringLiteral("/Zee.tmp"));
    ASSERT_TRUE(zee.open(QIODevice::ReadOnly));
    EXPECT_EQ(zee.readAll(), QByteArray("zee"));

    // Deleted by the user: not back on the next start.
    ASSERT_TRUE(QFile::remove(target + QStringLiteral("/Zee.tmp")));
    EXPECT_EQ(ShippedTemplates::seed(shipped, target), 0);
    EXPECT_EQ(templates(), QStringList{"Bos.tmp"});
}

TEST_F(ShippedTemplatesTest, ATemplatesFolderInAnyFormIsLeftAlone)
{
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("data"))));
    const QString elsewhere = dir.filePath(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QFile::link(elsewhere, target));
    EXPECT_EQ(ShippedTemplates::seed(shipped, target), 0);
    EXPECT_TRUE(QDir(elsewhere).isEmpty()) << "nothing written through the link";

    ASSERT_TRUE(QFile::remove(target));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere")), target)); // dangling
    EXPECT_EQ(ShippedTemplates::seed(shipped, target), 0);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("nowhere"))));
}
