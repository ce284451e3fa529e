// In-memory shell services and file system for tests. Paths compare without regard
// to ASCII case, as Windows compares them; other letters compare exactly.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace glmx::platform {

class FakeShell final : public Shell {
public:
    struct ContextMenuRequest {
        void* ownerWindow = nullptr;
        std::string path;
        int x = 0;
        int y = 0;

        friend bool operator==(const ContextMenuRequest&, const ContextMenuRequest&) = default;
    };

    // Paths without an icon index of their own get 0.
    void SetIconIndex(const std::string& path, int index);
    // Shortcuts without a target resolve to "".
    void SetShortcutTarget(const std::string& shortcutPath, const std::string& target);
    // What DisplayShellContextMenu answers from now on (at first false).
    void SetContextMenuResult(bool result) { contextMenuResult_ = result; }
    const std::vector<ContextMenuRequest>& ContextMenuRequests() const {
        return contextMenuRequests_;
    }

    int SystemIconIndex(const std::string& path) const override;
    std::string ResolveShortcut(const std::string& shortcutPath) const override;
    bool DisplayShellContextMenu(void* ownerWindow, const std::string& path, int x, int y) override;
    bool OpenWithShell(const std::string& target) override {
        opened.push_back(target);
        return openSucceeds;
    }

    std::vector<std::string> opened;
    bool openSucceeds = true;

private:
    std::map<std::string, int> iconIndexes_;
    std::map<std::string, std::string> shortcutTargets_;
    bool contextMenuResult_ = false;
    std::vector<ContextMenuRequest> contextMenuRequests_;
};

// A path names the same entry with "/" or "\" and with or without a trailing "\".
// Adding an entry adds the folders above it too. Masks know "*" and "?".
class FakeFileSystem final : public FileSystem {
public:
    void AddDirectory(const std::string& path);
    void AddFile(const std::string& path);
    // At first "C:\Windows".
    void SetWindowsFolder(const std::string& path) { windowsFolder_ = path; }

    // Changes of this path (as a source, target or new folder) fail from now on.
    void Refuse(const std::string& path);

    bool DirectoryExists(const std::string& path) const override;
    bool FileExists(const std::string& path) const override;
    std::string WindowsFolder() const override { return windowsFolder_; }
    std::vector<std::string> FileNames(const std::string& folder,
                                       std::string_view mask) const override;
    bool MoveFileTo(const std::string& from, const std::string& to) override;
    bool MakeDirectory(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;

private:
    enum class Kind { Directory, File };
    struct Entry {
        Kind kind;
        std::string path;  // as added
    };
    void Add(const std::string& path, Kind kind);
    bool Is(const std::string& path, Kind kind) const;
    bool Refused(const std::string& path) const;

    std::map<std::string, Entry> entries_;  // by comparison key
    std::vector<std::string> refused_;
    std::string windowsFolder_ = "C:\\Windows";
};

}  // namespace glmx::platform
