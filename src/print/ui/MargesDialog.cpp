#include "print/ui/MargesDialog.h"

#include "core/CommandGuard.h"
#include "assets/BuiltinPictures.h"
#include "core/Questions.h"
#include "print/CalibrationSheet.h"
#include "print/CorrectionFile.h"
#include "print/ui/PrintDialogControls.h"
#include "print/PrintTarget.h"
#include "window/WindowControls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
const QString Title = QStringLiteral(" Afdruk Marges");

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
{
    setObjectName(QStringLiteral("Marges"));
    setWindowTitle(QStringLiteral(" Afdruk Marges"));
    // Dialogs do not inherit the window's font; the captions were laid out for this one.
    setFont(QFont(QStringLiteral("Arial"), 8));
    setFixedSize(clientSize(QSize(380, 336)) + QSize(0, StockStripHeight + CorrectionHeight + 4));

    buildStockFrame();
    buildDiagramFrame();
    buildFieldFrame();
    buildButtonFrame();
    buildCorrectionFrame();
    showForm();
    showCorrection();
}

void MargesDialog::buildStockFrame()
{
    QWidget *frame4 = frame(this, QStringLiteral("Frame4"), pixelRect(6, 0, 363, StockStripHeight - 2));
    greyCaption(frame4, QStringLiteral("Label6"), QPoint(9, 16), QStringLiteral("Kaartpapier"));
    m_stock = new QComboBox(frame4);
    m_stock->addItems(MarginsForm::stockChoices());
    place(m_stock, QStringLiteral("KaartpapierKeuze"), pixelRect(80, 12, 274, 20));
    m_stock->setToolTip(QStringLiteral(" Vult de marges in voor een vel kaartpapier "));
    // Only the user's choice fills the fields; the dialog setting the box does not.
    connect(m_stock, &QComboBox::activated, this, [this](int choice) {
        m_form.chooseStock(choice);
        showForm();
    });
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
    auto sane = [](double scale) { return scale >= CorrectionFile::MinScale && scale <= CorrectionFile::MaxScale; };
    if (!sane(correction.scaleX) || !sane(correction.scaleY)) {
        m_questions.message(Title, QStringLiteral("Deze waarden geven een vergroting van meer dan 10 %. "
                                                  "Controleer de aflezing; er is niets veranderd."));
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
