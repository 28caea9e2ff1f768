#pragma once

#include "core/Questions.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

// A Questions double for tests: answers come from queues filled beforehand, and every
// question and message is logged as "title|text". An empty queue answers No, Cancel
// ("Annuleren" too) or nothing, and counts as an unexpected question.
class ScriptedQuestions : public Questions {
public:
    std::deque<bool> yesNoAnswers;
    std::deque<Answer> threeWayAnswers;
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<QString> openFileAnswers;
    std::deque<QString> saveFileAnswers;
    std::deque<std::optional<QFont>> fontAnswers;
    std::deque<std::optional<QColor>> colourAnswers;

    QStringList asked;    // yes/no questions and input prompts, "title|text"
    QStringList messages; // messages shown, "title|text"
    QStringList filters;  // filters handed to the file dialogs
    QList<QFont> fontsOffered; // what the font dialog was opened with
    QStringList initialTexts;  // what the input boxes were pre-filled with
    QList<QColor> coloursOffered; // what the colour dialog was opened on
    QList<QImage> pictures;       // shown with yes/no questions
    int unexpected = 0;

    bool yesNo(const QString &title, const QString &text) override
    {
        asked << title + QLatin1Char('|') + text;
        return take(yesNoAnswers, false);
    }
    // Asked as the plain question, the picture kept beside it.
    bool yesNoWithPicture(const QString &title, const QString &text, const QImage &picture) override
    {
        pictures << picture;
        return yesNo(title, text);
    }
    Answer yesNoCancel(const QString &title, const QString &text) override
    {
        asked << title + QLatin1Char('|') + text;
        return take(threeWayAnswers, Answer::Cancel);
    }
    void message(const QString &title, const QString &text) override
    {
        messages << title + QLatin1Char('|') + text;
    }
    std::optional<QString> inputText(const QString &title, const QString &prompt,
                                     const QString &initial) override
    {
        asked << title + QLatin1Char('|') + prompt;
        initialTexts << initial;
        return take(inputAnswers, std::optional<QString>());
    }
    QString openFileName(const QString &filter) override
    {
        filters << filter;
        return take(openFileAnswers, QString());
    }
    QString saveFileName(const QString &title, const QString &filter, const QString &suggested) override
    {
        asked << title + QLatin1Char('|') + suggested;
        filters << filter;
        return take(saveFileAnswers, QString());
    }
    std::optional<QFont> chooseFont(const QFont &last) override
    {
        fontsOffered << last;
        return take(fontAnswers, std::optional<QFont>());
    }

    std::optional<QColor> chooseColour(const QString &title, const QColor &initial) override
    {
        asked << title;
        coloursOffered << initial;
        return take(colourAnswers, std::optional<QColor>());
    }

private:
    template <typename T>
    T take(std::deque<T> &queue, T whenEmpty)
    {
        if (queue.empty()) {
            ++unexpected;
            return whenEmpty;
        }
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};
