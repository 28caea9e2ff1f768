#include "print/ui/MargesDialog.h"

#include "core/CommandGuard.h"
#include "assets/BuiltinPictures.h"
#include "core/Questions.h"
#include "print/CalibrationSheet.h"
#include "print/CorrectionFile.h"
#include "print/ui/PrintDialogControls.h"
#include "print/PrintTarget.h"
#include "window/WindowControls.h"

#include <QAbstractProxyModel>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace WindowControls;
using namespace PrintDialogControls;

namespace {

const QString FieldLetters[] = {"A", "B", "C", "D", "H", "V"};
const QString FieldTips[] = {QString(), QString(), " Breedte van de kaartjes ", " Hoogte van de kaartjes ",
                             " Horizontale afstand tussen de kaartjes ", " Vertikale afstand tussen de kaartjes "};

int fieldTop(int field)
{
    return 16 + 20 * (field - 1);
}

// The designed dialog lies between the stock choice above and the correction below.
constexpr int StockStripHeight = 40;
constexpr int CorrectionTop = 300 + StockStripHeight + 4;
constexpr int CorrectionHeight = 116;
// The backs' correction below the fronts'.
constexpr int BackTop = CorrectionTop + CorrectionHeight + 4;
constexpr int BackHeight = 148;
const QString Title = QStringLiteral(" Afdruk Marges");

// The edges the paper can be turned over, in the print dialog's words.
const QString EdgeChoices[] = {QStringLiteral("omslaan over de lange kant"),
                               QStringLiteral("omslaan over de korte kant")};

// A scale beyond what the correction file accepts is a misreading.
bool saneScales(const PrinterCorrection &correction)
{
    const auto sane = [](double scale) { return scale >= CorrectionFile::MinScale && scale <= CorrectionFile::MaxScale; };
    return sane(correction.scaleX) && sane(correction.scaleY);
}

const QString TooLarge = QStringLiteral("Deze waarden geven een vergroting van meer dan 10 %. "
                                        "Controleer de aflezing; er is niets veranderd.");

CorrectionFile::FlipEdge flipEdge(Duplex edge)
{
    return edge == Duplex::ShortEdge ? CorrectionFile::FlipEdge::Short : CorrectionFile::FlipEdge::Long;
}

} // namespace

