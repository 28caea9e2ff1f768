#pragma once

#include "Questions.h"

#include <QList>
#include <QStringList>

// Answers the yes/no questions from a queue (No when it runs dry), hands out queued
// save names, and notes every question and message.
class FakeQuestions : public Questions {
public:
    QList<bool> yesNoAnswers;
    QStringList saveNames;
    QStringList asked;
    QStringList messages;

    bool yesNo(const QString &title, const QString &text) override
    {
        asked.append(title + QLatin1Char('|') + text);
        return yesNoAnswers.isEmpty() ? false : yesNoAnswers.takeFirst();
    }
    void message(const QString &, const QString &text) override { messages.append(text); }
    std::optional<QString> inputText(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    QString openFileName(const QString &) override { return {}; }
    QString saveFileName(const QString &title, const QString &, const QString &) override
    {
        asked.append(title);
        return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
    }
    std::optional<QFont> chooseFont(const QFont &) override { return std::nullopt; }
};
