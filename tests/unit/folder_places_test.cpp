#include "shell/places/folder_places.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/fake/fake_shell.h"
#include "shell/places/folder_rules.h"

namespace glmx::shell::places {
namespace {

using Log = std::vector<std::string>;

// The tree, the list, the offline text and the shell in one, with one log of what the
// rules did to them.
class FakePage final : public fileinfo::FolderTree,
                       public FolderItems,
                       public ShellItemInformation,
                       public platform::FileOperations {
public:
    void SetRoot(const std::string& root) override { log.push_back("root " + root); }
    bool SelectPath(const std::string& path) override {
        log.push_back("select " + path);
        return reachable;
    }
    void EnsureSelectionVisible() override { log.push_back("tree visible"); }

    int RowCount() const override { return static_cast<int>(rows.size()); }
    std::string RowParsingName(int row) const override { return rows.at(row); }
    void SetRowSelected(int row, bool selected) override {
        log.push_back((selected ? "pick " : "drop ") + std::to_string(row));
    }
    void EnsureRowVisible(int row) override { log.push_back("show " + std::to_string(row)); }
    bool Filling() const override { return filling; }
    std::vector<std::string> SelectedItemPaths() const override { return selectedPaths; }
    void Refresh() override { log.push_back("refresh"); }

    void ShowSelectedFolderInfo() override { log.push_back("folder info"); }
    void ShowSelectedItemInfo() override { log.push_back("item info"); }

    bool DeleteToRecycleBin(const std::vector<std::string>& paths) override {
        std::string entry = "recycle";
        for (const std::string& path : paths) entry += " " + path;
        log.push_back(entry);
        return succeed;
    }
    bool EmptyRecycleBin() override {
        log.push_back("empty");
        return succeed;
    }

    Log log;
    bool reachable = true, filling = false, succeed = true;
    std::vector<std::string> rows{"C:\\Data\\Old", "C:\\Data\\report.txt", "C:\\Data\\Report.txt",
                                  "C:\\Data\\report.txt.bak", "C:\\Data\\Report.txt"};
    std::vector<std::string> selectedPaths;
};

class FolderPlacesTest : public ::testing::Test {
protected:
    FolderPlacesTest() {
        files.AddFile("C:\\Data\\Report.txt");
        files.AddFile("C:\\Data\\report.txt.bak");
        files.AddDirectory("C:\\Data\\Old");
    }

