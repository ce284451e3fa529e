#include "platform/fake/fake_shell.h"

#include <algorithm>

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

// "*" any run, "?" one byte; the rest without regard to ASCII case.
bool Matches(std::string_view mask, std::string_view name) {
    if (mask.empty()) return name.empty();
    if (mask[0] == '*')
        return Matches(mask.substr(1), name) || (!name.empty() && Matches(mask, name.substr(1)));
    if (name.empty()) return false;
    if (mask[0] != '?' && AsciiUpper(mask.substr(0, 1)) != AsciiUpper(name.substr(0, 1)))
        return false;
    return Matches(mask.substr(1), name.substr(1));
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
            entries_.try_emplace(key.substr(0, slash),
                                 Entry{Kind::Directory, path.substr(0, slash)});
    entries_[key] = Entry{kind, path};
}

bool FakeFileSystem::Is(const std::string& path, Kind kind) const {
    const auto found = entries_.find(PathKey(path));
    return found != entries_.end() && found->second.kind == kind;
}

void FakeFileSystem::Refuse(const std::string& path) { refused_.push_back(PathKey(path)); }

bool FakeFileSystem::Refused(const std::string& path) const {
    return std::find(refused_.begin(), refused_.end(), PathKey(path)) != refused_.end();
}

std::vector<std::string> FakeFileSystem::FileNames(const std::string& folder,
                                                   std::string_view mask) const {
    std::vector<std::string> names;
    const std::string prefix = PathKey(folder) + "\\";
    for (const auto& [key, entry] : entries_) {
        if (entry.kind != Kind::File || !key.starts_with(prefix)) continue;
        const std::string name = entry.path.substr(entry.path.find_last_of("\\/") + 1);
        if (key.find('\\', prefix.size()) == std::string::npos && Matches(mask, name))
            names.push_back(name);
    }
    return names;
}

bool FakeFileSystem::MoveFileTo(const std::string& from, const std::string& to) {
    const size_t slash = to.find_last_of("\\/");
    if (!FileExists(from) || Refused(from) || Refused(to) || entries_.contains(PathKey(to)) ||
        slash == std::string::npos || !DirectoryExists(to.substr(0, slash)))
        return false;
    entries_.erase(PathKey(from));
    Add(to, Kind::File);
    return true;
}

bool FakeFileSystem::MakeDirectory(const std::string& path) {
    if (DirectoryExists(path)) return true;
    if (Refused(path) || entries_.contains(PathKey(path))) return false;
    Add(path, Kind::Directory);
    return true;
}

bool FakeFileSystem::RemoveFile(const std::string& path) {
    if (!FileExists(path) || Refused(path)) return false;
    entries_.erase(PathKey(path));
    return true;
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
