#pragma once

#include "Questions.h"

#include <QStringList>
#include <deque>
#include <gtest/gtest.h>

// Answers the program's questions from queues and records what was asked and shown.
// An unexpected question fails the test.
class ScriptedQuestions : public Questions {
public:
    struct Shown {
        QString title;
        QString text;
    };

    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<QString>> inputAnswers;
    std::vector<Shown> questionsAsked;
    std::vector<Shown> messagesShown;
    std::vector<Shown> inputsAsked; // title and prompt
    QStringList inputInitials;

    bool yesNo(const QString &title, const QString &text) override
    {
        questionsAsked.push_back({title, text});
        if (yesNoAnswers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return false;
        }
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    void message(const QString &title, const QString &text) override
    {
        messagesShown.push_back({title, text});
    }
    std::optional<QString> inputText(const QString &title, const QString &prompt,
                                     const QString &initial) override
    {
        inputsAsked.push_back({title, prompt});
        inputInitials << initial;
        if (inputAnswers.empty()) {
            ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
            return std::nullopt;
        }
        auto answer = inputAnswers.front();
        inputAnswers.pop_front();
        return answer;
    }
    QString openFileName(const QString &) override
    {
        ADD_FAILURE() << "unexpected file dialog";
        return {};
    }
    QString saveFileName(const QString &, const QString &, const QString &) override
    {
        ADD_FAILURE() << "unexpected file dialog";
        return {};
    }
    std::optional<QFont> chooseFont(const QFont &) override
    {
        ADD_FAILURE() << "unexpected font dialog";
        return std::nullopt;
    }
};
