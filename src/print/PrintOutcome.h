#pragma once

#include <QString>

// How a print ended. A failure carries a Dutch message for the user; a print is never
// reported as done when it was not.
struct PrintOutcome {
    enum class Result { Printed, Cancelled, Failed };

    Result result = Result::Printed;
    QString message;

    static PrintOutcome printed() { return {}; }
    static PrintOutcome cancelled() { return {Result::Cancelled, {}}; }
    static PrintOutcome failed(const QString &message) { return {Result::Failed, message}; }

    bool isPrinted() const { return result == Result::Printed; }
    bool isFailed() const { return result == Result::Failed; }
};
