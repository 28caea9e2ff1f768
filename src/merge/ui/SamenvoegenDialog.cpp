#include "merge/ui/SamenvoegenDialog.h"

#include "core/CardDocument.h"
#include "core/Questions.h"
#include "merge/MergeFile.h"
#include "window/WindowControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// What a line combo's entries stand for beside the columns (0 and up).
constexpr int CardText = -1;
constexpr int EmptyLine = -2;

int entryOf(const LineSource &source)
{
    switch (source.kind) {
    case LineSource::Kind::Card:
        return CardText;
    case LineSource::Kind::Empty:
        return EmptyLine;
    case LineSource::Kind::Column:
        break;
    }
    return source.column;
}

LineSource sourceOf(int entry)
{
    if (entry == CardText)
        return LineSource::card();
    if (entry == EmptyLine)
        return LineSource::empty();
    return LineSource::ofColumn(entry);
}

} // namespace

SamenvoegenDialog::SamenvoegenDialog(const CardDocument &document, Questions &questions, QWidget *parent)
    : QDialog(parent), m_questions(questions)
{
    setObjectName(QStringLiteral("SamenvoegenDialog"));
    setWindowTitle(QStringLiteral(" Samenvoegen"));

    auto *choose = new QPushButton(QStringLiteral("Gegevens kiezen…"), this);
    choose->setObjectName(QStringLiteral("GegevensKiezen"));
    connect(choose, &QPushButton::clicked, this, &SamenvoegenDialog::chooseFile);
    m_source = new QLabel(this);
    m_source->setObjectName(QStringLiteral("GegevensBron"));

    m_header = new QComboBox(this);
    m_header->setObjectName(QStringLiteral("EersteRijKop"));
    m_header->addItem(QStringLiteral("Zelf bepalen"), int(HeaderChoice::Auto));
    m_header->addItem(QStringLiteral("Ja"), int(HeaderChoice::Yes));
    m_header->addItem(QStringLiteral("Nee"), int(HeaderChoice::No));
    connect(m_header, &QComboBox::currentIndexChanged, this, &SamenvoegenDialog::rereadFile);

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("GegevensTabel"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->verticalHeader()->setVisible(false);

    auto *form = new QFormLayout;
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(choose);
    fileRow->addWidget(m_source, 1);
    form->addRow(QStringLiteral("Bestand:"), fileRow);
    form->addRow(QStringLiteral("Eerste rij is een kop:"), m_header);
    for (int line = 0; line < MergeLineCount; ++line) {
        auto *combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("KolomRegel(%1)").arg(line + 1));
        m_lines[size_t(line)] = combo;
        form->addRow(QStringLiteral("Regel %1:").arg(line + 1), combo);
    }
    m_skipEmpty = new QCheckBox(QStringLiteral("Lege regels overslaan"), this);
    m_skipEmpty->setObjectName(QStringLiteral("LegeRegelsOverslaan"));
    m_skipEmpty->setChecked(true);
    form->addRow(QString(), m_skipEmpty);

    QDialogButtonBox *buttons = WindowControls::okCancelButtons(this);
    QPushButton *detach = buttons->addButton(QStringLiteral("Gegevens loslaten"), QDialogButtonBox::ResetRole);
    detach->setObjectName(QStringLiteral("GegevensLoslaten"));
    detach->setEnabled(document.team().has_value());
    connect(detach, &QPushButton::clicked, this, [this] {
        m_detaching = true;
        accept();
    });

    auto *columns = new QHBoxLayout;
    columns->addLayout(form);
    columns->addWidget(m_table, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
    resize(940, 400);

    if (document.team())
        showTeam(*document.team());
    else
        showTeam(CardTeam());
}

void SamenvoegenDialog::chooseFile()
{
    const QString path = m_questions.openFileName(
        QStringLiteral("Gegevens ( Csv, Tekst, vCard )|*.csv;*.txt;*.tsv;*.vcf;*.vcard"));
    if (!path.isEmpty())
        loadFile(path);
}

HeaderChoice SamenvoegenDialog::headerChoice() const
{
    return HeaderChoice(m_header->currentData().toInt());
}

bool SamenvoegenDialog::loadFile(const QString &path)
{
    return takeRead(readMergeFile(path, headerChoice()), path);
}

void SamenvoegenDialog::rereadFile()
{
    if (!m_path.isEmpty())
        takeRead(readMergeFile(m_path, headerChoice()), m_path);
}

bool SamenvoegenDialog::takeRead(const MergeRead &read, const QString &path)
{
    if (!read) {
        m_questions.message(QStringLiteral(" Samenvoegen"), read.fault);
        return false;
    }
    // Another file, or the same read with another header row, starts from the mapping a
    // file gets at first; the choice of empty lines stays.
    CardTeam team = teamOf(read.data);
    team.sourceName = QFileInfo(path).fileName();
    team.skipEmpty = m_skipEmpty->isChecked();
    m_path = path;
    showTeam(team);
    return true;
}

void SamenvoegenDialog::showTeam(const CardTeam &team)
{
    m_data = team.data;
    m_sourceName = team.sourceName;
    const bool hasData = !m_data.rows.isEmpty();
    m_source->setText(hasData ? QStringLiteral("%1 (%2 personen)").arg(m_sourceName).arg(m_data.rows.size())
                              : QStringLiteral("Nog geen gegevens gekozen"));
    {
        const QSignalBlocker blocker(m_header);
        // A vCard has no header row to choose, and data the card brought no file to read again.
        m_header->setEnabled(!m_path.isEmpty() && m_data.kind == MergeData::Kind::Csv);
        if (m_path.isEmpty())
            m_header->setCurrentIndex(0);
    }

    m_table->clear();
    m_table->setColumnCount(m_data.columnCount() + 1);
    m_table->setRowCount(int(m_data.rows.size()));
    QStringList headers{QStringLiteral("Meenemen")};
    headers.append(m_data.headers);
    m_table->setHorizontalHeaderLabels(headers);
    for (int row = 0; row < m_data.rows.size(); ++row) {
        auto *take = new QTableWidgetItem;
        take->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        take->setCheckState(team.leftOut.contains(row) ? Qt::Unchecked : Qt::Checked);
        m_table->setItem(row, 0, take);
        for (int column = 0; column < m_data.columnCount(); ++column)
            m_table->setItem(row, column + 1, new QTableWidgetItem(m_data.cell(row, column)));
    }
    // The header measures a sample of the rows, so a long list costs no more than a short one.
    m_table->resizeColumnsToContents();

    for (int line = 0; line < MergeLineCount; ++line) {
        QComboBox *combo = m_lines[size_t(line)];
        combo->clear();
        for (int column = 0; column < m_data.columnCount(); ++column)
            combo->addItem(m_data.headers[column], column);
        combo->addItem(QStringLiteral("Tekst van de kaart"), CardText);
        combo->addItem(QStringLiteral("Leeg"), EmptyLine);
        combo->setCurrentIndex(std::max(0, combo->findData(entryOf(team.mapping.lines[size_t(line)]))));
        combo->setEnabled(hasData);
    }
    m_skipEmpty->setChecked(team.skipEmpty);
}

std::optional<CardTeam> SamenvoegenDialog::team() const
{
    if (m_detaching || m_data.rows.isEmpty())
        return std::nullopt;
    CardTeam team;
    team.data = m_data;
    team.sourceName = m_sourceName;
    team.skipEmpty = m_skipEmpty->isChecked();
    for (int line = 0; line < MergeLineCount; ++line)
        team.mapping.lines[size_t(line)] = sourceOf(m_lines[size_t(line)]->currentData().toInt());
    for (int row = 0; row < m_table->rowCount(); ++row)
        if (m_table->item(row, 0)->checkState() != Qt::Checked)
            team.leftOut.append(row);
    return team;
}
