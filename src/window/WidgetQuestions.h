#pragma once

#include "core/Questions.h"

#include <QString>

class QWidget;

// The questions as the desktop shows them: message boxes without icon, the input box,
// and the toolkit's own file, font and colour dialogs, modal over the parent window.
// The file dialogs start where the user last took a picture from (or saved a PDF to) in
// this run, and before that in the user's pictures (or documents) folder.
class WidgetQuestions : public Questions {
public:
    explicit WidgetQuestions(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParentWindow(QWidget *parent) { m_parent = parent; }

    bool yesNo(const QString &title, const QString &text) override;
    bool yesNoWithPicture(const QString &title, const QString &text, const QImage &picture) override;
    Answer yesNoCancel(const QString &title, const QString &text) override;
    void message(const QString &title, const QString &text) override;
    std::optional<QString> inputText(const QString &title, const QString &prompt,
                                     const QString &initial) override;
    QString openFileName(const QString &filter) override;
    QString saveFileName(const QString &title, const QString &filter,
                         const QString &suggested) override;
    std::optional<QFont> chooseFont(const QFont &card) override;
    std::optional<QColor> chooseColour(const QString &title, const QColor &initial) override;

private:
    QWidget *m_parent;
    QString m_lastOpenFolder;
    QString m_lastSaveFolder;
};
