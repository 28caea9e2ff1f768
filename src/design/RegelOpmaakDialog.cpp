#include "design/RegelOpmaakDialog.h"

#include "core/Questions.h"
#include "print/PrintedCard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpinBox>

namespace {

// The sizes the card font takes in the font dialog, and a little beyond for a name line.
constexpr int SmallestSize = 4;
constexpr int LargestSize = 96;

QLabel *captionLabel(QWidget *parent, const QString &name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &text)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

} // namespace

std::optional<LineStyle> DialogLineStyleQuestion::askLineStyle(int line, const LineStyle &current,
                                                               const LineFont &cardFont)
{
    RegelOpmaakDialog dialog(line, current, cardFont, m_questions, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

RegelOpmaakDialog::RegelOpmaakDialog(int line, const LineStyle &current, const LineFont &cardFont,
                                     Questions &questions, QWidget *parent)
    : QDialog(parent)
    , m_line(line)
    , m_cardFont(cardFont)
    , m_questions(questions)
{
    setObjectName(QStringLiteral("RegelOpmaakDialog"));
    setWindowTitle(QStringLiteral(" Opmaak regel %1").arg(line));
    setFont(QFont(QStringLiteral("Arial"), 8));
    buildControls();
    m_align->setCurrentIndex(int(current.align));
    m_asCard->setChecked(!current.font);
    showFont(current.font.value_or(cardFont));
}

void RegelOpmaakDialog::buildControls()
{
    auto *grid = new QGridLayout(this);
    m_family = new QFontComboBox(this);
    m_family->setObjectName(QStringLiteral("RegelLettertype"));
    m_size = new QSpinBox(this);
    m_size->setObjectName(QStringLiteral("RegelGrootte"));
    m_size->setRange(SmallestSize, LargestSize);
    m_size->setSuffix(QStringLiteral(" pt"));
    // Paper takes small text a good deal smaller; said here, it is no surprise there.
    m_onPaper = captionLabel(this, QStringLiteral("RegelGrootteOpPapier"), QString());
    m_bold = checkBox(this, QStringLiteral("RegelVet"), QStringLiteral("Vet"));
    m_italic = checkBox(this, QStringLiteral("RegelCursief"), QStringLiteral("Cursief"));
    m_underline = checkBox(this, QStringLiteral("RegelOnderstreept"), QStringLiteral("Onderstreept"));
    m_colourButton = new QPushButton(QStringLiteral("Kleur…"), this);
    m_colourButton->setObjectName(QStringLiteral("RegelKleur"));
    m_colourButton->setAutoDefault(false);
    m_align = new QComboBox(this);
    m_align->setObjectName(QStringLiteral("RegelUitlijning"));
    m_align->addItems({QStringLiteral("Links"), QStringLiteral("Midden"), QStringLiteral("Rechts")});
    m_asCard = checkBox(this, QStringLiteral("RegelZoalsKaart"), QStringLiteral("Zoals de kaart"));
    m_asCard->setToolTip(QStringLiteral(" De regel volgt weer het lettertype en de kleur van de kaart "));

    grid->addWidget(m_asCard, 0, 0, 1, 2);
    grid->addWidget(captionLabel(this, QStringLiteral("Label1"), QStringLiteral("Lettertype")), 1, 0);
    grid->addWidget(m_family, 1, 1);
    grid->addWidget(captionLabel(this, QStringLiteral("Label2"), QStringLiteral("Grootte")), 2, 0);
    auto *size = new QHBoxLayout;
    size->addWidget(m_size);
    size->addWidget(m_onPaper);
    size->addStretch();
    grid->addLayout(size, 2, 1);
    auto *styles = new QHBoxLayout;
    styles->addWidget(m_bold);
    styles->addWidget(m_italic);
    styles->addWidget(m_underline);
    grid->addLayout(styles, 3, 1);
    grid->addWidget(captionLabel(this, QStringLiteral("Label3"), QStringLiteral("Kleur")), 4, 0);
    grid->addWidget(m_colourButton, 4, 1, Qt::AlignLeft);
    grid->addWidget(captionLabel(this, QStringLiteral("Label4"), QStringLiteral("Uitlijning")), 5, 0);
    grid->addWidget(m_align, 5, 1, Qt::AlignLeft);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkKnop"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelKnop"));
    cancel->setAutoDefault(false);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 6, 0, 1, 2);

    connect(m_asCard, &QCheckBox::toggled, this, &RegelOpmaakDialog::followCard);
    connect(m_colourButton, &QPushButton::clicked, this, &RegelOpmaakDialog::chooseColour);
    connect(m_family, &QFontComboBox::currentFontChanged, this, &RegelOpmaakDialog::ownFont);
    connect(m_size, &QSpinBox::valueChanged, this, &RegelOpmaakDialog::ownFont);
    connect(m_size, &QSpinBox::valueChanged, this, &RegelOpmaakDialog::showPrintedSize);
    for (QCheckBox *box : {m_bold, m_italic, m_underline})
        connect(box, &QCheckBox::toggled, this, &RegelOpmaakDialog::ownFont);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void RegelOpmaakDialog::showFont(const LineFont &font)
{
    // What is shown here is no change of the user's.
    const QScopedValueRollback showing(m_showing, true);
    m_family->setCurrentFont(QFont(font.name));
    m_shownName = font.name;
    m_shownFamily = m_family->currentFont().family();
    m_size->setValue(font.size);
    showPrintedSize();
    m_bold->setChecked(font.bold);
    m_italic->setChecked(font.italic);
    m_underline->setChecked(font.underline);
    m_colour = font.colour;
    showColour();
}

// Following the card shows the card's font; leaving it starts from what is shown. The
// controls stay live either way, so that the way to a style of the line's own is in sight.
void RegelOpmaakDialog::followCard(bool card)
{
    if (card)
        showFont(m_cardFont);
}

// A font control the user changes makes the font the line's own.
void RegelOpmaakDialog::ownFont()
{
    if (!m_showing)
        m_asCard->setChecked(false);
}

void RegelOpmaakDialog::showPrintedSize()
{
    m_onPaper->setText(PrintedCard::printedSizeCaption(m_size->value()));
}

void RegelOpmaakDialog::chooseColour()
{
    if (const auto colour = m_questions.chooseColour(QStringLiteral(" Kleur regel %1").arg(m_line), m_colour)) {
        m_colour = *colour;
        showColour();
        ownFont();
    }
}

void RegelOpmaakDialog::showColour()
{
    QPixmap swatch(28, 12);
    swatch.fill(m_colour);
    m_colourButton->setIcon(QIcon(swatch));
    m_colourButton->setIconSize(swatch.size());
}

LineStyle RegelOpmaakDialog::chosen() const
{
    LineStyle style;
    style.align = LineAlign(m_align->currentIndex());
    if (!m_asCard->isChecked()) {
        LineFont font;
        // A font the system shows under another family (Arial as Liberation Sans) keeps
        // its own name while the user leaves it as it is.
        const QString family = m_family->currentFont().family();
        font.name = family == m_shownFamily ? m_shownName : family;
        font.size = m_size->value();
        font.bold = m_bold->isChecked();
        font.italic = m_italic->isChecked();
        font.underline = m_underline->isChecked();
        font.colour = m_colour;
        style.font = font;
    }
    return style;
}
