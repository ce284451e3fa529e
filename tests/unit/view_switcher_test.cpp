// The view switches against recording fakes of the window, its pages and the features behind.
#include "ui/mainwindow/view_switcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "platform/fake/fake_registry.h"
#include "support/recording_combo_box.h"

namespace glmx::ui {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The window's state as the user would see it, and the order of the calls that matter.
class RecordingWindow final : public MainWindowChrome,
                              public inventory::InventoryPage,
                              public FolderPage,
                              public RegistryBrowser,
                              public HardwareBrowser,
                              public FileSearchResults,
                              public OfflineInformation,
                              public InventoryListState {
public:
    struct Button final : inventory::ControlButton {
        void ShowWithCaption(std::string_view text) override { caption = text; }
        std::string caption;
    };

    void Note(const std::string& call) { log += (log.empty() ? "" : "|") + call; }

    void ShowFunctionPages() override { functionPages = true; }
    void HideFunctionPages() override { functionPages = false; }
    void SetActivePage(Page page) override { activePage = page; }
    void ReleaseToolbarButtons() override { pressed.clear(); }
    void PressToolbarButton(ViewKind view) override { pressed.push_back(view); }
    void CheckViewMenuEntry(ViewKind view) override { checked = view; }
    void SetPageLabel(Page page, std::string_view text) override { labels[page] = text; }
    inventory::ControlButton& PageControlButton(Page page) override { return buttons.at(page); }
    void SetStartupFilterIndex(int index) override { startupFilterIndex = index; }
    settings::ComboBoxItems& SearchField() override { return searchField; }
    void FocusSearchField() override { Note("focus search field"); }
    void BeginWaitCursor() override { Note("hourglass"); }
    void EndWaitCursor() override { Note("default cursor"); }
    void SuspendListDrawing() override { ++suspended; }
    void ResumeListDrawing() override { --suspended; }
    void RemoveAllRowsAndColumns() override { columns = 0; }
    void AddColumn(std::string_view, int) override { ++columns; }
    void ShowTreePanel(bool shown) override { treePanel = shown; }
    void ShowRegistryTreePanel(bool shown) override { registryTreePanel = shown; }
    void ShowSearchPanel(bool shown) override { searchPanel = shown; }
    void ClearSearchNameBox() override { Note("clear name box"); }
    void ShowStartupOptions(bool shown) override { startupOptions = shown; }
    void ShowRunningAppsOptions(bool shown) override { runningAppsOptions = shown; }
    void UseListImages(inventory::ListImages images) override { listImages = images; }
    void RootAt(const std::string& root) override { Note("root " + root); }
    void ShowSelectedFolderInfo() override { Note("folder info"); }
    void BuildRegistryTree() override { Note("build registry tree"); }
    void ShowRegistryKeyInfo() override { Note("registry key info"); }
    void ShowRegistryValueInfo(int row) override {
        Note("registry value info " + std::to_string(row));
    }
    void BuildHardwareTree() override { Note("build hardware tree"); }
    int SelectedNodeAbsoluteIndex() const override { return hardwareNode; }
    void ShowDeviceInfo() override { Note("device info"); }
    void ShowFoundFileInfo(const std::string& path) override { Note("file info " + path); }
    void AbandonSearch() override { ++searchesAbandoned; }
    void ShowEmptyInfo() override { Note("empty info"); }
    int RowCount() const override { return rows; }
    int SelectedRow() const override { return selected; }
    std::string RowCaption(int row) const override { return "C:\\found\\" + std::to_string(row); }

    std::string log;
    bool functionPages = true;
    Page activePage = Page::Folders;
    std::vector<ViewKind> pressed;
    std::optional<ViewKind> checked;
    std::map<Page, std::string> labels;
    std::map<Page, Button> buttons{
        {Page::Folders, {}}, {Page::Inventory, {}}, {Page::Hardware, {}}};
    glmx::testing::RecordingComboBox searchField;
    int startupFilterIndex = -1, suspended = 0, columns = 0, searchesAbandoned = 0;
    bool treePanel = false, registryTreePanel = false, searchPanel = false;
    bool startupOptions = false, runningAppsOptions = false;
    std::optional<inventory::ListImages> listImages;
    int hardwareNode = -1, rows = 0, selected = -1;
};

class RecordingSource final : public InventorySource {
public:
    RecordingSource(RecordingWindow& window, std::string name)
        : window_(window), name_(std::move(name)) {}
    void Collect() override {
        window_.Note("collect " + name_);
        if (failCollect) throw std::runtime_error("collector failed");
    }
    void Fill(int filter) override { window_.Note("fill " + name_ + " " + std::to_string(filter)); }
    void ShowItemInfo(int row) override {
        window_.Note("info " + name_ + " row " + std::to_string(row));
    }
    RecordingWindow& window_;
    std::string name_;
    bool failCollect = false;
};

class ViewSwitcherTest : public ::testing::Test {
protected:
    ViewServices Services() {
        return {&applications, &processes, &installed, &autoStart, &window,
                &window,       &window,    &window,    &window};
    }
    std::string TakeLog() { return std::exchange(window.log, {}); }
    // The notebook shows the page, and the tool bar, the menu and the view kind name the view.
    void ExpectShown(ViewKind view, Page page, bool notebook = true) {
        EXPECT_EQ(window.functionPages, notebook);
        EXPECT_EQ(window.activePage, page);
        EXPECT_THAT(window.pressed, ElementsAre(view));
        EXPECT_EQ(window.checked, view);
        EXPECT_EQ(viewKind, view);
    }

