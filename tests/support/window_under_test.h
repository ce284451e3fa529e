// The real program wired as it ships, created in the test process over a
// throw-away settings key, so that tests can drive its window with messages and
// read its controls directly. Addresses it would open are only recorded.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/program.h"
#include "platform/win32/win32_shell.h"
#include "support/scoped_test_key.h"

namespace glmx::testing {

class WindowUnderTest {
public:
    WindowUnderTest();
    ~WindowUnderTest();

    app::Program& App() { return *program_; }
    ui::TFMain& Main() { return program_->MainWindow(); }
    HWND Handle() const { return program_->MainWindow().Handle(); }
    settings::SettingsStores& Stores() { return program_->Stores(); }
    ViewKind CurrentView() const { return program_->CurrentView(); }

    // The parts of a notebook page.
    HWND PageWindow(ui::Page page);
    std::string PageLabel(ui::Page page);
    HWND ControlButton(ui::Page page);

    // Handles what is waiting in the queue (posted follow-ups of clicks and keys).
    static void PumpMessages();
    // Closes the menu that is about to open, as a user pressing Escape would.
    static void CloseMenuSoon();
    // A menu or button command, as the window gets it.
    void Command(int command);
    // The click notification a control sends its parent.
    void NotifyClick(HWND control);
    // Resizes the window's outer bounds and lets it lay out.
    void Resize(int width, int height);

    // The real shell, but addresses to open are only recorded: tests start no browser.
    class RecordingShell final : public platform::Shell {
    public:
        int SystemIconIndex(const std::string& path) const override {
            return shell.SystemIconIndex(path);
        }
        std::string ResolveShortcut(const std::string& path) const override {
            return shell.ResolveShortcut(path);
        }
        bool DisplayShellContextMenu(void* owner, const std::string& path, int x, int y) override {
            return shell.DisplayShellContextMenu(owner, path, x, y);
        }
        bool OpenWithShell(const std::string& target) override {
            opened.push_back(target);
            return true;
        }
        platform::win32::Win32Shell shell;
        std::vector<std::string> opened;
    } shell;

private:
    ScopedTestKey key_;
    std::unique_ptr<app::Program> program_;
};

// Ends the test program, saying what hung, when a step does not come back within 30 s:
// a window that stops answering then fails the run instead of stopping it.
class Watchdog {
public:
    explicit Watchdog(std::string what);
    ~Watchdog();
    void NextStep() { ++step_; }
    // What the step is doing now; printed when it hangs.
    void Doing(std::string action) {
        std::lock_guard lock(mutex_);
        doing_ = std::move(action);
    }

private:
    std::string what_;
    std::mutex mutex_;
    std::string doing_;
    std::atomic<bool> stop_{false};
    std::atomic<int> step_{0};
    std::thread thread_;
};

}  // namespace glmx::testing
