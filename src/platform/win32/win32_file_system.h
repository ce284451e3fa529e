// Facts about files and folders from the real file system.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shell.h"

namespace glmx::platform::win32 {

class Win32FileSystem final : public FileSystem {
public:
    bool DirectoryExists(const std::string& path) const override;
    bool FileExists(const std::string& path) const override;
    std::string WindowsFolder() const override;
    std::vector<std::string> FileNames(const std::string& folder,
                                       std::string_view mask) const override;
    bool MoveFileTo(const std::string& from, const std::string& to) override;
    bool MakeDirectory(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
};

// GetFullPathNameW at any length; nullopt when it fails.
std::optional<std::wstring> FullPathName(const std::wstring& path);

// The form of a path that file functions accept at any length: a path longer than
// the classic limit becomes its full "\\?\" (or "\\?\UNC\") form; others stay as
// they are.
std::wstring ExtendedLengthPath(std::wstring_view path);

}  // namespace glmx::platform::win32