    RecordingWindow window;
    RecordingSource applications{window, "applications"};
    RecordingSource processes{window, "processes"};
    RecordingSource installed{window, "installed"};
    RecordingSource autoStart{window, "auto-start"};
    platform::FakeRegistry registry;
    settings::SettingsStores stores{registry};
    ViewKind viewKind = vkAll;
    ViewSwitcher switcher{window, window, window, Services(), stores, viewKind};
};

// What every switch must leave, view by view; the list's columns, panels and images count on
// the inventory page only.
struct Expected {
    ViewKind view;
    Page page;
    std::string label, buttonCaption;  // the page's and its control button's
    int columns;
    std::string panels, calls;  // the calls around collecting and filling, in order
};

// clang-format off
const Expected kViews[] = {
    {vkRunningApplications, Page::Inventory, "Running Applications", "End Task", 9, "",
     "hourglass|collect applications|fill applications 0|default cursor|empty info"},
    {vkRunningProcesses, Page::Inventory, "Running Processes", "Close", 9, "",
     "hourglass|collect processes|fill processes 0|default cursor|empty info"},
    {vkAutoStart, Page::Inventory, "Auto-Start Programs", "Enable/Disable", 5, "startup options",
     "hourglass|collect auto-start|fill auto-start 0|default cursor|empty info"},
    {vkInstalledPrograms, Page::Inventory, "Installed Programs", "Unistall", 1, "",
     "hourglass|collect installed|fill installed 0|default cursor|empty info"},
    {vkSearchFiles, Page::Inventory, "Search Files", "Delete", 1, "tree search", "clear name box|empty info"},
    {vkRegistry, Page::Inventory, "Windows Registry", "Registry Editor", 3, "tree registry",
     "build registry tree|registry key info"},
    {vkAll, Page::Folders, "All", "Delete", 0, "", "root rfDesktop|folder info"},
    {vkDocuments, Page::Folders, "My Documents", "Delete", 0, "", "root rfPersonal|folder info"},
    {vkRecycleBin, Page::Folders, "Recycle Bin", "Empty", 0, "", "root rfRecycleBin|folder info"},
    // The places entry's caption loses its accelerators.
    {vkOtherPlace, Page::Folders, "Fonts & Styles", "Delete", 0, "", "root rfFonts|folder info"},
    // The hardware tree's root node has no device information.
    {vkHardware, Page::Hardware, "Hardware Configuration", "Device Manager", 0, "",
     "hourglass|build hardware tree|default cursor"},
};
// clang-format on

TEST_F(ViewSwitcherTest, EveryViewSetsUpItsPageListAndButtonAndFillsInOrder) {
    window.hardwareNode = 0;
    for (const Expected& expected : kViews) {
        SCOPED_TRACE(expected.label);
        window.functionPages = false;
        window.columns = 7;
        window.runningAppsOptions = true;
        TakeLog();

        if (expected.view == vkOtherPlace)
            switcher.SwitchToOtherPlace("rfFonts", "&Fonts && Styles");
        else
            switcher.SwitchTo(expected.view);

        ExpectShown(expected.view, expected.page);
        EXPECT_EQ(std::exchange(window.searchesAbandoned, 0), 1);  // a running search ends
        EXPECT_EQ(window.labels[expected.page], expected.label);
        EXPECT_EQ(window.buttons.at(expected.page).caption, expected.buttonCaption);
        EXPECT_EQ(TakeLog(), expected.calls);
        EXPECT_EQ(window.suspended, 0);
        if (expected.page != Page::Inventory) continue;
        EXPECT_EQ(window.columns, expected.columns);
        // The registry and search panels sit in the tree panel: they count only while it shows.
        EXPECT_EQ(std::string(window.treePanel ? "tree " : "") +
                      (window.treePanel && window.registryTreePanel ? "registry " : "") +
                      (window.treePanel && window.searchPanel ? "search " : "") +
                      (window.startupOptions ? "startup options " : ""),
                  expected.panels.empty() ? "" : expected.panels + " ");
        EXPECT_EQ(window.runningAppsOptions, expected.view == vkRunningApplications);
        EXPECT_EQ(window.listImages, expected.view == vkRegistry ? inventory::ListImages::Registry
                                                                 : inventory::ListImages::System);
    }
    // A place the system does not define does nothing at all.
    switcher.SwitchToOtherPlace("", "Favorites");
    EXPECT_EQ(TakeLog(), "");
    EXPECT_EQ(viewKind, vkHardware);
}

TEST_F(ViewSwitcherTest, CustomSearchHidesTheNotebookFillsTheSearchFieldAndAnyOtherViewShowsIt) {
    settings::AddToHistory(stores.QuickSearchHistory, "older");
    settings::AddToHistory(stores.QuickSearchHistory, "newer");
    switcher.SwitchTo(vkCustomSearch);
    ExpectShown(vkCustomSearch, Page::CustomSearch, false);
    EXPECT_THAT(window.searchField.items, ElementsAre("newer", "older"));
    EXPECT_EQ(window.searchField.text, "newer");
    EXPECT_EQ(TakeLog(), "empty info|focus search field");

    switcher.SwitchTo(vkHardware);
    EXPECT_TRUE(window.functionPages);
}

TEST_F(ViewSwitcherTest, EachSwitchCollectsAnewAndTheHourglassGoesWhenACollectorFails) {
    switcher.SwitchTo(vkRunningProcesses);
    TakeLog();
    switcher.SwitchTo(vkRunningProcesses);
    EXPECT_THAT(TakeLog(), HasSubstr("collect processes"));

    processes.failCollect = true;
    EXPECT_THROW(switcher.SwitchTo(vkRunningProcesses), std::runtime_error);
    EXPECT_THAT(window.log, ::testing::EndsWith("collect processes|default cursor"));
}

TEST_F(ViewSwitcherTest, AutoStartReadsItsStoredFilterAndTheShowTypeBoxStoresAndReloads) {
    stores.ConfigurationSettings.SetValue("ShowStartupType", "1");
    switcher.SwitchTo(vkAutoStart);
    EXPECT_EQ(window.startupFilterIndex, 1);
    EXPECT_EQ(switcher.ShowStartupFilter(), 1);
    TakeLog();

    switcher.StartupFilterSelected(2);
    EXPECT_EQ(stores.ConfigurationSettings.GetValue("ShowStartupType"), "2");
    EXPECT_THAT(TakeLog(), HasSubstr("collect auto-start|fill auto-start 2"));
    EXPECT_EQ(window.startupFilterIndex, 2);

    // A hand-edited value keeps the filter in use.
    stores.ConfigurationSettings.SetValue("ShowStartupType", "7");
    switcher.SwitchTo(vkAutoStart);
    EXPECT_EQ(switcher.ShowStartupFilter(), 2);
    EXPECT_EQ(window.startupFilterIndex, 2);
}

TEST_F(ViewSwitcherTest, SelectionInfoGoesToTheBuilderOfTheCurrentViewAndAnEmptyListGetsTheHint) {
    // clang-format off
    const std::pair<ViewKind, std::string> cases[] = {
        {vkRunningApplications, "info applications row 2"}, {vkHardware, ""},
        {vkRunningProcesses, "info processes row 2"}, {vkAutoStart, "info auto-start row 2"},
        {vkInstalledPrograms, "info installed row 2"}, {vkRegistry, "registry value info 2"},
        {vkSearchFiles, "file info C:\\found\\2"}};
    // clang-format on
    window.rows = 3;
    window.selected = 2;
    for (const auto& [view, call] : cases) {
        viewKind = view;
        TakeLog();
        switcher.ShowSelectionInfo();
        EXPECT_EQ(TakeLog(), call);
    }
    viewKind = vkRunningProcesses;
    window.selected = -1;  // rows but none selected: nothing changes
    switcher.ShowSelectionInfo();
    EXPECT_EQ(TakeLog(), "");
    window.rows = 0;
    switcher.ShowSelectionInfo();
    EXPECT_EQ(TakeLog(), "empty info");
    window.hardwareNode = 3;
    switcher.ShowHardwareNodeInfo();
    EXPECT_EQ(TakeLog(), "device info");
}

TEST_F(ViewSwitcherTest, FeaturesNotBuiltYetLeaveTheSwitchesWorking) {
    ViewSwitcher bare(window, window, window, ViewServices{}, stores, viewKind);
    for (const ViewInfo& info : AllViews()) {
        if (info.kind == vkOtherPlace) continue;
        bare.SwitchTo(info.kind);
        EXPECT_EQ(viewKind, info.kind);
    }
    bare.ShowSelectionInfo();
    bare.ShowHardwareNodeInfo();
}

}  // namespace
}  // namespace glmx::ui
