#include "fileinfo/paths.h"

#include <gtest/gtest.h>

namespace glmx::fileinfo {
namespace {

TEST(ExeFromCommandLine, CutsAfterTheFirstExeAndDropsTheQuotes) {
    EXPECT_EQ(ExeFromCommandLine("\"C:\\Program Files\\App\\app.exe\" /min --x"),
              "C:\\PROGRAM FILES\\APP\\APP.EXE");
    EXPECT_EQ(ExeFromCommandLine("c:\\tools\\a.exe.bak\\b.exe"), "C:\\TOOLS\\A.EXE");
    EXPECT_EQ(ExeFromCommandLine("C:\\WINDOWS\\system32\\shell32.dll,-21"),
              "C:\\WINDOWS\\SYSTEM32\\SHELL32.DLL,-21");  // no ".EXE": upper-cased only
    EXPECT_EQ(ExeFromCommandLine("\"C:\\quoted.exe\""), "C:\\QUOTED.EXE");
    EXPECT_EQ(ExeFromCommandLine(".exe"), ".EXE");
    EXPECT_EQ(ExeFromCommandLine("\""), "\"");
    EXPECT_EQ(ExeFromCommandLine(""), "");
}

TEST(RegistryPaths, SplitAtTheFirstBackslash) {
    const std::string run = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    EXPECT_EQ(HiveNameOf(run), "HKEY_CURRENT_USER");
    EXPECT_EQ(PathBelowHive(run), "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_EQ(HiveNameOf("HKEY_USERS"), "");
    EXPECT_EQ(PathBelowHive("HKEY_USERS"), "HKEY_USERS");
    EXPECT_EQ(HiveNameOf("\\leading"), "");
    EXPECT_EQ(PathBelowHive("\\leading"), "leading");
}

TEST(FileNames, NameAndExtensionOfAPath) {
    EXPECT_EQ(FileNamePart("C:\\Windows\\explorer.exe"), "explorer.exe");
    EXPECT_EQ(FileNamePart("C:app.exe"), "app.exe");
    EXPECT_EQ(FileNamePart("/unix/style.exe"), "style.exe");
    EXPECT_EQ(FileNamePart("bare.exe"), "bare.exe");
    EXPECT_EQ(ExtensionOf("A.EXE"), ".EXE");
    EXPECT_EQ(ExtensionOf("archive.tar.gz"), ".gz");
    EXPECT_EQ(ExtensionOf("noextension"), "");
    EXPECT_EQ(ExtensionOf("C:\\dir.d\\file"), "");  // a dot of a folder is no extension
}

}  // namespace
}  // namespace glmx::fileinfo
