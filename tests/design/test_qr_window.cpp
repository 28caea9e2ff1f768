// "Invoegen" > "QR-code…" in the window: the dialog on the card's own contact, the code
// placed bottom right at the size where it scans, its menu, and the scan warnings in the
// dialog and the info line.
#include "app/WindowFixture.h"
#include "core/CardPainter.h"
#include "design/CardEditor.h"
#include "design/DesignCommands.h"
#include "design/FullCard.h"
#include "design/QrDialog.h"
#include "design/QrPlacement.h"
#include "window/CardView.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

namespace {

class ScriptedQr : public QrQuestion {
public:
    std::deque<std::function<std::optional<QrObject>(const QrObject &)>> answers;
    std::vector<QrObject> asked;
    std::optional<QrObject> askQr(const Card &, CardSide, const QrObject &current, const QRectF &, QSizeF) override
    {
        asked.push_back(current);
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer(current);
    }
};

class QrWindowTest : public WindowFixture {
protected:
    void SetUp() override
    {
        window.show();
        editor.setQrQuestion(qr);
        doc.enterTextLine(1, QStringLiteral("José Müller"));
        doc.enterTextLine(3, QStringLiteral("Tel: 020-1234567"));
        doc.enterTextLine(4, QStringLiteral("jose@voorbeeld.nl"));
    }
    CardView *view() { return window.cardView(); }

    ScriptedQr qr;
    CardEditor &editor = installDesignCommands(window);
};

const QSizeF CardMm(90, 50);

} // namespace

TEST_F(QrWindowTest, InsertingPlacesTheCardsContactBottomRightAtItsStartSizeAsOneStep)
{
    qr.answers.push_back([](const QrObject &current) { return current; });
    trigger(QStringLiteral("InvoegenQr"));
    ASSERT_EQ(qr.asked.size(), 1u);
    EXPECT_EQ(qr.asked[0].content.contact.telefoon, QStringLiteral("020-1234567"));
    ASSERT_EQ(doc.design().objects.size(), 1u);
    const PlacedObject &object = doc.design().objects[0];
    EXPECT_EQ(object.kind, PlacedObject::Kind::Qr);
    const QrPlacement::Start start = QrPlacement::startFor(qr.asked[0].content, CardMm);
    EXPECT_EQ(object.qr.level, start.level);
    EXPECT_NEAR(QrPlacement::sideMm(object.rect, CardMm), start.sideMm, 1e-9);
    EXPECT_NEAR(object.rect.right(), 440 - 3 * 440 / 90.0, 1e-9);
    EXPECT_NEAR(object.rect.bottom(), 270 - 3 * 270 / 50.0, 1e-9);
    EXPECT_EQ(editor.selection(), CardItem::object(0));
    EXPECT_EQ(window.action(QStringLiteral("WijzigenOngedaan"))->text(),
              QStringLiteral("Ongedaan maken: QR-code ingevoegd"));

    // Cancelled: nothing placed.
    trigger(QStringLiteral("InvoegenQr"));
    EXPECT_EQ(doc.design().objects.size(), 1u);
}

