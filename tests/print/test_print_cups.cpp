// Printing through a real print system: a private cupsd of its own (own configuration
// folder, own port on 127.0.0.1) with a cups-pdf queue, driven by QPrinter through
// SystemPrinter. The PDF that CUPS writes is compared with the PDF target's. Skipped,
// with the reason, where such a cupsd cannot start (not root, CUPS not installed).
#include "core/CardDocument.h"
#include "print/CorrectionFile.h"
#include "print/PdfSheetWriter.h"
#include "print/SheetPainter.h"
#include "print/ui/SystemPrinter.h"
#include "MarkedCard.h"
#include "RenderedPdf.h"
#include "support/ScriptedQuestions.h"
#include "support/CardEdit.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString Queue = QStringLiteral("LumoPdf");
const QString CupsPdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

// A free TCP port on 127.0.0.1, as the kernel hands one out.
int freePort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::getsockname(s, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(s);
    return port;
}

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// The private print system. cups-pdf reads its configuration only from /etc/cups, so
// cupsd runs in a mount namespace of its own where /etc/cups is this folder; the
// system's /etc/cups and its cupsd are never touched.
class PrivateCups {
public:
    QString problem; // why it could not start

    bool start()
    {
        if (::geteuid() != 0)
            return fail(QStringLiteral("a private cupsd needs root"));
        for (const QString &tool : {QStringLiteral("/usr/sbin/cupsd"), QStringLiteral("/usr/sbin/lpadmin"),
                                    QStringLiteral("/usr/lib/cups/backend/cups-pdf"), CupsPdfPpd,
                                    QStringLiteral("/usr/bin/unshare")})
            if (!QFileInfo::exists(tool))
                return fail(tool + QStringLiteral(" is missing (packages cups, printer-driver-cups-pdf)"));
        if (!m_root.isValid())
            return fail(QStringLiteral("no temporary folder"));
        // Filters run as lp and must reach the spool below the temporary folder.
        QFile::setPermissions(m_root.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                 | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                                                 | QFileDevice::ReadOther | QFileDevice::ExeOther);
        for (const char *sub : {"etc", "spool/tmp", "cache", "state", "log", "out", "pdfspool"})
            QDir(m_root.path()).mkpath(QString::fromLatin1(sub));
        QFile::setPermissions(path("out"), QFileDevice::Permissions(0x7777));
        QFile::setPermissions(path("spool/tmp"), QFileDevice::Permissions(0x7777));
        port = freePort();
        if (port == 0)
            return fail(QStringLiteral("no free port on 127.0.0.1"));

        const bool written =
            writeText(path("etc/cupsd.conf"),
                      QStringLiteral("Listen 127.0.0.1:%1\nLogLevel warn\nBrowsing No\nBrowseLocalProtocols none\n"
                                     "WebInterface No\nDefaultAuthType None\n"
                                     "<Location />\n  Order allow,deny\n  Allow 127.0.0.1\n</Location>\n"
                                     "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                          .arg(port))
            && writeText(path("etc/cups-files.conf"),
                         QStringLiteral("ServerRoot %1\nRequestRoot %2\nCacheDir %3\nStateDir %4\nTempDir %5\n"
                                        "AccessLog %6/access_log\nErrorLog %6/error_log\nPageLog %6/page_log\n"
                                        "FileDevice No\nSandboxing relaxed\n")
                             .arg(path("etc"), path("spool"), path("cache"), path("state"), path("spool/tmp"),
                                  path("log")))
            && writeText(path("etc/cups-pdf.conf"),
                         QStringLiteral("Out %1\nAnonDirName %1\nSpool %2\nLog %3\nGrp root\nUserUMask 0000\n"
                                        "AnonUMask 0000\n")
                             .arg(path("out"), path("pdfspool"), path("log")));
        if (!written)
            return fail(QStringLiteral("cannot write the configuration"));

        m_daemon.setProcessChannelMode(QProcess::MergedChannels);
        m_daemon.start(QStringLiteral("/usr/bin/unshare"),
                       {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                        QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                        QStringLiteral("mount --bind '%1' /etc/cups && exec /usr/sbin/cupsd -f -c '%1/cupsd.conf' "
                                       "-s '%1/cups-files.conf'")
                            .arg(path("etc"))});
        if (!m_daemon.waitForStarted(5000))
            return fail(QStringLiteral("unshare did not start"));
        // cupsd takes a moment to open its port; this waits for it, it measures nothing.
        const QDeadlineTimer deadline(15000);
        while (!deadline.hasExpired()) {
            if (m_daemon.state() == QProcess::NotRunning)
                return fail(QStringLiteral("cupsd stopped: ") + QString::fromLocal8Bit(m_daemon.readAll()));
            if (tool(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(QLatin1String("is running")))
                return true;
            QThread::msleep(100);
        }
        return fail(QStringLiteral("cupsd did not answer on port %1").arg(port));
    }

    void stop()
    {
        if (m_daemon.state() == QProcess::NotRunning)
            return;
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(10000)) {
            m_daemon.kill();
            m_daemon.waitForFinished(5000);
        }
    }

    QString server() const { return QStringLiteral("127.0.0.1:%1").arg(port); }
    QString path(const char *sub) const { return QDir(m_root.path()).filePath(QString::fromLatin1(sub)); }

    // Runs a CUPS command against this cupsd; returns what it printed.
    QString tool(const QString &program, const QStringList &args, int *status = nullptr) const
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), server());
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, args);
        process.waitForFinished(30000);
        if (status)
            *status = process.exitCode();
        return QString::fromLocal8Bit(process.readAll());
    }

    bool addQueue(const QString &ppd = CupsPdfPpd)
    {
        int status = 1;
        const QString said = tool(QStringLiteral("lpadmin"),
                                  {QStringLiteral("-p"), Queue, QStringLiteral("-v"), QStringLiteral("cups-pdf:/"),
                                   QStringLiteral("-P"), ppd, QStringLiteral("-o"), QStringLiteral("PageSize=A4"),
                                   QStringLiteral("-E")},
                                  &status);
        if (status != 0)
            return fail(QStringLiteral("lpadmin: ") + said);
        tool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), Queue});
        return true;
    }

    QString pageLog() const
    {
        QFile log(path("log/page_log"));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

    // The PDFs cups-pdf has written so far.
    QStringList outputs() const
    {
        QStringList found;
        for (const QFileInfo &f : QDir(path("out")).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
            found << f.absoluteFilePath();
        return found;
    }

    // Waits until cups-pdf has finished a new PDF (the job runs through filters and
    // ghostscript). Waiting only; nothing here is measured.
    QString waitForOutput(int before)
    {
        const QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired()) {
            const QStringList now = outputs();
            if (now.size() > before && tool(QStringLiteral("lpstat"), {QStringLiteral("-o")}).trimmed().isEmpty())
                return now.last();
            QThread::msleep(200);
        }
        return {};
    }

    int port = 0;

private:
    bool fail(const QString &why)
    {
        problem = why;
        return false;
    }

    QTemporaryDir m_root;
    QProcess m_daemon;
};

