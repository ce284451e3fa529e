// The context-menu registrations against the real registry: they land in the current
// user's classes and go again when unticked.
#include "shellintegration/context_menu_registration.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_registry.h"
#include "support/scoped_test_key.h"

namespace glmx::shellintegration {
namespace {

using platform::RegRoot;
using platform::win32::Wide;

constexpr char kVerb[] = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\Shell\\GLMX";

std::optional<std::wstring> UserClassesValue(const std::string& path, const wchar_t* name = L"") {
    wchar_t text[512] = {};
    DWORD size = sizeof(text), type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, Wide("Software\\Classes\\" + path).c_str(), name,
                     RRF_RT_ANY, &type, text, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    return text;
}

TEST(ContextMenuRegistrationWin, TickedRowsWriteTheUsersClassesAndUntickedRowsRemoveTheEntries) {
    std::vector<std::unique_ptr<testing::ScopedTestKey>> cleanUp;
    for (const char* key : {"*\\shellex", "Folder\\shellex", "Drive\\shellex", kVerb})
        cleanUp.push_back(std::make_unique<testing::ScopedTestKey>(
            RegRoot::CurrentUser, std::string("Software\\Classes\\") + key));
    platform::win32::Win32Registry registry;
    ContextMenuRegistration registration(registry);

    EXPECT_EQ(registration.RegisterFileFolderMenus(true, true), std::nullopt);
    EXPECT_EQ(registration.RegisterDriveMenu(true), std::nullopt);
    EXPECT_EQ(registration.RegisterRecycleBinVerb(true, RecycleBinCommandLine("C:\\A B\\")),
              std::nullopt);
    for (const char* type : {"*", "Folder", "Drive"}) {
        const std::string handlers = std::string(type) + "\\shellex\\ContextMenuHandlers";
        EXPECT_EQ(UserClassesValue(handlers + "\\GLMX"), L"{E63C3709-6797-4C7F-8A05-C783BBEF78FA}");
        EXPECT_EQ(UserClassesValue(handlers), L"");
    }
    EXPECT_EQ(UserClassesValue(kVerb), L"More Information about Recycle Bin");
    EXPECT_EQ(UserClassesValue(std::string(kVerb) + "\\Command"), L"\"C:\\A B\\glmx.exe\" /X /R");

    EXPECT_EQ(registration.RegisterFileFolderMenus(false, true), std::nullopt);
    EXPECT_EQ(registration.RegisterDriveMenu(false), std::nullopt);
    EXPECT_EQ(registration.RegisterRecycleBinVerb(false, ""), std::nullopt);
    EXPECT_EQ(UserClassesValue("*\\shellex\\ContextMenuHandlers\\GLMX"), std::nullopt);
    EXPECT_EQ(UserClassesValue("*\\shellex\\ContextMenuHandlers"), L"");
    EXPECT_TRUE(UserClassesValue("Folder\\shellex\\ContextMenuHandlers\\GLMX"));
    EXPECT_EQ(UserClassesValue("Drive\\shellex\\ContextMenuHandlers\\GLMX"), std::nullopt);
    platform::win32::UniqueHKey verb;
    EXPECT_NE(
        RegOpenKeyExW(HKEY_CURRENT_USER, Wide(std::string("Software\\Classes\\") + kVerb).c_str(),
                      0, KEY_READ, verb.put()),
        ERROR_SUCCESS);
}

}  // namespace
}  // namespace glmx::shellintegration
