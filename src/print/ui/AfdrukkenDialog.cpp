#include "print/ui/AfdrukkenDialog.h"

#include "core/CommandGuard.h"
#include "assets/BuiltinPictures.h"
#include "core/Card.h"
#include "core/PrintSettings.h"
#include "print/CorrectionFile.h"
#include "print/ui/PagePreviewDialog.h"
#include "print/ui/PrintDialogControls.h"
#include "print/PrintTarget.h"
#include "print/SheetPreview.h"
#include "window/WindowControls.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

using namespace WindowControls;
using namespace PrintDialogControls;

namespace {

QStringList sheetCounts()
{
    QStringList counts;
    for (int n = 1; n <= 10; ++n)
        counts << QString::number(n);
    return counts;
}

// The line reaches past the preview's right edge, as designed.
constexpr int ScanLineWidth = 141;

// Where the lines below the frame start, and how high the correction line is.
constexpr int BelowFrame = 224;
constexpr int CorrectionLineHeight = 18;
constexpr int LineWidth = 250;
constexpr int FirstCardWidth = 44;
constexpr int MaxPerPerson = 100;

// The entries of "Dubbelzijdig", in the order of Duplex.
const QStringList SideChoices = {
    QStringLiteral("Alleen voorkant"),
    QStringLiteral("Dubbelzijdig, omslaan over de lange kant"),
    QStringLiteral("Dubbelzijdig, omslaan over de korte kant"),
    QStringLiteral("Handmatig: eerst de voorkanten, dan de achterkanten"),
};

PrinterCorrection correctionOf(const QString &correctionFile, const QString &entry)
{
    return correctionFile.isEmpty() ? PrinterCorrection() : CorrectionFile::correctionFor(correctionFile, entry);
}

PrinterCorrection backCorrectionOf(const QString &correctionFile, const QString &entry, CorrectionFile::FlipEdge edge)
{
    return correctionFile.isEmpty() ? PrinterCorrection()
                                    : CorrectionFile::backCorrectionFor(correctionFile, entry, edge);
}

} // namespace