PrivateCups *cups = nullptr;

PrintedCard markedCard()
{
    CardDocument document;
    editCard(document, [&](Card &card) {
        card.canvas.setPicture(MarkedCard::canvas());
        for (int i = 1; i <= 7; ++i)
            card.state.TextLines[i] = QStringLiteral("Lijn%1").arg(i);
    });
    return PrintedCard::from(document.card());
}

QPointF cornerNear(const QImage &page, QPointF expected)
{
    return RenderedPdf::boxOf(page, QRectF(expected - QPointF(2, 2), QSizeF(5, 4)), MarkedCard::isMagenta).topLeft();
}

class RealCups : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        cups = new PrivateCups;
        if (cups->start())
            // Before anything in this process asks CUPS: libcups keeps the server it found first.
            qputenv("CUPS_SERVER", cups->server().toLocal8Bit());
    }
    static void TearDownTestSuite()
    {
        cups->stop();
        delete cups;
        cups = nullptr;
    }
    void SetUp() override
    {
        if (!cups->problem.isEmpty())
            GTEST_SKIP() << "no private cupsd: " << cups->problem.toStdString();
        ASSERT_TRUE(cups->addQueue()) << cups->problem.toStdString();
    }
    void TearDown() override
    {
        if (cups && cups->problem.isEmpty())
            cups->tool(QStringLiteral("cancel"), {QStringLiteral("-a")}); // nothing left to print later
    }

    // Prints the sheet on the system's printer; once the page is drawn, before the
    // document is finished, a CUPS tool acts on the queue.
    PrintOutcome printWhileCups(SystemPrinter &system, const QString &tool, const QStringList &arguments)
    {
        return printPagesTo(
            system, questions, QStringLiteral("x.pdf"),
            [&](QPainter &painter) {
                drawSheet(painter, card, sheet);
                cups->tool(tool, arguments);
            },
            1);
    }

    QTemporaryDir folder;
    ScriptedQuestions questions;
    const PrintedCard card = markedCard();
    const SheetGeometry sheet;
};

} // namespace

