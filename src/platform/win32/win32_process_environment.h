#pragma once

#include "platform/process_environment.h"

namespace glmx::platform::win32 {

class Win32ProcessEnvironment final : public ProcessEnvironment {
public:
    std::string ProgramPath() const override;
    std::string CommandLine() const override;
};

}  // namespace glmx::platform::win32
