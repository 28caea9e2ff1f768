#pragma once

#include <QDateTime>
#include <QFont>
#include <QMainWindow>
#include <array>
#include <functional>
#include <stdexcept>

class CardDocument;
class CardView;
class PhotoPanel;
class PhotoView;
class PhotoWorkspace;
class Questions;
class QLabel;
class QMenu;
class QRadioButton;
class QScrollBar;

// action() or menu() was asked for a control name the menu tree does not have.
class UnknownControl : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// The designer window "Main": the card, its colour bars, the stamp border panel, the
// photo panel and the whole menu tree, every control named after its control name.
//
// Extending it: another subsystem adds its commands from its own widget library with
// one function, e.g. installStampCommands(MainWindow &), called in
// installSubsystemCommands() (InstallCommands.cpp). It finds menu items with
// action("LayoutShow(2)"), works on document(), asks through questions() and drives
// the photo panel through photoWorkspace(), whose view and width the window shows in
// photoView(). Items without a handler do nothing; a checkable item's check mark is
// put right by whoever handles it.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Reads the settings file at settingsPath (writing it anew when it is missing or
    // not whole) and writes it when the user confirms closing.
    MainWindow(CardDocument &document, Questions &questions, const QString &settingsPath,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    CardDocument &document() { return m_document; }
    Questions &questions() { return m_questions; }
    // Lumovander.ini of this window; other settings files of the program lie beside it.
    const QString &settingsPath() const { return m_settingsPath; }
    PhotoView *photoView() const;
    // The window's one photo panel model: "Foto Inladen", the zoom, the selection and
    // the full-size buffer BackPic, which the background photo command loads into too.
    PhotoWorkspace &photoWorkspace() const;
    CardView *cardView() const { return m_card; }

    // A menu item (or a submenu's own item) by its control name. An unknown name is a
    // misspelling in the code that wires a command: it throws UnknownControl, so that
    // building the window fails at once instead of a click that silently does nothing.
    QAction *action(const QString &name) const;
    // A submenu by its control name; throws UnknownControl the same way.
    QMenu *menu(const QString &name) const;
    // The submenu of that name, or null when the item has none (for code that takes
    // an item or a submenu alike; action() then still checks the name).
    QMenu *submenuIfAny(const QString &name) const;

    // The photo panel widened over the card and colour panels ("Scherm Vergroten"),
    // or back at its normal width: the window's answer to the photo workspace's
    // enlargedViewChanged. Sets the check mark, the Zoom menu and the
    // selection rectangle's visibility with it.
    void setEnlargedPhotoPanel(bool enlarged);

    // Before the card is thrown away (closing, "Nieuw", "Open Kaart"): when it changed
    // since it was saved, asks whether to save it first. True when the caller may go on:
    // no changes, "Nee", or "Ja" and the card was saved.
    bool settleUnsavedChanges();

    // The card's name in the title bar, with a "*" while it has unsaved changes: the
    // card last saved or opened. Empty (a new card) leaves the program's own title.
    void setCardName(const QString &name);
    const QString &cardName() const { return m_cardName; }

    // The info line's clock; the system clock unless a test sets another.
    void setClock(std::function<QDateTime()> clock);
    // What every tick of the info timer does.
    void updateInfoLine();
    // A notice in the info line now; the clock's texts take the line back in turn. What
    // does not fit the line's strip is cut short with "…" and shown whole as its tooltip.
    void showInfo(const QString &text);
    // The same with a brief text for the line and the whole notice as its tooltip.
    void showInfoInBrief(const QString &brief, const QString &whole);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPhotoPanel(QWidget *client);
    void buildCardPanel(QWidget *client);
    void buildInfoStrip(QWidget *client);
    void buildColourPanel(QWidget *client);
    void buildStampBorderPanel(QWidget *client);
    void connectMenu();
    void connectViewChoices();

    void editTextLine(int line);
    void chooseFont();
    void newCard();
    void toggleHelpPanel();

    void followText();
    void followBackground();
    void followLayout();
    void followBorder();
    void followStampBorderStyle();
    void followHistory();
    void followTitle();
    void followSide();
    void followPerson();
    void removeBack();

    CardDocument &m_document;
    Questions &m_questions;
    QString m_settingsPath;
    std::function<QDateTime()> m_clock;
    // The font dialog's last choice, as the card took it.
    QFont m_lastChosenFont;
    QString m_cardName;

    QWidget *m_photoFrame = nullptr;
    PhotoPanel *m_photoPanel = nullptr;
    QLabel *m_helpLabel = nullptr;
    QWidget *m_cardFrame = nullptr;
    CardView *m_card = nullptr;
    QLabel *m_infoLine = nullptr;
    QWidget *m_colourFrame = nullptr;
    std::array<QScrollBar *, 3> m_textBars{};
    std::array<QScrollBar *, 3> m_backBars{};
    QLabel *m_textSwatch = nullptr;
    QLabel *m_backSwatch = nullptr;
    QWidget *m_stampBorderFrame = nullptr;
    QLabel *m_stampBorderPreview = nullptr;
    std::array<QRadioButton *, 5> m_stampBorderOptions{};
};