TEST_F(RealCups, SheetCopiesAndThePrintersOwnCorrectionReachTheCupsPdf)
{
    SystemPrinter system;
    ASSERT_FALSE(system.printsToFile()) << "the private queue is the default printer";
    ASSERT_EQ(system.printerName(), Queue);
    ASSERT_EQ(correctionEntry(system), Queue);

    const QString corrections = folder.filePath(QStringLiteral("Lumovander-correctie.ini"));
    const PrinterCorrection mine{1.5, -0.8, 1.005, 0.997};
    ASSERT_TRUE(CorrectionFile::store(corrections, Queue, mine));
    ASSERT_TRUE(CorrectionFile::store(corrections, QStringLiteral("AnderePrinter"), PrinterCorrection{-3, 3, 1, 1}));
    const PrinterCorrection applied = CorrectionFile::correctionFor(corrections, correctionEntry(system));
    ASSERT_EQ(applied, mine);

    const int before = int(cups->outputs().size());
    const PrintOutcome outcome = printSheetTo(system, questions, card, sheet, 2, applied);
    ASSERT_TRUE(outcome.isPrinted()) << outcome.message.toStdString();
    const QString fromCups = cups->waitForOutput(before);
    ASSERT_FALSE(fromCups.isEmpty()) << "cups-pdf wrote nothing; see " << cups->path("log").toStdString();

    const QString fromTarget = folder.filePath(QStringLiteral("target.pdf"));
    ASSERT_TRUE(writeSheetPdf(fromTarget, card, sheet, 1, applied).isPrinted());

    // Two copies of the one page the program sent: CUPS makes them, and counts them.
    EXPECT_EQ(RenderedPdf::pageCount(fromCups), 2);
    EXPECT_TRUE(cups->pageLog().contains(QStringLiteral(" total 2 "))) << cups->pageLog().toStdString();
    // The printer places the page from its printable area's corner; the PDF target
    // from the page's corner.
    const QPointF origin = dynamic_cast<QPrinter *>(system.prepare(1))->pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
    const QImage cupsPage = RenderedPdf::renderPage(fromCups, 2);
    const QImage targetPage = RenderedPdf::renderPage(fromTarget);
    ASSERT_EQ(cupsPage.size(), targetPage.size()) << "both A4";
    for (const QPointF &c : sheet.cardCorners()) {
        const QPointF expected = mine.apply(c);
        const QPointF inTarget = cornerNear(targetPage, expected);
        const QPointF inCups = cornerNear(cupsPage, expected + origin);
        EXPECT_NEAR(inCups.x(), inTarget.x() + origin.x(), 0.3);
        EXPECT_NEAR(inCups.y(), inTarget.y() + origin.y(), 0.3);
        EXPECT_NEAR(inTarget.x(), expected.x(), 0.2);
        EXPECT_NEAR(inTarget.y(), expected.y(), 0.2);
    }
    EXPECT_EQ(RenderedPdf::words(fromCups, 1).size(), RenderedPdf::words(fromTarget).size()) << "text stays text";
}

TEST_F(RealCups, PrinterStoppedMidPrintIsReportedNeverPrinted)
{
    SystemPrinter system;
    const int before = int(cups->outputs().size());
    const PrintOutcome outcome = printWhileCups(system, QStringLiteral("cupsdisable"), {Queue});
    EXPECT_TRUE(outcome.isFailed());
    EXPECT_TRUE(outcome.message.startsWith(QStringLiteral("De printer"))) << outcome.message.toStdString();

    // Stopped before the print starts: refused at once, nothing is queued.
    const PrintOutcome refused = printSheetTo(system, questions, card, sheet, 1);
    EXPECT_TRUE(refused.isFailed());
    EXPECT_EQ(cups->outputs().size(), before);
}

