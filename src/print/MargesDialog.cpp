#include "print/MargesDialog.h"

#include "core/CommandGuard.h"
#include "assets/BuiltinPictures.h"
#include "print/PrintDialogControls.h"
#include "app/WindowControls.h"

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

} // namespace

MargesDialog::MargesDialog(PrintSettings &settings, Questions &questions, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_questions(questions)
    , m_form(settings, QLocale())
{
    setObjectName(QStringLiteral("Marges"));
    setWindowTitle(QStringLiteral(" Afdruk Marges"));
    // Dialogs do not inherit the window's font; the captions were laid out for this one.
    setFont(QFont(QStringLiteral("Arial"), 8));
    setFixedSize(clientSize(QSize(380, 336)));

    buildDiagramFrame();
    buildFieldFrame();
    buildButtonFrame();
    showForm();
}

void MargesDialog::buildDiagramFrame()
{
    QWidget *frame1 = frame(this, QStringLiteral("Frame1"), pixelRect(6, 0, 262, 300));
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
    QWidget *frame2 = frame(this, QStringLiteral("Frame2"), pixelRect(274, 0, 95, 214));
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
            [this](const QString &text) { m_form.setCardCountText(text); });
    greyCaption(frame2, QStringLiteral("Label4"), QPoint(51, 176), QStringLiteral("Aantal"));
    greyCaption(frame2, QStringLiteral("Label5"), QPoint(9, 192), QStringLiteral("kaartjes per vel"));
}

void MargesDialog::buildButtonFrame()
{
    QWidget *frame3 = frame(this, QStringLiteral("Frame3"), pixelRect(274, 216, 95, 84));
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
}

void MargesDialog::fieldEdited(int field, const QString &text)
{
    m_form.setFieldText(field, text);
    if (m_form.fieldText(field) != text)
        m_fields[field - 1]->setText(m_form.fieldText(field));
}
