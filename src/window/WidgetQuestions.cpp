#include "window/WidgetQuestions.h"

#include "core/Card.h"
#include "core/FileFilter.h"
#include "print/PrintedCard.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QStandardPaths>

namespace {

// Where a file dialog starts: the folder the user last took a file from or gave one
// to, while it is there; otherwise the user's own folder for such files. Never the
// working folder, which is the program's.
QString startFolder(const QString &lastUsed, QStandardPaths::StandardLocation usual)
{
    if (!lastUsed.isEmpty() && QFileInfo(lastUsed).isDir())
        return lastUsed;
    const QString folder = QStandardPaths::writableLocation(usual);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QDir::homePath();
}

// The toolkit's own dialog behaves the same everywhere: the description shown, the
// patterns matched whatever the case of the names.
QString runFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title,
                      const QString &filter, const QString &suggested, const QString &folder)
{
    QFileDialog dialog(parent, title, folder, FileFilter::toDialogFilter(filter));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!suggested.isEmpty())
        dialog.selectFile(suggested);
    // The toolkit's default size cuts the name, size and date columns short.
    dialog.resize(dialog.sizeHint().expandedTo(QSize(780, 480)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

// The font the dialog opens on: the face the card draws, from the family, size, bold,
// italic and underline the card keeps.
// - A family the machine lacks (Arial) is drawn by its metric twin (Liberation Sans);
//   the dialog would select neither and fall back on its first entry, so it gets the
//   family really drawn.
// - The dialog finds the style by name. Without one it makes a name from the weight
//   and slant in the program's language ("Vet Cursief"), which no face is called; it
//   then selects the family's first style (Liberation Sans "Bold"), and Ok without a
//   change would alter the card. The style name of the face really drawn is one the
//   dialog lists.
// - Only bold or not and italic or not reach the card: a face chosen by its name
//   ("Condensed Bold") or its weight (ExtraLight) is drawn as the family's plain bold or
//   book face, so that is the one to show; weight and slant are set outright, and the
//   style name is worked out afresh, never carried over from the face chosen.
QFont fontAsShown(const QFont &card)
{
    QFont shown(QFontInfo(card).family());
    if (card.pointSizeF() > 0)
        shown.setPointSizeF(card.pointSizeF());
    shown.setWeight(card.bold() ? QFont::Bold : QFont::Normal);
    shown.setStyle(card.italic() ? QFont::StyleItalic : QFont::StyleNormal);
    shown.setUnderline(card.underline());
    shown.setStyleName(QFontInfo(shown).styleName());
    return shown;
}

// Beside the sizes, what the size chosen prints at: paper takes small text a good deal
// smaller, and said here that is no surprise there. The size is taken in the whole
// points the card keeps of it.
void addPrintedSize(QFontDialog &dialog)
{
    auto *onPaper = new QLabel(&dialog);
    onPaper->setObjectName(QStringLiteral("LettertypeOpPapier"));
    const auto show = [onPaper](const QFont &font) {
        onPaper->setText(PrintedCard::printedSizeCaption(CardFace::keptPointSize(font)));
    };
    show(dialog.currentFont());
    QObject::connect(&dialog, &QFontDialog::currentFontChanged, onPaper, show);
    // Under the list of sizes, in the gap the dialog leaves above its effects and sample.
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addWidget(onPaper, 3, 2, 1, 3, Qt::AlignRight);
    else
        dialog.layout()->addWidget(onPaper);
}

} // namespace

bool WidgetQuestions::yesNo(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    return box.exec() == QMessageBox::Yes;
}

// The picture takes the place of the icon, left of the text.
bool WidgetQuestions::yesNoWithPicture(const QString &title, const QString &text, const QImage &picture)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    if (!picture.isNull())
        box.setIconPixmap(QPixmap::fromImage(picture));
    return box.exec() == QMessageBox::Yes;
}

Questions::Answer WidgetQuestions::yesNoCancel(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    m_parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Nee"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuleren"));
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void WidgetQuestions::message(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

std::optional<QString> WidgetQuestions::inputText(const QString &title, const QString &prompt,
                                                  const QString &initial)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

QString WidgetQuestions::openFileName(const QString &filter)
{
    // Photos and logos alike.
    const QString path = runFileDialog(m_parent, QFileDialog::AcceptOpen, QStringLiteral("Openen"), filter, QString(),
                                       startFolder(m_lastOpenFolder, QStandardPaths::PicturesLocation));
    if (!path.isEmpty())
        m_lastOpenFolder = QFileInfo(path).absolutePath();
    return path;
}

QString WidgetQuestions::saveFileName(const QString &title, const QString &filter, const QString &suggested)
{
    const QString path = runFileDialog(m_parent, QFileDialog::AcceptSave, title, filter, suggested,
                                       startFolder(m_lastSaveFolder, QStandardPaths::DocumentsLocation));
    if (!path.isEmpty())
        m_lastSaveFolder = QFileInfo(path).absolutePath();
    return path;
}

std::optional<QFont> WidgetQuestions::chooseFont(const QFont &card)
{
    const QFont shown = fontAsShown(card);
    // Qt's own dialog, as for files and colours: a desktop's dialog neither speaks Dutch
    // nor need it take the face it is handed.
    QFontDialog dialog(m_parent);
    dialog.setOptions(QFontDialog::DontUseNativeDialog);
    dialog.setCurrentFont(shown);
    dialog.setWindowTitle(QStringLiteral("Lettertype"));
    addPrintedSize(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    QFont font = dialog.selectedFont();
    // Kept as it was asked for, the card file still names Arial where Arial exists.
    if (font.family() == shown.family())
        font.setFamily(card.family());
    return font;
}

std::optional<QColor> WidgetQuestions::chooseColour(const QString &title, const QColor &initial)
{
    // Qt's own dialog, as for files: that one speaks Dutch.
    const QColor colour = QColorDialog::getColor(initial, m_parent, title, QColorDialog::DontUseNativeDialog);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}
