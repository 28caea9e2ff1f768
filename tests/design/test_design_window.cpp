#include "app/WindowFixture.h"
#include "core/CardPainter.h"
#include "core/Composition.h"
#include "design/DesignGuides.h"
#include "design/CardEditor.h"
#include "design/DesignCommands.h"
#include "design/RegelOpmaakDialog.h"
#include "print/PrintedCard.h"
#include "print/PrintedView.h"
#include "print/SheetGeometry.h"
#include "print/SheetPainter.h"
#include "window/CardView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QFontComboBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

namespace {

// The line style question answered from a queue, remembering what it was opened on.
class ScriptedStyles : public LineStyleQuestion {
public:
    std::deque<std::optional<LineStyle>> answers;
    std::vector<std::pair<int, LineStyle>> asked;

    std::optional<LineStyle> askLineStyle(int line, const LineStyle &current, const LineFont &) override
    {
        asked.emplace_back(line, current);
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

const QPointF PerMm(440.0 / 90, 270.0 / 50);

class DesignWindowTest : public WindowFixture {
protected:
    void SetUp() override { window.show(); }

    CardView *view() { return window.cardView(); }
    QWidget *line(int n) { return view()->textLine(n); }

    // A press, one move and a release, as the mouse sends them to the widget it pressed on.
    void drag(QWidget *widget, QPoint from, QPoint by, Qt::KeyboardModifiers modifiers = {})
    {
        const QPoint global = widget->mapToGlobal(from);
        send(widget, QEvent::MouseButtonPress, global, Qt::LeftButton, Qt::LeftButton, modifiers);
        send(widget, QEvent::MouseMove, global + by, Qt::NoButton, Qt::LeftButton, modifiers);
        send(widget, QEvent::MouseButtonRelease, global + by, Qt::LeftButton, Qt::NoButton, modifiers);
    }
    static void send(QWidget *widget, QEvent::Type type, QPoint global, Qt::MouseButton button,
                     Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
    {
        QMouseEvent event(type, widget->mapFromGlobal(QPointF(global)), QPointF(global), button, buttons, modifiers);
        QApplication::sendEvent(widget, &event);
    }

    // What the mouse reaches at pos of the view: the child there, or the view itself.
    QWidget *under(QPoint pos)
    {
        QWidget *child = view()->childAt(pos);
        return child ? child : view();
    }
    void dragAt(QPoint pos, QPoint by, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget *target = under(pos);
        drag(target, target->mapFrom(view(), pos), by, modifiers);
    }

    // Runs open, hands the menu that it opens to act and closes it after.
    void withPopup(const std::function<void()> &open, const std::function<void(QMenu &)> &act)
    {
        bool shown = false;
        QTimer::singleShot(0, &window, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            shown = true;
            act(*menu);
            menu->close();
        });
        open();
        EXPECT_TRUE(shown);
    }
    // Right-clicks a widget at pos.
    void withMenu(QWidget *widget, QPoint pos, const std::function<void(QMenu &)> &act)
    {
        withPopup(
            [&] {
                QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
                QApplication::sendEvent(widget, &event);
            },
            act);
    }
    static QAction *item(QMenu &menu, const char *name)
    {
        QAction *found = menu.findChild<QAction *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QString logoFile()
    {
        const QString path = dir.filePath(QStringLiteral("logo.svg"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<svg xmlns='http://www.w3.org/2000/svg' width='200' height='100'>"
                   "<rect width='200' height='100' fill='#c03020'/></svg>");
        return path;
    }
    QString undoCaption() { return window.action(QStringLiteral("WijzigenOngedaan"))->text(); }

    ScriptedStyles styles;
    CardEditor &editor = installDesignCommands(window, &styles);
};

} // namespace

TEST_F(DesignWindowTest, ADragMovesTheLineByTheMouseAsOneNamedStep)
{
    const Card before = doc.card();
    const QRectF start = CardPainter::textLineRect(doc.card(), 3);
    drag(line(3), QPoint(4, 4), QPoint(60, 10), Qt::AltModifier);
    EXPECT_EQ(doc.design().lines[3].offset, QPointF(60, 10));
    EXPECT_EQ(CardPainter::textLineRect(doc.card(), 3).topLeft(), start.topLeft() + QPointF(60, 10));
    EXPECT_EQ(line(3)->geometry().topLeft(), start.topLeft().toPoint() + QPoint(60, 10));
    // The release after a drag asks for no text; the moved line stays selected.
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_EQ(editor.selection(), CardItem::line(3));
    EXPECT_EQ(undoCaption(), QStringLiteral("Ongedaan maken: Regel 3 verplaatst"));
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(doc.card() == before);
    EXPECT_FALSE(doc.canUndo());
}

TEST_F(DesignWindowTest, ManyMovesOfOneDragAreOneStepAndSmallOnesAreNoDrag)
{
    const QPoint global = line(2)->mapToGlobal(QPoint(4, 4));
    send(line(2), QEvent::MouseButtonPress, global, Qt::LeftButton, Qt::LeftButton, Qt::AltModifier);
    send(line(2), QEvent::MouseMove, global + QPoint(2, 2), Qt::NoButton, Qt::LeftButton, Qt::AltModifier);
    EXPECT_EQ(doc.design().lines[2].offset, QPointF());
    for (int step = 1; step <= 5; ++step)
        send(line(2), QEvent::MouseMove, global + QPoint(10 * step, 0), Qt::NoButton, Qt::LeftButton, Qt::AltModifier);
    send(line(2), QEvent::MouseButtonRelease, global + QPoint(50, 0), Qt::LeftButton, Qt::NoButton, Qt::AltModifier);
    EXPECT_EQ(doc.design().lines[2].offset, QPointF(50, 0));
    ASSERT_TRUE(doc.undo());
    EXPECT_FALSE(doc.canUndo());
}

TEST_F(DesignWindowTest, WithoutAltTheLineSnapsOntoTheCardsMiddle)
{
    const QRectF start = CardPainter::textLineRect(doc.card(), 3);
    // The centre lands within half a pixel of x = 220.
    const int dx = int(std::lround(220 - start.center().x()));
    drag(line(3), QPoint(4, 4), QPoint(dx, 0));
    EXPECT_NEAR(CardPainter::textLineRect(doc.card(), 3).center().x(), 220, 1e-9);
}

TEST_F(DesignWindowTest, TheStampMovesTheSameWayAndGoesBackThroughItsMenu)
{
    trigger(QStringLiteral("LayoutShow(2)"));
    QWidget *stamp = control(QStringLiteral("Orgineel"));
    ASSERT_TRUE(stamp->isVisible());
    const QRect start = stamp->geometry();
    drag(stamp, QPoint(20, 20), QPoint(25, 15), Qt::AltModifier);
    EXPECT_EQ(doc.design().stampOffset, QPointF(25, 15));
    EXPECT_EQ(stamp->geometry(), start.translated(25, 15));
    EXPECT_EQ(undoCaption(), QStringLiteral("Ongedaan maken: Zegelfoto verplaatst"));
    withMenu(stamp, QPoint(5, 5), [&](QMenu &menu) { item(menu, "ZegelfotoTerug")->trigger(); });
    EXPECT_EQ(stamp->geometry(), start);
}

TEST_F(DesignWindowTest, AClickWithoutMovingStillAsksForTheText)
{
    questions.inputAnswers = {QStringLiteral("Jan Jansen")};
    drag(line(3), QPoint(4, 4), QPoint(2, 1));
    EXPECT_EQ(questions.asked, QStringList{QStringLiteral(" Invoer tekst|Geef een tekst voor regel...3")});
    EXPECT_EQ(doc.state().TextLines[3], QStringLiteral("Jan Jansen"));
    EXPECT_EQ(doc.design().lines[3].offset, QPointF());
}

TEST_F(DesignWindowTest, ArrowKeysNudgeTheSelectionAsOneStepAndEscapeEndsIt)
{
    drag(line(4), QPoint(4, 4), QPoint(30, 0), Qt::AltModifier);
    const QPointF moved = doc.design().lines[4].offset;
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(view(), Qt::Key_Right);
    EXPECT_NEAR(doc.design().lines[4].offset.x() - moved.x(), 1.5 * PerMm.x(), 1e-9);
    QTest::keyClick(view(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_NEAR(moved.y() - doc.design().lines[4].offset.y(), 0.1 * PerMm.y(), 1e-9);
    // The drag and the series of nudges: two steps.
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.design().lines[4].offset, moved);
    ASSERT_TRUE(doc.redo());

    QTest::keyClick(view(), Qt::Key_Escape);
    EXPECT_TRUE(editor.selection().isNone());
    const QPointF after = doc.design().lines[4].offset;
    QTest::keyClick(view(), Qt::Key_Right);
    EXPECT_EQ(doc.design().lines[4].offset, after);
}

TEST_F(DesignWindowTest, TheLinesMenuRestylesOnlyThatLineAndPutsItBack)
{
    LineFont large{QStringLiteral("Liberation Serif"), 24, true, false, false, QColor(200, 0, 0)};
    styles.answers = {LineStyle{large, LineAlign::Centre}};
    withMenu(line(1), QPoint(3, 3), [&](QMenu &menu) {
        EXPECT_EQ(item(menu, "RegelOpmaak")->text(), QStringLiteral("Opmaak van deze regel…"));
        EXPECT_EQ(item(menu, "RegelTerug")->text(), QStringLiteral("Terug naar de plaats van de layout"));
        EXPECT_FALSE(item(menu, "RegelTerug")->isEnabled());
        item(menu, "RegelOpmaak")->trigger();
    });
    ASSERT_EQ(styles.asked.size(), 1u);
    EXPECT_EQ(styles.asked[0].first, 1);
    EXPECT_EQ(styles.asked[0].second, LineStyle());
    EXPECT_EQ(doc.design().lines[1].font, large);
    EXPECT_EQ(doc.design().lines[1].align, LineAlign::Centre);
    for (int other = 2; other <= 7; ++other)
        EXPECT_FALSE(doc.design().lines[size_t(other)].hasStyle()) << other;
    EXPECT_EQ(undoCaption(), QStringLiteral("Ongedaan maken: Regel 1 opgemaakt"));

    drag(line(6), QPoint(4, 4), QPoint(20, 0), Qt::AltModifier);
    withMenu(line(6), QPoint(3, 3), [&](QMenu &menu) {
        ASSERT_TRUE(item(menu, "RegelTerug")->isEnabled());
        item(menu, "RegelTerug")->trigger();
    });
    EXPECT_EQ(doc.design().lines[6].offset, QPointF());
}

TEST_F(DesignWindowTest, InsertedLogoStandsTopRightAndResizesKeepingItsShape)
{
    questions.openFileAnswers = {logoFile()};
    trigger(QStringLiteral("InvoegenLogo"));
    ASSERT_TRUE(questions.filters.value(0).contains(QStringLiteral("*.svg")));
    ASSERT_EQ(doc.design().objects.size(), 1u);
    const QRectF rect = doc.design().objects[0].rect;
    EXPECT_DOUBLE_EQ(rect.width(), 20 * PerMm.x());
    EXPECT_DOUBLE_EQ(rect.right(), 440 - 3 * PerMm.x());
    EXPECT_DOUBLE_EQ(rect.top(), 3 * PerMm.y());
    EXPECT_EQ(editor.selection(), CardItem::object(0));
    EXPECT_EQ(undoCaption(), QStringLiteral("Ongedaan maken: Logo ingevoegd"));

    // The bottom-left handle dragged 20 px further left: the logo grows from its top
    // right corner, as wide as asked and as high as its shape says, in one step.
    drag(view(), rect.bottomLeft().toPoint(), QPoint(-20, 0));
    const QRectF grown = doc.design().objects[0].rect;
    EXPECT_NEAR(grown.right(), rect.right(), 1e-9);
    EXPECT_NEAR(grown.top(), rect.top(), 1e-9);
    EXPECT_NEAR(grown.width() / grown.height(), rect.width() / rect.height(), 1e-9);
    EXPECT_GT(grown.width(), rect.width() + 19);
    EXPECT_EQ(undoCaption(), QStringLiteral("Ongedaan maken: Grootte logo veranderd"));
    // Shift frees the shape.
    drag(view(), grown.bottomLeft().toPoint(), QPoint(0, 15), Qt::ShiftModifier);
    EXPECT_NEAR(doc.design().objects[0].rect.width(), grown.width(), 1);
    EXPECT_GT(doc.design().objects[0].rect.height(), grown.height() + 14);

    // A drag inside it moves it; Delete removes it.
    const QPointF place = doc.design().objects[0].rect.topLeft();
    drag(view(), doc.design().objects[0].rect.center().toPoint(), QPoint(-30, 20), Qt::AltModifier);
    EXPECT_EQ(doc.design().objects[0].rect.topLeft(), place + QPointF(-30, 20));
    EXPECT_EQ(undoCaption(), QStringLiteral("Ongedaan maken: Logo verplaatst"));
    QTest::keyClick(view(), Qt::Key_Delete);
    EXPECT_TRUE(doc.design().objects.empty());
    EXPECT_TRUE(editor.selection().isNone());
}

TEST_F(DesignWindowTest, TheLogosMenuRemovesItAndAFileThatIsNoLogoIsSaid)
{
    questions.openFileAnswers = {logoFile()};
    trigger(QStringLiteral("InvoegenLogo"));
    editor.clearSelection();
    const QPoint inside = doc.design().objects[0].rect.center().toPoint();
    withMenu(view(), inside, [&](QMenu &menu) { item(menu, "LogoVerwijderen")->trigger(); });
    EXPECT_TRUE(doc.design().objects.empty());

    const QString notAPicture = dir.filePath(QStringLiteral("brief.png"));
    QFile file(notAPicture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("geen plaatje");
    file.close();
    questions.openFileAnswers = {notAPicture};
    trigger(QStringLiteral("InvoegenLogo"));
    EXPECT_TRUE(doc.design().objects.empty());
    ASSERT_EQ(questions.messages.size(), 1);
    EXPECT_TRUE(questions.messages[0].contains(QStringLiteral("brief.png"))) << questions.messages[0].toStdString();
}

// ---- the dialog itself ----

TEST_F(DesignWindowTest, TheDialogOpensOnTheLinesLookAndGivesWhatWasChosen)
{
    const LineFont own{QStringLiteral("Liberation Serif"), 20, true, true, false, QColor(0, 0, 200)};
    RegelOpmaakDialog dialog(2, LineStyle{own, LineAlign::Right}, CardPainter::cardFont(doc.state()), questions);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(" Opmaak regel 2"));
    auto *family = dialog.findChild<QFontComboBox *>(QStringLiteral("RegelLettertype"));
    auto *size = dialog.findChild<QSpinBox *>(QStringLiteral("RegelGrootte"));
    auto *bold = dialog.findChild<QCheckBox *>(QStringLiteral("RegelVet"));
    auto *italic = dialog.findChild<QCheckBox *>(QStringLiteral("RegelCursief"));
    auto *underline = dialog.findChild<QCheckBox *>(QStringLiteral("RegelOnderstreept"));
    auto *colour = dialog.findChild<QPushButton *>(QStringLiteral("RegelKleur"));
    auto *align = dialog.findChild<QComboBox *>(QStringLiteral("RegelUitlijning"));
    auto *asCard = dialog.findChild<QCheckBox *>(QStringLiteral("RegelZoalsKaart"));
    auto *onPaper = dialog.findChild<QLabel *>(QStringLiteral("RegelGrootteOpPapier"));
    ASSERT_TRUE(family && size && bold && italic && underline && colour && align && asCard && onPaper);
    ASSERT_NE(dialog.findChild<QPushButton *>(QStringLiteral("OkKnop")), nullptr);
    ASSERT_NE(dialog.findChild<QPushButton *>(QStringLiteral("CancelKnop")), nullptr);
    EXPECT_EQ(size->value(), 20);
    EXPECT_EQ(onPaper->text(), QStringLiteral("20 pt, op papier 16 pt"));
    EXPECT_TRUE(bold->isChecked());
    EXPECT_TRUE(italic->isChecked());
    EXPECT_FALSE(underline->isChecked());
    EXPECT_EQ(align->currentText(), QStringLiteral("Rechts"));
    EXPECT_FALSE(asCard->isChecked());
    EXPECT_EQ(dialog.chosen(), (LineStyle{own, LineAlign::Right}));

    size->setValue(9);
    EXPECT_EQ(onPaper->text(), QStringLiteral("9 pt, op papier 5 pt"));
    underline->setChecked(true);
    align->setCurrentIndex(1);
    questions.colourAnswers = {QColor(10, 120, 30)};
    QTest::mouseClick(colour, Qt::LeftButton);
    EXPECT_EQ(questions.coloursOffered, QList<QColor>{QColor(0, 0, 200)});
    const LineStyle chosen = dialog.chosen();
    ASSERT_TRUE(chosen.font);
    EXPECT_EQ(chosen.font->name, own.name);
    EXPECT_EQ(chosen.font->size, 9);
    EXPECT_TRUE(chosen.font->underline);
    EXPECT_EQ(chosen.font->colour, QColor(10, 120, 30));
    EXPECT_EQ(chosen.align, LineAlign::Centre);

    // "Zoals de kaart": the card's font shown, the line's own gone; the alignment stays.
    asCard->setChecked(true);
    EXPECT_TRUE(size->isEnabled());
    EXPECT_EQ(size->value(), doc.state().FontSize);
    ASSERT_EQ(doc.state().FontSize, 16);
    EXPECT_EQ(onPaper->text(), QStringLiteral("16 pt, op papier 12 pt"));
    EXPECT_EQ(dialog.chosen(), (LineStyle{std::nullopt, LineAlign::Centre}));
}

TEST_F(DesignWindowTest, TheRealDialogAnswersTheQuestionOnOk)
{
    DialogLineStyleQuestion question(questions, &window);
    QTimer::singleShot(0, &window, [] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QCheckBox *>(QStringLiteral("RegelZoalsKaart"))->setChecked(false);
        dialog->findChild<QCheckBox *>(QStringLiteral("RegelVet"))->setChecked(true);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OkKnop")), Qt::LeftButton);
    });
    const LineFont card = CardPainter::cardFont(doc.state());
    const auto answer = question.askLineStyle(5, LineStyle(), card);
    ASSERT_TRUE(answer && answer->font);
    LineFont bold = card;
    bold.bold = true;
    EXPECT_EQ(*answer->font, bold);

    QTimer::singleShot(0, &window, [] {
        QTest::mouseClick(QApplication::activeModalWidget()->findChild<QPushButton *>(QStringLiteral("CancelKnop")),
                          Qt::LeftButton);
    });
    EXPECT_FALSE(question.askLineStyle(5, LineStyle(), card));
}

TEST_F(DesignWindowTest, TheDialogOnALineThatFollowsTheCardIsLiveAndAnyFontChangeMakesItTheLinesOwn)
{
    const LineFont card = CardPainter::cardFont(doc.state());
    RegelOpmaakDialog dialog(4, LineStyle{std::nullopt, LineAlign::Centre}, card, questions);
    auto *family = dialog.findChild<QFontComboBox *>(QStringLiteral("RegelLettertype"));
    auto *size = dialog.findChild<QSpinBox *>(QStringLiteral("RegelGrootte"));
    auto *bold = dialog.findChild<QCheckBox *>(QStringLiteral("RegelVet"));
    auto *colour = dialog.findChild<QPushButton *>(QStringLiteral("RegelKleur"));
    auto *align = dialog.findChild<QComboBox *>(QStringLiteral("RegelUitlijning"));
    auto *asCard = dialog.findChild<QCheckBox *>(QStringLiteral("RegelZoalsKaart"));
    ASSERT_TRUE(family && size && bold && colour && align && asCard);
    EXPECT_TRUE(asCard->isChecked());
    for (QWidget *control : std::initializer_list<QWidget *>{family, size, bold, colour, align})
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_EQ(size->value(), card.size);
    EXPECT_EQ(bold->isChecked(), card.bold);
    // The alignment is no part of the font: the line still follows the card.
    align->setCurrentIndex(2);
    EXPECT_TRUE(asCard->isChecked());
    EXPECT_EQ(dialog.chosen(), (LineStyle{std::nullopt, LineAlign::Right}));

    bold->setChecked(!card.bold);
    EXPECT_FALSE(asCard->isChecked());
    LineFont own = card;
    own.bold = !card.bold;
    EXPECT_EQ(dialog.chosen(), (LineStyle{own, LineAlign::Right}));

    // Ticked again, the card's font is back; the size, the colour and the family each untick it.
    asCard->setChecked(true);
    EXPECT_EQ(bold->isChecked(), card.bold);
    size->setValue(card.size + 3);
    EXPECT_FALSE(asCard->isChecked());
    EXPECT_EQ(dialog.chosen().font->size, card.size + 3);
    asCard->setChecked(true);
    questions.colourAnswers = {QColor(10, 120, 30)};
    QTest::mouseClick(colour, Qt::LeftButton);
    EXPECT_FALSE(asCard->isChecked());
    EXPECT_EQ(dialog.chosen().font->colour, QColor(10, 120, 30));
    asCard->setChecked(true);
    family->setCurrentIndex(family->currentIndex() == 0 ? 1 : 0);
    EXPECT_FALSE(asCard->isChecked());
}

TEST_F(DesignWindowTest, AnEmptiedLineIsTakenOverItsWholeColumnButNotOverALogo)
{
    const int kind = doc.state().LayoutKind;
    const QPoint place = Composition::textLinePosition(kind, 4);
    const int right = Composition::textColumnRight(kind, 4);
    questions.inputAnswers = {QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" ")};
    drag(line(4), QPoint(2, 2), QPoint(0, 0));
    ASSERT_TRUE(doc.state().TextLines[4].trimmed().isEmpty());
    ASSERT_FALSE(doc.state().TextLines[4].isEmpty());
    // Clicks at the middle and near the end of the column, where a line of text would be.
    for (const int x : {(place.x() + right) / 2, right - 3}) {
        questions.asked.clear();
        dragAt(QPoint(x, place.y() + 6), QPoint(1, 0));
        EXPECT_EQ(questions.asked, QStringList{QStringLiteral(" Invoer tekst|Geef een tekst voor regel...4")}) << x;
    }

    // A logo under the empty column is what a press there takes.
    questions.openFileAnswers = {logoFile()};
    trigger(QStringLiteral("InvoegenLogo"));
    doc.moveItem(CardItem::object(0), QPointF((place.x() + right) / 2 - 10, place.y() - 5));
    editor.clearSelection();
    questions.asked.clear();
    dragAt(QPoint((place.x() + right) / 2, place.y() + 6), QPoint(1, 0));
    EXPECT_EQ(editor.selection(), CardItem::object(0));
    EXPECT_TRUE(questions.asked.isEmpty());
}

TEST_F(DesignWindowTest, ALogoDraggedFarBeyondTheEdgeKeepsAGripOnTheCardAndIsTakenThere)
{
    questions.openFileAnswers = {logoFile()};
    trigger(QStringLiteral("InvoegenLogo"));
    const QRectF rect = doc.design().objects[0].rect;
    dragAt(rect.center().toPoint(), QPoint(900, 600), Qt::AltModifier);
    const QRectF moved = doc.design().objects[0].rect;
    EXPECT_NEAR(moved.left(), 440 - DesignGuides::GripPixels, 1e-9);
    EXPECT_NEAR(moved.top(), 270 - DesignGuides::GripPixels, 1e-9);
    EXPECT_EQ(undoCaption(), QStringLiteral("Ongedaan maken: Logo verplaatst"));

    // A press on what still shows takes it again and brings it back.
    editor.clearSelection();
    dragAt(QPoint(435, 265), QPoint(-200, -150), Qt::AltModifier);
    EXPECT_EQ(editor.selection(), CardItem::object(0));
    EXPECT_EQ(doc.design().objects[0].rect.topLeft(), moved.topLeft() + QPointF(-200, -150));

    // A line past the left edge the same way.
    drag(line(2), QPoint(4, 4), QPoint(-900, 0), Qt::AltModifier);
    EXPECT_NEAR(CardPainter::textLineRect(doc.card(), 2).right(), DesignGuides::GripPixels, 1e-9);
    EXPECT_EQ(under(QPoint(4, int(CardPainter::textLineRect(doc.card(), 2).center().y()))), line(2));
}

TEST_F(DesignWindowTest, TabReachesAnItemAnOlderCardLeftOffTheCardAndTheKeysBringItBack)
{
    doc.moveItem(CardItem::line(5), QPointF(-3000, 0));
    view()->setFocus();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(view(), Qt::Key_Tab);
    EXPECT_EQ(editor.selection(), CardItem::line(5));
    // One nudge brings a grip of it back onto the card.
    QTest::keyClick(view(), Qt::Key_Right);
    const QRectF back = CardPainter::textLineRect(doc.card(), 5);
    EXPECT_NEAR(back.right(), DesignGuides::GripPixels, 1e-9);
    // Its menu opens from the keyboard and puts it at its layout place.
    withPopup([&] { QTest::keyClick(view(), Qt::Key_Menu); },
              [&](QMenu &menu) { item(menu, "RegelTerug")->trigger(); });
    EXPECT_EQ(doc.design().lines[5].offset, QPointF());

    // Shift+Tab goes back; past the last item the selection ends.
    QTest::keyClick(view(), Qt::Key_Backtab);
    EXPECT_EQ(editor.selection(), CardItem::line(4));
    editor.select(CardItem::line(7));
    QTest::keyClick(view(), Qt::Key_Tab);
    EXPECT_TRUE(editor.selection().isNone());
}

TEST_F(DesignWindowTest, OnTheBackTheSameGesturesChangeTheBackAndTheSelectionStaysWithItsSide)
{
    doc.applyLayout(2);
    const Card front = doc.card();
    drag(line(3), QPoint(4, 4), QPoint(20, 0), Qt::AltModifier);
    ASSERT_EQ(editor.selection(), CardItem::line(3));

    trigger(QStringLiteral("KantAchter"));
    EXPECT_TRUE(editor.selection().isNone());
    // The back's line 3 is empty: it is taken over its whole column, where "Tekst Midden" puts it.
    const QRectF empty = CardPainter::textLineRect(doc.shownFace(), 3);
    EXPECT_EQ(line(3)->geometry(), empty.toAlignedRect());
    drag(line(3), QPoint(30, 4), QPoint(0, 25), Qt::AltModifier);
    ASSERT_TRUE(doc.hasBack());
    EXPECT_EQ(doc.card().back->design.lines[3].offset, QPointF(0, 25));
    EXPECT_EQ(undoCaption(), QStringLiteral("Ongedaan maken: Achterkant: Regel 3 verplaatst"));
    // The front's own drag stays as it was.
    EXPECT_EQ(doc.card().design.lines[3].offset, QPointF(20, 0));

    questions.openFileAnswers.push_back(logoFile());
    trigger(QStringLiteral("InvoegenLogo"));
    ASSERT_EQ(doc.card().back->design.objects.size(), 1u);
    EXPECT_TRUE(doc.card().design.objects.empty());
    EXPECT_EQ(editor.selection(), CardItem::object(0));
    // The stamp's place on the front cannot be taken from the back.
    EXPECT_EQ(under(QRectF(doc.card().stamp.geometry()).center().toPoint()), view());
    EXPECT_EQ(doc.card().stamp, front.stamp);
}

namespace {

// The card's items on paper, in millimetres from its corner, measured as the printed view
// measures them (on a device at the view's resolution).
QRectF onPaper(const CardDocument &doc, CardItem item, int dpi)
{
    const QImage device = PrintedView::device(QSize(1, 1), dpi);
    for (const PaperItem &found : paperItems(PrintedCard::from(doc.shownCard()), SheetGeometry::from(doc.printSettings()), device))
        if (found.item == item)
            return found.mm;
    return {};
}

} // namespace

class PrintedViewTest : public DesignWindowTest {
protected:
    void showPrinted(double widthMm, double heightMm)
    {
        doc.printSettings().CardWidthMm = widthMm;
        doc.printSettings().CardHeightMm = heightMm;
        view()->followSheet();
        window.action(QStringLiteral("BeeldAfgedrukt"))->setChecked(true);
        ASSERT_TRUE(view()->isPrinted());
    }
    // Millimetres on paper at the view's scale, in the view's pixels from its corner.
    QPointF viewPixels(QPointF mm) { return mm * view()->printedDpi() / 25.4 + QPointF(view()->cardRect().topLeft()); }
};

TEST_F(PrintedViewTest, TheCardStandsInItsShapeWithEveryLineWhereAndAsLargeAsItPrints)
{
    for (const QSizeF card : {QSizeF(90, 50), QSizeF(85, 55), QSizeF(50, 90)}) {
        showPrinted(card.width(), card.height());
        const QRect shape = view()->cardRect();
        EXPECT_NEAR(shape.width(), shape.height() * card.width() / card.height(), 1.0) << card.width();
        EXPECT_TRUE(QRect(QPoint(), view()->size()).contains(shape));
        // Centred: as much room left as right, above as below, to a pixel.
        EXPECT_LE(std::abs(shape.left() - (view()->width() - shape.right() - 1)), 1);
        EXPECT_LE(std::abs(shape.top() - (view()->height() - shape.bottom() - 1)), 1);
        for (int n : {1, 5}) {
            const QRectF paper = onPaper(doc, CardItem::line(n), view()->printedDpi());
            const QRect label = line(n)->geometry();
            EXPECT_NEAR(label.left(), viewPixels(paper.topLeft()).x(), 1.0) << n;
            EXPECT_NEAR(label.top(), viewPixels(paper.topLeft()).y(), 1.0) << n;
            // The label takes the whole pixels its text touches.
            EXPECT_NEAR(label.height(), paper.height() * view()->printedDpi() / 25.4, 2.0) << n;
        }
    }
    // A click on a line where it prints asks for its text.
    questions.inputAnswers = {QStringLiteral("Jan Jansen")};
    drag(line(2), QPoint(3, 3), QPoint(1, 0));
    EXPECT_EQ(doc.state().TextLines[2], QStringLiteral("Jan Jansen"));
}

TEST_F(PrintedViewTest, ADragMovesTheItemOnPaperByThePointersDistanceAndSnapsOnTheCardsMiddle)
{
    showPrinted(85, 55);
    const int dpi = view()->printedDpi();
    const QRectF before = onPaper(doc, CardItem::line(3), dpi);
    drag(line(3), QPoint(4, 4), QPoint(50, 0), Qt::AltModifier);
    const QRectF after = onPaper(doc, CardItem::line(3), dpi);
    EXPECT_NEAR(after.left() - before.left(), 50 * 25.4 / dpi, 0.2);
    EXPECT_NEAR(after.top(), before.top(), 1e-9);
    EXPECT_EQ(undoCaption(), QStringLiteral("Ongedaan maken: Regel 3 verplaatst"));

    // Without Alt the line's middle lands on the card's middle on paper.
    const double toMiddle = (85 / 2.0 - after.center().x()) * dpi / 25.4;
    // Two pixels short, well within the millimetre snapping reaches.
    drag(line(3), QPoint(4, 4), QPoint(int(std::lround(toMiddle)) - 2, 0));
    // Within what paper's text measures apart from the view's exact one: a hair of a pixel.
    EXPECT_NEAR(onPaper(doc, CardItem::line(3), dpi).center().x(), 85 / 2.0, 0.05);
}

TEST_F(PrintedViewTest, TurningTheViewOrTheCardKeepsEachSidesSelectionAndTheHistory)
{
    drag(line(4), QPoint(4, 4), QPoint(30, 0), Qt::AltModifier);
    ASSERT_EQ(editor.selection(), CardItem::line(4));
    const QRect canvasLabel = line(4)->geometry();
    QAction *printed = window.action(QStringLiteral("BeeldAfgedrukt"));
    EXPECT_EQ(printed->shortcut(), QKeySequence(Qt::Key_F9));
    printed->trigger();
    EXPECT_TRUE(printed->isChecked());
    EXPECT_TRUE(view()->isPrinted());
    EXPECT_NE(line(4)->geometry(), canvasLabel);
    EXPECT_EQ(editor.selection(), CardItem::line(4));
    EXPECT_EQ(undoCaption(), QStringLiteral("Ongedaan maken: Regel 4 verplaatst"));
    // The arrow keys go on nudging the same item, by the same millimetres.
    QTest::keyClick(view(), Qt::Key_Right);
    EXPECT_NEAR(doc.design().lines[4].offset.x(), 30 + 0.5 * PerMm.x(), 1e-9);

    trigger(QStringLiteral("KantAchter"));
    EXPECT_TRUE(editor.selection().isNone());
    trigger(QStringLiteral("KantVoor"));
    EXPECT_EQ(editor.selection(), CardItem::line(4));
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.design().lines[4].offset, QPointF(30, 0));
    window.action(QStringLiteral("BeeldAfgedrukt"))->setChecked(false);
    EXPECT_EQ(line(4)->geometry(), canvasLabel);
}

TEST_F(PrintedViewTest, TheSafetyMarginIsDrawnThreeMillimetresInsideTheTrimInEitherView)
{
    const auto marginShown = [&](QPoint at) {
        const QColor c = view()->grab().toImage().pixelColor(at);
        return c.red() > 180 && c.green() < 140 && c.blue() < 80;
    };
    // Somewhere along the left margin's dashes.
    const auto leftMargin = [&](QPointF corner, double perMm) {
        for (int y = 60; y < 200; ++y)
            if (marginShown(QPoint(int(corner.x() + 3 * perMm), y)))
                return true;
        return false;
    };
    EXPECT_FALSE(leftMargin(QPointF(), 440 / 90.0));
    window.action(QStringLiteral("BeeldVeiligeRand"))->setChecked(true);
    EXPECT_TRUE(leftMargin(QPointF(), 440 / 90.0));
    showPrinted(85, 55);
    EXPECT_TRUE(leftMargin(QPointF(view()->cardRect().topLeft()), view()->printedDpi() / 25.4));
}

TEST_F(PrintedViewTest, ALogosHandleAndMenuAreWhereThePrintedViewShowsIt)
{
    showPrinted(85, 55);
    questions.openFileAnswers = {logoFile()};
    trigger(QStringLiteral("InvoegenLogo"));
    ASSERT_EQ(doc.design().objects.size(), 1u);
    const QRectF rect = doc.design().objects[0].rect;
    const QTransform toView = view()->canvasToView();
    // The bottom-left handle, where this view shows it, dragged 20 view pixels left.
    drag(view(), toView.map(rect.bottomLeft()).toPoint(), QPoint(-20, 0));
    const QRectF grown = doc.design().objects[0].rect;
    EXPECT_NEAR(grown.right(), rect.right(), 1e-9);
    EXPECT_NEAR(toView.mapRect(grown).width() - toView.mapRect(rect).width(), 20, 1.0);
    EXPECT_EQ(undoCaption(), QStringLiteral("Ongedaan maken: Grootte logo veranderd"));
    withMenu(view(), toView.map(grown.center()).toPoint(),
             [&](QMenu &menu) { item(menu, "LogoVerwijderen")->trigger(); });
    EXPECT_TRUE(doc.design().objects.empty());
}
