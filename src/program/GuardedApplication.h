#pragma once

#include <QApplication>

class Questions;

// The application object with a last net under the commands' own boundary
// (CommandGuard): an exception that reaches the event dispatch from any handler is
// reported on stderr and, once a window asks its questions, as a message, instead of
// ending the program.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;

    void setQuestions(Questions *questions) { m_questions = questions; }

    bool notify(QObject *receiver, QEvent *event) override;

private:
    Questions *m_questions = nullptr;
};