    FakePage page;
    Log& log = page.log;
    platform::FakeFileSystem files;
    FolderPlaces places{page, page, page, files, page};
};

TEST_F(FolderPlacesTest, EveryRootIsPassedOnAndOnlyAnExistingFolderIsSelected) {
    const std::pair<const char*, Log> cases[] = {
        {"rfDesktop", {"root rfDesktop"}},  // a special folder's identifier
        {"c:\\data\\old", {"root c:\\data\\old", "select c:\\data\\old"}},
        {"C:\\Nowhere", {"root C:\\Nowhere"}},
        {"C:\\Data\\Report.txt", {"root C:\\Data\\Report.txt"}},
    };
    for (const auto& [root, expected] : cases) {
        log.clear();
        places.RootAt(root);
        EXPECT_EQ(places.Root(), root);
        EXPECT_EQ(log, expected) << root;
    }
}

// Exactly the rows of that path (letter case counts), then the item's text.
const Log kReportSelected{
    "select C:\\Data\\", "tree visible", "pick 2", "show 2", "pick 4", "show 4", "item info"};

TEST_F(FolderPlacesTest, SelectingAFileOpensItsFolderAndPicksEveryRowOfExactlyThatPath) {
    EXPECT_TRUE(places.SelectFile("C:\\Data\\Report.txt"));
    EXPECT_EQ(log, kReportSelected);
}

TEST_F(FolderPlacesTest, AFileInASlowFolderIsSelectedWhenTheFolderArrives) {
    page.filling = true;
    EXPECT_TRUE(places.SelectFile("C:\\Data\\Report.txt"));
    places.ItemsFilled();  // still filling: a partial list must not be searched
    EXPECT_EQ(log, (Log{"select C:\\Data\\", "tree visible"}));
    page.filling = false;
    places.ItemsFilled();
    places.ItemsFilled();  // once only
    EXPECT_EQ(log, kReportSelected);
}

TEST_F(FolderPlacesTest, ARootChangeOrAnotherFolderDropsTheWaitingFile) {
    page.filling = true;
    places.SelectFile("C:\\Data\\Report.txt");
    places.OpenFolder("C:\\Data\\Old");
    page.filling = false;
    log.clear();
    places.ItemsFilled();
    EXPECT_TRUE(log.empty());
}

TEST_F(FolderPlacesTest, PathsThatDoNotExistOrCannotBeReachedAreSkippedQuietly) {
    EXPECT_FALSE(places.SelectFile("C:\\Data\\missing.txt"));
    EXPECT_FALSE(places.OpenFolder("C:\\Data\\Report.txt"));  // a file is no folder
    EXPECT_TRUE(log.empty());
    page.reachable = false;
    EXPECT_FALSE(places.SelectFile("C:\\Data\\Report.txt"));
    EXPECT_FALSE(places.OpenFolder("C:\\Data\\Old"));
    EXPECT_EQ(log, (Log{"select C:\\Data\\", "select C:\\Data\\Old"}));
}

TEST_F(FolderPlacesTest, OpeningAFolderSelectsItInTheTreeAndShowsItsText) {
    EXPECT_TRUE(places.OpenFolder("C:\\Data\\Old"));
    EXPECT_EQ(log, (Log{"select C:\\Data\\Old", "tree visible", "folder info"}));
}

TEST_F(FolderPlacesTest, TheControlButtonRecyclesTheSelectedItemsOnlyAndRefreshesOnSuccess) {
    page.selectedPaths = {"C:\\Data\\Report.txt", "C:\\Data\\Old"};
    places.Carry(FolderAction::SendToRecycleBin);
    EXPECT_EQ(log, (Log{"recycle C:\\Data\\Report.txt C:\\Data\\Old", "refresh"}));

    log.clear();
    page.selectedPaths.clear();  // nothing selected: the folder shown is never deleted
    places.Carry(FolderAction::SendToRecycleBin);
    places.Carry(FolderAction::None);
    EXPECT_TRUE(log.empty());

    page.succeed = false;  // declined or failed: the list stays as it is
    page.selectedPaths = {"C:\\Data\\Report.txt"};
    places.Carry(FolderAction::SendToRecycleBin);
    places.Carry(FolderAction::EmptyRecycleBin);
    page.succeed = true;
    places.Carry(FolderAction::EmptyRecycleBin);
    EXPECT_EQ(log, (Log{"recycle C:\\Data\\Report.txt", "empty", "empty", "refresh"}));
}

TEST(FolderRulesTest, TheRootCaptionIsTheLastPathComponentOfFileSystemFoldersOnly) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"C:\\users\\me\\Desktop", "Desktop (shell)", "Desktop"},
        {"C:\\Windows\\system32\\", "system32", "system32"},  // a trailing "\" names no component
        {"::{645FF040-5081-101B-9F08-00AA002F954E}", "Recycle Bin", "Recycle Bin"},
        {"C:\\", "Local Disk (C:)", "Local Disk (C:)"},
        {"D:", "CD Drive (D:)", "CD Drive (D:)"},
        {"Plain", "Plain name", "Plain"},
    };
    for (const auto& [parsing, display, caption] : cases)
        EXPECT_EQ(RootCaption(parsing, display), caption) << parsing;
    EXPECT_EQ(FolderOfPath("C:\\Data\\Report.txt"), "C:\\Data\\");
    EXPECT_EQ(FolderOfPath("C:file.txt"), "C:");
    EXPECT_EQ(FolderOfPath("file.txt"), "");
}

}  // namespace
}  // namespace glmx::shell::places
