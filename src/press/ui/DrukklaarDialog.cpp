#include "press/ui/DrukklaarDialog.h"

#include "core/CardDocument.h"
#include "core/Questions.h"
#include "press/PressPage.h"
#include "press/PressWarnings.h"
#include "press/ui/PressProgress.h"
#include "window/WindowControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString sizeText(QSizeF mm)
{
    const QLocale dutch(QLocale::Dutch);
    return QStringLiteral("%1 × %2 mm").arg(dutch.toString(mm.width(), 'g', 4), dutch.toString(mm.height(), 'g', 4));
}

// The document's title: the card last opened, else the name last typed or chosen.
QString cardName(const CardDocument &document)
{
    for (const QString &name : {document.lastFileName(), document.fileName()})
        if (!QFileInfo(name).completeBaseName().isEmpty())
            return QFileInfo(name).completeBaseName();
    return QStringLiteral("Kaartje");
}

} // namespace

DrukklaarDialog::DrukklaarDialog(const CardDocument &document, Questions &questions, QWidget *parent,
                                 Ghostscript::Setup ghostscript)
    : QDialog(parent), m_questions(questions), m_ghostscript(std::move(ghostscript)),
      m_card(PressFaces::of(document.card())), m_sheet(SheetGeometry::from(document.printSettings())),
      m_name(cardName(document))
{
    setObjectName(QStringLiteral("Drukklaar"));
    setWindowTitle(QStringLiteral(" Drukklaar PDF"));

    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("DrukFormaat"));
    const QSizeF own(m_sheet.cardWidth, m_sheet.cardHeight);
    m_size->addItem(QStringLiteral("De eigen maat, ") + sizeText(own), own);
    m_size->addItem(sizeText(QSizeF(85, 55)), QSizeF(85, 55));
    m_size->addItem(sizeText(QSizeF(90, 50)), QSizeF(90, 50));

    m_bleed = new QDoubleSpinBox(this);
    m_bleed->setObjectName(QStringLiteral("DrukAfloop"));
    m_bleed->setLocale(QLocale(QLocale::Dutch));
    m_bleed->setRange(PressOptions::MinBleed, PressOptions::MaxBleed);
    m_bleed->setSingleStep(0.5);
    m_bleed->setDecimals(1);
    m_bleed->setSuffix(QStringLiteral(" mm"));
    m_bleed->setValue(PressOptions::DefaultBleed);

    m_marks = new QCheckBox(QStringLiteral("Snijtekens buiten de afloop"), this);
    m_marks->setObjectName(QStringLiteral("DrukSnijtekens"));
    m_marks->setChecked(true);

    m_colour = new QComboBox(this);
    m_colour->setObjectName(QStringLiteral("DrukKleur"));
    m_colour->addItem(QStringLiteral("CMYK voor de drukker (FOGRA39)"));
    m_colour->addItem(QStringLiteral("RGB (digitale drukkerij)"));

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("DrukVoorbeeld"));
    m_picture->setAlignment(Qt::AlignCenter);
    if (m_card.back) {
        m_backPicture = new QLabel(this);
        m_backPicture->setObjectName(QStringLiteral("DrukVoorbeeldAchterkant"));
        m_backPicture->setAlignment(Qt::AlignCenter);
    }
    m_notes = new QLabel(this);
    m_notes->setObjectName(QStringLiteral("DrukMeldingen"));
    m_notes->setWordWrap(true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Formaat:"), m_size);
    form->addRow(QStringLiteral("Afloop:"), m_bleed);
    form->addRow(QString(), m_marks);
    form->addRow(QStringLiteral("Kleur:"), m_colour);

    QDialogButtonBox *buttons = WindowControls::okCancelButtons(this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    if (m_backPicture) {
        auto *pages = new QHBoxLayout;
        pages->addWidget(m_picture);
        pages->addWidget(m_backPicture);
        layout->addLayout(pages);
    } else {
        layout->addWidget(m_picture);
    }
    layout->addWidget(m_notes);
    layout->addWidget(buttons);

    connect(m_size, &QComboBox::currentIndexChanged, this, &DrukklaarDialog::refresh);
    connect(m_bleed, &QDoubleSpinBox::valueChanged, this, &DrukklaarDialog::refresh);
    connect(m_marks, &QCheckBox::toggled, this, &DrukklaarDialog::refresh);
    refresh();
}

PressRequest DrukklaarDialog::request() const
{
    PressRequest request;
    request.options = {m_size->currentData().toSizeF(), m_bleed->value(), m_marks->isChecked()};
    request.colour = m_colour->currentIndex() == 1 ? PressColour::Rgb : PressColour::Cmyk;
    request.title = m_name;
    return request;
}

QImage DrukklaarDialog::pagePreview(const PrintedCard &face, const PressGeometry &page,
                                    const PhotoBeyond &beyond) const
{
    constexpr int k = PreviewPixelsPerMm;
    QImage preview((page.mediaSize() * k).toSize(), QImage::Format_RGB32);
    preview.setDotsPerMeterX(k * 1000);
    preview.setDotsPerMeterY(k * 1000);
    preview.fill(Qt::white);
    QPainter painter(&preview);
    painter.setRenderHint(QPainter::Antialiasing);
    drawPressPage(painter, face, m_sheet, page, PressTransparency::Kept, beyond);
    const auto onPicture = [](const QRectF &mm) { return QRectF(mm.topLeft() * k, mm.size() * k); };
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 160, 255), 1, Qt::DashLine));
    painter.drawRect(onPicture(page.bleedBox()));
    painter.setPen(QPen(QColor(220, 0, 0), 1.5));
    painter.drawRect(onPicture(page.trimBox()));
    painter.setPen(QPen(QColor(0, 170, 80), 1, Qt::DotLine));
    painter.drawRect(onPicture(page.safeArea()));
    return preview;
}

