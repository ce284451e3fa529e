// The hardware view over the system's devices: classes under "My Computer" with their
// devices, in the order and with the entries of the device list, a device's offline
// text, and "Device Manager" starting the console of the system folder.
#include <windows.h>

#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "support/main_window_finder.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"

namespace glmx::testing {
namespace {

using namespace std::chrono_literals;
using platform::win32::Narrow;
using ::testing::HasSubstr;
using ::testing::StartsWith;

struct NodeFacts {
    std::string text;
    int image = -1;
    LPARAM entry = 0;
};

NodeFacts Facts(HWND tree, HTREEITEM item) {
    wchar_t text[260] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_HANDLE;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = 260;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return {Narrow(text), query.iImage, query.lParam};
}

std::vector<std::string> SearchTerms(HWND combo) {
    std::vector<std::string> terms;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        terms.push_back(Narrow(text.c_str()));
    }
    return terms;
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return folder;
}

class HardwareViewGuiTest : public ::testing::Test {
protected:
    HWND Tree() { return window.App().HardwarePage().Tree(); }
    WindowUnderTest window;
};

TEST_F(HardwareViewGuiTest, DevicesListUnderTheirClassesTiedToTheirEntriesAndShowTheirText) {
    window.Command(ui::ViewCommand(vkHardware));
    const hardware::TMyList& list = window.App().Hardware().List();
    ASSERT_GT(list.Count(), 0u);
    const HTREEITEM root = TreeView_GetRoot(Tree());
    EXPECT_EQ(Facts(Tree(), root).text, "My Computer");
    EXPECT_EQ(TreeView_GetSelection(Tree()), TreeView_GetChild(Tree(), root));

    // Depth first, the nodes are the entries in list order, each tied to its own.
    size_t next = 0;
    HTREEITEM device = nullptr;
    for (HTREEITEM type = TreeView_GetChild(Tree(), root); type;
         type = TreeView_GetNextSibling(Tree(), type)) {
        const NodeFacts facts = Facts(Tree(), type);
        EXPECT_EQ(facts.entry, static_cast<LPARAM>(next));
        EXPECT_EQ(facts.text, list.Names[next++]);
        EXPECT_GE(facts.image, 0);
        for (HTREEITEM child = TreeView_GetChild(Tree(), type); child;
             child = TreeView_GetNextSibling(Tree(), child)) {
            EXPECT_EQ(Facts(Tree(), child).entry, static_cast<LPARAM>(next));
            EXPECT_EQ(Facts(Tree(), child).text, list.Names[next++]);
            EXPECT_EQ(Facts(Tree(), child).image, facts.image);
            if (!device) device = child;
        }
    }
    EXPECT_EQ(next, list.Count());
    ASSERT_TRUE(device);

    TreeView_SelectItem(Tree(), device);
    window.NotifyClick(Tree());
    const std::string name = Facts(Tree(), device).text;
    const std::string text = window.Main().Information().OfflineView().Text();
    EXPECT_THAT(text, HasSubstr("Device Name:  " + name));
    EXPECT_THAT(
        text, HasSubstr("Device Type: " + Facts(Tree(), TreeView_GetParent(Tree(), device)).text));
    EXPECT_THAT(text, HasSubstr("Driver Provider: "));
    EXPECT_THAT(text, HasSubstr("Driver Description: "));
    const std::vector<std::string> terms =
        SearchTerms(window.Main().Information().SearchField().Handle());
    ASSERT_GE(terms.size(), 10u);
    EXPECT_EQ(terms[0], "by Device Name: " + name);
    EXPECT_THAT(terms, ::testing::Contains(StartsWith("by Hardware ID: ")));
    EXPECT_THAT(terms, ::testing::Contains(StartsWith("by Driver Version: ")));
}

TEST_F(HardwareViewGuiTest, DeviceManagerStartsTheConsoleOfTheSystemFolderOrSaysWhyNot) {
    const std::wstring console = SystemFolder() + L"\\mmc.exe";
    if (GetFileAttributesW(console.c_str()) != INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "this system has its own console";
    window.Command(ui::ViewCommand(vkHardware));

    static std::string boxText;
    boxText.clear();
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (HWND box = FindWindowW(L"#32770", nullptr)) {
            wchar_t text[512] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 512);
            boxText = Narrow(text);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    });
    window.Command(ui::cmdHardwareControlButton);
    EXPECT_THAT(boxText, StartsWith("The Device Manager could not be started.\r\n\r\n"));
    EXPECT_GT(boxText.size(), 46u);  // the system's reason follows

    // The test child stands in for the console: its window's title is its first argument.
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring child = self;
    child = child.substr(0, child.find_last_of(L'\\') + 1) + L"glmx_test_child.exe";
    ASSERT_TRUE(CopyFileW(child.c_str(), console.c_str(), TRUE));
    struct Remove {
        std::wstring path;
        ~Remove() { DeleteFileW(path.c_str()); }
    } remove{console};
    window.Command(ui::cmdHardwareControlButton);
    HWND started = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (started = FindWindowW(L"GlmxTestChild", L"devmgmt.msc")) != nullptr; }, 10s));
    DWORD processId = 0;
    GetWindowThreadProcessId(started, &processId);
    platform::win32::UniqueKernelHandle process(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    ASSERT_TRUE(process);
    wchar_t image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameW(process.get(), 0, image, &size);
    EXPECT_EQ(CompareStringOrdinal(image, -1, console.c_str(), -1, TRUE), CSTR_EQUAL)
        << Narrow(image);
    PostMessageW(started, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
}

}  // namespace
}  // namespace glmx::testing
