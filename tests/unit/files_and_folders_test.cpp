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

TEST_F(FilesAndFoldersTest, EveryRootIsPassedOnAndOnlyAnExistingFolderIsSelected) {
    files.AddDirectory("C:\\Data\\Projects");
    files.AddFile("C:\\Data\\notes.txt");
    const std::pair<const char*, std::vector<std::string>> cases[] = {
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
    for (const char* file : {"C:\\Program Files\\Tool\\Tool.EXE", "C:\\\u00e4.txt",
                             "C:\\Users\\Me\\x.ini", "\\\\server\\share\\file.txt", "C:\\x"})
        files.AddFile(file);
    files.AddDirectory("D:/Empty/");
    files.AddDirectory("");  // names nothing; ignored
    // clang-format off
    const std::pair<std::string, char> cases[] = {  // 'f' a file, 'd' a folder, '-' neither
        {"c:\\PROGRAM FILES\\tool", 'd'}, {"C:\\program files\\TOOL\\tool.exe", 'f'},
        {"C:\\\u00e4.TXT", 'f'}, {"C:\\\u00c4.txt", '-'},  // only ASCII letters fold
        {"C:\\", 'd'}, {"C:\\Program Files\\Tool\\Tool", '-'}, {"D:\\Empty\\", 'd'},
        {"C:/Users/Me/x.ini", 'f'}, {"C:\\Users\\Me\\x.ini\\", '-'},
        {"\\\\SERVER\\share\\file.txt", 'f'}, {"\\\\server\\share", 'd'}, {"", '-'},
        {std::string("C:\\x\0y", 6), '-'}};
    // clang-format on
    for (const auto& [path, kind] : cases) {
        EXPECT_EQ(files.FileExists(path), kind == 'f') << path;
        EXPECT_EQ(files.DirectoryExists(path), kind == 'd') << path;
    }
}

TEST(FakeShellTest, IconsAndShortcutsMatchPathsInAnyAsciiCaseAndDefaultToNothing) {
    platform::FakeShell shell;
    shell.SetIconIndex("C:\\Tool\\tool.exe", 7);
    shell.SetShortcutTarget("C:\\Start\\Tool.lnk", "C:\\Tool\\tool.exe");
    EXPECT_EQ(shell.SystemIconIndex("c:\\TOOL\\Tool.exe"), 7);
    EXPECT_EQ(shell.SystemIconIndex("C:\\Tool\\other.exe"), 0);
    EXPECT_EQ(shell.ResolveShortcut("c:\\start\\tool.LNK"), "C:\\Tool\\tool.exe");
    EXPECT_EQ(shell.ResolveShortcut("C:\\Start\\Other.lnk"), "");
}

}  // namespace
}  // namespace glmx::fileinfo
