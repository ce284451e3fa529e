#include "app/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace glmx::app {
namespace {

using ::testing::ElementsAre;

TEST(SplitCommandLine, ControlCharactersSeparateAndQuotesKeepBlanks) {
    EXPECT_THAT(SplitCommandLine("a  b\tc\x01"
                                 "d"),
                ElementsAre("a", "b", "c", "d"));
    EXPECT_THAT(SplitCommandLine("\"C:\\Program Files\\glmx.exe\" /F\"C:\\My Docs\\a b.txt\""),
                ElementsAre("C:\\Program Files\\glmx.exe", "/FC:\\My Docs\\a b.txt"));
    EXPECT_THAT(SplitCommandLine("x\"y z\"w \"\" end"), ElementsAre("xy zw", "", "end"));
    EXPECT_THAT(SplitCommandLine("\"unterminated quote"), ElementsAre("unterminated quote"));
    EXPECT_THAT(SplitCommandLine("   "), ElementsAre());
}

TEST(ProgramArguments, ArgumentZeroIsTheProgramFileAndTheFolderEndsAtTheLastBackslashOrColon) {
    EXPECT_THAT(ProgramArguments("C:\\Tools\\glmx.exe", "glmx /R"),
                ElementsAre("C:\\Tools\\glmx.exe", "/R"));
    EXPECT_THAT(ProgramArguments("C:\\Tools\\glmx.exe", ""), ElementsAre("C:\\Tools\\glmx.exe"));
    EXPECT_EQ(ProgramFolderOf("C:\\Program Files\\Glimmerbox\\glmx.exe"),
              "C:\\Program Files\\Glimmerbox\\");
    EXPECT_EQ(ProgramFolderOf("C:glmx.exe"), "C:");
    EXPECT_EQ(ProgramFolderOf("glmx.exe"), "");
}

struct Step {
    CommandLineAction action;
    std::string path;
    bool operator==(const Step&) const = default;
};
using A = CommandLineAction;

// The steps before the end.
std::vector<Step> ReadAll(std::vector<std::string> arguments) {
    CommandLineReader reader(std::move(arguments));
    std::vector<Step> steps;
    std::string path = "untouched";
    for (A action; (action = reader.NextCommandLineAction(path)) != A::clEnd;)
        steps.push_back({action, path});
    return steps;
}

TEST(NextCommandLineAction, SwitchesAreFoundAnywhereInAnyCaseAndTheLastInAnArgumentWins) {
    const std::pair<std::vector<std::string>, std::vector<Step>> cases[] = {
        // Argument zero is examined too; without a switch nothing happens.
        {{"C:\\Tools\\glmx.exe"}, {}},
        {{"X:/Rescue/glmx.exe"}, {{A::clShowRecycleBin, ""}}},
        // The path keeps its case and starts after the switch's first occurrence.
        {{"p", "/fC:\\Docs\\Read Me.TXT"}, {{A::clSelectFile, "C:\\Docs\\Read Me.TXT"}}},
        {{"p", "prefix/oD:\\Folder"}, {{A::clOpenFolder, "D:\\Folder"}}},
        {{"p", "/DE:\\"}, {{A::clOpenDrive, "E:\\"}}},
        {{"p", "/Fa/Fb"}, {{A::clSelectFile, "a/Fb"}}},
        {{"p", "/FC:\\x/R"}, {{A::clShowRecycleBin, ""}}},
        {{"p", "/O/FC:\\x"}, {{A::clOpenFolder, "/FC:\\x"}}},
        {{"p", "/F1/D2/O3"}, {{A::clOpenDrive, "2/O3"}}},
    };
    for (const auto& [arguments, steps] : cases)
        EXPECT_EQ(ReadAll(arguments), steps) << arguments.back();
}

TEST(NextCommandLineAction, SkipsArgumentsWithoutSwitchesAndStaysAtTheEnd) {
    CommandLineReader reader({"p", "/Ra", "plain", "/Ob"});
    std::string path;
    EXPECT_EQ(reader.NextCommandLineAction(path), A::clShowRecycleBin);
    EXPECT_EQ(reader.NextCommandLineAction(path), A::clOpenFolder);
    EXPECT_EQ(path, "b");
    EXPECT_EQ(reader.NextCommandLineAction(path), A::clEnd);
    EXPECT_EQ(reader.NextCommandLineAction(path), A::clEnd);
    EXPECT_EQ(reader.ArgumentIndex(), 4u);
}

class RecordingTarget final : public CommandLineTarget {
public:
    void SelectFileInFolderPage(const std::string& path) override {
        calls.push_back("select " + path);
    }
    void OpenFolderInFolderPage(const std::string& path) override {
        calls.push_back("open " + path);
    }
    void ShowRecycleBinView() override { calls.push_back("recycle bin"); }
    std::vector<std::string> calls;
};

TEST(ProcessCommandLine, CarriesOutEverySwitchedArgumentInOrder) {
    RecordingTarget target;
    CommandLineReader bare(ProgramArguments("C:\\glmx.exe", "\"C:\\Program Files\\glmx.exe\""));
    ProcessCommandLine(bare, target);
    EXPECT_TRUE(target.calls.empty());
    CommandLineReader reader(ProgramArguments(
        "C:\\glmx.exe", "glmx.exe /F\"C:\\a b\\f.txt\" ignored /O\"C:\\dir\" /dD:\\ /R/F"));
    ProcessCommandLine(reader, target);
    EXPECT_THAT(target.calls,
                ElementsAre("select C:\\a b\\f.txt", "open C:\\dir", "open D:\\", "recycle bin"));
}

}  // namespace
}  // namespace glmx::app
