#pragma once

#include <windows.h>

#include "platform/file_operations.h"

namespace glmx::platform::win32 {

// The shell's file operations; its confirmations are modal to the owner window.
class Win32FileOperations final : public FileOperations {
public:
    void SetOwner(HWND owner) { owner_ = owner; }
    bool DeleteToRecycleBin(const std::vector<std::string>& paths) override;
    bool EmptyRecycleBin() override;

private:
    HWND owner_ = nullptr;
};

}  // namespace glmx::platform::win32
