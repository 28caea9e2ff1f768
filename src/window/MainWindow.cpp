#include "window/MainWindow.h"

#include "core/Algemeen.h"
#include "assets/BuiltinPictures.h"
#include "core/CardDocument.h"
#include "core/CardPainter.h"
#include "core/CommandGuard.h"
#include "core/ViewChoices.h"
#include "window/CardView.h"
#include "window/FontConfigStart.h"
#include "core/Composition.h"
#include "core/HelpMenu.h"
#include "core/InfoLine.h"
#include "window/MenuTree.h"
#include "merge/ShownPerson.h"
#include "stamp/panel/PhotoView.h"
#include "stamp/panel/PhotoPanel.h"
#include "stamp/PhotoWorkspace.h"
#include "core/Questions.h"
#include "core/SettingsFile.h"
#include "window/WindowControls.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

namespace {

// The font as the card keeps it: family, whole points, bold or not, italic or not,
// underline. What else the dialog's face had (its style name, a weight between) the
// card never draws.
QFont asTheCardKeepsIt(const LineFont &card)
{
    QFont font(card.name);
    font.setPointSize(std::max(1, card.size));
    font.setWeight(card.bold ? QFont::Bold : QFont::Normal);
    font.setStyle(card.italic ? QFont::StyleItalic : QFont::StyleNormal);
    font.setUnderline(card.underline);
    return font;
}

} // namespace

MainWindow::MainWindow(CardDocument &document, Questions &questions, const QString &settingsPath,
                       QWidget *parent)
    : QMainWindow(parent)
    , m_document(document)
    , m_questions(questions)
    , m_settingsPath(settingsPath)
    , m_clock([] { return QDateTime::currentDateTime(); })
    , m_lastChosenFont(asTheCardKeepsIt(CardPainter::cardFont(CardState())))
{
    setObjectName(QStringLiteral("Main"));
    followTitle();
    // The designed captions fit the classic 8-point dialog font; the card's own font
    // family then is the only one the first paint loads.
    setFont(QFont(QStringLiteral("Arial"), 8));
    MenuTree::build(*menuBar());

    auto *client = new QWidget(this);
    setCentralWidget(client);
    buildPhotoPanel(client);
    // The card panel measures the first text.
    waitForFontConfig();
    buildCardPanel(client);
    buildInfoStrip(client);
    buildColourPanel(client);
    buildStampBorderPanel(client);
    // 11370 x 7755 twips.
    setFixedSize(758, 517);

    connect(m_card, &CardView::textLineClicked, this,
            [this](int line) { CommandGuard::run(m_questions, [this, line] { editTextLine(line); }); });
    connect(&m_document, &CardDocument::textChanged, this, &MainWindow::followText);
    connect(&m_document, &CardDocument::canvasChanged, this, &MainWindow::followBackground);
    connect(&m_document, &CardDocument::layoutChanged, this, &MainWindow::followLayout);
    connect(&m_document, &CardDocument::borderChanged, this, &MainWindow::followBorder);
    connect(&m_document, &CardDocument::stampBorderStyleChanged, this, &MainWindow::followStampBorderStyle);
    connect(&m_document, &CardDocument::historyChanged, this, &MainWindow::followHistory);
    connect(&m_document, &CardDocument::modifiedChanged, this, &MainWindow::followTitle);
    connect(&m_document, &CardDocument::sideChanged, this, [this] {
        followSide();
        showInfo(m_document.shownSide() == CardSide::Back ? QStringLiteral("Achterkant van de kaart")
                                                          : QStringLiteral("Voorkant van de kaart"));
    });
    // Whether there is a back to remove changes with any step, undo and redo included.
    connect(&m_document, &CardDocument::historyChanged, this, &MainWindow::followSide);
    connect(&m_document, &CardDocument::cardRenewed, this, [this] { setCardName(QString()); });
    connect(&m_document, &CardDocument::personChanged, this, [this] {
        followPerson();
        const QString caption = personCaption(m_document);
        if (!caption.isEmpty())
            showInfo(caption);
    });
    connect(&m_document, &CardDocument::nameCaptionChanged, this,
            [this] { action(QStringLiteral("NaamBestand"))->setText(m_document.nameCaption()); });
    connect(&photoWorkspace(), &PhotoWorkspace::enlargedViewChanged, this, &MainWindow::setEnlargedPhotoPanel);
    connectMenu();

    followText();
    followBackground();
    followLayout();
    followBorder();
    followStampBorderStyle();
    followHistory();
    followSide();
    followPerson();

    auto *timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("InfoTimer"));
    timer->setInterval(1000);
    connect(timer, &QTimer::timeout, this, &MainWindow::updateInfoLine);
    timer->start();

    SettingsFile::loadAtStartup(m_settingsPath, m_document.printSettings());
    m_card->followSheet();
}

