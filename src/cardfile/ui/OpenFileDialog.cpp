#include "cardfile/ui/OpenFileDialog.h"

#include "core/CommandGuard.h"
#include "window/WindowControls.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>

using namespace WindowControls;

namespace {

// Behind the preview and the buttons: the list's ink, so the three read as one set.
const QColor kBackdrop(40, 40, 60);

// The designed outer size, 4560 x 3840 twips (304 x 256), less the borders and caption
// of a fixed dialog.
constexpr QSize ClientSize{298, 231};

} // namespace

OpenFileDialog::OpenFileDialog(OpenFileModel::Mode mode, CardDocument &document, Questions &questions,
                               QWidget *parent)
    : QDialog(parent)
    , m_model(mode, document, questions)
{
    setObjectName(QStringLiteral("OpenFile"));
    setWindowTitle(m_model.title());
    // Dialogs do not inherit the window's font; the captions were laid out for this one.
    setFont(QFont(QStringLiteral("Arial"), 8));
    setFixedSize(ClientSize);

    QWidget *frame = WindowControls::frame(this, QStringLiteral("Frame1"), QRect(90, 0, 4290, 3285));

    m_list = new QListWidget(frame);
    place(m_list, QStringLiteral("List1"), QRect(195, 195, 2400, 2985));
    QPalette listColours = m_list->palette();
    listColours.setColor(QPalette::Base, QColor(180, 180, 190));
    listColours.setColor(QPalette::Text, QColor(40, 40, 60));
    m_list->setPalette(listColours);

    auto *instruction = colouredLabel(frame, QStringLiteral("Label2"), QRect(2610, 180, 1560, 900), QColor());
    instruction->setWordWrap(true);
    instruction->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    instruction->setText(m_model.instruction());

    m_previewBackdrop = colouredLabel(frame, QStringLiteral("Label3"), QRect(2610, 1200, 1560, 900), kBackdrop);
    m_preview = colouredLabel(frame, QStringLiteral("Image1"), QRect(2670, 1260, 1425, 765), QColor());

    colouredLabel(frame, QStringLiteral("Label1"), QRect(2610, 2460, 1560, 720), kBackdrop);
    m_deleteButton = pushButton(frame, QStringLiteral("DeleteKnop"), QStringLiteral("Verwijder Bestand"),
                                QRect(2640, 2490, 1500, 330));
    auto *cancel =
        pushButton(frame, QStringLiteral("CancelKnop"), QStringLiteral("Cancel"), QRect(2640, 2820, 750, 330));
    auto *ok = pushButton(frame, QStringLiteral("OkKnop"), QStringLiteral("Ok"), QRect(3390, 2820, 750, 330));
    ok->setDefault(true);

    // The selection, not the current row: the list sets a current row of its own when it
    // takes the focus, and that must not count as the user's choice.
    connect(m_list, &QListWidget::itemSelectionChanged, this, &OpenFileDialog::followSelection);
    connect(m_list, &QListWidget::itemDoubleClicked, this, CommandGuard::guarded(questions, [this] { tryAccept(); }));
    connect(m_deleteButton, &QPushButton::clicked, this,
            CommandGuard::guarded(questions, [this] { deleteSelected(); }));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, CommandGuard::guarded(questions, [this] { tryAccept(); }));

    showEntries();
    showSelection();
}

void OpenFileDialog::showEntries()
{
    // The model already knows what is selected; the rebuilt list must not tell it again.
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_list->addItems(m_model.entries());
    if (m_model.selectedRow() >= 0)
        m_list->setCurrentRow(m_model.selectedRow());
}

void OpenFileDialog::showSelection()
{
    m_deleteButton->setEnabled(m_model.deleteEnabled());
    m_previewBackdrop->setVisible(m_model.showsPreview());
    m_preview->setVisible(m_model.showsPreview());
    m_preview->setPixmap(QPixmap::fromImage(m_model.preview()));
}

void OpenFileDialog::followSelection()
{
    const QList<QListWidgetItem *> chosen = m_list->selectedItems();
    m_model.select(chosen.isEmpty() ? -1 : m_list->row(chosen.first()));
    showSelection();
}

void OpenFileDialog::deleteSelected()
{
    m_model.deleteSelected();
    showEntries();
    showSelection();
}

void OpenFileDialog::tryAccept()
{
    if (m_model.accept())
        accept();
}
