#include "ui/mainwindow/main_window.h"

#include "app/application.h"
#include "app/startup_settings.h"
#include "platform/win32/wide.h"

namespace glmx::ui {

using app::WindowState;
using platform::win32::Wide;

namespace {

// The designed bounds, used until FormCreate restores the stored ones.
constexpr int kDesignedLeft = 50, kDesignedTop = 50, kDesignedWidth = 850, kDesignedHeight = 600;

}  // namespace

TFMain::TFMain(MainWindowContext context) : context_(context) {}

void TFMain::Create(HINSTANCE instance) {
    RegisterWindowClass(instance, kMainWindowClassName, CS_DBLCLKS,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CreateWindowOfClass(instance, kMainWindowClassName, L"",
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, kDesignedLeft, kDesignedTop,
                        kDesignedWidth, kDesignedHeight, nullptr);
}

void TFMain::ShowAtStart() {
    if (!Handle()) return;
    ShowWindow(Handle(), startState_ == WindowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    UpdateWindow(Handle());
}

LRESULT TFMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            FormCreate();
            return 0;
        case WM_CLOSE:
            FormClose();
            DestroyWindow(Handle());
            return 0;
        case WM_ENDSESSION:
            // Log-off ends the process without WM_CLOSE; keep the placement all the same.
            if (wParam) FormClose();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

void TFMain::FormCreate() {
    SetRuntimeCaptions();
    RestoreWindowPlacement();
    app::PrepareConfigurationStores(context_.stores);
}

void TFMain::SetRuntimeCaptions() {
    SetWindowTextW(Handle(), Wide(app::kApplicationTitle).c_str());
}

void TFMain::RestoreWindowPlacement() {
    const app::StartPlacement placement = app::RestorePlacement(context_.stores.DesktopSettings);
    const app::WindowBounds bounds =
        app::KeepOnAMonitor(placement.bounds, context_.display.MonitorWorkAreas());
    SetWindowPos(Handle(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    startState_ = placement.state;
}

WindowState TFMain::CurrentState() const {
    if (IsIconic(Handle())) return WindowState::Minimized;
    if (IsZoomed(Handle())) return WindowState::Maximized;
    return WindowState::Normal;
}

void TFMain::FormClose() {
    if (placementSaved_) return;
    placementSaved_ = true;
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    app::SavePlacement(context_.stores.DesktopSettings, CurrentState(),
                       {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
}

// The folder page and the Recycle Bin view take these over when they are built;
// until then the actions have nothing to show.
void TFMain::SelectFileInFolderPage(const std::string&) {}
void TFMain::OpenFolderInFolderPage(const std::string&) {}
void TFMain::ShowRecycleBinView() {}

}  // namespace glmx::ui
