#include "design/QrDialog.h"

#include "core/Card.h"
#include "design/QrPlacement.h"
#include "design/QrQuestion.h"
#include "qr/QrPainting.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

struct FieldRow {
    ContactField field;
    const char *name;
};

constexpr FieldRow kFieldRows[] = {
    {ContactField::Naam, "QrNaam"},       {ContactField::Functie, "QrFunctie"}, {ContactField::Bedrijf, "QrBedrijf"},
    {ContactField::Telefoon, "QrTelefoon"}, {ContactField::Mobiel, "QrMobiel"},   {ContactField::Email, "QrEmail"},
    {ContactField::Website, "QrWebsite"}, {ContactField::Adres, "QrAdres"},
};

constexpr QrLevel kLevels[] = {QrLevel::L, QrLevel::M, QrLevel::Q, QrLevel::H};

QLineEdit *lineEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

} // namespace

QrDialog::QrDialog(const Card &card, CardSide side, const QrObject &qr, const QRectF &rect, QSizeF cardMm,
                   QWidget *parent)
    : QDialog(parent)
    , m_card(card)
    , m_side(side)
    , m_rect(rect)
    , m_cardMm(cardMm)
    , m_qr(qr)
{
    setObjectName(QStringLiteral("QrDialog"));
    setWindowTitle(QStringLiteral(" QR-code"));
    auto *layout = new QVBoxLayout(this);
    auto *top = new QFormLayout;
    layout->addLayout(top);

    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("QrSoort"));
    for (const QrKind kind : {QrKind::Contact, QrKind::WebAddress, QrKind::Text})
        m_kind->addItem(qrKindName(kind));
    top->addRow(QStringLiteral("Soort"), m_kind);

    m_pages = new QStackedWidget(this);
    auto *contact = new QWidget(m_pages);
    auto *contactForm = new QFormLayout(contact);
    for (const FieldRow &row : kFieldRows) {
        QLineEdit *edit = lineEdit(contact, row.name);
        edit->setText(m_qr.content.contact.value(row.field));
        connect(edit, &QLineEdit::textEdited, this, [this, field = row.field](const QString &text) { fieldEdited(field, text); });
        contactForm->addRow(contactFieldCaption(row.field), edit);
        m_fields[size_t(row.field)] = edit;
    }
    m_pages->addWidget(contact);
    auto *web = new QWidget(m_pages);
    auto *webForm = new QFormLayout(web);
    m_web = lineEdit(web, "QrAdresWeb");
    m_web->setText(m_qr.content.webAddress);
    webForm->addRow(QStringLiteral("Webadres"), m_web);
    m_pages->addWidget(web);
    m_text = new QPlainTextEdit(m_pages);
    m_text->setObjectName(QStringLiteral("QrTekst"));
    m_text->setPlainText(m_qr.content.text);
    m_pages->addWidget(m_text);
    layout->addWidget(m_pages);

    auto *bottom = new QFormLayout;
    layout->addLayout(bottom);
    m_level = new QComboBox(this);
    m_level->setObjectName(QStringLiteral("QrNiveau"));
    for (const QrLevel level : kLevels)
        m_level->addItem(qrLevelName(level));
    m_level->setCurrentIndex(int(m_qr.level));
    bottom->addRow(QStringLiteral("Foutcorrectie"), m_level);
    m_colour = new QComboBox(this);
    m_colour->setObjectName(QStringLiteral("QrKleur"));
    m_colour->addItems({QStringLiteral("Zwart"), QStringLiteral("Tekstkleur van de kaart")});
    m_colour->setCurrentIndex(m_qr.inTextColour ? 1 : 0);
    bottom->addRow(QStringLiteral("Kleur"), m_colour);
    m_content = new QPlainTextEdit(this);
    m_content->setObjectName(QStringLiteral("QrInhoud"));
    m_content->setReadOnly(true);
    m_content->setFixedHeight(110);
    bottom->addRow(QStringLiteral("Inhoud"), m_content);
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("QrVoorbeeld"));
    m_preview->setFixedSize(150, 150);
    m_warning = new QLabel(this);
    m_warning->setObjectName(QStringLiteral("QrWaarschuwing"));
    m_warning->setWordWrap(true);
    auto *previewRow = new QHBoxLayout;
    previewRow->addWidget(m_preview);
    previewRow->addWidget(m_warning, 1);
    layout->addLayout(previewRow);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkKnop"));
    QPushButton *cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelKnop"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    m_kind->setCurrentIndex(int(m_qr.content.kind));
    m_pages->setCurrentIndex(int(m_qr.content.kind));
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_pages->setCurrentIndex(index);
        follow();
    });
    connect(m_web, &QLineEdit::textEdited, this, &QrDialog::follow);
    connect(m_text, &QPlainTextEdit::textChanged, this, &QrDialog::follow);
    connect(m_level, &QComboBox::currentIndexChanged, this, &QrDialog::follow);
    connect(m_colour, &QComboBox::currentIndexChanged, this, &QrDialog::follow);
    follow();
}

void QrDialog::fieldEdited(ContactField field, const QString &text)
{
    m_qr.content.contact.setValue(field, text);
    m_qr.follows[size_t(field)].clear();
    follow();
}

void QrDialog::follow()
{
    m_qr.content.kind = QrKind(std::clamp(m_kind->currentIndex(), 0, 2));
    m_qr.content.webAddress = m_web->text();
    m_qr.content.text = m_text->toPlainText();
    m_qr.level = kLevels[std::clamp(m_level->currentIndex(), 0, 3)];
    m_qr.inTextColour = m_colour->currentIndex() == 1;
    m_qr.encode();
    m_content->setPlainText(QString::fromUtf8(encodedText(m_qr.content)));

    QImage preview(m_preview->size(), QImage::Format_RGB32);
    preview.fill(Qt::white);
    if (m_qr.code.isValid()) {
        QPainter painter(&preview);
        paintQrCodeOnPixels(painter, m_qr.code, QRectF(preview.rect()),
                            m_qr.inTextColour ? faceColour() : QColor(Qt::black));
    }
    m_preview->setPixmap(QPixmap::fromImage(preview));
    m_warning->setText(warnings().join(u'\n'));
}

QColor QrDialog::faceColour() const
{
    const CardFace *face = m_card.face(m_side);
    return (face ? face : &m_card.front())->state.textColor();
}

QStringList QrDialog::warnings() const
{
    return QrPlacement::warnings(m_card, m_side, m_qr, m_rect, m_cardMm);
}

std::optional<QrObject> DialogQrQuestion::askQr(const Card &card, CardSide side, const QrObject &current,
                                                const QRectF &rect, QSizeF cardMm)
{
    QrDialog dialog(card, side, current, rect, cardMm, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.qr();
}
