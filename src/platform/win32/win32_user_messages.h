#pragma once

#include <windows.h>

#include <string>

#include "platform/user_messages.h"

namespace glmx::platform::win32 {

// Message boxes captioned with the program's title, owned by a window.
class Win32UserMessages final : public UserMessages {
public:
    explicit Win32UserMessages(std::string_view title) : title_(title) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    void Information(std::string_view text) override;
    void Warning(std::string_view text) override;
    void Error(std::string_view text) override;
    bool Confirm(std::string_view text) override;
    bool ConfirmDefaultNo(std::string_view text) override;

private:
    int Show(std::string_view text, UINT style);
    std::string title_;
    HWND owner_ = nullptr;
};

}  // namespace glmx::platform::win32