TEST_F(QrWindowTest, ItsMenuChangesAndRemovesItAndACoveredCodeIsSaidInTheInfoLine)
{
    qr.answers.push_back([](const QrObject &current) { return current; });
    trigger(QStringLiteral("InvoegenQr"));
    editor.clearSelection();
    const auto withMenu = [&](const char *name) {
        const QPoint inside = doc.design().objects[0].rect.center().toPoint();
        bool shown = false;
        QTimer::singleShot(0, &window, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            shown = true;
            QAction *action = menu->findChild<QAction *>(QString::fromLatin1(name));
            ASSERT_NE(action, nullptr) << name;
            action->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, inside, view()->mapToGlobal(inside));
        QApplication::sendEvent(view(), &event);
        EXPECT_TRUE(shown);
    };
    qr.answers.push_back([](QrObject current) {
        current.level = QrLevel::H;
        return current;
    });
    withMenu("QrWijzigen");
    EXPECT_EQ(doc.design().objects[0].qr.code.level(), QrLevel::H);
    EXPECT_EQ(doc.undoName(), QStringLiteral("QR-code gewijzigd"));

    // Moved over line 3: its light border is covered, and the info line says so.
    doc.moveItem(CardItem::object(0), CardPainter::textLineRect(doc.card(), 3).topLeft());
    auto *info = window.findChild<QLabel *>(QStringLiteral("InfoRegel"));
    ASSERT_NE(info, nullptr);
    // Whole on the line, or (with the small modules of level H said too) in its tooltip.
    const QString said = info->toolTip().isEmpty() ? info->text() : info->toolTip();
    EXPECT_TRUE(said.contains(QStringLiteral("lichte rand"))) << said.toStdString();
    EXPECT_FALSE(qrWarnings(doc).isEmpty());

    withMenu("QrVerwijderen");
    EXPECT_TRUE(doc.design().objects.empty());
    EXPECT_EQ(doc.undoName(), QStringLiteral("QR-code verwijderd"));
}

TEST_F(QrWindowTest, TheDialogShowsTheVCardFollowsLinesUntilAFieldIsTypedAndWarnsOfSmallModules)
{
    const QrObject start = QrObject::fromLines(doc.state().TextLines);
    // 30 mm: room enough for this contact's modules.
    QrDialog dialog(doc.card(), CardSide::Front, start, QRectF(QPointF(200, 100), QrPlacement::canvasSize(30, CardMm)), CardMm);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(" QR-code"));
    for (const char *name : {"QrSoort", "QrNiveau", "QrKleur"})
        EXPECT_NE(dialog.findChild<QComboBox *>(QString::fromLatin1(name)), nullptr) << name;
    for (const char *name : {"QrNaam", "QrFunctie", "QrBedrijf", "QrTelefoon", "QrMobiel", "QrEmail", "QrWebsite",
                             "QrAdres", "QrAdresWeb"})
        EXPECT_NE(dialog.findChild<QLineEdit *>(QString::fromLatin1(name)), nullptr) << name;
    auto *content = dialog.findChild<QPlainTextEdit *>(QStringLiteral("QrInhoud"));
    ASSERT_NE(content, nullptr);
    EXPECT_TRUE(content->isReadOnly());
    EXPECT_EQ(dialog.findChild<QComboBox *>(QStringLiteral("QrNiveau"))->currentText(), QStringLiteral("M"));
    EXPECT_TRUE(content->toPlainText().contains(QStringLiteral("EMAIL;TYPE=INTERNET:jose@voorbeeld.nl")));

    auto *phone = dialog.findChild<QLineEdit *>(QStringLiteral("QrTelefoon"));
    EXPECT_EQ(phone->text(), QStringLiteral("020-1234567"));
    EXPECT_FALSE(dialog.qr().follows[size_t(ContactField::Telefoon)].isEmpty());
    QTest::keyClicks(phone, QStringLiteral("9"));
    EXPECT_TRUE(dialog.qr().follows[size_t(ContactField::Telefoon)].isEmpty());
    EXPECT_TRUE(content->toPlainText().contains(QStringLiteral("020-12345679")));
    EXPECT_TRUE(dialog.warnings().isEmpty()) << dialog.warnings().join(u'|').toStdString();

    // The same code at 8 mm has modules below 0.4 mm.
    const QSizeF small = QrPlacement::canvasSize(8, CardMm);
    QrDialog tiny(doc.card(), CardSide::Front, start, QRectF(QPointF(200, 180), small), CardMm);
    EXPECT_EQ(tiny.warnings().size(), 1);
    EXPECT_EQ(tiny.findChild<QLabel *>(QStringLiteral("QrWaarschuwing"))->text(), tiny.warnings().join(u'\n'));
}

