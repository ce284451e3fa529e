// A program runner for tests: records what would be started and gives a set outcome,
// after running a step that stands for what the program does (removing its key).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/program_runner.h"

namespace glmx::platform {

class FakeProgramRunner final : public ProgramRunner {
public:
    RunOutcome RunAndWait(const std::string& program, const std::string& commandLine) override {
        started.push_back(program + "|" + commandLine);
        if (outcome.status != RunStatus::NotStarted && whileRunning) whileRunning();
        return outcome;
    }

    std::vector<std::string> started;  // "program|command line"
    RunOutcome outcome{RunStatus::Ended, "", true};
    std::function<void()> whileRunning;
};

}  // namespace glmx::platform