MargesDialog::MargesDialog(PrintSettings &settings, Questions &questions, PrintTarget &printer,
                           const QString &correctionFile, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_questions(questions)
    , m_printer(printer)
    , m_correctionFile(correctionFile)
    , m_form(settings, QLocale())
    , m_readings(QLocale())
    , m_backReadings(QLocale())
{
    setObjectName(QStringLiteral("Marges"));
    setWindowTitle(QStringLiteral(" Afdruk Marges"));
    // Dialogs do not inherit the window's font; the captions were laid out for this one.
    setFont(QFont(QStringLiteral("Arial"), 8));
    setFixedSize(clientSize(QSize(380, 336)) + QSize(0, StockStripHeight + CorrectionHeight + 4 + BackHeight + 4));

    buildStockFrame();
    buildDiagramFrame();
    buildFieldFrame();
    buildButtonFrame();
    buildCorrectionFrame();
    buildBackFrame();
    showForm();
    showCorrection();
    showBackCorrection();
}

void MargesDialog::buildStockFrame()
{
    QWidget *frame4 = frame(this, QStringLiteral("Frame4"), pixelRect(6, 0, 363, StockStripHeight - 2));
    greyCaption(frame4, QStringLiteral("Label6"), QPoint(9, 16), QStringLiteral("Kaartpapier"));
    m_stock = new QComboBox(frame4);
    const QStringList choices = m_form.stockChoices();
    m_stock->addItems(choices);
    for (int choice = 1; choice < choices.size(); ++choice)
        m_stock->setItemData(choice, m_form.stockTip(choice), Qt::ToolTipRole);
    m_stock->setMaxVisibleItems(20);
    place(m_stock, QStringLiteral("KaartpapierKeuze"), pixelRect(80, 12, 274, 20));
    m_stock->setToolTip(QStringLiteral(" Vult de marges in voor een vel kaartpapier; typ om te zoeken "));

    // Typing filters the list on any part of a name, so that a product code finds its sheet
    // among the library's many; what is typed is never added as a choice.
    m_stock->setEditable(true);
    m_stock->setInsertPolicy(QComboBox::NoInsert);
    auto *search = new QCompleter(m_stock->model(), m_stock);
    search->setFilterMode(Qt::MatchContains);
    search->setCaseSensitivity(Qt::CaseInsensitive);
    search->setCompletionMode(QCompleter::PopupCompletion);
    search->setMaxVisibleItems(20);
    m_stock->setCompleter(search);

    // Only the user's choice fills the fields; the dialog setting the box does not.
    connect(m_stock, &QComboBox::activated, this, &MargesDialog::stockChosen);
    connect(search, qOverload<const QModelIndex &>(&QCompleter::activated), this, [this, search](const QModelIndex &found) {
        const auto *filtered = qobject_cast<const QAbstractProxyModel *>(search->completionModel());
        if (filtered)
            stockChosen(filtered->mapToSource(found).row());
    });
    // Clicking into the box selects its text, so that typing starts a search.
    m_stockText = m_stock->lineEdit();
    m_stockText->installEventFilter(this);
    // A search left without a choice shows the choice in force again.
    connect(m_stock->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { m_stock->setEditText(m_stock->itemText(m_stock->currentIndex())); });
}

bool MargesDialog::eventFilter(QObject *watched, QEvent *event)
{
    // After the click has placed the cursor, which would undo a selection made now.
    if (watched == m_stockText && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_stockText, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

void MargesDialog::stockChosen(int choice)
{
    if (choice < 0)
        return;
    m_form.chooseStock(choice);
    showForm();
    m_stock->setEditText(m_stock->itemText(m_stock->currentIndex()));
}

void MargesDialog::buildCorrectionFrame()
{
    QWidget *frame5 = frame(this, QStringLiteral("Frame5"), pixelRect(6, CorrectionTop, 363, CorrectionHeight));
    greyCaption(frame5, QStringLiteral("Label7"), QPoint(9, 12),
                QStringLiteral("Correctie voor: %1").arg(correctionEntry(m_printer)));
    greyCaption(frame5, QStringLiteral("Label8"), QPoint(106, 30), QStringLiteral("horizontaal"));
    greyCaption(frame5, QStringLiteral("Label9"), QPoint(170, 30), QStringLiteral("verticaal"));
    greyCaption(frame5, QStringLiteral("Label10"), QPoint(9, 50), QStringLiteral("Linksboven (mm)"));
    greyCaption(frame5, QStringLiteral("Label11"), QPoint(9, 72), QStringLiteral("Rechtsonder (mm)"));
    for (int field = 1; field <= CorrectionForm::FieldCount; ++field) {
        auto *edit = new QLineEdit(frame5);
        const int column = (field - 1) % 2;
        const int row = (field - 1) / 2;
        place(edit, QStringLiteral("CorrectieText(%1)").arg(field), pixelRect(106 + 64 * column, 47 + 22 * row, 56, 19));
        edit->setToolTip(QStringLiteral(" %1: + is naar rechts of naar beneden ").arg(CorrectionForm::fieldName(field)));
        connect(edit, &QLineEdit::textChanged, this,
                [this, field](const QString &text) { m_readings.setFieldText(field, text); });
        m_readingFields[field - 1] = edit;
    }
    m_correction = greyCaption(frame5, QStringLiteral("CorrectieTekst"), QPoint(9, 96), QString());

    QPushButton *test = pushButton(frame5, QStringLiteral("TestpaginaKnop"), QStringLiteral("Testpagina"),
                                   pixelRect(268, 12, 86, 22));
    test->setToolTip(QStringLiteral(" Drukt een meetvel af met linialen op de hoeken "));
    QPushButton *store = pushButton(frame5, QStringLiteral("CorrectieOpslaanKnop"), QStringLiteral("Opslaan"),
                                    pixelRect(268, 44, 86, 22));
    store->setToolTip(QStringLiteral(" Correctie voor deze printer bewaren "));
    QPushButton *clear =
        pushButton(frame5, QStringLiteral("WissenKnop"), QStringLiteral("Wissen"), pixelRect(268, 70, 86, 22));
    clear->setToolTip(QStringLiteral(" Correctie voor deze printer verwijderen "));
    connect(test, &QPushButton::clicked, this, &MargesDialog::printCalibrationSheet);
    connect(store, &QPushButton::clicked, this, &MargesDialog::storeCorrection);
    connect(clear, &QPushButton::clicked, this, &MargesDialog::clearCorrection);
}

// The sheet as the fields stand, before "Ok": the test page is for what the user sees.
SheetGeometry MargesDialog::fieldGeometry() const
{
    PrintSettings trial = m_settings;
    m_form.confirm(trial);
    return SheetGeometry::from(trial);
}

// A value the sheet would replace is said before anything prints or is stored, and
// the dialog stays open on the first field to mend.
bool MargesDialog::fieldsPrintAsTyped()
{
    const QList<MarginsForm::FieldProblem> problems = m_form.problems();
    if (problems.isEmpty())
        return true;
    m_questions.message(Title, MarginsForm::problemText(problems));
    QLineEdit *first = m_fields[problems.first().field - 1];
    first->setFocus();
    first->selectAll();
    return false;
}

void MargesDialog::printCalibrationSheet()
{
    if (!fieldsPrintAsTyped())
        return;
    const SheetGeometry sheet = fieldGeometry();
    const QString printer = correctionEntry(m_printer);
    // Without correction: the sheet measures the printer's own error.
    const PrintOutcome outcome = printPagesTo(
        m_printer, m_questions, QStringLiteral("Testpagina.pdf"),
        [&](QPainter &painter) { CalibrationSheet::draw(painter, sheet, printer); }, 1);
    if (outcome.isFailed())
        m_questions.message(Title, outcome.message);
}

void MargesDialog::storeCorrection()
{
    QString problem;
    const auto readings = m_readings.readings(problem);
    if (!readings) {
        m_questions.message(Title, problem);
        return;
    }
    const CalibrationSheet::Corners corners = CalibrationSheet::nominalCorners(fieldGeometry());
    const PrinterCorrection correction =
        PrinterCorrection::fromReadings(*readings, corners.topLeft, corners.bottomRight);
    if (!saneScales(correction)) {
        m_questions.message(Title, TooLarge);
        return;
    }
    if (!CorrectionFile::store(m_correctionFile, correctionEntry(m_printer), correction)) {
        m_questions.message(Title, QStringLiteral("De correctie kon niet worden bewaard in '%1'.").arg(m_correctionFile));
        return;
    }
    showCorrection();
}

void MargesDialog::clearCorrection()
{
    if (!CorrectionFile::store(m_correctionFile, correctionEntry(m_printer), PrinterCorrection())) {
        m_questions.message(Title, QStringLiteral("De correctie kon niet worden gewist in '%1'.").arg(m_correctionFile));
        return;
    }
    for (QLineEdit *edit : m_readingFields)
        edit->clear();
    showCorrection();
}

void MargesDialog::showCorrection()
{
    m_correction->setText(CorrectionFile::correctionFor(m_correctionFile, correctionEntry(m_printer)).caption());
    m_correction->adjustSize();
}

void MargesDialog::buildBackFrame()
{
    QWidget *frame6 = frame(this, QStringLiteral("Frame6"), pixelRect(6, BackTop, 363, BackHeight));
    greyCaption(frame6, QStringLiteral("Label12"), QPoint(9, 12),
                QStringLiteral("Achterkant voor: %1").arg(correctionEntry(m_printer)));
    m_edge = new QComboBox(frame6);
    for (const QString &edge : EdgeChoices)
        m_edge->addItem(edge);
    place(m_edge, QStringLiteral("OmslaanKeuze"), pixelRect(9, 36, 217, 20));
    m_edge->setToolTip(QStringLiteral(" De kant waarover het vel wordt omgeslagen "));
    connect(m_edge, &QComboBox::currentIndexChanged, this, &MargesDialog::showBackCorrection);
    greyCaption(frame6, QStringLiteral("Label13"), QPoint(106, 62), QStringLiteral("horizontaal"));
    greyCaption(frame6, QStringLiteral("Label14"), QPoint(170, 62), QStringLiteral("verticaal"));
    greyCaption(frame6, QStringLiteral("Label15"), QPoint(9, 82), QStringLiteral("Linksboven (mm)"));
    greyCaption(frame6, QStringLiteral("Label16"), QPoint(9, 104), QStringLiteral("Rechtsonder (mm)"));
    for (int field = 1; field <= CorrectionForm::FieldCount; ++field) {
        auto *edit = new QLineEdit(frame6);
        const int column = (field - 1) % 2;
        const int row = (field - 1) / 2;
        place(edit, QStringLiteral("AchterkantText(%1)").arg(field), pixelRect(106 + 64 * column, 79 + 22 * row, 56, 19));
        edit->setToolTip(QStringLiteral(" %1 van het kruis, gezien vanaf de voorkant: + is naar rechts of naar beneden ")
                             .arg(CorrectionForm::fieldName(field)));
        connect(edit, &QLineEdit::textChanged, this,
                [this, field](const QString &text) { m_backReadings.setFieldText(field, text); });
        m_backFields[field - 1] = edit;
    }
    m_backCorrection = greyCaption(frame6, QStringLiteral("AchterkantTekst"), QPoint(9, 128), QString());

    QPushButton *test = pushButton(frame6, QStringLiteral("TestpaginaDubbelzijdig"),
                                   QStringLiteral("Testpagina dubbelzijdig"), pixelRect(210, 12, 144, 22));
    test->setToolTip(QStringLiteral(" Drukt een meetvel aan twee kanten af: linialen voor, kruisen achter "));
    QPushButton *store = pushButton(frame6, QStringLiteral("AchterkantOpslaanKnop"), QStringLiteral("Opslaan"),
                                    pixelRect(268, 76, 86, 22));
    store->setToolTip(QStringLiteral(" Correctie van de achterkant voor deze printer en deze kant bewaren "));
    QPushButton *clear = pushButton(frame6, QStringLiteral("AchterkantWissenKnop"), QStringLiteral("Wissen"),
                                    pixelRect(268, 102, 86, 22));
    clear->setToolTip(QStringLiteral(" Correctie van de achterkant voor deze printer en deze kant verwijderen "));
    connect(test, &QPushButton::clicked, this, &MargesDialog::printDuplexSheet);
    connect(store, &QPushButton::clicked, this, &MargesDialog::storeBackCorrection);
    connect(clear, &QPushButton::clicked, this, &MargesDialog::clearBackCorrection);
}

Duplex MargesDialog::chosenEdge() const
{
    return m_edge->currentIndex() == 1 ? Duplex::ShortEdge : Duplex::LongEdge;
}

// Where the target places its pages from: the back's crosses and its correction are
// worked out on the physical page. A PDF's pages start at the page's corner.
QPointF MargesDialog::printableCorner() const
{
    return m_printer.printsToFile() ? QPointF() : m_printer.printableCornerMm();
}

void MargesDialog::printDuplexSheet()
{
    if (!fieldsPrintAsTyped())
        return;
    const SheetGeometry sheet = fieldGeometry();
    const QString printer = correctionEntry(m_printer);
    const Duplex edge = chosenEdge();
    // The front under the fronts' correction, as every front prints, so that its rulers
    // stand where the cards' fronts will; the back without any, so that what the user
    // reads is where this printer puts a back against such a front.
    const PrintOutcome outcome = printBothSidesTo(
        m_printer, m_questions, QStringLiteral("Testpagina-dubbelzijdig.pdf"), sheet,
        [&](QPainter &painter, CardSide side, QPointF corner) {
            if (side == CardSide::Front)
                CalibrationSheet::drawDuplexFront(painter, sheet, printer, edge);
            else
                CalibrationSheet::drawDuplexBack(painter, sheet, edge, corner);
        },
        edge, CorrectionFile::correctionFor(m_correctionFile, printer));
    if (outcome.isFailed())
        m_questions.message(Title, outcome.message);
}

void MargesDialog::storeBackCorrection()
{
    QString problem;
    const auto readings = m_backReadings.readings(problem);
    if (!readings) {
        m_questions.message(Title, problem);
        return;
    }
    const PrinterCorrection correction =
        CalibrationSheet::backCorrection(*readings, fieldGeometry(), chosenEdge(), printableCorner());
    if (!saneScales(correction)) {
        m_questions.message(Title, TooLarge);
        return;
    }
    if (!CorrectionFile::storeBack(m_correctionFile, correctionEntry(m_printer), flipEdge(chosenEdge()), correction)) {
        m_questions.message(Title, QStringLiteral("De correctie kon niet worden bewaard in '%1'.").arg(m_correctionFile));
        return;
    }
    showBackCorrection();
}

void MargesDialog::clearBackCorrection()
{
    if (!CorrectionFile::storeBack(m_correctionFile, correctionEntry(m_printer), flipEdge(chosenEdge()),
                                   PrinterCorrection())) {
        m_questions.message(Title, QStringLiteral("De correctie kon niet worden gewist in '%1'.").arg(m_correctionFile));
        return;
    }
    for (QLineEdit *edit : m_backFields)
        edit->clear();
    showBackCorrection();
}

void MargesDialog::showBackCorrection()
{
    m_backCorrection->setText(
        CorrectionFile::backCorrectionFor(m_correctionFile, correctionEntry(m_printer), flipEdge(chosenEdge())).backCaption());
    m_backCorrection->adjustSize();
}

void MargesDialog::buildDiagramFrame()
{
    QWidget *frame1 = frame(this, QStringLiteral("Frame1"), pixelRect(6, StockStripHeight, 262, 300));
    QLabel *diagram = colouredLabel(frame1, QStringLiteral("Image1"), pixelRect(10, 16, 240, 260), QColor());
    diagram->setPixmap(QPixmap::fromImage(BuiltinPictures::marginsDiagram()));
    QLabel *appendix = greyCaption(frame1, QStringLiteral("Label2"), QPoint(7, 280),
                                   QStringLiteral("Kijk in de bijlage Lumovander.pdf voor meer afmetingen"));
    // The note was laid out in a narrower font: it gets smaller until it fits its place.
    constexpr int NoteWidth = 247;
    QFont note = appendix->font();
    while (QFontMetrics(note).horizontalAdvance(appendix->text()) > NoteWidth && note.pointSizeF() > 6)
        note.setPointSizeF(note.pointSizeF() - 0.5);
    appendix->setFont(note);
    appendix->resize(NoteWidth, 13);
}

void MargesDialog::buildFieldFrame()
{
    QWidget *frame2 = frame(this, QStringLiteral("Frame2"), pixelRect(274, StockStripHeight, 95, 214));
    for (int field = 1; field <= MarginsForm::FieldCount; ++field) {
        auto *edit = new QLineEdit(frame2);
        place(edit, QStringLiteral("MargeText(%1)").arg(field), pixelRect(9, fieldTop(field), 50, 19));
        QPalette ground = edit->palette();
        ground.setColor(QPalette::Base, QColor(220, 180, 120));
        edit->setPalette(ground);
        edit->setToolTip(FieldTips[field - 1]);
        connect(edit, &QLineEdit::textChanged, this, [this, field](const QString &text) { fieldEdited(field, text); });
        m_fields[field - 1] = edit;

        QLabel *letter = caption(frame2, QStringLiteral("MargeLabel(%1)").arg(field), 68 * 15,
                                 (fieldTop(field) + 1) * 15, FieldLetters[field - 1]);
        QFont bold = letter->font();
        bold.setBold(true);
        letter->setFont(bold);
        QPalette red = letter->palette();
        red.setColor(QPalette::WindowText, QColor(200, 0, 0));
        letter->setPalette(red);
        letter->adjustSize();
    }
    greyCaption(frame2, QStringLiteral("Label3"), QPoint(9, 138), QStringLiteral("Afmeting in mm"));
    m_cardCount = choiceBox(frame2, QStringLiteral("Combo1"), QPoint(9, 168), 38, MarginsForm::cardCountChoices(),
                            QColor(192, 192, 255));
    connect(m_cardCount, &QComboBox::currentTextChanged, this,
            [this](const QString &text) {
                m_form.setCardCountText(text);
                m_stock->setCurrentIndex(m_form.stockChoice());
            });
    greyCaption(frame2, QStringLiteral("Label4"), QPoint(51, 176), QStringLiteral("Aantal"));
    greyCaption(frame2, QStringLiteral("Label5"), QPoint(9, 192), QStringLiteral("kaartjes per vel"));
}

void MargesDialog::buildButtonFrame()
{
    QWidget *frame3 = frame(this, QStringLiteral("Frame3"), pixelRect(274, StockStripHeight + 216, 95, 84));
    colouredLabel(frame3, QStringLiteral("Label1"), pixelRect(8, 14, 80, 64), QColor(64, 64, 64));
    QPushButton *reset = pushButton(frame3, QStringLiteral("ResetKnop"), QStringLiteral("Reset"), pixelRect(10, 16, 76, 20));
    QPushButton *cancel =
        pushButton(frame3, QStringLiteral("CancelKnop"), QStringLiteral("Cancel"), pixelRect(10, 36, 76, 20));
    QPushButton *ok = pushButton(frame3, QStringLiteral("OkKnop"), QStringLiteral("Ok"), pixelRect(10, 56, 76, 20));
    ok->setToolTip(QStringLiteral(" Gegevens opslaan "));

    connect(reset, &QPushButton::clicked, this, [this] {
        if (m_form.reset(m_questions, m_settings))
            showForm();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, CommandGuard::guarded(m_questions, [this] {
        if (!fieldsPrintAsTyped())
            return;
        m_form.confirm(m_settings);
        accept();
    }));
}

// The fields are set through the same change handler as typing, so the check runs.
void MargesDialog::showForm()
{
    for (int field = 1; field <= MarginsForm::FieldCount; ++field)
        m_fields[field - 1]->setText(m_form.fieldText(field));
    // A count the box does not offer shows as an empty box; "Ok" then keeps it.
    m_cardCount->setCurrentIndex(m_cardCount->findText(m_form.cardCountText()));
    m_stock->setCurrentIndex(m_form.stockChoice());
}

void MargesDialog::fieldEdited(int field, const QString &text)
{
    m_form.setFieldText(field, text);
    if (m_form.fieldText(field) != text)
        m_fields[field - 1]->setText(m_form.fieldText(field));
    m_stock->setCurrentIndex(m_form.stockChoice());
}