TEST_F(QrWindowTest, TheCodeInsertedOnAFullCardScansAndTheInfoLineSaysNothingOfIt)
{
    typeFullCard(doc);
    auto *info = window.findChild<QLabel *>(QStringLiteral("InfoRegel"));
    const QString before = info->text();
    qr.answers.push_back([](const QrObject &current) { return current; });
    trigger(QStringLiteral("InvoegenQr"));
    ASSERT_EQ(doc.design().objects.size(), 1u);
    EXPECT_TRUE(qrWarnings(doc).isEmpty()) << qrWarnings(doc).toStdString();
    EXPECT_EQ(info->text(), before);
    // It grew from 18 mm only as far as its modules need, and stays inside the margins.
    const double side = QrPlacement::sideMm(doc.design().objects[0].rect, CardMm);
    EXPECT_GT(side, QrPlacement::DefaultSideMm);
    EXPECT_LE(side, QrPlacement::MaxStartSideMm);
    EXPECT_GE(doc.design().objects[0].rect.top(), 3 * 270 / 50.0);
}

TEST_F(QrWindowTest, TheInfoLineShowsAWarningWholeWithinItsStripAndTheFullTextAsItsTooltip)
{
    qr.answers.push_back([](const QrObject &current) { return current; });
    trigger(QStringLiteral("InvoegenQr"));
    // Made small: its modules come out under 0.4 mm.
    doc.resizeObject(0, QRectF(QPointF(300, 150), QrPlacement::canvasSize(12, CardMm)));
    auto *info = window.findChild<QLabel *>(QStringLiteral("InfoRegel"));
    auto *strip = window.findChild<QLabel *>(QStringLiteral("BackInfoLabel"));
    ASSERT_NE(strip, nullptr);
    const QrNotice notice = qrNotice(doc);
    ASSERT_TRUE(notice.brief.startsWith(QStringLiteral("QR-code: blokjes "))) << notice.brief.toStdString();
    EXPECT_EQ(info->text(), notice.brief);
    EXPECT_LE(info->fontMetrics().horizontalAdvance(info->text()), info->width());
    EXPECT_TRUE(strip->geometry().contains(info->geometry())) << info->width();
    EXPECT_EQ(info->toolTip(), notice.whole);
    EXPECT_TRUE(info->toolTip().contains(QStringLiteral("maak de code groter")));

    // Two warnings at once are more than the strip holds: cut short, and whole in the tooltip.
    doc.moveItem(CardItem::object(0), CardPainter::textLineRect(doc.card(), 3).topLeft());
    const QrNotice both = qrNotice(doc);
    ASSERT_TRUE(both.whole.contains(QStringLiteral("lichte rand"))) << both.whole.toStdString();
    EXPECT_TRUE(strip->geometry().contains(info->geometry())) << info->text().toStdString();
    EXPECT_LE(info->fontMetrics().horizontalAdvance(info->text()), info->width());
    EXPECT_EQ(info->toolTip(), both.whole);

    // The clock takes the line back, and the tooltip with it.
    window.setClock([] { return QDateTime(QDate(2026, 3, 2), QTime(10, 0, 20)); });
    window.updateInfoLine();
    EXPECT_EQ(info->text(), QStringLiteral("1. Selecteer een layout voor de kaartjes"));
    EXPECT_TRUE(info->toolTip().isEmpty());
}

