#include "platform/fake/fake_shell.h"

#include "platform/text.h"

namespace glmx::platform {

namespace {

// The form in which two spellings of one path are equal: upper case, "\" only, no
// trailing "\". "" for a path that names nothing.
std::string PathKey(const std::string& path) {
    std::string key = AsciiUpper(path);
    for (char& c : key)
        if (c == '/') c = '\\';
    while (!key.empty() && key.back() == '\\') key.pop_back();
    return key;
}

}  // namespace

void FakeShell::SetIconIndex(const std::string& path, int index) {
    iconIndexes_[PathKey(path)] = index;
}

void FakeShell::SetShortcutTarget(const std::string& shortcutPath, const std::string& target) {
    shortcutTargets_[PathKey(shortcutPath)] = target;
}

int FakeShell::SystemIconIndex(const std::string& path) const {
    const auto found = iconIndexes_.find(PathKey(path));
    return found == iconIndexes_.end() ? 0 : found->second;
}

std::string FakeShell::ResolveShortcut(const std::string& shortcutPath) const {
    const auto found = shortcutTargets_.find(PathKey(shortcutPath));
    return found == shortcutTargets_.end() ? std::string() : found->second;
}

bool FakeShell::DisplayShellContextMenu(void* ownerWindow, const std::string& path, int x, int y) {
    contextMenuRequests_.push_back({ownerWindow, path, x, y});
    return contextMenuResult_;
}

void FakeFileSystem::AddDirectory(const std::string& path) { Add(path, Kind::Directory); }

void FakeFileSystem::AddFile(const std::string& path) { Add(path, Kind::File); }

void FakeFileSystem::Add(const std::string& path, Kind kind) {
    const std::string key = PathKey(path);
    if (key.empty()) return;
    for (size_t slash = key.find('\\'); slash != std::string::npos;
         slash = key.find('\\', slash + 1))
        if (key.find_first_not_of('\\') < slash)  // not the "\\" of a network path
            entries_.try_emplace(key.substr(0, slash), Kind::Directory);
    entries_[key] = kind;
}

bool FakeFileSystem::Is(const std::string& path, Kind kind) const {
    const auto found = entries_.find(PathKey(path));
    return found != entries_.end() && found->second == kind;
}

bool FakeFileSystem::DirectoryExists(const std::string& path) const {
    return Is(path, Kind::Directory);
}

bool FakeFileSystem::FileExists(const std::string& path) const {
    // Windows finds no file behind a trailing "\".
    if (!path.empty() && (path.back() == '\\' || path.back() == '/')) return false;
    return Is(path, Kind::File);
}

}  // namespace glmx::platform