void DrukklaarDialog::refresh()
{
    const PressGeometry page(request().options, QSizeF(m_sheet.cardWidth, m_sheet.cardHeight));
    m_preview = pagePreview(m_card.front, page, m_card.frontBeyond);
    m_picture->setPixmap(QPixmap::fromImage(m_preview));
    if (m_card.back) {
        m_backPreview = pagePreview(*m_card.back, page, m_card.backBeyond);
        m_backPicture->setPixmap(QPixmap::fromImage(m_backPreview));
    }

    QStringList notes;
    if (const QString fit = page.fitMessage(); !fit.isEmpty())
        notes << fit;
    m_warnings = PressWarnings::check(m_card, m_sheet, page);
    notes << m_warnings;
    if (notes.isEmpty())
        notes << QStringLiteral("Geen opmerkingen: de kaart is klaar voor de drukker.");
    if (m_card.back)
        notes << QStringLiteral("Links pagina 1, de voorkant; rechts pagina 2, de achterkant.");
    notes << QStringLiteral("Rood: de snijrand; blauw: de rand van de afloop; groen: 3 mm veilige marge.");
    m_notes->setText(notes.join(QLatin1Char('\n')));
}

void DrukklaarDialog::accept()
{
    QString fileName = m_questions.saveFileName(QStringLiteral(" Drukklaar PDF"), QStringLiteral("PDF-bestand (*.pdf)|*.pdf"),
                                                m_name + QStringLiteral("-drukklaar.pdf"));
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".pdf");
    m_info(PressProgress::BusyText);
    PressProgress progress(this);
    const PressResult result = progress.run([&](Ghostscript::StopSwitch &stop) {
        return writePressPdf(fileName, m_card, m_sheet, request(), m_ghostscript, &stop);
    });
    if (result.stopped) {
        m_info(QStringLiteral("Gestopt: de drukklare PDF '%1' is niet geschreven.").arg(QFileInfo(fileName).fileName()));
        return;
    }
    if (!result.written) {
        m_info(QString());
        m_questions.message(QStringLiteral("Lumovander"), result.message);
        return;
    }
    // What the dialog pointed out stays in the info line once it is gone.
    m_info(result.warnings.isEmpty()
               ? QStringLiteral("De drukklare PDF '%1' is geschreven.").arg(QFileInfo(fileName).fileName())
               : result.warnings.join(QLatin1Char(' ')));
    QDialog::accept();
}
