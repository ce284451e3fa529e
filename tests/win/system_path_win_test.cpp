#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include "platform/win32/wide.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system_folders.h"
#include "shell/places/root_folders.h"
#include "shell/places/system_path.h"

namespace glmx::shell::places {
namespace {

// The portable table's numbers are Windows' own.
static_assert(csidl::kDesktop == CSIDL_DESKTOP && csidl::kInternet == CSIDL_INTERNET &&
              csidl::kPrograms == CSIDL_PROGRAMS && csidl::kControls == CSIDL_CONTROLS &&
              csidl::kPrinters == CSIDL_PRINTERS && csidl::kPersonal == CSIDL_PERSONAL &&
              csidl::kFavorites == CSIDL_FAVORITES && csidl::kStartup == CSIDL_STARTUP &&
              csidl::kRecent == CSIDL_RECENT && csidl::kSendTo == CSIDL_SENDTO &&
              csidl::kBitBucket == CSIDL_BITBUCKET && csidl::kStartMenu == CSIDL_STARTMENU &&
              csidl::kDesktopDirectory == CSIDL_DESKTOPDIRECTORY &&
              csidl::kNetHood == CSIDL_NETHOOD && csidl::kFonts == CSIDL_FONTS &&
              csidl::kTemplates == CSIDL_TEMPLATES &&
              csidl::kCommonStartMenu == CSIDL_COMMON_STARTMENU &&
              csidl::kCommonPrograms == CSIDL_COMMON_PROGRAMS &&
              csidl::kCommonStartup == CSIDL_COMMON_STARTUP &&
              csidl::kCommonDesktopDirectory == CSIDL_COMMON_DESKTOPDIRECTORY &&
              csidl::kAppData == CSIDL_APPDATA && csidl::kPrintHood == CSIDL_PRINTHOOD &&
              csidl::kLocalAppData == CSIDL_LOCAL_APPDATA &&
              csidl::kCommonFavorites == CSIDL_COMMON_FAVORITES &&
              csidl::kInternetCache == CSIDL_INTERNET_CACHE && csidl::kCookies == CSIDL_COOKIES &&
              csidl::kHistory == CSIDL_HISTORY && csidl::kCommonAppData == CSIDL_COMMON_APPDATA &&
              csidl::kWindows == CSIDL_WINDOWS && csidl::kProgramFiles == CSIDL_PROGRAM_FILES &&
              csidl::kMyPictures == CSIDL_MYPICTURES &&
              csidl::kProgramFilesCommon == CSIDL_PROGRAM_FILES_COMMON &&
              csidl::kCommonTemplates == CSIDL_COMMON_TEMPLATES &&
              csidl::kCommonDocuments == CSIDL_COMMON_DOCUMENTS &&
              csidl::kCommonMusic == CSIDL_COMMON_MUSIC &&
              csidl::kCommonPictures == CSIDL_COMMON_PICTURES &&
              csidl::kCommonVideo == CSIDL_COMMON_VIDEO);

bool IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(platform::win32::Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(SystemPathWin, TheRealRegistryAndSystemGiveExistingFoldersAndExpandProcessVariables) {
    platform::win32::Win32Registry registry;
    const platform::win32::Win32SystemFolders folders;
    const TPBSystemPath paths(registry, folders);
    for (const char* property :
         {"System", "Windows", "Temp", "Personal", "AppData", "CommonDocuments", "ProgramFiles"}) {
        const std::string path = paths.PathOf(property);
        EXPECT_TRUE(path.ends_with('\\')) << property << ": " << path;
        EXPECT_TRUE(IsDirectory(path)) << property << ": " << path;
    }
    // The fallback when the registry has nothing.
    EXPECT_TRUE(IsDirectory(folders.ShellFolderPath(csidl::kCommonDocuments)));

    ASSERT_TRUE(SetEnvironmentVariableW(L"GLMX_TEST_EMPTY", L""));
    ASSERT_TRUE(SetEnvironmentVariableW(L"GLMX_TEST_FOLDER", L"Folder"));
    EXPECT_EQ(paths.ExpandEnvironmentPart(
                  "%SystemDrive%\\%GLMX_TEST_FOLDER%%GLMX_TEST_EMPTY%\\%GLMX_TEST_MISSING%"),
              folders.EnvironmentVariable("SystemDrive").value_or("?") +
                  "\\Folder\\%GLMX_TEST_MISSING%\\");
    SetEnvironmentVariableW(L"GLMX_TEST_EMPTY", nullptr);
    SetEnvironmentVariableW(L"GLMX_TEST_FOLDER", nullptr);
}

}  // namespace
}  // namespace glmx::shell::places
