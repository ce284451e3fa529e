// The shell services the inventory views use: icons, shortcut targets, the
// shell's own context menu, and a few facts about files and folders.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace glmx::platform {

class Shell {
public:
    virtual ~Shell() = default;
    // The system image-list index of a file's icon, asked by name and attributes
    // only (the file is not opened); 0 when the shell gives none.
    virtual int SystemIconIndex(const std::string& path) const = 0;
    // The target of a shortcut file: a Windows Installer shortcut's installed
    // component, else the link's path in its short (8.3) form; "" on any failure.
    virtual std::string ResolveShortcut(const std::string& shortcutPath) const = 0;
    // Shows the shell's context menu for a file at a point of the owner window's
    // client area; true when a chosen command was carried out.
    virtual bool DisplayShellContextMenu(void* ownerWindow, const std::string& path, int x,
                                         int y) = 0;
    // Opens a document or web address with the program the system has for it, or
    // starts a program; false when the system could not (the user refusing to let a
    // program run as administrator is not a failure).
    virtual bool OpenWithShell(const std::string& target) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool DirectoryExists(const std::string& path) const = 0;
    virtual bool FileExists(const std::string& path) const = 0;
    // The Windows directory without a trailing "\".
    virtual std::string WindowsFolder() const = 0;
    // The names of the files (not folders) in a folder that match a mask such as "*.lnk", as
    // the system lists them; none when the folder cannot be listed.
    virtual std::vector<std::string> FileNames(const std::string& folder,
                                               std::string_view mask) const = 0;
    // Moves a file, to another drive too; false when it did not move (the target exists,
    // access is refused, ...), and then the file is where it was.
    virtual bool MoveFileTo(const std::string& from, const std::string& to) = 0;
    // True also when the folder was there already.
    virtual bool MakeDirectory(const std::string& path) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
};

}  // namespace glmx::platform
