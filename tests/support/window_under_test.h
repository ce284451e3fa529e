// The real main window, created in the test process over a throw-away settings
// key, so that tests can drive it with messages and read its controls directly.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "inventory/running_applications.h"
#include "inventory/running_programs.h"
#include "platform/win32/win32_display.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_user_messages.h"
#include "platform/win32/win32_version_resources.h"
#include "platform/win32/win32_locale.h"
#include "ui/mainwindow/inventory_views.h"
#include "ui/mainwindow/offline_panel.h"
#include "settings/program_identity.h"
#include "settings/settings_stores.h"
#include "support/scoped_test_key.h"
#include "ui/mainwindow/main_window.h"

namespace glmx::testing {

class WindowUnderTest {
public:
    WindowUnderTest();
    ~WindowUnderTest();

    ui::TFMain& Main() { return *window_; }
    HWND Handle() const { return window_->Handle(); }
    settings::SettingsStores& Stores() { return stores_; }
    ViewKind CurrentView() const { return viewKind_; }

    // Handles what is waiting in the queue (posted follow-ups of clicks and keys).
    static void PumpMessages();
    // Resizes the window's outer bounds and lets it lay out.
    void Resize(int width, int height);
    // Saves what the window shows as a 24-bit BMP file.
    bool SaveScreenshot(const std::wstring& path);

private:
    ScopedTestKey key_;
    platform::win32::Win32Registry registry_;
    platform::win32::Win32Display display_;
    platform::win32::Win32VersionResources versions_;
    settings::SettingsStores stores_{registry_, key_.Path()};
    ViewKind viewKind_ = vkAll;
    std::unique_ptr<ui::TFMain> window_;

public:
    // The inventory views over the real system.
    platform::win32::Win32ProcessSystem processes;
    platform::win32::Win32TopLevelWindows windows;
    // The real shell, but addresses to open are only recorded: tests start no browser.
    class RecordingShell final : public platform::Shell {
    public:
        int SystemIconIndex(const std::string& path) const override { return shell.SystemIconIndex(path); }
        std::string ResolveShortcut(const std::string& path) const override { return shell.ResolveShortcut(path); }
        bool DisplayShellContextMenu(void* owner, const std::string& path, int x, int y) override {
            return shell.DisplayShellContextMenu(owner, path, x, y);
        }
        void OpenWithShell(const std::string& target) override { opened.push_back(target); }
        platform::win32::Win32Shell shell;
        std::vector<std::string> opened;
    } shell;
    platform::win32::Win32UserMessages messages{settings::kApplicationTitle};
    platform::win32::Win32Locale locale;
    inventory::TRunningApplicationsInfo applications;
    inventory::TRunningProgramsInfoClass runningPrograms;
    std::unique_ptr<ui::OfflinePanel> offlinePanel;
    std::unique_ptr<ui::InventoryViews> inventoryViews;
};

}  // namespace glmx::testing
