// "Invoegen" > "QR-code…" in the window: the dialog on the card's own contact, the code
// placed bottom right at 18 mm, its menu, and the scan warnings in the dialog and the
// info line.
#include "app/WindowFixture.h"
#include "core/CardPainter.h"
#include "design/CardEditor.h"
#include "design/DesignCommands.h"
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
    std::optional<QrObject> askQr(const Card &, const QrObject &current, const QRectF &, QSizeF) override
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

TEST_F(QrWindowTest, InsertingPlacesTheCardsContactBottomRightAt18mmAsOneStep)
{
    qr.answers.push_back([](const QrObject &current) { return current; });
    trigger(QStringLiteral("InvoegenQr"));
    ASSERT_EQ(qr.asked.size(), 1u);
    EXPECT_EQ(qr.asked[0].content.contact.telefoon, QStringLiteral("020-1234567"));
    ASSERT_EQ(doc.design().objects.size(), 1u);
    const PlacedObject &object = doc.design().objects[0];
    EXPECT_EQ(object.kind, PlacedObject::Kind::Qr);
    EXPECT_NEAR(QrPlacement::sideMm(object.rect, CardMm), 18, 1e-9);
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
    EXPECT_TRUE(info->text().contains(QStringLiteral("lichte rand"))) << info->text().toStdString();
    EXPECT_FALSE(qrWarnings(doc).isEmpty());

    withMenu("QrVerwijderen");
    EXPECT_TRUE(doc.design().objects.empty());
    EXPECT_EQ(doc.undoName(), QStringLiteral("QR-code verwijderd"));
}

TEST_F(QrWindowTest, TheDialogShowsTheVCardFollowsLinesUntilAFieldIsTypedAndWarnsOfSmallModules)
{
    const QrObject start = QrObject::fromLines(doc.state().TextLines);
    // 30 mm: room enough for this contact's modules.
    QrDialog dialog(doc.card(), start, QRectF(QPointF(200, 100), QrPlacement::canvasSize(30, CardMm)), CardMm);
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
    QrDialog tiny(doc.card(), start, QRectF(QPointF(200, 180), small), CardMm);
    EXPECT_EQ(tiny.warnings().size(), 1);
    EXPECT_EQ(tiny.findChild<QLabel *>(QStringLiteral("QrWaarschuwing"))->text(), tiny.warnings().join(u'\n'));
}
