// The "Browse for Folder" dialog over a plain window, acted on from a timer of the test
// thread while the dialog's own modal loop runs.
#include "ui/mainwindow/browse_folder_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "filesearch/local_drives.h"
#include "platform/win32/shell_namespace.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "support/window_under_test.h"
#include "ui/mainwindow/resource_ids.h"
#include "ui/win32/dpi.h"

namespace glmx::ui {
namespace {

using platform::win32::Narrow;

std::function<void(HWND)> act;

void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowW(L"#32770", L"Browse for Folder");
    if (!dialog || !act) return;
    KillTimer(nullptr, timer);
    std::exchange(act, nullptr)(dialog);
}

std::string Text(HWND window, HTREEITEM item = nullptr) {
    wchar_t text[512] = {};
    TVITEMW read{TVIF_TEXT, item, 0, 0, text, 512};
    if (item)
        TreeView_GetItem(window, &read);
    else
        GetWindowTextW(window, text, 512);
    return Narrow(text);
}

class BrowseFolderGuiTest : public ::testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }

    // Opens the dialog over the owner; `then` runs once it is up and must close it.
    std::optional<std::string> Browse(std::function<void(HWND dialog)> then) {
        act = then;
        SetTimer(nullptr, 0, 10, ActOnDialog);
        watchdog.NextStep();
        return BrowseForFolder(owner.get());
    }
    static void Click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

    glmx::testing::Watchdog watchdog{"the Browse for Folder dialog"};
    platform::win32::UniqueWindow owner{CreateWindowExW(0, L"STATIC", L"Owner",
                                                        WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500,
                                                        400, nullptr, nullptr, nullptr, nullptr)};
};

TEST_F(BrowseFolderGuiTest, FolderTakesTheSelectedDriveTheFixedDrivesOrTypedTextAndOkGivesIt) {
    const std::string fixed = filesearch::LocalHardDrives(GetLogicalDrives(), [](char letter) {
        const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', 0};
        return GetDriveTypeW(root) == DRIVE_FIXED;
    });
    const auto result = Browse([&](HWND dialog) {
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner.get());
        HWND tree = GetDlgItem(dialog, IDC_BROWSE_TREE),
             folder = GetDlgItem(dialog, IDC_BROWSE_FOLDER);
        const HTREEITEM root = TreeView_GetRoot(tree);
        const auto computer = platform::win32::SpecialFolderIdList(CSIDL_DRIVES);
        EXPECT_EQ(Text(tree, root), platform::win32::DisplayNameOf(computer.get()));
        HTREEITEM drive = TreeView_GetChild(tree, root);
        while (drive && Text(tree, drive).find("C:") == std::string::npos)
            drive = TreeView_GetNextSibling(tree, drive);
        TreeView_SelectItem(tree, drive);
        EXPECT_EQ(Text(folder), "C:\\");
        TreeView_SelectItem(tree, root);  // My Computer has no path
        EXPECT_EQ(Text(folder), "");
        Click(dialog, IDC_BROWSE_LOCAL_DRIVES);
        EXPECT_EQ(Text(folder), fixed);
        SetWindowTextW(folder, L"C:\\one;D:\\two,typed");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(result, "C:\\one;D:\\two,typed");
}

TEST_F(BrowseFolderGuiTest, CancelEscapeAndTheCloseBoxGiveNothingAndItStaysAtLeast350Square) {
    const std::function<void(HWND)> closers[] = {
        [](HWND dialog) { Click(dialog, IDCANCEL); },
        [](HWND) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); },
        [](HWND dialog) { SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (const auto& close : closers) {
        const auto result = Browse([&](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_BROWSE_FOLDER, L"C:\\");
            SetWindowPos(dialog, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
            RECT rect{};
            GetWindowRect(dialog, &rect);
            const int minimum = Scale(kBrowseFolderMinimumSize, DpiOf(dialog));
            EXPECT_GE(rect.right - rect.left, minimum);
            EXPECT_GE(rect.bottom - rect.top, minimum);
            close(dialog);
        });
        EXPECT_EQ(result, std::nullopt);
    }
}

}  // namespace
}  // namespace glmx::ui
