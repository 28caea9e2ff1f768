#include "core/RegularFile.h"
#include "support/StuckReaderGuard.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString written(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

} // namespace

TEST(RegularFile, ReadsUpToItsCapAndRefusesMore)
{
    QTemporaryDir dir;
    const QByteArray bytes(5000, 'x');
    EXPECT_EQ(RegularFile::read(written(dir, "a", bytes), 5000), bytes);
    EXPECT_FALSE(RegularFile::read(written(dir, "b", bytes), 4999));
    EXPECT_EQ(RegularFile::read(written(dir, "c", {}), 0), QByteArray());
    EXPECT_FALSE(RegularFile::read(dir.filePath("missing"), 100));
}

TEST(RegularFile, DirectoriesDevicesAndPipesAreRefusedWithoutWaiting)
{
    QTemporaryDir dir;
    EXPECT_FALSE(RegularFile::read(dir.path(), 1 << 20));
    EXPECT_FALSE(RegularFile::read("/dev/zero", 1 << 20));
    const StuckReaderGuard pipe(dir.filePath("pipe"));
    ASSERT_TRUE(pipe.made());
    EXPECT_FALSE(RegularFile::read(dir.filePath("pipe"), 1 << 20));
    EXPECT_FALSE(pipe.stuck());
}
