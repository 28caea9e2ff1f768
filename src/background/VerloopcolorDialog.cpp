#include "VerloopcolorDialog.h"

#include "Verloopkleur.h"
#include "WindowControls.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

using namespace WindowControls;

namespace {

// The dialog is designed in pixels; the window's control makers take twips.
QRect pixels(int left, int top, int width = 0, int height = 0)
{
    return QRect(left * 15, top * 15, width * 15, height * 15);
}

// The designed outer size 400 x 260 less the borders and caption of a fixed dialog.
constexpr QSize ClientSize{394, 235};

const QColor LightGrey(192, 192, 192);
const QColor Grey(128, 128, 128);

QPushButton *button(QWidget *parent, const QString &name, const QString &text, const QRect &twips)
{
    auto *knop = new QPushButton(text, parent);
    place(knop, name, twips);
    return knop;
}

} // namespace

VerloopcolorDialog::VerloopcolorDialog(CardDocument &document, QWidget *parent)
    : QDialog(parent)
    , m_document(document)
{
    setObjectName(QStringLiteral("Verloopcolor"));
    setWindowTitle(QStringLiteral(" Verloopkleuren"));
    setFont(QFont(QStringLiteral("Arial"), 8));
    setFixedSize(ClientSize);

    // Backdrops first, so that the controls they are behind stand on top of them.
    QWidget *frame1 = frame(this, QStringLiteral("Frame1"), pixels(6, 0, 383, 224));
    colouredLabel(frame1, QStringLiteral("Label1"), pixels(10, 16, 233, 148), LightGrey);
    colouredLabel(frame1, QStringLiteral("Label2"), pixels(254, 16, 22, 148), Grey);
    colouredLabel(frame1, QStringLiteral("Label3"), pixels(282, 190, 90, 24), Grey);

    m_preview = new QLabel(frame1);
    place(m_preview, QStringLiteral("Picture1"), pixels(16, 22, 220, 135));

    m_scrollBar = new QScrollBar(Qt::Vertical, frame1);
    place(m_scrollBar, QStringLiteral("VScroll1"), pixels(256, 18, 18, 144));
    m_scrollBar->setRange(Gradients::First, Gradients::Last);
    m_scrollBar->setPageStep(1);
    m_scrollBar->setValue(m_chooser.value());

    m_number = caption(frame1, QStringLiteral("Label5"), 286 * 15, 18 * 15, m_chooser.numberText());
    QFont bold = m_number->font();
    bold.setBold(true);
    m_number->setFont(bold);

    QLabel *instruction = colouredLabel(frame1, QStringLiteral("Label4"), pixels(13, 172, 220, 50), QColor());
    instruction->setWordWrap(true);
    instruction->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    instruction->setText(QStringLiteral("Maak door middel van de scrollbalk een keuze van de ")
                         + QStringLiteral("verloopkleuren voor de achergrond van de kaart."));

    QPushButton *cancel = button(frame1, QStringLiteral("CancelKnop"), QStringLiteral("Cancel"),
                                 pixels(284, 192, 50, 20));
    QPushButton *ok = button(frame1, QStringLiteral("OkKnop"), QStringLiteral("Ok"), pixels(334, 192, 36, 20));

    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        m_chooser.setValue(value);
        showChooser();
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        m_chooser.accept(m_document);
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    showChooser();
}

void VerloopcolorDialog::showChooser()
{
    m_preview->setPixmap(QPixmap::fromImage(m_chooser.preview()));
    m_number->setText(m_chooser.numberText());
    m_number->adjustSize();
}
