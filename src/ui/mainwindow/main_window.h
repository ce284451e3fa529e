// The main window TFMain: restores its placement when it is created, saves it
// when it closes, and receives the command line's actions.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/command_line.h"
#include "app/window_placement.h"
#include "platform/display.h"
#include "settings/settings_stores.h"
#include "ui/win32/window.h"

namespace glmx::ui {

// The program-wide objects the main window works with.
struct MainWindowContext {
    settings::SettingsStores& stores;
    const platform::Display& display;
};

inline constexpr wchar_t kMainWindowClassName[] = L"TFMain";

class TFMain final : public Window, public app::CommandLineTarget {
public:
    explicit TFMain(MainWindowContext context);

    // Creates the window hidden; FormCreate runs inside the creation.
    void Create(HINSTANCE instance);
    // Shows the window in the state it was restored to; called as the message loop starts.
    void ShowAtStart();

    void SelectFileInFolderPage(const std::string& filePath) override;
    void OpenFolderInFolderPage(const std::string& folderPath) override;
    void ShowRecycleBinView() override;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void FormCreate();
    void FormClose();
    void SetRuntimeCaptions();
    void RestoreWindowPlacement();
    app::WindowState CurrentState() const;

    MainWindowContext context_;
    std::optional<app::WindowState> startState_;
    bool placementSaved_ = false;
};

}  // namespace glmx::ui
