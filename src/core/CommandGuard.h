#pragma once

#include <QString>
#include <exception>
#include <functional>

class Questions;

// The boundary of every command the window runs: an exception that would leave a
// command (a failed allocation, a library's error) is shown as one Dutch message and
// the window carries on, instead of the exception ending the program from inside the
// event loop.
namespace CommandGuard {

// Runs command; true when it ended without an exception.
bool run(Questions &questions, const std::function<void()> &command);

// The message for an exception caught at the boundary.
QString messageFor(std::exception_ptr error);

// command wrapped in run(), ready for a connect: connect(action, &QAction::triggered,
// &window, CommandGuard::guarded(window.questions(), handler)).
template <typename Command>
auto guarded(Questions &questions, Command command)
{
    return [&questions, command = std::move(command)]() { run(questions, command); };
}

} // namespace CommandGuard
