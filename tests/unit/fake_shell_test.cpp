#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/fake/fake_shell.h"

namespace glmx::platform {
namespace {

TEST(FakeFileSystemTest, PathsFollowWindowsRules) {
    FakeFileSystem files;
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
    FakeShell shell;
    shell.SetIconIndex("C:\\Tool\\tool.exe", 7);
    shell.SetShortcutTarget("C:\\Start\\Tool.lnk", "C:\\Tool\\tool.exe");
    EXPECT_EQ(shell.SystemIconIndex("c:\\TOOL\\Tool.exe"), 7);
    EXPECT_EQ(shell.SystemIconIndex("C:\\Tool\\other.exe"), 0);
    EXPECT_EQ(shell.ResolveShortcut("c:\\start\\tool.LNK"), "C:\\Tool\\tool.exe");
    EXPECT_EQ(shell.ResolveShortcut("C:\\Start\\Other.lnk"), "");
}

}  // namespace
}  // namespace glmx::platform
