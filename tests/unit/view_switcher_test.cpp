// The view switches, driven view by view against recording fakes of the window,
// the inventory page and the features behind the views.
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
using ::testing::ElementsAreArray;
using Log = std::vector<std::string>;

std::string PageName(Page page) {
    static const char* const names[] = {"pgFolders", "pgInventory", "pgHardware", "custom"};
    return names[static_cast<int>(page)];
}

// The window's state as the user would see it, plus the log of every call.
class RecordingWindow final : public MainWindowChrome, public inventory::InventoryPage {
public:
    class Button final : public inventory::ControlButton {
    public:
        Button(RecordingWindow& window, std::string name)
            : window_(window), name_(std::move(name)) {}
        void ShowWithCaption(std::string_view text) override {
            caption = text;
            window_.log.push_back(name_ + " \"" + caption + "\"");
        }
        std::string caption;  // empty while hidden

    private:
        RecordingWindow& window_;
        std::string name_;
    };

    void ShowFunctionPages() override { functionPages = true; }
    void HideFunctionPages() override { functionPages = false; }
    void SetActivePage(Page page) override { activePage = page; }
    void ReleaseToolbarButtons() override { pressed.clear(); }
    void PressToolbarButton(ViewKind view) override { pressed.push_back(view); }
    void CheckViewMenuEntry(ViewKind view) override { checked = view; }
    void SetPageLabel(Page page, std::string_view text) override {
        labels[page] = text;
        log.push_back("label " + PageName(page) + " \"" + std::string(text) + "\"");
    }
    inventory::ControlButton& PageControlButton(Page page) override { return buttons.at(page); }
    void SetStartupFilterIndex(int index) override { startupFilterIndex = index; }
    settings::ComboBoxItems& SearchField() override { return searchField; }
    void FocusSearchField() override { log.push_back("focus search field"); }
    void BeginWaitCursor() override {
        log.push_back("hourglass");
        ++waiting;
    }
    void EndWaitCursor() override {
        log.push_back("default cursor");
        --waiting;
    }

    void SuspendListDrawing() override { log.push_back("suspend drawing"); }
    void ResumeListDrawing() override { log.push_back("resume drawing"); }
    void RemoveAllRowsAndColumns() override { columns.clear(); }
    void AddColumn(std::string_view caption, int width) override {
        columns.emplace_back(std::string(caption), width);
    }
    void ShowTreePanel(bool shown) override { treePanel = shown; }
    void ShowRegistryTreePanel(bool shown) override { registryTreePanel = shown; }
    void ShowSearchPanel(bool shown) override { searchPanel = shown; }
    void ClearSearchNameBox() override { log.push_back("clear name box"); }
    void ShowStartupOptions(bool shown) override { startupOptions = shown; }
    void ShowRunningAppsOptions(bool shown) override { runningAppsOptions = shown; }
    void UseListImages(inventory::ListImages images) override { listImages = images; }

    Log log;
    bool functionPages = true;
    Page activePage = Page::Folders;
    std::vector<ViewKind> pressed;
    std::optional<ViewKind> checked;
    std::map<Page, std::string> labels;
    std::map<Page, Button> buttons{{Page::Folders, {*this, "folder button"}},
                                   {Page::Inventory, {*this, "inventory button"}},
                                   {Page::Hardware, {*this, "hardware button"}}};
    int startupFilterIndex = -1;
    glmx::testing::RecordingComboBox searchField;
    int waiting = 0;
    std::vector<std::pair<std::string, int>> columns;
    bool treePanel = false, registryTreePanel = false, searchPanel = false;
    bool startupOptions = false, runningAppsOptions = false;
    std::optional<inventory::ListImages> listImages;
};

class RecordingSource final : public InventorySource {
public:
    RecordingSource(Log& log, std::string name) : log_(log), name_(std::move(name)) {}
    void Collect() override {
        log_.push_back("collect " + name_);
        if (failCollect) throw std::runtime_error("collector failed");
    }
    void Fill(int filter) override {
        log_.push_back("fill " + name_ + " " + std::to_string(filter));
    }
    void ShowItemInfo(int row) override {
        log_.push_back("info " + name_ + " row " + std::to_string(row));
    }
    bool failCollect = false;

private:
    Log& log_;
    std::string name_;
};

