#include "support/window_under_test.h"

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace glmx::testing {

WindowUnderTest::WindowUnderTest()
    : program_(std::make_unique<app::Program>(app::ProgramOptions{key_.Path(), &shell})) {
    program_->Create(GetModuleHandleW(nullptr));
    Main().ShowAtStart();
    PumpMessages();
}

WindowUnderTest::~WindowUnderTest() {
    program_.reset();
    PumpMessages();
    // The window posted WM_QUIT on its way out; it is not for the test runner.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

HWND WindowUnderTest::PageWindow(ui::Page page) {
    ui::NotebookPage* controller = Main().Pages().PageOf(page);
    return controller ? controller->PageWindow() : nullptr;
}

std::string WindowUnderTest::PageLabel(ui::Page page) {
    ui::NotebookPage* controller = Main().Pages().PageOf(page);
    return controller && controller->Bar() ? controller->Bar()->Label() : std::string();
}

HWND WindowUnderTest::ControlButton(ui::Page page) {
    ui::NotebookPage* controller = Main().Pages().PageOf(page);
    return controller && controller->Bar() ? controller->Bar()->Button() : nullptr;
}

void WindowUnderTest::PumpMessages() {
    MSG message;
    for (int round = 0; round < 1000 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++round) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void WindowUnderTest::CloseMenuSoon() {
    SetTimer(nullptr, 0, 250, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        EndMenu();
    });
}

void WindowUnderTest::Command(int command) {
    SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    PumpMessages();
}

void WindowUnderTest::NotifyClick(HWND control) {
    NMITEMACTIVATE click{};  // the largest click notification: the others begin like it
    click.hdr = {control, static_cast<UINT_PTR>(GetDlgCtrlID(control)),
                 static_cast<UINT>(NM_CLICK)};
    SendMessageW(Handle(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    PumpMessages();
}

void WindowUnderTest::Resize(int width, int height) {
    SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
}

Watchdog::Watchdog(std::string what)
    : what_(std::move(what)), thread_([this] {
          while (!stop_) {
              const int step = step_;
              for (int tenth = 0; tenth < 300 && !stop_ && step == step_; ++tenth)
                  std::this_thread::sleep_for(std::chrono::milliseconds(100));
              if (!stop_ && step == step_) {
                  std::lock_guard lock(mutex_);
                  std::fprintf(stderr, "the window stopped answering: %s, step %d%s%s\n",
                               what_.c_str(), step, doing_.empty() ? "" : ", while ",
                               doing_.c_str());
                  std::fflush(stderr);
                  std::_Exit(3);
              }
          }
      }) {}

Watchdog::~Watchdog() {
    stop_ = true;
    thread_.join();
}

}  // namespace glmx::testing
