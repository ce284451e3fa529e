// Message boxes with the program's fixed texts.
#pragma once

#include <string_view>

namespace glmx::platform {

class UserMessages {
public:
    virtual ~UserMessages() = default;
    virtual void Information(std::string_view text) = 0;
    virtual void Warning(std::string_view text) = 0;
    virtual void Error(std::string_view text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool Confirm(std::string_view text) = 0;
    // A question with Yes and No where No is the default button; true for Yes.
    virtual bool ConfirmDefaultNo(std::string_view text) = 0;
};

}  // namespace glmx::platform
