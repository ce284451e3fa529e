// The main window TFMain: the frame around the views. It owns the menus, the
// cool bar, the notebook, the information panel and the status bar, lays them
// out, and routes each command and notification to the part whose identifiers
// it carries. Placement is restored at creation and saved on close.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "inventory/view_kind.h"
#include "platform/display.h"
#include "platform/version_resources.h"
#include "platform/win32/unique_handle.h"
#include "settings/reg_info.h"
#include "shell/places/places_menu.h"
#include "ui/mainwindow/information_panel.h"
#include "ui/mainwindow/main_menu.h"
#include "ui/mainwindow/main_toolbar.h"
#include "ui/mainwindow/notebook.h"
#include "ui/mainwindow/status_bar.h"
#include "ui/mainwindow/view_switcher.h"
#include "ui/mainwindow/window_placement.h"
#include "ui/win32/window.h"

namespace glmx::ui {

// What the main window works with beyond its own controls.
struct MainWindowContext {
    settings::TRegInfoClass& desktopSettings;  // the placement
    const platform::Display& display;
    std::string programPath;    // the program's own file
    std::string programFolder;  // with a trailing backslash
    const ViewKind& viewKind;
    const platform::VersionResources& versions;
    const shell::places::SpecialFolderPaths& specialFolders;  // where the places menu's folders are
    std::function<void(HWND owner)> showConfiguration;        // File > "Configuration..."
};

inline constexpr wchar_t kMainWindowClassName[] = L"TFMain";

class TFMain final : public Window {
public:
    explicit TFMain(MainWindowContext context);
    ~TFMain() override;

    // Creates the window hidden with its frame, restores its placement.
    void Create(HINSTANCE instance);
    // Creates a notebook page and routes the identifier block from firstId to it.
    void AddPage(Page page, NotebookPage& controller, int firstId);
    // The view switches the tool bar, the View menu and the places menu call.
    void SetViewSwitcher(ViewSwitcher& switcher) { switcher_ = &switcher; }
    // Offered every command the window's parts do not take; true when it took it.
    void SetCommandHandler(std::function<bool(int command)> handler) {
        commandHandler_ = std::move(handler);
    }
    HMENU FavouritesMenu() const { return GetSubMenu(menuBar_, 2); }
    // Called as the window closes (or the session ends), before the placement is saved.
    void SetClosingHandler(std::function<void()> handler) { closingHandler_ = std::move(handler); }
    const MainMenus& Menus() const { return menus_; }
    // Shows the window in the state it was restored to; called as the message loop starts.
    void ShowAtStart();
    // Keyboard handling before dispatch: F1, Tab between controls. True when handled.
    bool PreTranslateMessage(MSG& message);
    // Runs the call once the current message is handled (a list's selection follows
    // the click or key only after the list itself has handled it).
    void Defer(std::function<void()> call);

    // What the view switches change around the pages.
    void ShowFunctionPages();
    void HideFunctionPages();
    void ReleaseToolbarButtons() { toolbar_.ReleaseToolbarButtons(); }
    void PressToolbarButton(ViewKind view) { toolbar_.PressButton(view); }
    void CheckViewMenuEntry(ViewKind view);
    void BeginWaitCursor();
    void EndWaitCursor();

    Notebook& Pages() { return notebook_; }
    InformationPanel& Information() { return information_; }
    const MainToolbar& Toolbar() const { return toolbar_; }
    HMENU MenuBar() const { return menuBar_; }
    HWND StatusBarHandle() const { return statusBar_.Handle(); }
    HWND ProgressBar() const { return statusBar_.ProgressBar(); }
    HWND NotebookSplitter() const { return notebookSplitter_; }
    bool FunctionPagesShown() const { return functionPagesShown_; }

private:
    struct Route {
        int first;
        int last;
        WindowPart* part;
    };

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    WindowPart* PartOf(int id) const;
    void OnCommand(int command, int notification);
    LRESULT OnNotify(NMHDR& header);
    void OnSplitterMoved(int splitterId, int position);
    void RunDeferredCalls();

    void CreateControls();
    void ApplyFonts();
    void RestoreWindowPlacement();
    void SaveWindowPlacement();
    void LayoutControls();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    ui::WindowState CurrentState() const;

    void PopUpPlacesMenu();
    void PlaceChosen(int index);
    void PopUpAtMouse(HMENU menu);
    void HelpTopics();

    MainWindowContext context_;
    std::optional<ui::WindowState> startState_;
    bool placementSaved_ = false;
    UINT dpi_ = 96;

    MainMenus menus_;
    std::function<bool(int)> commandHandler_;
    std::function<void()> closingHandler_;
    HMENU menuBar_ = nullptr;  // the window's own: destroyed with it
    MainToolbar toolbar_;
    Notebook notebook_;
    HWND notebookSplitter_ = nullptr;
    InformationPanel information_;
    StatusBar statusBar_;
    platform::win32::UniqueGdiObject font_, labelFont_;
    platform::win32::UniqueAcceleratorTable accelerators_;
    std::vector<Route> routes_;
    std::vector<std::function<void()>> deferred_;
    // At 96 dpi; 0 until the splitter was moved here or before (then half the height).
    int notebookHeight_ = 0;
    bool functionPagesShown_ = true;
    int waitCursorDepth_ = 0;
    ViewSwitcher* switcher_ = nullptr;
};

}  // namespace glmx::ui
