// The shell tree in a plain top-level window that routes the tree's notifications
// back to it, over real folders in a temp folder.
// clang-format off
#include <windows.h>  // before the other system headers
// clang-format on
#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/shell_namespace.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "shell/places/folder_rules.h"
#include "ui/win32/shell_tree.h"

namespace glmx::ui {
namespace {

using namespace platform::win32;
using Strings = std::vector<std::string>;

constexpr wchar_t kParentClass[] = L"GlmxShellTreeTestParent";
// Wine lists it last (it orders only ASCII without regard to case); a reader expects it
// second.
const std::string kApfel = "\xC3\x84pfel";

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* tree = reinterpret_cast<ShellTree*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (message == WM_NOTIFY && tree &&
        tree->OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
        return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

void PumpMessages() {
    MSG message;
    for (int round = 0; round < 1000 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++round) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

class ShellTreeWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        static std::atomic<int> counter{0};
        wchar_t temp[MAX_PATH + 1] = {};
        folder = std::filesystem::path(std::wstring(temp, GetTempPathW(MAX_PATH + 1, temp))) /
                 (L"glmx-tree-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(counter++));
        std::filesystem::remove_all(folder);  // a stale run's
        for (const wchar_t* made : {L"beta\\deep\\deeper", L"Alpha", L"Gamma", L"\u00c4pfel"})
            ASSERT_TRUE(std::filesystem::create_directories(folder / made));
        std::ofstream(folder / "Gamma" / "only a file.txt") << "x";
        std::ofstream(folder / "a file.txt") << "x";

        const WNDCLASSW windowClass{
            0, ParentProcedure, 0, 0, GetModuleHandleW(nullptr), {}, {}, {}, {}, kParentClass};
        RegisterClassW(&windowClass);  // fails harmlessly from the second test on
        parent.reset(CreateWindowExW(0, kParentClass, L"Shell tree test", WS_OVERLAPPEDWINDOW, 0, 0,
                                     400, 500, nullptr, nullptr, GetModuleHandleW(nullptr),
                                     nullptr));
        ASSERT_TRUE(parent);
        SetWindowLongPtrW(parent.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&tree));
        ASSERT_TRUE(tree.Create(parent.get(), 7));
        MoveWindow(tree.Handle(), 0, 0, 380, 460, FALSE);
        ShowWindow(parent.get(), SW_SHOW);
        PumpMessages();
    }

    void TearDown() override {
        parent.reset();
        PumpMessages();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        CoUninitialize();
    }

    ItemIdList IdOf(const std::filesystem::path& path) const {
        return IdListFromPath(Narrow(path.wstring()));
    }
    HWND view() const { return tree.Handle(); }
    HTREEITEM Root() const { return TreeView_GetRoot(view()); }
    std::vector<HTREEITEM> Children(HTREEITEM item) const {
        std::vector<HTREEITEM> children;
        for (HTREEITEM child = TreeView_GetChild(view(), item); child;
             child = TreeView_GetNextSibling(view(), child))
            children.push_back(child);
        return children;
    }
    TVITEMW Item(HTREEITEM item, wchar_t* text = nullptr) const {
        TVITEMW read{};
        read.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_STATE;
        read.hItem = item;
        read.pszText = text;
        read.cchTextMax = text ? 260 : 0;
        TreeView_GetItem(view(), &read);
        return read;
    }
    std::string Text(HTREEITEM item) const {
        wchar_t text[260] = {};
        Item(item, text);
        return Narrow(text);
    }
    Strings Texts(HTREEITEM item) const {
        Strings texts;
        for (HTREEITEM child : Children(item)) texts.push_back(Text(child));
        return texts;
    }
    HTREEITEM ChildNamed(HTREEITEM item, const std::string& name) const {
        for (HTREEITEM child : Children(item))
            if (Text(child) == name) return child;
        return nullptr;
    }
    bool Expanded(HTREEITEM item) const { return Item(item).state & TVIS_EXPANDED; }

    std::filesystem::path folder;
    std::vector<ItemIdList> selected;
    int acted = 0;
    std::string selectedWhenActed;
    ShellTree tree{{[this](const ITEMIDLIST* id) { selected.push_back(CloneIdList(id)); },
                    [this] {
                        ++acted;
                        selectedWhenActed = ParsingNameOf(tree.SelectedFolder());
                    }}};
    UniqueWindow parent;
};

TEST_F(ShellTreeWinTest, ListsOnlyFoldersSortedAndOpensNodesWhenFirstOpened) {
    const ItemIdList root = IdOf(folder);
    tree.SetRoot(root.get());
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_TRUE(SameIdList(selected.back().get(), root.get()));
    EXPECT_TRUE(SameIdList(tree.SelectedFolder(), root.get()));
    EXPECT_TRUE(Expanded(Root()));

    EXPECT_EQ(Texts(Root()), (Strings{"Alpha", kApfel, "beta", "Gamma"}));
    // A button where the shell says sub-folders are (Wine says so of every folder);
    // nothing listed below a node not yet opened; opened, a node knows for sure.
    for (const char* name : {"Alpha", "beta", "Gamma"}) {
        const HTREEITEM child = ChildNamed(Root(), name);
        const ItemIdList id = IdOf(folder / name);
        EXPECT_EQ(Item(child).cChildren, AttributesOf(id.get(), SFGAO_HASSUBFOLDER) ? 1 : 0);
        EXPECT_TRUE(Children(child).empty());
        TreeView_Expand(view(), child, TVE_EXPAND);
        EXPECT_EQ(Item(child).cChildren, name == std::string("beta") ? 1 : 0) << name;
    }
    EXPECT_EQ(Texts(ChildNamed(Root(), "beta")), (Strings{"deep"}));
    EXPECT_TRUE(SameIdList(tree.SelectedFolder(), root.get()));  // opening is not selecting
}

TEST_F(ShellTreeWinTest, SelectFolderOpensTheWayDownAndFiresFolderSelected) {
    tree.SetRoot(IdOf(folder).get());
    const ItemIdList deeper = IdOf(folder / "beta" / "deep" / "deeper");
    ASSERT_TRUE(tree.SelectFolder(deeper.get()));
    EXPECT_TRUE(SameIdList(tree.SelectedFolder(), deeper.get()));
    EXPECT_TRUE(SameIdList(selected.back().get(), deeper.get()));
    const HTREEITEM beta = ChildNamed(Root(), "beta");
    EXPECT_TRUE(Expanded(beta));
    EXPECT_TRUE(Expanded(ChildNamed(beta, "deep")));

    // Elsewhere: refused, the selection stays.
    const size_t events = selected.size();
    EXPECT_FALSE(tree.SelectFolder(IdOf(folder.parent_path()).get()));
    EXPECT_FALSE(tree.SelectFolder(nullptr));
    EXPECT_TRUE(SameIdList(tree.SelectedFolder(), deeper.get()));
    EXPECT_EQ(selected.size(), events);
}

TEST_F(ShellTreeWinTest, UnderTheDesktopATempFolderIsReachedAndTheRootIsCaptionedWhenSelected) {
    const ItemIdList desktop = SpecialFolderIdList(CSIDL_DESKTOP);
    tree.SetRoot(desktop.get());
    const std::string displayName = DisplayNameOf(desktop.get());
    EXPECT_EQ(Text(Root()), shell::places::RootCaption(ParsingNameOf(desktop.get()), displayName));

    const ItemIdList deeper = IdOf(folder / "beta" / "deep" / "deeper");
    ASSERT_TRUE(tree.SelectFolder(deeper.get()));
    EXPECT_EQ(ParsingNameOf(tree.SelectedFolder()), ParsingNameOf(deeper.get()));
    EXPECT_EQ(Text(Root()), displayName);
}

TEST_F(ShellTreeWinTest, ClicksSelectTheNodeUnderTheMouseThenTheUserActed) {
    tree.SetRoot(IdOf(folder).get());
    // The user acted once the click's selection is made; a right-click selects too.
    for (const auto& [name, down, up] : {std::tuple{"Alpha", WM_LBUTTONDOWN, WM_LBUTTONUP},
                                         std::tuple{"Gamma", WM_RBUTTONDOWN, WM_RBUTTONUP}}) {
        const HTREEITEM item = ChildNamed(Root(), name);
        RECT bounds{};
        ASSERT_TRUE(TreeView_GetItemRect(view(), item, &bounds, TRUE));
        POINT point{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
        const LPARAM client = MAKELPARAM(point.x, point.y);
        ClientToScreen(view(), &point);
        SetCursorPos(point.x, point.y);
        // The tree waits for the button's release after the press: it is queued first.
        PostMessageW(view(), down, 0, client);
        PostMessageW(view(), up, 0, client);
        const int before = acted;
        PumpMessages();
        EXPECT_EQ(TreeView_GetSelection(view()), item) << name;
        EXPECT_EQ(acted, before + 1) << name;
        EXPECT_EQ(selectedWhenActed, Narrow((folder / name).wstring()));
    }
}

TEST_F(ShellTreeWinTest, FoldersMadeAndRemovedBelowAnOpenNodeAppearAndVanishByThemselves) {
    tree.SetRoot(IdOf(folder).get());
    TreeView_Expand(view(), ChildNamed(Root(), "beta"), TVE_EXPAND);
    std::filesystem::create_directory(folder / "Delta");
    std::filesystem::remove(folder / "beta" / "deep" / "deeper");
    std::filesystem::remove(folder / "beta" / "deep");
    const auto settled = [&] {
        return Texts(Root()) == Strings{"Alpha", kApfel, "beta", "Delta", "Gamma"} &&
               Children(ChildNamed(Root(), "beta")).empty();
    };
    // Generous: the watch reports a moment after the changes calm down.
    for (int round = 0; round < 300 && !settled(); ++round) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        PumpMessages();
    }
    EXPECT_EQ(Texts(Root()), (Strings{"Alpha", kApfel, "beta", "Delta", "Gamma"}));
    EXPECT_TRUE(Children(ChildNamed(Root(), "beta")).empty());
    EXPECT_TRUE(Expanded(Root()));
}

}  // namespace
}  // namespace glmx::ui
