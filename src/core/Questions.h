#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QImage;

// Every modal question the program asks goes through this interface, so that tests
// answer them without a screen. The window installs the widget implementation.
class Questions {
public:
    virtual ~Questions() = default;

    // A yes/no message box without icon.
    virtual bool yesNo(const QString &title, const QString &text) = 0;
    // The same with a picture beside the text, showing what the question asks the user to
    // do. Answers that cannot show a picture ask the plain question.
    virtual bool yesNoWithPicture(const QString &title, const QString &text, const QImage &picture)
    {
        (void)picture;
        return yesNo(title, text);
    }
    enum class Answer { Yes, No, Cancel };
    // A message box with "Ja", "Nee" and "Annuleren"; closing it counts as "Annuleren".
    virtual Answer yesNoCancel(const QString &title, const QString &text) = 0;
    // A message box with an OK button.
    virtual void message(const QString &title, const QString &text) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<QString> inputText(const QString &title, const QString &prompt,
                                             const QString &initial) = 0;
    // A file-open dialog; filter is "Description|*.a;*.b". Empty when cancelled.
    virtual QString openFileName(const QString &filter) = 0;
    // A file-save dialog; filter as above. Empty when cancelled.
    virtual QString saveFileName(const QString &title, const QString &filter,
                                 const QString &suggested) = 0;
    // The font dialog, opened with what was chosen in it last; nullopt when cancelled.
    virtual std::optional<QFont> chooseFont(const QFont &last) = 0;
    // The colour dialog, opened on initial; nullopt when cancelled. Answers without a
    // colour dialog of their own (a benchmark's) count as cancelled.
    virtual std::optional<QColor> chooseColour(const QString &title, const QColor &initial)
    {
        (void)title;
        (void)initial;
        return std::nullopt;
    }
};
