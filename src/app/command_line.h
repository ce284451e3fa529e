// The command line through which Explorer's context menus hand the program a
// file, a folder, a drive or the Recycle Bin.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace glmx::app {

enum class CommandLineAction : std::uint32_t {
    clSelectFile = 0x01000002,      // "/F": show the file's folder and select the file
    clOpenFolder = 0x01000003,      // "/O": show the folder
    clOpenDrive = 0x01000004,       // "/D": show the drive root
    clShowRecycleBin = 0x01000005,  // "/R": show the Recycle Bin
    clEnd = 0x02000001,             // no argument left
};

// Cuts a command line into arguments: every character below 33 separates, text in
// double quotes keeps its blanks and the quotes themselves are dropped.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Argument 0 is the program's own file as the system knows it (the command line's
// first word may be a bare name); the rest are cut from the command line after its
// first word.
std::vector<std::string> ProgramArguments(std::string_view programPath,
                                          std::string_view commandLine);

// The folder of the program's file, up to and including its last "\" or ":".
std::string ProgramFolderOf(std::string_view programPath);

class CommandLineReader {
public:
    explicit CommandLineReader(std::vector<std::string> arguments);

    // Examines arguments from ArgumentIndex on and returns the first switch found,
    // with the argument's text after the switch as pathPart; clEnd when none is left.
    CommandLineAction NextCommandLineAction(std::string& pathPart);
    size_t ArgumentIndex() const { return argumentIndex_; }

private:
    std::vector<std::string> arguments_;
    size_t argumentIndex_ = 0;
};

// What the command line acts on: the main window's folder page and views.
class CommandLineTarget {
public:
    virtual ~CommandLineTarget() = default;
    virtual void SelectFileInFolderPage(const std::string& filePath) = 0;
    virtual void OpenFolderInFolderPage(const std::string& folderPath) = 0;
    virtual void ShowRecycleBinView() = 0;
};

// Carries out every switched argument in order.
void ProcessCommandLine(CommandLineReader& reader, CommandLineTarget& target);

}  // namespace glmx::app
