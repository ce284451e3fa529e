// The shell tree in a plain top-level window that routes the tree's notifications
// back to it, over real folders in a temp folder.
// clang-format off
#include <windows.h>  // before the other system headers
// clang-format on
#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/shell_namespace.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "shell/places/folder_rules.h"
#include "support/shell_test_fixture.h"
#include "ui/win32/shell_tree.h"

namespace glmx::ui {
namespace {

using namespace platform::win32;
using glmx::testing::PumpMessages;
using Strings = std::vector<std::string>;

// Wine lists it last (it orders only ASCII without regard to case); a reader expects it
// second.
const std::string kApfel = "\xC3\x84pfel";

class ShellTreeWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        for (const wchar_t* made : {L"beta\\deep\\deeper", L"Alpha", L"Gamma", L"\u00c4pfel"})
            ASSERT_TRUE(std::filesystem::create_directories(folder.path / made));
        std::ofstream(folder.path / "Gamma" / "only a file.txt") << "x";
        std::ofstream(folder.path / "a file.txt") << "x";
        host = glmx::testing::HostWindow(tree, L"GlmxTestTreeHost", 400, 500);
        ASSERT_TRUE(host);
        PumpMessages();
    }
    void TearDown() override {
        host.reset();
        PumpMessages();
        CoUninitialize();
    }

    ItemIdList IdOf(const std::filesystem::path& name) const {
        return IdListFromPath(folder.Of(name));
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
        TVITEMW read{TVIF_TEXT | TVIF_CHILDREN | TVIF_STATE, item, 0, 0, text, text ? 260 : 0};
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

    glmx::testing::TempFolder folder{L"glmx-tree-"};
    std::vector<ItemIdList> selected;
    int acted = 0;
    std::string selectedWhenActed;
    ShellTree tree{{[this](const ITEMIDLIST* id) { selected.push_back(CloneIdList(id)); },
                    [this] {
                        ++acted;
                        selectedWhenActed = ParsingNameOf(tree.SelectedFolder());
                    }}};
    platform::win32::UniqueWindow host;
};

TEST_F(ShellTreeWinTest, ListsOnlyFoldersSortedAndOpensNodesWhenFirstOpened) {
    const ItemIdList root = IdListFromPath(folder.Utf8());
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
        EXPECT_EQ(Item(child).cChildren,
                  AttributesOf(IdOf(name).get(), SFGAO_HASSUBFOLDER) ? 1 : 0);
        EXPECT_TRUE(Children(child).empty());
        TreeView_Expand(view(), child, TVE_EXPAND);
        EXPECT_EQ(Item(child).cChildren, name == std::string("beta") ? 1 : 0) << name;
    }
    EXPECT_EQ(Texts(ChildNamed(Root(), "beta")), (Strings{"deep"}));
    EXPECT_TRUE(SameIdList(tree.SelectedFolder(), root.get()));  // opening is not selecting
}

TEST_F(ShellTreeWinTest, SelectFolderOpensTheWayDownAndFiresFolderSelected) {
    tree.SetRoot(IdListFromPath(folder.Utf8()).get());
    const ItemIdList deeper = IdOf("beta\\deep\\deeper");
    ASSERT_TRUE(tree.SelectFolder(deeper.get()));
    EXPECT_TRUE(SameIdList(tree.SelectedFolder(), deeper.get()));
    EXPECT_TRUE(SameIdList(selected.back().get(), deeper.get()));
    EXPECT_TRUE(Expanded(ChildNamed(ChildNamed(Root(), "beta"), "deep")));

    // Elsewhere: refused, the selection stays.
    const size_t events = selected.size();
    EXPECT_FALSE(
        tree.SelectFolder(IdListFromPath(Narrow(folder.path.parent_path().wstring())).get()));
    EXPECT_FALSE(tree.SelectFolder(nullptr));
    EXPECT_TRUE(SameIdList(tree.SelectedFolder(), deeper.get()));
    EXPECT_EQ(selected.size(), events);
}

TEST_F(ShellTreeWinTest, UnderTheDesktopATempFolderIsReachedAndTheRootIsCaptionedWhenSelected) {
    const ItemIdList desktop = SpecialFolderIdList(CSIDL_DESKTOP);
    tree.SetRoot(desktop.get());
    const std::string displayName = DisplayNameOf(desktop.get());
    EXPECT_EQ(Text(Root()), shell::places::RootCaption(ParsingNameOf(desktop.get()), displayName));

    const ItemIdList deeper = IdOf("beta\\deep\\deeper");
    ASSERT_TRUE(tree.SelectFolder(deeper.get()));
    EXPECT_EQ(ParsingNameOf(tree.SelectedFolder()), ParsingNameOf(deeper.get()));
    EXPECT_EQ(Text(Root()), displayName);
}

TEST_F(ShellTreeWinTest, ClicksSelectTheNodeUnderTheMouseThenTheUserActed) {
    tree.SetRoot(IdListFromPath(folder.Utf8()).get());
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
        EXPECT_EQ(selectedWhenActed, folder.Of(name));
    }
}

TEST_F(ShellTreeWinTest, FoldersMadeAndRemovedBelowAnOpenNodeAppearAndVanishByThemselves) {
    tree.SetRoot(IdListFromPath(folder.Utf8()).get());
    TreeView_Expand(view(), ChildNamed(Root(), "beta"), TVE_EXPAND);
    std::filesystem::create_directory(folder.path / "Delta");
    std::filesystem::remove_all(folder.path / "beta" / "deep");
    // The watch reports a moment after the changes calm down.
    EXPECT_TRUE(glmx::testing::PumpUntil([&] {
        return Texts(Root()) == Strings{"Alpha", kApfel, "beta", "Delta", "Gamma"} &&
               Children(ChildNamed(Root(), "beta")).empty();
    }));
    EXPECT_TRUE(Expanded(Root()));
}

}  // namespace
}  // namespace glmx::ui