MainWindow::~MainWindow() = default;

PhotoView *MainWindow::photoView() const
{
    return m_photoPanel->view();
}

PhotoWorkspace &MainWindow::photoWorkspace() const
{
    return m_photoPanel->workspace();
}

QAction *MainWindow::action(const QString &name) const
{
    if (auto *found = menuBar()->findChild<QAction *>(name))
        return found;
    throw UnknownControl("the menu has no item named \"" + name.toStdString() + '"');
}

QMenu *MainWindow::menu(const QString &name) const
{
    if (auto *found = menuBar()->findChild<QMenu *>(name))
        return found;
    throw UnknownControl("the menu has no submenu named \"" + name.toStdString() + '"');
}

QMenu *MainWindow::submenuIfAny(const QString &name) const
{
    return menuBar()->findChild<QMenu *>(name);
}

void MainWindow::connectMenu()
{
    const auto on = [this](const QString &name, auto handler) {
        connect(action(name), &QAction::triggered, this, CommandGuard::guarded(m_questions, handler));
    };
    on(QStringLiteral("FileNieuw"), [this] { newCard(); });
    on(QStringLiteral("Fileexit"), [this] { close(); });
    on(QStringLiteral("WijzigenOngedaan"), [this] { m_document.undo(); });
    on(QStringLiteral("WijzigenOpnieuw"), [this] { m_document.redo(); });
    action(QStringLiteral("WijzigenOngedaan"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    action(QStringLiteral("WijzigenOpnieuw"))
        ->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    for (int kind = 0; kind <= 4; ++kind)
        on(QStringLiteral("LayoutShow(%1)").arg(kind), [this, kind] { m_document.applyLayout(kind); });
    for (int item = 1; item <= 4; ++item)
        on(QStringLiteral("ToolsBorderKleur(%1)").arg(item),
           [this, item] { m_document.chooseBorderItem(item); });
    on(QStringLiteral("TekstLettertype"), [this] { chooseFont(); });
    on(QStringLiteral("KantVoor"), [this] { m_document.showSide(CardSide::Front); });
    on(QStringLiteral("KantAchter"), [this] { m_document.showSide(CardSide::Back); });
    on(QStringLiteral("KantAchterWeg"), [this] { removeBack(); });
    on(QStringLiteral("PersoonVorige"), [this] { m_document.showPerson(m_document.shownPerson() - 1); });
    on(QStringLiteral("PersoonVolgende"), [this] { m_document.showPerson(m_document.shownPerson() + 1); });
    action(QStringLiteral("PersoonVorige"))->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    action(QStringLiteral("PersoonVolgende"))->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    connectViewChoices();
    // Ctrl+Tab turns the card over, whichever side it shows. A menu item would show the
    // key beside one of the two sides only.
    auto *turn = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    turn->setObjectName(QStringLiteral("KantOmdraaien"));
    connect(turn, &QShortcut::activated, this, CommandGuard::guarded(m_questions, [this] {
                m_document.showSide(m_document.shownSide() == CardSide::Front ? CardSide::Back : CardSide::Front);
            }));
    on(QStringLiteral("HelpHelp"), [this] { toggleHelpPanel(); });
    on(QStringLiteral("HelpHandleiding"), [this] {
        const QString manual = HelpMenu::manualPath(QCoreApplication::applicationDirPath());
        if (manual.isEmpty())
            m_questions.message(QStringLiteral("Handleiding"),
                                QStringLiteral("De handleiding Lumovander.pdf is niet gevonden bij het programma."));
        else
            Algemeen::OpenDocument(manual);
    });
    on(QStringLiteral("HelpSoftware"), [] { Algemeen::OpenDocument(HelpMenu::moreSoftwareAddress()); });
    on(QStringLiteral("HelpVeltrano"), [] { Algemeen::OpenDocument(HelpMenu::partnerAddress()); });
}

// The view the user last chose comes back at the next start; the card itself does not
// change with it.
void MainWindow::connectViewChoices()
{
    const QString path = ViewChoices::besideSettings(m_settingsPath);
    const ViewChoices choices = ViewChoices::read(path);
    QAction *printed = action(QStringLiteral("BeeldAfgedrukt"));
    QAction *margin = action(QStringLiteral("BeeldVeiligeRand"));
    printed->setShortcut(QKeySequence(Qt::Key_F9));
    printed->setChecked(choices.printed);
    margin->setChecked(choices.safetyMargin);
    m_card->setPrinted(choices.printed);
    m_card->setSafetyMargin(choices.safetyMargin);
    const auto keep = [this, printed, margin, path] {
        m_card->setPrinted(printed->isChecked());
        m_card->setSafetyMargin(margin->isChecked());
        if (!ViewChoices{printed->isChecked(), margin->isChecked()}.write(path))
            showInfo(QStringLiteral("De keuze van het beeld kon niet worden bewaard in ") + path + QLatin1Char('.'));
    };
    for (QAction *choice : {printed, margin})
        connect(choice, &QAction::toggled, this, keep);
}

void MainWindow::setEnlargedPhotoPanel(bool enlarged)
{
    m_photoPanel->setEnlarged(enlarged);
    for (QWidget *covered : {m_cardFrame, m_colourFrame, m_stampBorderFrame})
        covered->setVisible(!enlarged);
    action(QStringLiteral("PasfotoVergroting"))->setChecked(enlarged);
    action(QStringLiteral("ZoomSize"))->setEnabled(enlarged);
}

void MainWindow::setClock(std::function<QDateTime()> clock)
{
    m_clock = std::move(clock);
}

void MainWindow::updateInfoLine()
{
    const QString next = InfoLine::text(m_clock(), m_infoLine->text(), QLocale());
    // A notice kept on the line keeps its tooltip too.
    if (next != m_infoLine->text())
        showInfo(next);
}

void MainWindow::showInfo(const QString &text)
{
    showInfoInBrief(text, {});
}

void MainWindow::showInfoInBrief(const QString &brief, const QString &whole)
{
    const InfoLine::Shown shown =
        InfoLine::fitted(brief, whole, m_infoLine->fontMetrics(), m_infoLine->maximumWidth());
    m_infoLine->setText(shown.text);
    m_infoLine->setToolTip(shown.toolTip);
    m_infoLine->adjustSize();
}

bool MainWindow::settleUnsavedChanges()
{
    if (!m_document.isModified())
        return true;
    switch (m_questions.yesNoCancel(QStringLiteral(" Lumovander"),
                                    QStringLiteral("De kaart is gewijzigd. Wilt u de wijzigingen opslaan?"))) {
    case Questions::Answer::No:
        return true;
    case Questions::Answer::Cancel:
        return false;
    case Questions::Answer::Yes:
        break;
    }
    // "Kaart Opslaan" marks the card saved only when it wrote it; a cancelled or
    // failed save leaves it changed, and then nothing may be thrown away.
    action(QStringLiteral("FileSaveKaart"))->trigger();
    return !m_document.isModified();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Whoever answered whether to save a changed card has already said that the
    // program may end: asking once more would only ask the same thing again.
    const bool askedAboutChanges = m_document.isModified();
    if (!settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    if (!askedAboutChanges
        && !m_questions.yesNo(QStringLiteral(" Exit programma"),
                              QStringLiteral("Wilt u dit programma nu afsluiten?"))) {
        event->ignore();
        return;
    }
    if (!SettingsFile::write(m_settingsPath, m_document.printSettings()))
        m_questions.message(QStringLiteral("Lumovander"),
                            QStringLiteral("De afdrukinstellingen konden niet worden bewaard in ")
                                + m_settingsPath + QLatin1Char('.'));
    event->accept();
    // Ends the run at once, also from inside a dialog, without asking again.
    QCoreApplication::quit();
}

void MainWindow::editTextLine(int line)
{
    // With a team the box shows the shown person's line, and a mapped line types that
    // person's field.
    const auto answer = m_questions.inputText(
        QStringLiteral(" Invoer tekst"), QStringLiteral("Geef een tekst voor regel...%1").arg(line),
        shownLineText(m_document, line));
    if (answer)
        enterShownLine(m_document, line, *answer);
}

void MainWindow::followPerson()
{
    const bool team = shownRow(m_document) >= 0;
    const int person = m_document.shownPerson();
    const int count = team ? int(m_document.team()->people().size()) : 0;
    action(QStringLiteral("PersoonVorige"))->setEnabled(team && person > 0);
    action(QStringLiteral("PersoonVolgende"))->setEnabled(team && person + 1 < count);
}

void MainWindow::chooseFont()
{
    const auto chosen = m_questions.chooseFont(m_lastChosenFont);
    if (!chosen)
        return;
    m_document.applyChosenFont(*chosen);
    // The dialog opens next time on this choice, and on the face the card draws of it.
    m_lastChosenFont = asTheCardKeepsIt(CardPainter::cardFont(m_document.state()));
}

void MainWindow::newCard()
{
    if (!settleUnsavedChanges())
        return;
    if (!m_questions.yesNo(QStringLiteral(" Nieuw"), QStringLiteral("Wilt u een nieuwe kaart ontwerpen?")))
        return;
    // The photo workspace narrows the panel and puts the start picture back.
    m_document.newCard();
}

void MainWindow::setCardName(const QString &name)
{
    m_cardName = name;
    followTitle();
}

void MainWindow::followTitle()
{
    const QString program = QStringLiteral("Lumovander");
    if (m_cardName.isEmpty() && !m_document.isModified() && m_document.shownSide() == CardSide::Front) {
        setWindowTitle(QLatin1Char(' ') + program);
        return;
    }
    const QString name = m_cardName.isEmpty() ? QStringLiteral("Naamloos") : m_cardName;
    const QString changed = m_document.isModified() ? QStringLiteral("*") : QString();
    // A card with two sides says which one the window shows.
    QString side;
    if (m_document.shownSide() == CardSide::Back)
        side = QStringLiteral(" (achterkant)");
    else if (m_document.hasBack())
        side = QStringLiteral(" (voorkant)");
    setWindowTitle(name + changed + side + QStringLiteral(" \u2013 ") + program);
}

void MainWindow::toggleHelpPanel()
{
    const bool show = !m_helpLabel->isVisibleTo(m_photoFrame);
    if (show)
        m_helpLabel->setText(HelpMenu::panelText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    photoView()->setVisible(!show);
    m_helpLabel->setVisible(show);
    action(QStringLiteral("HelpHelp"))->setChecked(show);
}

namespace {

// Bars and swatch show a colour; the bars stay quiet, the document already holds it.
void showColour(const std::array<QScrollBar *, 3> &bars, QLabel *swatch, const QColor &colour)
{
    const int components[] = {colour.red(), colour.green(), colour.blue()};
    for (int c = 0; c < 3; ++c) {
        const QSignalBlocker quiet(bars[size_t(c)]);
        bars[size_t(c)]->setValue(components[c]);
    }
    WindowControls::fill(swatch, colour);
}

} // namespace

void MainWindow::followText()
{
    showColour(m_textBars, m_textSwatch, m_document.state().textColor());
}

void MainWindow::followBackground()
{
    showColour(m_backBars, m_backSwatch, m_document.state().backColor());
}

void MainWindow::followLayout()
{
    // The layout and the stamp are the front's.
    const int kind = m_document.card().state.LayoutKind;
    const bool front = m_document.shownSide() == CardSide::Front;
    for (int k = 0; k <= 4; ++k)
        action(QStringLiteral("LayoutShow(%1)").arg(k))->setChecked(k == kind);
    action(QStringLiteral("Layout"))->setEnabled(front);
    action(QStringLiteral("Pasfoto"))->setEnabled(front && Composition::hasStamp(kind));
    m_stampBorderFrame->setEnabled(front);
}

void MainWindow::followSide()
{
    const bool back = m_document.shownSide() == CardSide::Back;
    action(QStringLiteral("KantVoor"))->setChecked(!back);
    action(QStringLiteral("KantAchter"))->setChecked(back);
    action(QStringLiteral("KantAchterWeg"))->setEnabled(m_document.hasBack());
    followTitle();
}

void MainWindow::removeBack()
{
    if (!m_document.hasBack())
        return;
    if (m_questions.yesNo(QStringLiteral(" Achterkant verwijderen"),
                          QStringLiteral("Wilt u de achterkant van deze kaart verwijderen?")))
        m_document.removeBack();
}

void MainWindow::followBorder()
{
    for (int item = 1; item <= 4; ++item)
        action(QStringLiteral("ToolsBorderKleur(%1)").arg(item))
            ->setChecked(item == m_document.checkedBorderItem());
}

void MainWindow::followHistory()
{
    QAction *undo = action(QStringLiteral("WijzigenOngedaan"));
    QAction *redo = action(QStringLiteral("WijzigenOpnieuw"));
    undo->setEnabled(m_document.canUndo());
    redo->setEnabled(m_document.canRedo());
    const auto caption = [](const QString &command, const QString &step) {
        return step.isEmpty() ? command : command + QStringLiteral(": ") + step;
    };
    undo->setText(caption(QStringLiteral("Ongedaan maken"), m_document.undoName()));
    redo->setText(caption(QStringLiteral("Opnieuw"), m_document.redoName()));
}

void MainWindow::followStampBorderStyle()
{
    const int option = m_document.stampBorderOption();
    m_stampBorderPreview->setPixmap(QPixmap::fromImage(BuiltinPictures::thumbnail(option)));
    m_stampBorderOptions[size_t(option)]->setChecked(true);
}
