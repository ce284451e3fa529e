// Facts about files and folders from the real file system.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/shell.h"

namespace glmx::platform::win32 {

class Win32FileSystem final : public FileSystem {
public:
    bool DirectoryExists(const std::string& path) const override;
    bool FileExists(const std::string& path) const override;
    std::string WindowsFolder() const override;
};

// GetFullPathNameW at any length; nullopt when it fails.
std::optional<std::wstring> FullPathName(const std::wstring& path);

// The form of a path that file functions accept at any length: a path longer than
// the classic limit becomes its full "\\?\" (or "\\?\UNC\") form; others stay as
// they are.
std::wstring ExtendedLengthPath(std::wstring_view path);

}  // namespace glmx::platform::win32
