// The designer window's panels, built at their designed places.
#include "MainWindow.h"

#include "BuiltinPictures.h"
#include "CardDocument.h"
#include "CardView.h"
#include "InfoLine.h"
#include "PhotoView.h"
#include "WindowControls.h"

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
    m_photoBackdrop = colouredLabel(m_photoFrame, QStringLiteral("Label1"), QRect(120, 210, 3660, 6510), kBackdrop);

    m_photo = new PhotoView(m_photoFrame);
    place(m_photo, QStringLiteral("Pic"), QRect(210, 300, 3450, 6300));
    m_photo->setImage(BuiltinPictures::startPicture());

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
    colouredLabel(client, QStringLiteral("BackInfoLabel"), QRect(4140, 4710, 7050, 360), QColor(190, 190, 130));
    m_infoLine = caption(client, QStringLiteral("InfoRegel"), 4245, 4770, InfoLine::designedText());
    QPalette palette = m_infoLine->palette();
    palette.setColor(QPalette::WindowText, QColor(90, 90, 30));
    m_infoLine->setPalette(palette);
}

void MainWindow::buildColourPanel(QWidget *client)
{
    m_colourFrame = frame(client, QStringLiteral("Frame3"), QRect(4140, 5070, 4110, 1800));
    auto *textBackdrop = colouredLabel(m_colourFrame, QStringLiteral("Label2"), QRect(120, 225, 870, 1470), QColor());
    textBackdrop->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_textBars = {colourBar(m_colourFrame, QStringLiteral("Rscroll"), 150),
                  colourBar(m_colourFrame, QStringLiteral("Gscroll"), 420),
                  colourBar(m_colourFrame, QStringLiteral("Bscroll"), 690)};
    m_textSwatch = colouredLabel(m_colourFrame, QStringLiteral("KleurLabel"), QRect(1070, 225, 810, 360), QColor());
    caption(m_colourFrame, QStringLiteral("Label3"), 1085, 660, QStringLiteral("Kleur tekst"));
    line(m_colourFrame, QStringLiteral("Line1"), 1410, 900, 1410, 1200);
    line(m_colourFrame, QStringLiteral("Line2"), 1410, 1200, 1050, 1200);

    auto *backBackdrop = colouredLabel(m_colourFrame, QStringLiteral("Label4"), QRect(2100, 225, 870, 1470), QColor());
    backBackdrop->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_backBars = {colourBar(m_colourFrame, QStringLiteral("Rscroll1"), 2130),
                  colourBar(m_colourFrame, QStringLiteral("Gscroll1"), 2400),
                  colourBar(m_colourFrame, QStringLiteral("Bscroll1"), 2670)};
    m_backSwatch = colouredLabel(m_colourFrame, QStringLiteral("Label5"), QRect(3060, 225, 930, 360), QColor());
    caption(m_colourFrame, QStringLiteral("Label6"), 3075, 660, QStringLiteral("Achtergrond"));
    line(m_colourFrame, QStringLiteral("Line3"), 3480, 900, 3480, 1200);
    line(m_colourFrame, QStringLiteral("Line4"), 3480, 1200, 3090, 1200);

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