class RecordingFeatures final : public FolderPage,
                                public RegistryBrowser,
                                public HardwareBrowser,
                                public FileSearchResults,
                                public OfflineInformation,
                                public InventoryListState {
public:
    explicit RecordingFeatures(Log& log) : log_(log) {}
    void RootAt(const std::string& root) override { log_.push_back("root " + root); }
    void ShowSelectedFolderInfo() override { log_.push_back("folder info"); }
    void BuildRegistryTree() override { log_.push_back("build registry tree"); }
    void ShowRegistryKeyInfo() override { log_.push_back("registry key info"); }
    void ShowRegistryValueInfo(int row) override {
        log_.push_back("registry value info " + std::to_string(row));
    }
    void BuildHardwareTree() override { log_.push_back("build hardware tree"); }
    int SelectedNodeAbsoluteIndex() const override { return hardwareNode; }
    void ShowDeviceInfo() override { log_.push_back("device info"); }
    void ShowFoundFileInfo(const std::string& path) override {
        log_.push_back("file info " + path);
    }
    void ShowEmptyInfo() override { log_.push_back("empty info"); }
    int RowCount() const override { return rows; }
    int SelectedRow() const override { return selected; }
    std::string RowCaption(int row) const override { return "C:\\found\\" + std::to_string(row); }

    int hardwareNode = -1;
    int rows = 0;
    int selected = -1;

private:
    Log& log_;
};

class ViewSwitcherTest : public ::testing::Test {
protected:
    ViewServices Services() {
        return {&applications, &processes, &installed, &autoStart, &features,
                &features,     &features,  &features,  &features};
    }
    Log TakeLog() { return std::exchange(window.log, {}); }
    // The notebook shows the page, and the tool bar, the menu and the view kind name the view.
    void ExpectShown(ViewKind view, Page page, bool notebook = true) {
        EXPECT_EQ(window.functionPages, notebook);
        EXPECT_EQ(window.activePage, page);
        EXPECT_THAT(window.pressed, ElementsAre(view));
        EXPECT_EQ(window.checked, view);
        EXPECT_EQ(viewKind, view);
    }

    RecordingWindow window;
    RecordingSource applications{window.log, "applications"};
    RecordingSource processes{window.log, "processes"};
    RecordingSource installed{window.log, "installed"};
    RecordingSource autoStart{window.log, "auto-start"};
    RecordingFeatures features{window.log};
    platform::FakeRegistry registry;
    settings::SettingsStores stores{registry};
    ViewKind viewKind = vkAll;
    ViewSwitcher switcher{window, window, features, Services(), stores, viewKind};
};

// What every switch must leave, view by view.
struct Expected {
    ViewKind view;
    std::string label, buttonCaption;  // the page's and its control button's
    size_t columns;
    bool treePanel, registryTreePanel, searchPanel, startupOptions;
    inventory::ListImages images;
    Log calls;
};

// clang-format off
const Expected kInventoryViews[] = {
    {vkRunningApplications, "Running Applications", "End Task", 9, false, false, false, false,
     inventory::ListImages::System,
     {"suspend drawing", "resume drawing", "inventory button \"End Task\"",
      "label pgInventory \"Running Applications\"", "hourglass", "collect applications",
      "fill applications 0", "default cursor", "empty info"}},
    {vkRunningProcesses, "Running Processes", "Close", 9, false, false, false, false,
     inventory::ListImages::System,
     {"suspend drawing", "resume drawing", "inventory button \"Close\"",
      "label pgInventory \"Running Processes\"", "hourglass", "collect processes",
      "fill processes 0", "default cursor", "empty info"}},
    {vkAutoStart, "Auto-Start Programs", "Enable/Disable", 5, false, false, false, true,
     inventory::ListImages::System,
     {"label pgInventory \"Auto-Start Programs\"", "suspend drawing", "resume drawing",
      "inventory button \"Enable/Disable\"", "hourglass", "collect auto-start", "fill auto-start 0",
      "default cursor", "empty info"}},
    {vkInstalledPrograms, "Installed Programs", "Unistall", 1, false, false, false, false,
     inventory::ListImages::System,
     {"suspend drawing", "resume drawing", "inventory button \"Unistall\"",
      "label pgInventory \"Installed Programs\"", "hourglass", "collect installed",
      "fill installed 0", "default cursor", "empty info"}},
    {vkSearchFiles, "Search Files", "Delete", 1, true, false, true, false,
     inventory::ListImages::System,
     {"label pgInventory \"Search Files\"", "suspend drawing", "resume drawing", "clear name box",
      "inventory button \"Delete\"", "empty info"}},
    {vkRegistry, "Windows Registry", "Registry Editor", 3, true, true, false, false,
     inventory::ListImages::Registry,
     {"label pgInventory \"Windows Registry\"", "suspend drawing", "resume drawing",
      "inventory button \"Registry Editor\"", "build registry tree", "registry key info"}},
};
// clang-format on

