#include "program/GuardedApplication.h"

#include "core/CommandGuard.h"
#include "core/Questions.h"

#include <QTimer>
#include <cstdio>

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const QString text = CommandGuard::messageFor(std::current_exception());
        std::fprintf(stderr, "lumovander: %s\n", qUtf8Printable(QString(text).replace(QLatin1String("\r\n"), QLatin1String(" "))));
        // Shown once the event that failed has unwound, never from inside its dispatch.
        if (Questions *questions = m_questions)
            QTimer::singleShot(0, this, [questions, text] { questions->message(QStringLiteral("Lumovander"), text); });
        return false;
    }
}
