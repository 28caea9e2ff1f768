#include "app/WindowFixture.h"

#include <QScrollBar>

namespace {

class UndoMenu : public WindowFixture {
protected:
    QAction *undo() { return window.action(QStringLiteral("WijzigenOngedaan")); }
    QAction *redo() { return window.action(QStringLiteral("WijzigenOpnieuw")); }
};

} // namespace

TEST_F(UndoMenu, CaptionsNameTheStepAndFollowTheHistory)
{
    trigger(QStringLiteral("LayoutShow(2)"));
    EXPECT_TRUE(undo()->isEnabled());
    EXPECT_EQ(undo()->text(), QStringLiteral("Ongedaan maken: Zegelfoto Links"));
    EXPECT_FALSE(redo()->isEnabled());

    trigger(QStringLiteral("WijzigenOngedaan"));
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_EQ(undo()->text(), QStringLiteral("Ongedaan maken"));
    EXPECT_EQ(redo()->text(), QStringLiteral("Opnieuw: Zegelfoto Links"));
    // The window follows the card it got back.
    EXPECT_TRUE(window.action(QStringLiteral("LayoutShow(0)"))->isChecked());
    EXPECT_FALSE(window.action(QStringLiteral("Pasfoto"))->isEnabled());

    trigger(QStringLiteral("WijzigenOpnieuw"));
    EXPECT_TRUE(window.action(QStringLiteral("LayoutShow(2)"))->isChecked());
    EXPECT_FALSE(redo()->isEnabled());
}

TEST_F(UndoMenu, ShortcutsAreTheUsualOnes)
{
    EXPECT_EQ(undo()->shortcuts(), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Z"))});
    EXPECT_EQ(redo()->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
}

TEST_F(UndoMenu, ADraggedBarIsOneStepAndTheBarsMoveBack)
{
    auto *red = control<QScrollBar>(QStringLiteral("Rscroll"));
    for (int value : {60, 50, 40})
        red->setValue(value);
    control<QScrollBar>(QStringLiteral("Gscroll"))->setValue(10);
    EXPECT_EQ(undo()->text(), QStringLiteral("Ongedaan maken: Kleur tekst"));
    trigger(QStringLiteral("WijzigenOngedaan"));
    EXPECT_EQ(red->value(), 70);
    EXPECT_EQ(control<QScrollBar>(QStringLiteral("Gscroll"))->value(), 100);
    EXPECT_FALSE(undo()->isEnabled());
}
