// The recovery card across runs of the real program: designed in a window here, the
// program started as a child process in a folder of its own (a copy of it, so that its
// data folder is that folder), killed with SIGKILL after its shortened autosave clock
// ran, and started again.
#include "window/CardView.h"
#include "window/MainWindow.h"
#include "background/ui/BackgroundCommands.h"
#include "cardfile/Autosave.h"
#include "cardfile/ui/CardFileCommands.h"
#include "cardfile/RecoveryCard.h"
#include "core/CardDocument.h"
#include "core/CardPainter.h"
#include "core/DataFolder.h"
#include "support/ScriptedQuestions.h"
#include "support/StuckReaderGuard.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>

using namespace std::chrono_literals;

namespace {

constexpr int kChildTimeoutMs = 60'000;

QImage paintCard(const CardDocument &doc)
{
    QImage image(440, 270, QImage::Format_RGB32);
    QPainter painter(&image);
    CardPainter::paint(painter, doc);
    return image;
}

class RecoveryProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFile::copy(QStringLiteral(LUMOVANDER_PROGRAM), program));
        DataFolder::setOverride(dir.path());
    }
    void TearDown() override { DataFolder::setOverride(QString()); }

    // The program in the folder, answering its yes/no questions from answers.
    void start(QProcess &child, const QString &answers, bool exitAfterFirstPaint = false)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("LUMOVANDER_AUTOSAVE_MS"), QStringLiteral("200"));
        env.insert(QStringLiteral("LUMOVANDER_TEST_ANSWERS"), answers);
        if (exitAfterFirstPaint)
            env.insert(QStringLiteral("LUMOVANDER_EXIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(program, {});
        ASSERT_TRUE(child.waitForStarted(kChildTimeoutMs));
    }
    // Everything the child printed until it printed a line starting with prefix.
    static QStringList readUntil(QProcess &child, const QString &prefix)
    {
        QStringList lines;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < kChildTimeoutMs) {
            while (child.canReadLine()) {
                lines << QString::fromUtf8(child.readLine()).trimmed();
                if (lines.last().startsWith(prefix))
                    return lines;
            }
            if (child.state() == QProcess::NotRunning)
                break;
            child.waitForReadyRead(200);
        }
        ADD_FAILURE() << "no line starting with " << prefix.toStdString();
        return lines;
    }
    static void finishCleanly(QProcess &child)
    {
        ASSERT_TRUE(child.waitForFinished(kChildTimeoutMs));
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child.exitCode(), 0);
    }
    QDateTime recordTime() const
    {
        return QFileInfo(QDir(folder).filePath(QStringLiteral("Kaart.crd"))).lastModified();
    }

    QTemporaryDir dir;
    QString program = dir.filePath(QStringLiteral("lumovander"));
    QString folder = dir.filePath(QStringLiteral("Herstel"));
};

} // namespace

TEST_F(RecoveryProcess, KilledProgramOffersItsCardAtTheNextStart)
{
    // Designed in the window: each change goes through a menu item or a text line.
    ScriptedQuestions questions;
    CardDocument designed;
    MainWindow window(designed, questions, dir.filePath(QStringLiteral("Lumovander.ini")));
    installBackgroundCommands(window);
    installCardFileCommands(window);
    window.show();
    std::optional<Autosave> autosave;
    autosave.emplace(designed, RecoveryCard::defaultFolder(), 50ms);
    window.action(QStringLiteral("LayoutShow(2)"))->trigger();
    questions.inputAnswers = {QStringLiteral("Jan Jansen")};
    QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("Regel(3)")), Qt::LeftButton, {}, QPoint(2, 2));
    window.action(QStringLiteral("ToolsBorderKleur(2)"))->trigger();
    window.action(QStringLiteral("AchtergrondEdit(1)"))->trigger();
    window.action(QStringLiteral("EditConvert(1)"))->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return RecoveryCard::find(folder).has_value(); }, kChildTimeoutMs));
    // From here on only the program writes the recovery card.
    autosave.reset();
    const QImage card = paintCard(designed);
    EXPECT_EQ(questions.unexpected, 0);

    // The first run brings it back and, its card unsaved, writes it anew on its own
    // clock before it is killed.
    const QDateTime longAgo(QDate(2020, 1, 1), QTime(10, 0));
    {
        QFile record(QDir(folder).filePath(QStringLiteral("Kaart.crd")));
        ASSERT_TRUE(record.open(QIODevice::ReadWrite));
        ASSERT_TRUE(record.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }
    QProcess first;
    start(first, QStringLiteral("ja"));
    EXPECT_EQ(readUntil(first, QStringLiteral("vraag:")).last(),
              QStringLiteral("vraag: ") + RecoveryCard::question(longAgo));
    ASSERT_TRUE(QTest::qWaitFor([&] { return recordTime() > longAgo; }, kChildTimeoutMs));
    first.kill();
    ASSERT_TRUE(first.waitForFinished(kChildTimeoutMs));
    EXPECT_EQ(first.exitStatus(), QProcess::CrashExit);

    // What the killed run left is the design, pixel for pixel.
    const auto written = RecoveryCard::find(folder);
    ASSERT_TRUE(written);
    CardDocument restored;
    ASSERT_TRUE(RecoveryCard::restore(restored, folder));
    EXPECT_EQ(paintCard(restored), card);

    // The next run offers it again; brought back and closed cleanly, it is gone.
    QProcess second;
    start(second, QStringLiteral("ja"), true);
    const QStringList said = readUntil(second, QStringLiteral("painted"));
    EXPECT_TRUE(said.contains(QStringLiteral("vraag: ") + RecoveryCard::question(*written)));
    finishCleanly(second);
    EXPECT_FALSE(QFileInfo::exists(folder));

    // Nee removes it at once, while the run goes on.
    ASSERT_EQ(RecoveryCard::write(designed, folder), std::nullopt);
    QProcess third;
    start(third, QStringLiteral("nee"));
    readUntil(third, QStringLiteral("vraag:"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFileInfo::exists(folder); }, kChildTimeoutMs));
    third.kill();
    third.waitForFinished(kChildTimeoutMs);
}

