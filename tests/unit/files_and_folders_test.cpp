#include "fileinfo/files_and_folders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_shell.h"

namespace glmx::fileinfo {
namespace {

class RecordingFolderTree final : public FolderTree {
public:
    void SetRoot(const std::string& root) override { calls.push_back("root " + root); }
    void SelectPath(const std::string& path) override { calls.push_back("select " + path); }

    std::vector<std::string> calls;
};

class FilesAndFoldersTest : public ::testing::Test {
protected:
    RecordingFolderTree tree;
    platform::FakeFileSystem files;
    TFilesAndFolderClass view{tree, files};
};

using Calls = std::vector<std::string>;

TEST_F(FilesAndFoldersTest, EveryRootIsPassedOnAndOnlyAnExistingFolderIsSelected) {
    EXPECT_EQ(view.Root(), "");
    EXPECT_TRUE(tree.calls.empty());
    files.AddDirectory("C:\\Data\\Projects");
    files.AddFile("C:\\Data\\notes.txt");
    const std::pair<const char*, Calls> cases[] = {
        {"rfDesktop", {"root rfDesktop"}},  // a special folder's keyword
        {"rfRecycleBin", {"root rfRecycleBin"}},
        {"c:\\data\\projects", {"root c:\\data\\projects", "select c:\\data\\projects"}},
        {"c:\\data\\projects", {"root c:\\data\\projects", "select c:\\data\\projects"}},
        {"C:\\Nowhere", {"root C:\\Nowhere"}},
        {"C:\\Data\\notes.txt", {"root C:\\Data\\notes.txt"}},
        {"", {"root "}},
    };
    for (const auto& [root, calls] : cases) {
        tree.calls.clear();
        view.SetRoot(root);
        EXPECT_EQ(view.Root(), root);
        EXPECT_EQ(tree.calls, calls) << root;
    }
}

TEST(FakeFileSystemTest, PathsFollowWindowsRules) {
    platform::FakeFileSystem files;
    files.AddDirectory("C:\\Program Files\\Tool");
    files.AddFile("C:\\Program Files\\Tool\\Tool.EXE");
    files.AddFile("C:\\\u00e4.txt");
    files.AddFile("C:\\A\\B\\c.txt");
    files.AddDirectory("C:/Users/Me/");
    files.AddFile("C:\\Users\\Me\\x.ini");
    files.AddFile("\\\\server\\share\\file.txt");
    files.AddFile("C:\\x");
    files.AddDirectory("");  // names nothing; ignored
    struct Case {
        std::string path;
        bool file, directory;
    };
    const Case cases[] = {
        {"c:\\PROGRAM FILES\\tool", false, true},
        {"C:\\program files\\TOOL\\tool.exe", true, false},
        {"C:\\\u00e4.TXT", true, false},
        {"C:\\\u00c4.txt", false, false},  // only ASCII letters fold
        {"C:\\A\\B\\c.txt", true, false},
        {"C:\\A\\B", false, true},
        {"C:\\", false, true},
        {"C:\\A\\B\\c", false, false},
        {"C:\\A\\B\\C", false, false},
        {"C:\\Users\\Me\\", false, true},
        {"C:/Users/Me/x.ini", true, false},
        {"C:\\Users\\Me\\x.ini\\", false, false},
        {"\\\\SERVER\\share\\file.txt", true, false},
        {"\\\\server\\share", false, true},
        {"\\", false, false},
        {"", false, false},
        {std::string("C:\\x\0y", 6), false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(files.FileExists(c.path), c.file) << c.path;
        EXPECT_EQ(files.DirectoryExists(c.path), c.directory) << c.path;
    }
}

TEST(FakeShellTest, IconIndexesDefaultToZeroAndMatchPathsInAnyAsciiCase) {
    platform::FakeShell shell;
    shell.SetIconIndex("C:\\Tool\\tool.exe", 7);
    EXPECT_EQ(shell.SystemIconIndex("c:\\TOOL\\Tool.exe"), 7);
    EXPECT_EQ(shell.SystemIconIndex("C:\\Tool\\other.exe"), 0);
    EXPECT_EQ(shell.SystemIconIndex(""), 0);
}

TEST(FakeShellTest, ShortcutsResolveToTheirTargetOrToNothing) {
    platform::FakeShell shell;
    shell.SetShortcutTarget("C:\\Start\\Tool.lnk", "C:\\PROGRA~1\\Tool\\tool.exe");
    EXPECT_EQ(shell.ResolveShortcut("c:\\start\\tool.LNK"), "C:\\PROGRA~1\\Tool\\tool.exe");
    EXPECT_EQ(shell.ResolveShortcut("C:\\Start\\Other.lnk"), "");
}

TEST(FakeShellTest, ContextMenuRequestsAreRecordedAndAnswered) {
    platform::FakeShell shell;
    int owner = 0;
    EXPECT_FALSE(shell.DisplayShellContextMenu(&owner, "C:\\a.txt", 10, 20));
    shell.SetContextMenuResult(true);
    EXPECT_TRUE(shell.DisplayShellContextMenu(nullptr, "C:\\b.txt", -1, 0));
    using Request = platform::FakeShell::ContextMenuRequest;
    EXPECT_EQ(shell.ContextMenuRequests(),
              (std::vector<Request>{{&owner, "C:\\a.txt", 10, 20}, {nullptr, "C:\\b.txt", -1, 0}}));
}

}  // namespace
}  // namespace glmx::fileinfo
