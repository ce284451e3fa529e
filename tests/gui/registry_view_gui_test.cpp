// The registry view over the real registry: a test key reached by expanding from
// "My Computer", its values listed exactly as written, a key the test locks shown
// empty, the offline text of a value, and "Registry Editor" at the selected key.
#include <windows.h>

#include <aclapi.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_registry.h"
#include "registry/registry_browser.h"
#include "support/list_cells.h"
#include "support/scoped_test_key.h"
#include "support/tree_items.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"

namespace glmx::testing {
namespace {

using platform::win32::Narrow;
using platform::win32::Wide;
using ::testing::HasSubstr;

void SetRaw(HKEY key, const wchar_t* name, DWORD type, const std::vector<BYTE>& data) {
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
}

std::vector<BYTE> Utf16Bytes(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)};
}

// Written through the system's own calls, not the program's.
platform::win32::UniqueHKey CreateRaw(const std::wstring& path) {
    HKEY raw = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    return platform::win32::UniqueHKey(raw);
}

class RegistryViewGuiTest : public ::testing::Test {
protected:
    HWND Tree() { return window.App().InventoryPage().RegistryTree(); }
    HWND List() { return window.App().InventoryPage().List(); }
    std::string KeyPath() { return "HKEY_CURRENT_USER\\" + key.Path(); }
    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        for (int row = 0; row < ListView_GetItemCount(List()); ++row)
            rows.push_back(Cell(List(), row, 0) + "|" + Cell(List(), row, 1) + "|" +
                           Cell(List(), row, 2));
        return rows;
    }

    ScopedTestKey key;
    WindowUnderTest window;
};

TEST_F(RegistryViewGuiTest, ATestKeyShowsExactlyTheValuesWrittenAndAValueItsOfflineText) {
    // Every type's text is proven natively; here the real registry's types and bytes.
    const auto values = CreateRaw(Wide(key.Path()));
    HKEY raw = values.get();
    SetRaw(raw, L"", REG_SZ, Utf16Bytes(L"default"));
    SetRaw(raw, L"text", REG_SZ, Utf16Bytes(L"h\u00e9llo"));
    SetRaw(raw, L"bytes", REG_BINARY, {0x01, 0xab, 0xff});
    SetRaw(raw, L"number", REG_DWORD, {0xff, 0, 0, 0});
    SetRaw(raw, L"Short", REG_DWORD, {1, 2});
    SetRaw(raw, L"Quad", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0});
    SetRaw(raw, L"Long", REG_SZ, Utf16Bytes(std::wstring(600, L'y')));

    window.Command(ui::ViewCommand(vkRegistry));
    EXPECT_EQ(TreeView_GetSelection(Tree()), TreeView_GetChild(Tree(), TreeView_GetRoot(Tree())));
    EXPECT_EQ(window.App().Registry().StatusText(), "HKEY_CLASSES_ROOT");
    const HTREEITEM node = Reveal(Tree(), KeyPath());
    ASSERT_TRUE(node);
    TreeView_SelectItem(Tree(), node);
    EXPECT_EQ(window.App().Registry().StatusText(), KeyPath());
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "(Default)|REG_SZ|default",
                          "bytes|REG_BINARY|01 ab ff",
                          "Long|REG_SZ|" + std::string(512, 'y') + "...",
                          "number|REG_DWORD|0x000000ff (255)",
                          "Quad|REG_QWORD|0x0000000000000001 (1)",
                          "Short|REG_DWORD|01 02",
                          "text|REG_SZ|h\u00e9llo",
                      }));

    // A click on the tree describes the key; a click on a row describes the value.
    window.NotifyClick(Tree());
    window.PumpMessages();
    const std::string keyText = window.Main().Information().OfflineView().Text();
    EXPECT_THAT(keyText, HasSubstr("Key Path:  " + KeyPath()));
    const int row = FindRow(List(), 0, "number");
    SelectRow(List(), row);
    window.NotifyClick(List());
    window.PumpMessages();
    const std::string valueText = window.Main().Information().OfflineView().Text();
    EXPECT_THAT(valueText, HasSubstr("Value Path:  " + KeyPath() + "\\number"));
    EXPECT_THAT(valueText, HasSubstr("Value:  0x000000ff (255)"));
    EXPECT_EQ(window.Main().Information().SearchField().Text(), "by Value Name: number");

    // Selecting "My Computer" empties the list and leaves the status bar alone.
    TreeView_SelectItem(Tree(), TreeView_GetRoot(Tree()));
    EXPECT_EQ(ListView_GetItemCount(List()), 0);
    EXPECT_EQ(window.App().Registry().StatusText(), KeyPath());
}

