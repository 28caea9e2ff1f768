#include "app/WindowFixture.h"
#include "design/CardEditor.h"
#include "program/InstallCommands.h"

#include <QMenu>

// The program's own wiring: every subsystem installs its commands into one window, and
// each finds its menu items by name. A misspelt name must stop this, not a user's click.
using ProgramWiring = WindowFixture;

TEST_F(ProgramWiring, EverySubsystemInstallsItsCommandsIntoTheWindow)
{
    EXPECT_NO_THROW(installSubsystemCommands(window));
    // What the installers wired is reached by the same names.
    EXPECT_EQ(window.action(QStringLiteral("FileMarges"))->objectName(), QStringLiteral("FileMarges"));
    EXPECT_EQ(window.menu(QStringLiteral("Achtergrond"))->objectName(), QStringLiteral("Achtergrond"));
    EXPECT_EQ(window.action(QStringLiteral("InvoegenLogo"))->objectName(), QStringLiteral("InvoegenLogo"));
    // The card's editing watches the card view.
    EXPECT_NE(window.findChild<CardEditor *>(QStringLiteral("Ontwerp")), nullptr);
}

TEST_F(ProgramWiring, AnUnknownNameStopsWithAMessageNamingIt)
{
    try {
        window.action(QStringLiteral("FileMargs"));
        FAIL() << "no exception for a misspelt menu item";
    } catch (const UnknownControl &error) {
        EXPECT_NE(std::string(error.what()).find("FileMargs"), std::string::npos) << error.what();
    }
    try {
        window.menu(QStringLiteral("Achtergrnd"));
        FAIL() << "no exception for a misspelt submenu";
    } catch (const UnknownControl &error) {
        EXPECT_NE(std::string(error.what()).find("Achtergrnd"), std::string::npos) << error.what();
    }
    // An item is not a submenu: asking for it as one is a mistake too.
    EXPECT_THROW(window.menu(QStringLiteral("FileMarges")), UnknownControl);
}