AfdrukkenDialog::AfdrukkenDialog(const Card &card, const PrintSettings &settings, Questions &questions,
                                 PrintTarget &printer, WaitFunction wait, const QString &correctionFile,
                                 QWidget *parent)
    : QDialog(parent)
    , m_questions(questions)
    , m_printer(printer)
    , m_wait(std::move(wait))
    , m_card(PrintedCard::from(card))
    , m_sheet(SheetGeometry::from(settings))
    , m_correction(correctionOf(correctionFile, correctionEntry(printer)))
{
    if (card.team && !card.team->people().isEmpty())
        m_team = std::make_unique<TeamFaces>(card, card.back.has_value());
    if (card.back) {
        m_back = PrintedCard::from(*card.back, nullptr);
        m_backLongEdge = backCorrectionOf(correctionFile, correctionEntry(printer), CorrectionFile::FlipEdge::Long);
        m_backShortEdge = backCorrectionOf(correctionFile, correctionEntry(printer), CorrectionFile::FlipEdge::Short);
    }
    setObjectName(QStringLiteral("Afdrukken"));
    setWindowTitle(QStringLiteral(" Kaartjes Afdrukken"));
    setFont(QFont(QStringLiteral("Arial"), 8));

    QWidget *frame1 = frame(this, QStringLiteral("Frame1"), pixelRect(5, -1, 254, 218));
    colouredLabel(frame1, QStringLiteral("BackA4"), pixelRect(12, 18, 138, 188), QColor(192, 192, 255));
    m_sheetPicture = colouredLabel(frame1, QStringLiteral("Picture1"), pixelRect(16, 22, 130, 180), QColor());
    m_sheetPicture->setToolTip(QStringLiteral(" WYSIWYG "));
    m_scanLine =
        colouredLabel(m_sheetPicture, QStringLiteral("Lijn"), pixelRect(0, 0, ScanLineWidth, 1), QColor(192, 0, 0));
    m_scanLine->hide();

    m_sheetCount = choiceBox(frame1, QStringLiteral("Combo1"), QPoint(160, 18), 40, sheetCounts(),
                             QColor(192, 255, 192));
    greyCaption(frame1, QStringLiteral("Label4"), QPoint(204, 21), QStringLiteral("Pagina's"));
    m_status = greyCaption(frame1, QStringLiteral("Label2"), QPoint(160, 50), ScanAnimation::AtRest);

    QPushButton *pagePreview = pushButton(frame1, QStringLiteral("VoorbeeldKnop"), QStringLiteral("Voorbeeld"),
                                          pixelRect(162, 90, 80, 20));
    pagePreview->setToolTip(QStringLiteral(" De bladzijden zoals ze worden afgedrukt "));

    QLabel *printerPicture = colouredLabel(frame1, QStringLiteral("Image1"), pixelRect(160, 120, 84, 50), QColor());
    printerPicture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    printerPicture->setPixmap(QPixmap::fromImage(BuiltinPictures::printerPicture()));

    colouredLabel(frame1, QStringLiteral("Label1"), pixelRect(160, 181, 84, 24), QColor(64, 64, 64));
    m_printButton = pushButton(frame1, QStringLiteral("PrintKnop"), QStringLiteral("Print"), pixelRect(162, 183, 40, 20));
    m_exitButton = pushButton(frame1, QStringLiteral("ExitKnop"), QStringLiteral("Exit"), pixelRect(202, 183, 40, 20));

    const int end = placeLinesBelowFrame(BelowFrame);
    m_sheetPicture->setPixmap(QPixmap::fromImage(sheetPicture()));
    // The designed dialog and, below its frame, the lines; a card without a back keeps
    // the dialog's size as it was.
    const int wide = m_sides ? m_sides->geometry().right() + 10 : 0;
    setFixedSize(std::max(clientSize(QSize(270, 253)).width(), wide), end + 4);
    showCardsOffPage(m_sheet.cardsOffPage(printer.printableCornerMm(), m_correction), end);

    connect(m_printButton, &QPushButton::clicked, this, CommandGuard::guarded(m_questions, [this] { print(); }));
    connect(m_exitButton, &QPushButton::clicked, this, &AfdrukkenDialog::reject);
    connect(pagePreview, &QPushButton::clicked, this, CommandGuard::guarded(m_questions, [this] { showPagePreview(); }));
    connect(m_sheetCount, &QComboBox::currentIndexChanged, this, &AfdrukkenDialog::refreshPagePreview);
}

AfdrukkenDialog::~AfdrukkenDialog() = default;

