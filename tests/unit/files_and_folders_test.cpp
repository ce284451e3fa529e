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

TEST_F(FilesAndFoldersTest, StartsWithoutARootAndTouchesNothing) {
    EXPECT_EQ(view.Root(), "");
    EXPECT_TRUE(tree.calls.empty());
}

TEST_F(FilesAndFoldersTest, ASpecialFolderKeywordBecomesTheRootWithoutASelection) {
    for (const char* keyword : {"rfDesktop", "rfPersonal", "rfRecycleBin"}) {
        tree.calls.clear();
        view.SetRoot(keyword);
        EXPECT_EQ(view.Root(), keyword);
        EXPECT_EQ(tree.calls, Calls{std::string("root ") + keyword});
    }
}

TEST_F(FilesAndFoldersTest, AnExistingFolderIsTheRootAndIsSelected) {
    files.AddDirectory("C:\\Data\\Projects");
    view.SetRoot("c:\\data\\projects");
    EXPECT_EQ(view.Root(), "c:\\data\\projects");
    EXPECT_EQ(tree.calls, (Calls{"root c:\\data\\projects", "select c:\\data\\projects"}));
}

TEST_F(FilesAndFoldersTest, AMissingFolderOrAFileIsTheRootButNotSelected) {
    files.AddFile("C:\\Data\\notes.txt");
    view.SetRoot("C:\\Nowhere");
    view.SetRoot("C:\\Data\\notes.txt");
    EXPECT_EQ(view.Root(), "C:\\Data\\notes.txt");
    EXPECT_EQ(tree.calls, (Calls{"root C:\\Nowhere", "root C:\\Data\\notes.txt"}));
}

TEST_F(FilesAndFoldersTest, EveryRootIsPassedOnAgainEvenWhenUnchanged) {
    files.AddDirectory("D:\\");
    view.SetRoot("D:\\");
    view.SetRoot("D:\\");
    view.SetRoot("");
    EXPECT_EQ(view.Root(), "");
    EXPECT_EQ(tree.calls, (Calls{"root D:\\", "select D:\\", "root D:\\", "select D:\\", "root "}));
}

TEST(FakeFileSystemTest, NamesCompareWithoutRegardToAsciiCase) {
    platform::FakeFileSystem files;
    files.AddDirectory("C:\\Program Files\\Tool");
    files.AddFile("C:\\Program Files\\Tool\\Tool.EXE");
    EXPECT_TRUE(files.DirectoryExists("c:\\PROGRAM FILES\\tool"));
    EXPECT_TRUE(files.FileExists("C:\\program files\\TOOL\\tool.exe"));
    // Only ASCII letters fold; others must match exactly.
    files.AddFile("C:\\\u00e4.txt");
    EXPECT_TRUE(files.FileExists("C:\\\u00e4.TXT"));
    EXPECT_FALSE(files.FileExists("C:\\\u00c4.txt"));
}

TEST(FakeFileSystemTest, FilesAndDirectoriesAreToldApartAndTheFoldersAboveExist) {
    platform::FakeFileSystem files;
    files.AddFile("C:\\A\\B\\c.txt");
    EXPECT_TRUE(files.FileExists("C:\\A\\B\\c.txt"));
    EXPECT_FALSE(files.DirectoryExists("C:\\A\\B\\c.txt"));
    EXPECT_TRUE(files.DirectoryExists("C:\\A\\B"));
    EXPECT_TRUE(files.DirectoryExists("C:\\A"));
    EXPECT_TRUE(files.DirectoryExists("C:\\"));
    EXPECT_FALSE(files.FileExists("C:\\A"));
    EXPECT_FALSE(files.FileExists("C:\\A\\B\\c"));
    EXPECT_FALSE(files.DirectoryExists("C:\\A\\B\\C"));
}

TEST(FakeFileSystemTest, SeparatorsAndATrailingBackslashFollowWindows) {
    platform::FakeFileSystem files;
    files.AddDirectory("C:/Users/Me/");
    files.AddFile("C:\\Users\\Me\\x.ini");
    EXPECT_TRUE(files.DirectoryExists("C:\\Users\\Me"));
    EXPECT_TRUE(files.DirectoryExists("C:\\Users\\Me\\"));
    EXPECT_TRUE(files.FileExists("C:/Users/Me/x.ini"));
    EXPECT_FALSE(files.FileExists("C:\\Users\\Me\\x.ini\\"));
}

TEST(FakeFileSystemTest, NetworkPathsAndEmptyOrOddInputFindNothingUnlessAdded) {
    platform::FakeFileSystem files;
    files.AddFile("\\\\server\\share\\file.txt");
    EXPECT_TRUE(files.FileExists("\\\\SERVER\\share\\file.txt"));
    EXPECT_TRUE(files.DirectoryExists("\\\\server\\share"));
    EXPECT_FALSE(files.DirectoryExists("\\"));
    EXPECT_FALSE(files.DirectoryExists(""));
    EXPECT_FALSE(files.FileExists(""));
    files.AddFile("C:\\x");
    EXPECT_FALSE(files.FileExists(std::string("C:\\x\0y", 6)));
    files.AddDirectory("");  // names nothing; ignored
    EXPECT_FALSE(files.DirectoryExists(""));
}

TEST(FakeFileSystemTest, TheWindowsFolderIsConfigurable) {
    platform::FakeFileSystem files;
    EXPECT_EQ(files.WindowsFolder(), "C:\\Windows");
    files.SetWindowsFolder("D:\\WINNT");
    EXPECT_EQ(files.WindowsFolder(), "D:\\WINNT");
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
