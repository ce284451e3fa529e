// Starting a program and waiting until it and every process it started have ended.
#pragma once

#include <string>

namespace glmx::platform {

enum class RunStatus {
    NotStarted,  // the program could not be started; reason says why
    Ended,       // it ended, with every process it started where that could be followed
    WaitFailed,  // it started, but its end could not be waited for
};

struct RunOutcome {
    RunStatus status = RunStatus::NotStarted;
    std::string reason;      // the system's text, for NotStarted and WaitFailed
    bool wholeTree = false;  // the processes it started were waited for too
};

class ProgramRunner {
public:
    virtual ~ProgramRunner() = default;
    // program: the full path of an existing file, started without any search;
    // commandLine: the quoted program and its arguments. The window keeps painting
    // meanwhile but takes no other input.
    virtual RunOutcome RunAndWait(const std::string& program, const std::string& commandLine) = 0;
};

}  // namespace glmx::platform