int AfdrukkenDialog::placeLinesBelowFrame(int top)
{
    int y = top;
    QLabel *firstCaption = greyCaption(this, QStringLiteral("BeginKaartLabel"), QPoint(10, y),
                                       QStringLiteral("Begin bij kaart"));
    m_firstCard = numberBox(this, QStringLiteral("BeginKaart"), QPoint(firstCaption->geometry().right() + 8, y - 2),
                            FirstCardWidth, 1, m_sheet.cardsPerSheet, QColor(192, 255, 192));
    m_firstCard->setToolTip(QStringLiteral(" De eerste vrije kaart op het eerste vel; de kaarten ervoor blijven leeg "));
    connect(m_firstCard, &QSpinBox::valueChanged, this, &AfdrukkenDialog::firstCardChosen);
    y += 24;
    if (m_team) {
        QLabel *perCaption =
            greyCaption(this, QStringLiteral("PerPersoonLabel"), QPoint(10, y), QStringLiteral("Per persoon"));
        m_perPerson = numberBox(this, QStringLiteral("PerPersoon"),
                                QPoint(std::max(perCaption->geometry().right(), m_firstCard->x() - 8) + 8, y - 2),
                                FirstCardWidth, 1, MaxPerPerson, QColor(192, 255, 192));
        m_perPerson->setToolTip(QStringLiteral(" Hoeveel kaartjes ieder krijgt, naast elkaar "));
        m_teamLine = greyCaption(this, QStringLiteral("PersonenRegel"),
                                 QPoint(m_perPerson->geometry().right() + 8, y), QString());
        connect(m_perPerson, &QSpinBox::valueChanged, this, &AfdrukkenDialog::firstCardChosen);
        connect(m_sheetCount, &QComboBox::currentIndexChanged, this, &AfdrukkenDialog::showTeamSize);
        showTeamSize();
        y += 24;
    }
    if (m_back) {
        m_sides = choiceBox(this, QStringLiteral("Dubbelzijdig"), QPoint(10, y - 2), LineWidth, SideChoices,
                            QColor(192, 255, 192));
        // The longest choice is wider than the designed dialog: the dialog grows to show it whole.
        m_sides->resize(std::max(LineWidth, m_sides->sizeHint().width()), m_sides->height());
        m_sides->setToolTip(QStringLiteral(" Hoe de achterkanten achter de voorkanten komen "));
        y += 24;
    }
    greyCaption(this, QStringLiteral("CorrectieRegel"), QPoint(10, y), m_correction.caption());
    y += CorrectionLineHeight;
    if (m_back) {
        m_backCorrectionLine = greyCaption(this, QStringLiteral("AchterCorrectieRegel"), QPoint(10, y - 2), QString());
        m_backCorrectionLine->hide();
        y += CorrectionLineHeight - 2;
        connect(m_sides, &QComboBox::currentIndexChanged, this, [this] { sidesChosen(); });
    }
    return y;
}

// The backs' line names the correction of the edge chosen; a double-sided choice on a
// preview already open shows its pages at once.
void AfdrukkenDialog::sidesChosen()
{
    const Duplex chosen = duplex();
    m_backCorrectionLine->setVisible(chosen != Duplex::FrontOnly);
    m_backCorrectionLine->setText(request(1).backCorrection.backCaption());
    m_backCorrectionLine->adjustSize();
    refreshPagePreview();
}

// Both pictures leave the cards before the first one blank.
void AfdrukkenDialog::firstCardChosen()
{
    m_sheetPicture->setPixmap(QPixmap::fromImage(sheetPicture()));
    if (m_team)
        showTeamSize();
    refreshPagePreview();
}

// "12 personen, 2 vellen": the sheets the whole print takes, "Pagina's" times the team.
void AfdrukkenDialog::showTeamSize()
{
    const int sheets = plannedPrint(request(1), sheetCountChosen(), teamPrint()).sheetCount();
    const int people = m_team->people();
    m_teamLine->setText(QStringLiteral("%1 %2, %3 %4")
                            .arg(people)
                            .arg(people == 1 ? QStringLiteral("persoon") : QStringLiteral("personen"))
                            .arg(sheets)
                            .arg(sheets == 1 ? QStringLiteral("vel") : QStringLiteral("vellen")));
    m_teamLine->adjustSize();
}

// The first sheet as the print fills it: with a team, each slot's person by name.
QImage AfdrukkenDialog::sheetPicture() const
{
    const int first = m_firstCard->value() - 1;
    if (!m_team)
        return SheetPreview::draw(m_card, m_sheet.cardsPerSheet, first);
    QStringList names(m_sheet.cardsPerSheet);
    const SheetPlan plan = plannedPrint(request(1), 1, teamPrint());
    if (!plan.pages.isEmpty())
        for (const PlannedCard &planned : plan.pages.constFirst().cards)
            if (planned.slot >= 0 && planned.slot < names.size())
                names[planned.slot] = m_team->name(planned.card);
    return SheetPreview::draw(m_card, m_sheet.cardsPerSheet, first, names);
}

int AfdrukkenDialog::sheetCountChosen() const
{
    return std::clamp(m_sheetCount->currentText().toInt(), 1, 10);
}

TeamPrint AfdrukkenDialog::teamPrint() const
{
    if (!m_team)
        return {};
    return {m_team->people(), m_perPerson ? m_perPerson->value() : 1};
}

