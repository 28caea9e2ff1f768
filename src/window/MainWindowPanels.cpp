// The designer window's panels, built at their designed places.
#include "window/MainWindow.h"

#include "core/CardDocument.h"
#include "window/CardView.h"
#include "core/InfoLine.h"
#include "stamp/panel/PhotoView.h"
#include "stamp/panel/PhotoPanel.h"
#include "stamp/PhotoWorkspace.h"
#include "window/WindowControls.h"

#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

using namespace WindowControls;

namespace {

const QColor kBackdrop(70, 90, 70);

QScrollBar *colourBar(QWidget *parent, const QString &name, int leftTwips)
{
    auto *bar = new QScrollBar(Qt::Vertical, parent);
    place(bar, name, QRect(leftTwips, 255, 270, 1410));
    bar->setRange(0, 255);
    bar->setPageStep(16);
    return bar;
}

} // namespace

void MainWindow::buildPhotoPanel(QWidget *client)
{
    m_photoFrame = frame(client, QStringLiteral("Frame1"), QRect(120, 30, 3900, 6840));
    // Widened, the panel hides whatever lies below it, its margins too.
    m_photoFrame->setAutoFillBackground(true);
    QLabel *backdrop = colouredLabel(m_photoFrame, QStringLiteral("Label1"), QRect(120, 210, 3660, 6510), kBackdrop);

    auto *view = new PhotoView(m_photoFrame);
    place(view, QStringLiteral("Pic"), QRect(210, 300, 3450, 6300));
    m_photoPanel = new PhotoPanel(m_document, m_photoFrame, backdrop, view, this);

    m_helpLabel = colouredLabel(m_photoFrame, QStringLiteral("HelpLabel"), QRect(210, 300, 3450, 6300), kBackdrop);
    QPalette palette = m_helpLabel->palette();
    palette.setColor(QPalette::WindowText, QColor(224, 224, 224));
    m_helpLabel->setPalette(palette);
    m_helpLabel->setFont(QFont(QStringLiteral("Arial"), 9));
    m_helpLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_helpLabel->setWordWrap(true);
    m_helpLabel->hide();
}

void MainWindow::buildCardPanel(QWidget *client)
{
    m_cardFrame = frame(client, QStringLiteral("Frame2"), QRect(4140, 30, 7035, 4575));
    colouredLabel(m_cardFrame, QStringLiteral("BackLabel"), QRect(120, 210, 6810, 4260), kBackdrop);
    m_card = new CardView(m_document, m_cardFrame);
    place(m_card, QStringLiteral("Kaart"), QRect(210, 300, 6600, 4050));
}

void MainWindow::buildInfoStrip(QWidget *client)
{
    QLabel *strip =
        colouredLabel(client, QStringLiteral("BackInfoLabel"), QRect(4140, 4710, 7050, 360), QColor(190, 190, 130));
    m_infoLine = caption(client, QStringLiteral("InfoRegel"), 4245, 4770, InfoLine::designedText());
    // The line stays within its strip, as far from the right end as from the left.
    m_infoLine->setMaximumWidth(strip->width() - 2 * (m_infoLine->x() - strip->x()));
    QPalette palette = m_infoLine->palette();
    palette.setColor(QPalette::WindowText, QColor(90, 90, 30));
    m_infoLine->setPalette(palette);
}

namespace {

// One set of colour bars with its backdrop, swatch, caption and the two lines that
// point from the caption to the swatch; places in twips.
struct ColourSetDesign {
    const char *backdrop;
    int backdropLeft;
    const char *bars[3];
    int barLefts[3];
    const char *swatch;
    QRect swatchRect;
    const char *caption;
    int captionLeft;
    const char *text;
    const char *lines[2];
    int lineX;
    int lineEndX;
};

const ColourSetDesign kTextColourSet = {"Label2", 120, {"Rscroll", "Gscroll", "Bscroll"}, {150, 420, 690},
                                        "KleurLabel", {1070, 225, 810, 360}, "Label3", 1085, "Kleur tekst",
                                        {"Line1", "Line2"}, 1410, 1050};
const ColourSetDesign kBackColourSet = {"Label4", 2100, {"Rscroll1", "Gscroll1", "Bscroll1"}, {2130, 2400, 2670},
                                        "Label5", {3060, 225, 930, 360}, "Label6", 3075, "Achtergrond",
                                        {"Line3", "Line4"}, 3480, 3090};

QLabel *buildColourSet(QWidget *frame, const ColourSetDesign &d, std::array<QScrollBar *, 3> &bars)
{
    auto *backdrop = colouredLabel(frame, QString::fromLatin1(d.backdrop), QRect(d.backdropLeft, 225, 870, 1470), QColor());
    backdrop->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    for (int c = 0; c < 3; ++c)
        bars[size_t(c)] = colourBar(frame, QString::fromLatin1(d.bars[c]), d.barLefts[c]);
    QLabel *swatch = colouredLabel(frame, QString::fromLatin1(d.swatch), d.swatchRect, QColor());
    caption(frame, QString::fromLatin1(d.caption), d.captionLeft, 660, QString::fromLatin1(d.text));
    line(frame, QString::fromLatin1(d.lines[0]), d.lineX, 900, d.lineX, 1200);
    line(frame, QString::fromLatin1(d.lines[1]), d.lineX, 1200, d.lineEndX, 1200);
    return swatch;
}

} // namespace

void MainWindow::buildColourPanel(QWidget *client)
{
    m_colourFrame = frame(client, QStringLiteral("Frame3"), QRect(4140, 5070, 4110, 1800));
    m_textSwatch = buildColourSet(m_colourFrame, kTextColourSet, m_textBars);
    m_backSwatch = buildColourSet(m_colourFrame, kBackColourSet, m_backBars);
    for (int c = 0; c < 3; ++c) {
        const auto channel = CardDocument::Channel(c);
        connect(m_textBars[size_t(c)], &QScrollBar::valueChanged, this,
                [this, channel](int value) { m_document.setTextColorComponent(channel, value); });
        connect(m_backBars[size_t(c)], &QScrollBar::valueChanged, this,
                [this, channel](int value) { m_document.setBackColorComponent(channel, value); });
    }
}

void MainWindow::buildStampBorderPanel(QWidget *client)
{
    m_stampBorderFrame = frame(client, QStringLiteral("Frame4"), QRect(8370, 5070, 2805, 1800));
    m_stampBorderPreview = new QLabel(m_stampBorderFrame);
    place(m_stampBorderPreview, QStringLiteral("Zegelplaatje"), QRect(135, 225, 930, 1200));
    m_stampBorderPreview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    caption(m_stampBorderFrame, QStringLiteral("Label7"), 240, 1485, QStringLiteral("Zegelrand"));

    const QString captions[] = {QStringLiteral("Enkel kader"), QStringLiteral("Met tanding"),
                                QStringLiteral("Dubbel kader"), QStringLiteral("Kartelrand")};
    for (int k = 1; k <= 4; ++k) {
        auto *option = new QRadioButton(captions[k - 1], m_stampBorderFrame);
        // An option button is 255 twips high unless designed otherwise.
        place(option, QStringLiteral("Option1(%1)").arg(k), QRect(1200, 240 + 300 * (k - 1), 1500, 255));
        connect(option, &QRadioButton::clicked, this, [this, k] { m_document.chooseStampBorderOption(k); });
        m_stampBorderOptions[size_t(k)] = option;
    }
}