TEST_F(QrWindowTest, ACodeWhoseLineGrewTooLongIsSaidInTheInfoLineAndTheDialog)
{
    typeFullCard(doc);
    qr.answers.push_back([](const QrObject &current) { return current; });
    trigger(QStringLiteral("InvoegenQr"));
    doc.enterTextLine(5, QStringLiteral("3511 AB ") + QString(2900, u'x'));
    const QrObject &code = doc.design().objects[0].qr;
    ASSERT_FALSE(code.code.isValid());
    auto *info = window.findChild<QLabel *>(QStringLiteral("InfoRegel"));
    EXPECT_TRUE(info->text().startsWith(QStringLiteral("QR-code leeg: Adres (regels 4 en 5) is "))) << info->text().toStdString();
    EXPECT_EQ(info->toolTip(), code.whyEmpty());

    QrDialog dialog(doc.card(), CardSide::Front, code, doc.design().objects[0].rect, CardMm);
    EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("QrWaarschuwing"))->text(), code.whyEmpty());
}

TEST_F(QrWindowTest, AOneLineAddressIsTheAddressInTheDialogAndTheVCard)
{
    doc.enterTextLine(2, QStringLiteral("Notaris"));
    doc.enterTextLine(5, QStringLiteral("De Wit Notarissen"));
    doc.enterTextLine(6, QStringLiteral("Kerkstraat 1, 3511 AB Utrecht"));
    bool shown = false;
    QTimer::singleShot(0, &window, [&] {
        auto *dialog = qobject_cast<QrDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        EXPECT_EQ(dialog->findChild<QLineEdit *>(QStringLiteral("QrAdres"))->text(),
                  QStringLiteral("Kerkstraat 1, 3511 AB Utrecht"));
        EXPECT_EQ(dialog->findChild<QLineEdit *>(QStringLiteral("QrBedrijf"))->text(), QStringLiteral("De Wit Notarissen"));
        const QString content = dialog->findChild<QPlainTextEdit *>(QStringLiteral("QrInhoud"))->toPlainText();
        EXPECT_TRUE(content.contains(QStringLiteral("ADR;TYPE=WORK:;;Kerkstraat 1;Utrecht;;3511 AB;")))
            << content.toStdString();
        dialog->accept();
    });
    DialogQrQuestion dialogs(&window);
    editor.setQrQuestion(dialogs);
    trigger(QStringLiteral("InvoegenQr"));
    editor.setQrQuestion(qr);
    EXPECT_TRUE(shown);
    ASSERT_EQ(doc.design().objects.size(), 1u);
    EXPECT_EQ(doc.design().objects[0].qr.follows[size_t(ContactField::Adres)], QList<int>{6});
}

// With a team attached, the info line judges everyone's code: the person shown scans,
// the one whose lines no code can hold is named beside them.
TEST_F(QrWindowTest, WithATeamTheInfoLineNamesWhoseCodeWillNotScanWhoeverIsShown)
{
    qr.answers.push_back([](const QrObject &current) { return current; });
    trigger(QStringLiteral("InvoegenQr"));
    CardTeam team;
    team.data.headers = {QStringLiteral("Naam"), QStringLiteral("E-mail")};
    team.data.rows = {{QStringLiteral("Anna Bakker"), QStringLiteral("anna@bakker.nl")},
                      {QStringLiteral("Bert Smit"), QString(3000, u'b') + QStringLiteral("@bakker.nl")}};
    team.mapping.lines[0] = LineSource::ofColumn(0);
    team.mapping.lines[3] = LineSource::ofColumn(1);
    doc.setTeam(team);
    ASSERT_EQ(doc.shownPerson(), 0);
    auto *info = window.findChild<QLabel *>(QStringLiteral("InfoRegel"));
    const QString said = info->toolTip().isEmpty() ? info->text() : info->toolTip();
    // Beside the person shown, who stays named.
    EXPECT_TRUE(info->text().startsWith(QStringLiteral("Persoon 1 van 2: Anna Bakker; "))) << info->text().toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral(". Bert Smit: De QR-code blijft leeg"))) << said.toStdString();
    // Stepping on keeps it said.
    trigger(QStringLiteral("PersoonVolgende"));
    EXPECT_TRUE(info->text().startsWith(QStringLiteral("Persoon 2 van 2: Bert Smit; "))) << info->text().toStdString();
}
