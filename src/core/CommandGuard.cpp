#include "core/CommandGuard.h"

#include "core/Questions.h"

#include <new>

namespace CommandGuard {

QString messageFor(std::exception_ptr error)
{
    const QString start = QStringLiteral("Er ging iets mis: de opdracht is afgebroken.");
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc &) {
        return start + QStringLiteral("\r\nEr is niet genoeg geheugen.");
    } catch (const std::exception &e) {
        return start + QStringLiteral("\r\n") + QString::fromLocal8Bit(e.what());
    } catch (...) {
        return start;
    }
}

bool run(Questions &questions, const std::function<void()> &command)
{
    std::exception_ptr error;
    try {
        command();
        return true;
    } catch (...) {
        error = std::current_exception();
    }
    // Asked outside the handler, so that a message box is not opened while the
    // exception is still being handled.
    questions.message(QStringLiteral("Lumovander"), messageFor(error));
    return false;
}

} // namespace CommandGuard