TEST_F(RecoveryProcess, DamagedCardIsKeptAsideWithAMessageAndTheProgramRuns)
{
    CardDocument designed;
    designed.applyLayout(4);
    designed.enterTextLine(1, QStringLiteral("Beschadigd"));
    // A record of other things; then a background bitmap whose header promises a
    // picture far too large to hold.
    QByteArray hugeBitmap = QByteArray::fromHex("424d") + QByteArray(52, '\0');
    hugeBitmap[10] = 54;
    hugeBitmap[14] = 40;
    const qint32 side = 200000;
    std::memcpy(hugeBitmap.data() + 18, &side, 4);
    std::memcpy(hugeBitmap.data() + 22, &side, 4);
    hugeBitmap[26] = 1;
    hugeBitmap[28] = 24;
    const std::vector<std::pair<QString, QByteArray>> damages = {
        {QStringLiteral("Kaart.crd"), QByteArray(300, 'x')},
        {QStringLiteral("Kaart-back.bmp"), hugeBitmap},
    };
    for (const auto &[name, bytes] : damages) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_EQ(RecoveryCard::write(designed, folder), std::nullopt);
        QFile file(QDir(folder).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();

        QProcess child;
        // An empty list: a question would be printed, then wait for a click forever.
        start(child, QString(), true);
        const QStringList said = readUntil(child, QStringLiteral("painted"));
        ASSERT_EQ(said.size(), 2) << said.join('\n').toStdString();
        EXPECT_TRUE(said[0].startsWith(QStringLiteral("bericht: De niet-opgeslagen kaart van ")));
        EXPECT_TRUE(said[0].contains(QStringLiteral("zijn bewaard als 'Bewaard-")));
        finishCleanly(child);
        EXPECT_FALSE(QFileInfo::exists(QDir(folder).filePath(name))) << "moved aside";
    }
    // Both kept, the clean exits notwithstanding.
    EXPECT_EQ(QDir(folder).entryList({QStringLiteral("Bewaard-*.crd")}, QDir::Files).size(), 2);
}

TEST_F(RecoveryProcess, RecoveryRecordThatIsAPipeDoesNotStopTheWindow)
{
    CardDocument designed;
    designed.enterTextLine(1, QStringLiteral("Pijp"));
    ASSERT_EQ(RecoveryCard::write(designed, folder), std::nullopt);
    const QString record = QDir(folder).filePath(QStringLiteral("Kaart.crd"));
    QFile::remove(record);
    const StuckReaderGuard pipe(record);
    ASSERT_TRUE(pipe.made());

    QProcess child;
    start(child, QString(), true);
    EXPECT_EQ(readUntil(child, QStringLiteral("painted")), QStringList{QStringLiteral("painted")});
    finishCleanly(child);
    EXPECT_FALSE(pipe.stuck());
    EXPECT_TRUE(QFileInfo::exists(record)) << "not the program's, so not removed";
}