TEST_F(ViewSwitcherTest, EveryInventoryViewSetsUpItsPageListAndButtonAndFillsInOrder) {
    for (const Expected& expected : kInventoryViews) {
        SCOPED_TRACE(expected.label);
        window.functionPages = false;
        window.columns = {{"stale", 1}};
        window.runningAppsOptions = true;
        TakeLog();

        switcher.SwitchTo(expected.view);

        ExpectShown(expected.view, Page::Inventory);
        EXPECT_EQ(window.labels[Page::Inventory], expected.label);
        EXPECT_EQ(window.buttons.at(Page::Inventory).caption, expected.buttonCaption);
        EXPECT_EQ(window.columns.size(), expected.columns);
        EXPECT_EQ(window.treePanel, expected.treePanel);
        if (expected.treePanel) {
            EXPECT_EQ(window.registryTreePanel, expected.registryTreePanel);
            EXPECT_EQ(window.searchPanel, expected.searchPanel);
        }
        EXPECT_EQ(window.startupOptions, expected.startupOptions);
        EXPECT_EQ(window.runningAppsOptions, expected.view == vkRunningApplications);
        EXPECT_EQ(window.listImages, expected.images);
        EXPECT_EQ(TakeLog(), expected.calls);
        EXPECT_EQ(window.waiting, 0);
    }
}

TEST_F(ViewSwitcherTest, FolderViewsRootTheTreeAndCaptionTheFolderButton) {
    const struct {
        ViewKind view;
        std::string root, label, caption;
    } cases[] = {{vkAll, "rfDesktop", "All", "Delete"},
                 {vkDocuments, "rfPersonal", "My Documents", "Delete"},
                 {vkRecycleBin, "rfRecycleBin", "Recycle Bin", "Empty"},
                 {vkOtherPlace, "rfFonts", "Fonts & Styles", "Delete"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        window.functionPages = false;
        TakeLog();
        if (c.view == vkOtherPlace)  // the places entry's caption, without accelerators
            switcher.SwitchToOtherPlace(c.root, "&Fonts && Styles");
        else
            switcher.SwitchTo(c.view);
        ExpectShown(c.view, Page::Folders);
        EXPECT_EQ(TakeLog(), (Log{"root " + c.root, "label pgFolders \"" + c.label + "\"",
                                  "folder button \"" + c.caption + "\"", "folder info"}));
    }
    // A place the system does not define does nothing at all.
    switcher.SwitchToOtherPlace("", "Favorites");
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_EQ(viewKind, vkOtherPlace);
}

TEST_F(ViewSwitcherTest, HardwareViewBuildsTheTreeUnderTheHourglassAndSkipsTheRootNode) {
    features.hardwareNode = 0;
    switcher.SwitchTo(vkHardware);
    ExpectShown(vkHardware, Page::Hardware);
    EXPECT_EQ(TakeLog(), (Log{"label pgHardware \"Hardware Configuration\"",
                              "hardware button \"Device Manager\"", "hourglass",
                              "build hardware tree", "default cursor"}));
    features.hardwareNode = 3;
    switcher.ShowHardwareNodeInfo();
    EXPECT_EQ(TakeLog(), Log{"device info"});
}

TEST_F(ViewSwitcherTest, CustomSearchHidesTheNotebookFillsTheSearchFieldAndAnyOtherViewShowsIt) {
    settings::AddToHistory(stores.QuickSearchHistory, "older");
    settings::AddToHistory(stores.QuickSearchHistory, "newer");
    switcher.SwitchTo(vkCustomSearch);
    ExpectShown(vkCustomSearch, Page::CustomSearch, false);
    EXPECT_THAT(window.searchField.items, ElementsAre("newer", "older"));
    EXPECT_EQ(window.searchField.text, "newer");
    EXPECT_EQ(TakeLog(), (Log{"empty info", "focus search field"}));

    for (ViewKind other : {vkAll, vkHardware, vkRegistry}) {
        switcher.SwitchTo(vkCustomSearch);
        switcher.SwitchTo(other);
        EXPECT_TRUE(window.functionPages);
    }
}

TEST_F(ViewSwitcherTest, EachSwitchCollectsAnewAndTheHourglassGoesWhenACollectorFails) {
    switcher.SwitchTo(vkRunningProcesses);
    switcher.SwitchTo(vkRunningProcesses);
    const Log log = TakeLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), "collect processes"), 2);

    processes.failCollect = true;
    EXPECT_THROW(switcher.SwitchTo(vkRunningProcesses), std::runtime_error);
    EXPECT_EQ(window.waiting, 0);
    EXPECT_EQ(window.log.back(), "default cursor");
}

