// lumovander-batch's help: the overview and each command's own, on standard output.
#include "batch/BatchCommandTable.h"

#include <gtest/gtest.h>

namespace {

struct Ran {
    int status;
    QString out;
    QString err;
};

Ran run(const QStringList &args)
{
    Ran ran{0, {}, {}};
    {
        QTextStream out(&ran.out);
        QTextStream err(&ran.err);
        ran.status = runBatch(args, out, err);
    }
    return ran;
}

} // namespace

TEST(BatchHelp, OverviewListsEveryCommandsUsage)
{
    const Ran ran = run({QStringLiteral("--help")});
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.err, QString());
    for (const BatchCommand &command : batchCommands())
        EXPECT_TRUE(ran.out.contains(QStringLiteral("  lumovander-batch ") + command.name + QLatin1Char(' ')))
            << command.name.toStdString();
    EXPECT_GT(ran.out.count(QLatin1Char('\n')), int(batchCommands().size()));
}

TEST(BatchHelp, EveryCommandAnswersItsOwnHelpWithArgumentsAndAnExample)
{
    for (const BatchCommand &command : batchCommands()) {
        for (const QStringList &words : {QStringList{command.name, QStringLiteral("--help")},
                                         QStringList{command.name, QStringLiteral("Jan"), QStringLiteral("-h")}}) {
            const Ran ran = run(words);
            EXPECT_EQ(ran.status, 0) << ran.err.toStdString();
            EXPECT_EQ(ran.err, QString());
            EXPECT_TRUE(ran.out.startsWith(QStringLiteral("gebruik: lumovander-batch ") + command.name))
                << ran.out.toStdString();
            EXPECT_TRUE(ran.out.contains(QStringLiteral("Voorbeeld:\n  lumovander-batch ") + command.name))
                << command.name.toStdString();
        }
    }
    EXPECT_TRUE(run({QStringLiteral("print"), QStringLiteral("--help")}).out.contains(QStringLiteral("--no-correction")));
    EXPECT_TRUE(run({QStringLiteral("print"), QStringLiteral("--help")}).out.contains(QStringLiteral("--dubbelzijdig lang|kort")));
    const QString render = run({QStringLiteral("render"), QStringLiteral("--help")}).out;
    EXPECT_TRUE(render.contains(QStringLiteral("[--afgedrukt [--dpi N]]")));
    EXPECT_TRUE(render.contains(QStringLiteral("10 tot 1200 (anders 300)")));
}

TEST(BatchHelp, UnknownCommandIsOneLineOnStandardError)
{
    const Ran ran = run({QStringLiteral("plot")});
    EXPECT_EQ(ran.status, 2);
    EXPECT_EQ(ran.out, QString());
    EXPECT_EQ(ran.err.count(QLatin1Char('\n')), 1);
}
