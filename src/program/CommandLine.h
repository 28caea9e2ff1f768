#pragma once

#include <optional>
#include <string>

// The program takes no options of its own but the two every installed program answers:
// --help and --version. They are answered from the bare arguments, before the toolkit
// starts, so that they work without a display and open no window.
namespace CommandLine {

struct EarlyAnswer {
    std::string text;
    int exitCode;
};

// The text to print and the exit code, or nothing when the window should start. Other
// arguments are left to the toolkit (-platform, -style, …).
std::optional<EarlyAnswer> earlyAnswer(int argc, const char *const argv[]);

} // namespace CommandLine