TEST_F(RegistryViewGuiTest, AKeyThatRefusesReadingShowsNothingAndNoMessage) {
    const std::wstring lockedPath = Wide(key.Path()) + L"\\Locked";
    CreateRaw(lockedPath + L"\\Below");
    {
        const auto locked = CreateRaw(lockedPath);
        SetRaw(locked.get(), L"hidden", REG_SZ, Utf16Bytes(L"x"));
        // An empty access list lets nobody in; the owner may still give access back.
        ACL empty{};
        ASSERT_TRUE(InitializeAcl(&empty, sizeof(empty), ACL_REVISION));
        ASSERT_EQ(SetSecurityInfo(locked.get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                                  nullptr, &empty, nullptr),
                  ERROR_SUCCESS);
    }
    struct Unlock {
        std::wstring path;
        ~Unlock() {
            HKEY locked = nullptr;
            if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &locked) == 0) {
                SetSecurityInfo(locked, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                                nullptr, nullptr, nullptr);  // no access list: everyone
                RegCloseKey(locked);
            }
        }
    } unlock{lockedPath};
    HKEY probe = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, lockedPath.c_str(), 0, KEY_READ, &probe) == 0) {
        RegCloseKey(probe);
        GTEST_SKIP() << "this system does not enforce the key's access list";
    }

    window.Command(ui::ViewCommand(vkRegistry));
    const HTREEITEM locked = Reveal(Tree(), KeyPath() + "\\Locked");
    ASSERT_TRUE(locked);
    EXPECT_FALSE(HasExpandButton(Tree(), locked));
    TreeView_SelectItem(Tree(), locked);
    EXPECT_EQ(ListView_GetItemCount(List()), 0);
    EXPECT_EQ(window.App().Registry().StatusText(), KeyPath() + "\\Locked");
}

TEST_F(RegistryViewGuiTest, RegistryEditorStartsFromTheWindowsFolderAtTheSelectedKey) {
    CreateRaw(Wide(key.Path()));
    platform::win32::Win32Registry registry;
    const auto editorKey =
        registry.CreateKey(platform::RegRoot::CurrentUser, registry::kEditorSettingsKey);
    ASSERT_TRUE(editorKey);
    const auto stored = editorKey->QueryValue(registry::kEditorLastKeyValue);
    struct Restore {
        platform::RegistryKey& key;
        std::optional<platform::RegData> stored;
        ~Restore() {
            stored ? key.SetValue(registry::kEditorLastKeyValue, *stored)
                   : key.DeleteValue(registry::kEditorLastKeyValue);
        }
    } restore{*editorKey, stored};

    window.Command(ui::ViewCommand(vkRegistry));
    TreeView_SelectItem(Tree(), Reveal(Tree(), KeyPath()));
    EXPECT_EQ(window.PageLabel(ui::Page::Inventory), "Windows Registry");
    SendMessageW(window.ControlButton(ui::Page::Inventory), BM_CLICK, 0, 0);

    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_THAT(window.shell.opened, ::testing::ElementsAre(Narrow(windows) + "\\regedit.exe"));
    const auto remembered = editorKey->QueryValue(registry::kEditorLastKeyValue);
    ASSERT_TRUE(remembered);
    EXPECT_THAT(platform::DecodeStringData(*remembered), ::testing::EndsWith("\\" + KeyPath()));
}

}  // namespace
}  // namespace glmx::testing
