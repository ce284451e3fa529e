#include "inventory/uninstall_command.h"

#include <vector>

#include "fileinfo/paths.h"
#include "platform/text.h"

namespace glmx::inventory {

namespace {

// The existing file a program name stands for, or "".
std::string ExistingProgram(std::string_view name, const platform::FileSystem& files,
                            std::string_view systemFolder) {
    if (name.empty()) return {};
    std::vector<std::string> places;
    if (IsAbsolutePath(name)) {
        places.emplace_back(name);
    } else if (name.find_first_of("\\/:") == std::string_view::npos) {
        for (const std::string& folder : {std::string(systemFolder), files.WindowsFolder()})
            if (!folder.empty())
                places.push_back(folder + (folder.back() == '\\' ? "" : "\\") + std::string(name));
    }
    // "MsiExec /X{...}" names MsiExec.exe; a path must be given whole, or
    // "C:\Program Files\..." would name "C:\Program.exe".
    const bool addExe = places.size() > 1 && fileinfo::ExtensionOf(name).empty();
    for (const std::string& place : places) {
        if (files.FileExists(place)) return place;
        if (addExe && files.FileExists(place + ".exe")) return place + ".exe";
    }
    return {};
}

std::optional<CommandToStart> Command(std::string program, std::string_view arguments) {
    CommandToStart command{program, "\"" + program + "\""};
    arguments = platform::TrimSpacesAndControls(arguments);
    if (!arguments.empty()) command.commandLine.append(" ").append(arguments);
    return command;
}

}  // namespace

bool IsAbsolutePath(std::string_view path) {
    if (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/'))
        return (path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z');
    return path.starts_with("\\\\");
}

std::optional<CommandToStart> ResolveCommand(std::string_view command,
                                             const platform::FileSystem& files,
                                             std::string_view systemFolder) {
    command = platform::TrimSpacesAndControls(command);
    if (command.starts_with('"')) {
        const size_t close = command.find('"', 1);
        if (close == std::string_view::npos) return std::nullopt;
        std::string program = ExistingProgram(command.substr(1, close - 1), files, systemFolder);
        if (program.empty()) return std::nullopt;
        return Command(std::move(program), command.substr(close + 1));
    }
    // Longest first; a candidate ending in a blank stands for the same file as the
    // shorter one after it (the system drops trailing blanks), so it is skipped.
    for (size_t end = command.size(); end != std::string_view::npos && end > 0;
         end = command.find_last_of(' ', end - 1)) {
        const std::string_view candidate = command.substr(0, end);
        if (candidate.back() == ' ') continue;
        std::string program = ExistingProgram(candidate, files, systemFolder);
        if (!program.empty()) return Command(std::move(program), command.substr(end));
    }
    return std::nullopt;
}

}  // namespace glmx::inventory
