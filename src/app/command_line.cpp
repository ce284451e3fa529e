#include "app/command_line.h"

#include "platform/text.h"

namespace glmx::app {

namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) < 33; }

// Reads one argument starting at pos; returns false when only separators are left.
bool NextArgument(std::string_view line, size_t& pos, std::string& argument) {
    while (pos < line.size() && IsSeparator(line[pos])) ++pos;
    if (pos >= line.size()) return false;
    argument.clear();
    bool quoted = false;
    for (; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && IsSeparator(c)) {
            break;
        } else {
            argument += c;
        }
    }
    return true;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> arguments;
    size_t pos = 0;
    std::string argument;
    while (NextArgument(commandLine, pos, argument)) arguments.push_back(argument);
    return arguments;
}

std::vector<std::string> ProgramArguments(std::string_view programPath,
                                          std::string_view commandLine) {
    std::vector<std::string> arguments = SplitCommandLine(commandLine);
    if (arguments.empty())
        arguments.emplace_back(programPath);
    else
        arguments.front() = std::string(programPath);
    return arguments;
}

std::string ProgramFolderOf(std::string_view programPath) {
    const size_t last = programPath.find_last_of("\\:");
    if (last == std::string_view::npos) return {};
    return std::string(programPath.substr(0, last + 1));
}

CommandLineReader::CommandLineReader(std::vector<std::string> arguments)
    : arguments_(std::move(arguments)) {}

CommandLineAction CommandLineReader::NextCommandLineAction(std::string& pathPart) {
    struct Switch {
        std::string_view text;
        CommandLineAction action;
    };
    // Tested in this order; a later match replaces an earlier one.
    static constexpr Switch kSwitches[] = {
        {"/F", CommandLineAction::clSelectFile},
        {"/O", CommandLineAction::clOpenFolder},
        {"/D", CommandLineAction::clOpenDrive},
        {"/R", CommandLineAction::clShowRecycleBin},
    };
    while (argumentIndex_ < arguments_.size()) {
        const std::string& argument = arguments_[argumentIndex_++];
        const std::string upper = platform::AsciiUpper(argument);
        bool found = false;
        CommandLineAction action = CommandLineAction::clEnd;
        for (const Switch& s : kSwitches) {
            const size_t at = upper.find(s.text);
            if (at == std::string::npos) continue;
            found = true;
            action = s.action;
            // ASCII upper-casing keeps every byte's position, so the offset holds in the original.
            pathPart = s.action == CommandLineAction::clShowRecycleBin
                           ? std::string()
                           : argument.substr(at + s.text.size());
        }
        if (found) return action;
    }
    return CommandLineAction::clEnd;
}

void ProcessCommandLine(CommandLineReader& reader, CommandLineTarget& target) {
    std::string path;
    for (CommandLineAction action = reader.NextCommandLineAction(path);
         action != CommandLineAction::clEnd; action = reader.NextCommandLineAction(path)) {
        switch (action) {
            case CommandLineAction::clSelectFile:
                target.SelectFileInFolderPage(path);
                break;
            case CommandLineAction::clOpenFolder:
            case CommandLineAction::clOpenDrive:
                target.OpenFolderInFolderPage(path);
                break;
            case CommandLineAction::clShowRecycleBin:
                target.ShowRecycleBinView();
                break;
            case CommandLineAction::clEnd:
                break;
        }
    }
}

}  // namespace glmx::app