TEST_F(ViewSwitcherTest, AutoStartReadsItsStoredFilterAndTheShowTypeBoxStoresAndReloads) {
    stores.ConfigurationSettings.SetValue("ShowStartupType", "1");
    switcher.SwitchTo(vkAutoStart);
    EXPECT_EQ(window.startupFilterIndex, 1);
    EXPECT_EQ(switcher.ShowStartupFilter(), 1);
    TakeLog();

    switcher.StartupFilterSelected(2);
    EXPECT_EQ(stores.ConfigurationSettings.GetValue("ShowStartupType"), "2");
    stores.ConfigurationSettings.LoadValues();
    EXPECT_EQ(stores.ConfigurationSettings.GetValue("ShowStartupType"), "2");
    const Log log = TakeLog();
    EXPECT_THAT(log, ::testing::Contains("collect auto-start"));
    EXPECT_THAT(log, ::testing::Contains("fill auto-start 2"));
    EXPECT_EQ(window.startupFilterIndex, 2);

    // A hand-edited value keeps the filter in use.
    stores.ConfigurationSettings.SetValue("ShowStartupType", "7");
    switcher.SwitchTo(vkAutoStart);
    EXPECT_EQ(switcher.ShowStartupFilter(), 2);
    EXPECT_EQ(window.startupFilterIndex, 2);
}

TEST_F(ViewSwitcherTest, SelectionInfoGoesToTheBuilderOfTheCurrentViewAndAnEmptyListGetsTheHint) {
    const struct {
        ViewKind view;
        std::string call;
    } cases[] = {{vkRunningApplications, "info applications row 2"},
                 {vkRunningProcesses, "info processes row 2"},
                 {vkAutoStart, "info auto-start row 2"},
                 {vkInstalledPrograms, "info installed row 2"},
                 {vkSearchFiles, "file info C:\\found\\2"},
                 {vkRegistry, "registry value info 2"},
                 {vkHardware, ""}};
    features.rows = 3;
    features.selected = 2;
    for (const auto& c : cases) {
        viewKind = c.view;
        TakeLog();
        switcher.ShowSelectionInfo();
        EXPECT_EQ(TakeLog(), c.call.empty() ? Log{} : Log{c.call});
    }
    viewKind = vkRunningProcesses;
    features.selected = -1;  // rows but none selected: nothing changes
    switcher.ShowSelectionInfo();
    EXPECT_TRUE(TakeLog().empty());
    features.rows = 0;
    switcher.ShowSelectionInfo();
    EXPECT_EQ(TakeLog(), Log{"empty info"});
}

TEST_F(ViewSwitcherTest, FeaturesNotBuiltYetLeaveTheSwitchesWorking) {
    ViewSwitcher bare(window, window, features, ViewServices{}, stores, viewKind);
    for (const ViewInfo& info : AllViews()) {
        if (info.kind == vkOtherPlace) continue;
        bare.SwitchTo(info.kind);
        EXPECT_EQ(viewKind, info.kind);
        EXPECT_THAT(window.pressed, ElementsAre(info.kind));
    }
    bare.ShowSelectionInfo();
    bare.ShowHardwareNodeInfo();
}

}  // namespace
}  // namespace glmx::ui
