// What start-up needs to know about its own process.
#pragma once

#include <string>

namespace glmx::platform {

class ProcessEnvironment {
public:
    virtual ~ProcessEnvironment() = default;
    // The full path of the program's own file.
    virtual std::string ProgramPath() const = 0;
    // The process's command line as the system handed it over.
    virtual std::string CommandLine() const = 0;
};

}  // namespace glmx::platform
