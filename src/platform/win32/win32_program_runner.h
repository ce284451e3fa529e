#pragma once

#include "platform/program_runner.h"

namespace glmx::platform::win32 {

// Starts the program suspended inside a job of its own, so that waiting covers every
// process it starts (uninstallers often hand over to a copy of themselves and end at
// once). Where the job cannot take it, only the started process is waited for. While
// waiting, the thread's windows are painted and sent messages are answered; nothing
// else reaches them.
class Win32ProgramRunner final : public ProgramRunner {
public:
    RunOutcome RunAndWait(const std::string& program, const std::string& commandLine) override;
};

}  // namespace glmx::platform::win32