void AfdrukkenDialog::refreshPagePreview()
{
    if (m_pagePreview && m_pagePreview->isVisible())
        showPagePreview();
}

// Below the correction lines, in red, and only when the margins put a card beyond the
// paper: the preview draws its fixed grid whatever the margins are.
void AfdrukkenDialog::showCardsOffPage(const QList<int> &cards, int top)
{
    if (cards.isEmpty())
        return;
    auto *warning = new QLabel(offPageWarning(cards), this);
    warning->setObjectName(QStringLiteral("BuitenVelRegel"));
    warning->setWordWrap(true);
    QPalette red = warning->palette();
    red.setColor(QPalette::WindowText, QColor(200, 0, 0));
    warning->setPalette(red);
    const int height = warning->heightForWidth(LineWidth);
    warning->setGeometry(10, top, LineWidth, height);
    setFixedSize(width(), std::max(this->height(), top + height + 6));
}

Duplex AfdrukkenDialog::duplex() const
{
    if (!m_sides)
        return Duplex::FrontOnly;
    switch (m_sides->currentIndex()) {
    case 1:
        return Duplex::LongEdge;
    case 2:
        return Duplex::ShortEdge;
    case 3:
        return Duplex::ByHand;
    default:
        return Duplex::FrontOnly;
    }
}

SheetRequest AfdrukkenDialog::request(int sheets) const
{
    SheetRequest request;
    request.sheet = m_sheet;
    request.sheets = sheets;
    request.duplex = duplex();
    request.printableCorner = m_printer.printsToFile() ? QPointF() : m_printer.printableCornerMm();
    request.frontCorrection = m_correction;
    // By hand the stack is turned over its long edge.
    request.backCorrection = request.duplex == Duplex::ShortEdge ? m_backShortEdge : m_backLongEdge;
    request.firstSlot = m_firstCard->value() - 1;
    return request;
}

FaceSource AfdrukkenDialog::faces() const
{
    if (m_team)
        return [team = m_team.get()](int card, CardSide face) { return team->face(card, face); };
    return [this](int, CardSide face) -> const PrintedCard * {
        if (face == CardSide::Front)
            return &m_card;
        return m_back ? &*m_back : nullptr;
    };
}

// "Alleen voorkant", and any card without a back, print as the one-sided sheet always did:
// the plan of fronts only is that sheet, page for page.
void AfdrukkenDialog::print()
{
    runPrint(*this, m_questions, m_wait, m_sheetCount->currentText(), [this](int copies) {
        return printPlanTo(m_printer, m_questions, faces(), request(copies), copies, teamPrint());
    });
}

// Beside the dialog, not over it: the user can change the choices and see the pages follow.
void AfdrukkenDialog::showPagePreview()
{
    if (!m_pagePreview)
        m_pagePreview = new PagePreviewDialog(this);
    const SheetRequest planned = request(1);
    m_pagePreview->showPlan(faces(), m_sheet, plannedPrint(planned, sheetCountChosen(), teamPrint()),
                            planned.printableCorner);
    m_pagePreview->show();
    m_pagePreview->raise();
}

void AfdrukkenDialog::setStatusText(const QString &text)
{
    m_status->setText(text);
    m_status->adjustSize();
}

void AfdrukkenDialog::showScanLine(int height)
{
    m_scanLine->move(0, height);
    m_scanLine->show();
}

void AfdrukkenDialog::hideScanLine()
{
    m_scanLine->hide();
}

// The hourglass only over this dialog: a save dialog opened during the print keeps
// its own pointer.
void AfdrukkenDialog::setPrinting(bool printing)
{
    m_printing = printing;
    m_printButton->setEnabled(!printing);
    m_exitButton->setEnabled(!printing);
    // The choices are read when the animation ends: they hold still until then.
    if (m_sides)
        m_sides->setEnabled(!printing);
    m_firstCard->setEnabled(!printing);
    if (printing)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

// Escape and the window's close button end up here too.
void AfdrukkenDialog::reject()
{
    if (!m_printing)
        QDialog::reject();
}
