#include "window/WidgetQuestions.h"

#include "core/FileFilter.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// The toolkit's own dialog behaves the same everywhere: the description shown, the
// patterns matched whatever the case of the names.
QString runFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title,
                      const QString &filter, const QString &suggested)
{
    QFileDialog dialog(parent, title, QString(), FileFilter::toDialogFilter(filter));
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

// The font the dialog opens on: all of what the card shows, the family, size, bold,
// italic and underline.
// - A family the machine lacks (Arial) is drawn by its metric twin (Liberation Sans);
//   the dialog would select neither and fall back on its first entry, so it gets the
//   family really drawn.
// - The dialog finds the style by name. Without one it makes a name from the weight
//   and slant in the program's language ("Vet Cursief"), which no face is called; it
//   then selects the family's first style (Liberation Sans "Bold"), and Ok without a
//   change would alter the card. The style name of the face really drawn is one the
//   dialog lists.
QFont fontAsShown(const QFont &last)
{
    QFont shown(QFontInfo(last).family());
    if (last.pointSizeF() > 0)
        shown.setPointSizeF(last.pointSizeF());
    shown.setBold(last.bold());
    shown.setItalic(last.italic());
    shown.setUnderline(last.underline());
    shown.setStyleName(QFontInfo(shown).styleName());
    return shown;
}

} // namespace

bool WidgetQuestions::yesNo(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, m_parent);
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
    return runFileDialog(m_parent, QFileDialog::AcceptOpen, QStringLiteral("Openen"), filter, QString());
}

QString WidgetQuestions::saveFileName(const QString &title, const QString &filter, const QString &suggested)
{
    return runFileDialog(m_parent, QFileDialog::AcceptSave, title, filter, suggested);
}

std::optional<QFont> WidgetQuestions::chooseFont(const QFont &last)
{
    bool ok = false;
    const QFont shown = fontAsShown(last);
    QFont font = QFontDialog::getFont(&ok, shown, m_parent, QStringLiteral("Lettertype"));
    if (!ok)
        return std::nullopt;
    // Kept as it was asked for, the card file still names Arial where Arial exists.
    if (font.family() == shown.family())
        font.setFamily(last.family());
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
