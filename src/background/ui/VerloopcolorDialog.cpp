#include "background/ui/VerloopcolorDialog.h"

#include "background/Verloopkleur.h"
#include "window/WindowControls.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

using namespace WindowControls;

namespace {

// The designed outer size 400 x 260 less the borders and caption of a fixed dialog.
constexpr QSize ClientSize{394, 235};

const QColor LightGrey(192, 192, 192);
const QColor Grey(128, 128, 128);

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
    QWidget *frame1 = frame(this, QStringLiteral("Frame1"), pixelRect(6, 0, 383, 224));
    colouredLabel(frame1, QStringLiteral("Label1"), pixelRect(10, 16, 233, 148), LightGrey);
    colouredLabel(frame1, QStringLiteral("Label2"), pixelRect(254, 16, 22, 148), Grey);
    colouredLabel(frame1, QStringLiteral("Label3"), pixelRect(282, 190, 90, 24), Grey);

    m_preview = new QLabel(frame1);
    place(m_preview, QStringLiteral("Picture1"), pixelRect(16, 22, 220, 135));

    m_scrollBar = new QScrollBar(Qt::Vertical, frame1);
    place(m_scrollBar, QStringLiteral("VScroll1"), pixelRect(256, 18, 18, 144));
    m_scrollBar->setRange(Gradients::First, Gradients::Last);
    m_scrollBar->setPageStep(1);
    // Tab reaches it and the arrow keys step through the gradients, as the mouse does.
    m_scrollBar->setFocusPolicy(Qt::StrongFocus);
    m_scrollBar->setFocus();
    m_scrollBar->setValue(m_chooser.value());

    const QRect numberPlace = pixelRect(286, 18);
    m_number = caption(frame1, QStringLiteral("Label5"), numberPlace.x(), numberPlace.y(), m_chooser.numberText());
    QFont bold = m_number->font();
    bold.setBold(true);
    m_number->setFont(bold);

    QLabel *instruction = colouredLabel(frame1, QStringLiteral("Label4"), pixelRect(13, 172, 220, 50), QColor());
    instruction->setWordWrap(true);
    instruction->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    instruction->setText(QStringLiteral("Maak door middel van de scrollbalk een keuze van de ")
                         + QStringLiteral("verloopkleuren voor de achergrond van de kaart."));

    QPushButton *cancel = pushButton(frame1, QStringLiteral("CancelKnop"), QStringLiteral("Cancel"),
                                 pixelRect(284, 192, 50, 20));
    QPushButton *ok = pushButton(frame1, QStringLiteral("OkKnop"), QStringLiteral("Ok"), pixelRect(334, 192, 36, 20));

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