TEST_F(RealCups, PrinterRemovedMidPrintIsReportedNeverPrinted)
{
    SystemPrinter system;
    const int before = int(cups->outputs().size());
    const PrintOutcome outcome = printWhileCups(system, QStringLiteral("lpadmin"), {QStringLiteral("-x"), Queue});
    EXPECT_TRUE(outcome.isFailed());
    EXPECT_FALSE(outcome.message.isEmpty());
    EXPECT_EQ(cups->outputs().size(), before);
}

// A card with a back: on a printer that prints both sides, one job of a front and a back
// page with the edge chosen; by hand, the fronts as one job and the backs as a second,
// only once the user has turned the stack and said so.
TEST_F(RealCups, BothSidesGoAsOneJobWithTheEdgeChosenAndByHandAsTwoTheSecondAfterYes)
{
    const PrintedCard back = markedCard();
    const FaceSource faces = [&](int, CardSide face) { return face == CardSide::Front ? &card : &back; };
    SheetRequest request;
    request.sheet = sheet;
    request.duplex = Duplex::LongEdge;
    {
        // cups-pdf's own description has no duplex unit: refused, nothing printed.
        SystemPrinter oneSided;
        const int before = int(cups->outputs().size());
        const PrintOutcome refused = printPlanTo(oneSided, questions, faces, request, 1);
        EXPECT_FALSE(refused.isPrinted());
        EXPECT_TRUE(refused.message.contains(QStringLiteral("Handmatig"))) << refused.message.toStdString();
        EXPECT_EQ(int(cups->outputs().size()), before);
    }
    // The same queue described with a duplex unit, as a printer that has one is.
    QFile ppd(CupsPdfPpd);
    ASSERT_TRUE(ppd.open(QIODevice::ReadOnly));
    QFile duplexPpd(folder.filePath(QStringLiteral("duplex.ppd")));
    ASSERT_TRUE(duplexPpd.open(QIODevice::WriteOnly));
    duplexPpd.write(ppd.readAll()
                    + "\n*OpenUI *Duplex/Dubbelzijdig: PickOne\n*OrderDependency: 10 AnySetup *Duplex\n"
                      "*DefaultDuplex: None\n*Duplex None/Uit: \"\"\n*Duplex DuplexNoTumble/Lange kant: \"\"\n"
                      "*Duplex DuplexTumble/Korte kant: \"\"\n*CloseUI: *Duplex\n");
    duplexPpd.close();
    ASSERT_TRUE(cups->addQueue(duplexPpd.fileName())) << cups->problem.toStdString();
    SystemPrinter system;
    for (const auto &[duplex, sides] : {std::pair{Duplex::LongEdge, "two-sided-long-edge"},
                                        std::pair{Duplex::ShortEdge, "two-sided-short-edge"}}) {
        request.duplex = duplex;
        const int before = int(cups->outputs().size());
        const PrintOutcome outcome = printPlanTo(system, questions, faces, request, 1);
        ASSERT_TRUE(outcome.isPrinted()) << outcome.message.toStdString();
        const QString fromCups = cups->waitForOutput(before);
        ASSERT_FALSE(fromCups.isEmpty()) << "cups-pdf wrote nothing; see " << cups->path("log").toStdString();
        EXPECT_EQ(RenderedPdf::pageCount(fromCups), 2);
        const QStringList log = cups->pageLog().trimmed().split(QLatin1Char('\n'));
        EXPECT_TRUE(log.constLast().endsWith(QLatin1String(sides))) << log.constLast().toStdString();
    }
    EXPECT_TRUE(questions.asked.isEmpty());

    request.duplex = Duplex::ByHand;
    for (const bool turned : {false, true}) {
        const int before = int(cups->outputs().size());
        questions.yesNoAnswers.push_back(turned);
        ASSERT_TRUE(printPlanTo(system, questions, faces, request, 1).isPrinted());
        ASSERT_EQ(questions.asked.size(), turned ? 2 : 1);
        EXPECT_TRUE(questions.asked.constLast().startsWith(TurnStackTitle + QLatin1Char('|')));
        ASSERT_FALSE(cups->waitForOutput(before + (turned ? 1 : 0)).isEmpty());
        EXPECT_EQ(int(cups->outputs().size()), before + (turned ? 2 : 1)) << "the backs only after Yes";
        for (const QString &pdf : cups->outputs().mid(before))
            EXPECT_EQ(RenderedPdf::pageCount(pdf), 1);
        EXPECT_TRUE(cups->pageLog().trimmed().split(QLatin1Char('\n')).constLast().endsWith(QLatin1String("one-sided")));
    }
}
