// The main window TFMain. It owns the controls and routes their events to the
// view switches and the features behind the views; placement is restored at
// creation and saved on close.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/command_line.h"
#include "inventory/view_kind.h"
#include "app/window_placement.h"
#include "platform/display.h"
#include "platform/version_resources.h"
#include "platform/win32/unique_handle.h"
#include "settings/settings_stores.h"
#include "ui/mainwindow/function_pages.h"
#include "ui/mainwindow/information_panel.h"
#include "ui/mainwindow/main_menu.h"
#include "ui/mainwindow/main_toolbar.h"
#include "ui/mainwindow/view_switcher.h"
#include "ui/win32/window.h"

namespace glmx::ui {

// The program-wide objects the main window works with.
struct MainWindowContext {
    settings::SettingsStores& stores;
    const platform::Display& display;
    std::string programPath;    // the program's own file
    std::string programFolder;  // with a trailing backslash
    ViewKind& viewKind;
    const platform::VersionResources& versions;
};

inline constexpr wchar_t kMainWindowClassName[] = L"TFMain";

class TFMain final : public Window, public app::CommandLineTarget, private MainWindowChrome {
public:
    explicit TFMain(MainWindowContext context);
    ~TFMain() override;

    // Creates the window hidden; FormCreate runs inside the creation.
    void Create(HINSTANCE instance);
    // Shows the window in the state it was restored to; called as the message loop starts.
    void ShowAtStart();
    // Keyboard handling before dispatch: F1, Tab between controls. True when handled.
    bool PreTranslateMessage(MSG& message);
    // Features plug in here as they are built.
    void SetServices(const ViewServices& services) {
        services_ = services;
        switcher_.SetServices(services);
    }

    void SelectFileInFolderPage(const std::string& filePath) override;
    void OpenFolderInFolderPage(const std::string& folderPath) override;
    void ShowRecycleBinView() override;

    // What the window shows, for the window's own tests.
    ViewSwitcher& Switcher() { return switcher_; }
    const MainToolbar& Toolbar() const { return toolbar_; }
    MainToolbar& Toolbar() { return toolbar_; }
    FunctionPages& Pages() { return pages_; }
    InformationPanel& Information() { return information_; }
    HMENU MenuBar() const { return menus_.menuBar.get(); }
    HWND StatusBar() const { return stbMain_; }
    HWND ProgressBar() const { return prbDownloadProgress_; }
    HWND NotebookSplitter() const { return splitter7_; }
    bool FunctionPagesShown() const { return functionPagesShown_; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int command, int notification);
    LRESULT OnNotify(const NMHDR& header);

    void FormCreate();
    void FormClose();
    void FormResize();
    void SetRuntimeCaptions();
    void RestoreWindowPlacement();
    void CreateControls();
    void CreateFonts();
    void LayoutControls();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    app::WindowState CurrentState() const;

    void PopUpPlacesMenu();
    void PlaceChosen(int index);
    void PopUpAtMouse(HMENU menu);
    void ShowOfflineInfoMenu(LPARAM screenPoint);
    void HelpTopics();

    // MainWindowChrome
    void ShowFunctionPages() override;
    void HideFunctionPages() override;
    void SetActivePage(Page page) override;
    void ReleaseToolbarButtons() override;
    void PressToolbarButton(ViewKind view) override;
    void CheckViewMenuEntry(ViewKind view) override;
    void SetPageLabel(Page page, std::string_view text) override;
    inventory::ControlButton& PageControlButton(Page page) override;
    void SetStartupFilterIndex(int index) override;
    settings::ComboBoxItems& SearchField() override;
    void FocusSearchField() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

    MainWindowContext context_;
    std::optional<app::WindowState> startState_;
    bool placementSaved_ = false;
    UINT dpi_ = 96;

    MainMenus menus_;
    MainToolbar toolbar_;
    FunctionPages pages_;
    InformationPanel information_;
    HWND splitter7_ = nullptr;
    HWND stbMain_ = nullptr;
    HWND prbDownloadProgress_ = nullptr;
    platform::win32::UniqueGdiObject font_, labelFont_;
    HIMAGELIST imlRegistry_ = nullptr, imlOthers_ = nullptr, ImageList1_ = nullptr;
    HIMAGELIST imlSmallSystemImages_ = nullptr, imlBigSystemImages_ = nullptr;  // the system's
    HACCEL accelerators_ = nullptr;
    int notebookHeight_ = 297;  // designed; Splitter7 changes it
    bool functionPagesShown_ = true;
    int waitCursorDepth_ = 0;
    ViewServices services_;
    ViewSwitcher switcher_;
};

}  // namespace glmx::ui
