// A seeded monkey: a few hundred random user actions on the real window (clicks
// on every kind of control, keys, resizes from tiny to full screen, view and
// place switches), and after each batch the window must still answer with the
// focus on a window the user can see. Actions that end processes or delete
// anything (the function bars' buttons, the auto-start Delete, File > Close) are
// left out. GLMX_MONKEY_SEED replays one seed, GLMX_MONKEY_ACTIONS sets the count.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "support/window_under_test.h"
#include "ui/mainwindow/commands.h"

namespace glmx::testing {
namespace {

constexpr int kBatch = 25;

// Closes whatever modal user interface an action opened: menus, the About box,
// message boxes (a question is answered "No" or "Cancel").
void CALLBACK CloseModalUi(HWND, UINT, UINT_PTR, DWORD) {
    EndMenu();
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            wchar_t className[32] = {};
            GetClassNameW(window, className, 32);
            if (IsWindowVisible(window) && std::wstring(className) == L"#32770") {
                EndDialog(window, IDNO);
                EndDialog(window, IDCANCEL);
            }
            return TRUE;
        },
        0);
}

class Monkey {
public:
    Monkey(WindowUnderTest& window, Watchdog& watchdog, unsigned seed)
        : window_(window), watchdog_(watchdog), random_(seed) {}

    void Act() {
        static constexpr void (Monkey::*kActions[])() = {
            &Monkey::SwitchView, &Monkey::Click,  &Monkey::Click,
            &Monkey::Click,      &Monkey::Key,    &Monkey::Key,
            &Monkey::AltLetter,  &Monkey::Resize, &Monkey::RightClick};
        (this->*kActions[Pick(9)])();
        watchdog_.Doing("action " + std::to_string(++count_) + ": " + last_);
    }

    // The program's own loop: accelerators and dialog keys first.
    void Pump() {
        MSG message;
        for (int round = 0; round < 2000 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
             ++round) {
            if (message.message == WM_QUIT) continue;
            if (window_.Main().PreTranslateMessage(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    void SwitchView() {
        int command = Pick(4) == 0 ? ui::cmdPlaceFirst + Pick(19) : ui::cmdViewFirst + Pick(13);
        last_ = "command " + std::to_string(command);
        PostMessageW(window_.Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    }

    // Visible, enabled windows below the main window, but the buttons that act on the system.
    std::vector<HWND> Targets() {
        std::vector<HWND> targets;
        EnumChildWindows(
            window_.Handle(),
            [](HWND child, LPARAM data) -> BOOL {
                const int id = GetDlgCtrlID(child);
                if (IsWindowVisible(child) && IsWindowEnabled(child) &&
                    id != ui::cmdFolderControlButton && id != ui::cmdInventoryControlButton &&
                    id != ui::cmdHardwareControlButton && id != ui::cmdStartupDelete)
                    reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&targets));
        return targets;
    }

    void ClickWith(UINT down, UINT up, WPARAM keys) {
        const std::vector<HWND> targets = Targets();
        if (targets.empty()) return;
        HWND target = targets[static_cast<size_t>(Pick(static_cast<int>(targets.size())))];
        RECT client{};
        GetClientRect(target, &client);
        const LPARAM point = MAKELPARAM(Pick(std::max(1, static_cast<int>(client.right))),
                                        Pick(std::max(1, static_cast<int>(client.bottom))));
        wchar_t className[64] = {};
        GetClassNameW(target, className, 64);
        last_ = "message " + std::to_string(down) + " to " + Narrow(className) + " " +
                std::to_string(GetDlgCtrlID(target));
        PostMessageW(target, down, keys, point);
        PostMessageW(target, up, 0, point);
    }

    void Click() {
        ClickWith(Pick(5) == 0 ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
    }

    void RightClick() { ClickWith(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON); }

    void Key() {
        // F1 starts the help viewer, another program: left out with the rest of the F-keys' F4.
        static constexpr UINT kKeys[] = {VK_TAB,    VK_TAB, VK_LEFT,  VK_RIGHT, VK_UP,    VK_DOWN,
                                         VK_HOME,   VK_END, VK_PRIOR, VK_NEXT,  VK_SPACE, VK_RETURN,
                                         VK_ESCAPE, VK_F2,  VK_F3,    VK_F5,    VK_F6,    VK_F10,
                                         VK_F11,    VK_F12, 'A',      'Z',      '5'};
        const UINT key = kKeys[Pick(static_cast<int>(std::size(kKeys)))];
        HWND focus = GetFocus() ? GetFocus() : window_.Handle();
        last_ = "key " + std::to_string(key) + " to " + std::to_string(GetDlgCtrlID(focus));
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    }

    void AltLetter() {
        const UINT letter = 'A' + static_cast<UINT>(Pick(26));
        HWND focus = GetFocus() ? GetFocus() : window_.Handle();
        last_ = std::string("Alt+") + static_cast<char>(letter);
        PostMessageW(focus, WM_SYSKEYDOWN, letter, 0x20000001);
        PostMessageW(focus, WM_SYSKEYUP, letter, 0xE0000001);
    }

    void Resize() {
        const int choice = Pick(6);
        last_ = "resize";
        if (choice == 0) return (void)ShowWindow(window_.Handle(), SW_MAXIMIZE);
        if (choice == 1) return (void)ShowWindow(window_.Handle(), SW_RESTORE);
        const int width = 1 + Pick(GetSystemMetrics(SM_CXSCREEN));
        const int height = 1 + Pick(GetSystemMetrics(SM_CYSCREEN));
        SetWindowPos(window_.Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    }

    static std::string Narrow(const wchar_t* text) {
        std::string narrow;
        for (; *text; ++text) narrow += static_cast<char>(*text < 128 ? *text : '?');
        return narrow;
    }

    WindowUnderTest& window_;
    Watchdog& watchdog_;
    std::mt19937 random_;
    std::string last_;
    int count_ = 0;
};

std::vector<unsigned> Seeds() {
    if (const char* seed = std::getenv("GLMX_MONKEY_SEED"))
        return {static_cast<unsigned>(std::strtoul(seed, nullptr, 10))};
    return {1, 2, 3};
}

TEST(MonkeyGuiTest, RandomActionsLeaveAWindowThatAnswers) {
    for (unsigned seed : Seeds()) {
        SCOPED_TRACE("GLMX_MONKEY_SEED=" + std::to_string(seed));
        WindowUnderTest window;
        // Searches go to a local port nobody listens on: the monkey never waits for the
        // network (a name lookup without one can hold the browser for many seconds).
        info::TOnlineInfoClass& online = window.App().Online().Controller();
        online.ClearSites();
        online.AddSite({"Local", "http://127.0.0.1:9/?q=THISISREPLACEDWITHACTUALTEXT"});
        Watchdog watchdog("seed " + std::to_string(seed));
        Monkey monkey(window, watchdog, seed);
        const UINT_PTR closer = SetTimer(nullptr, 0, 150, CloseModalUi);
        const char* count = std::getenv("GLMX_MONKEY_ACTIONS");
        const int actions = count ? std::max(1, std::atoi(count)) : 200;
        for (int done = 0; done < actions; done += kBatch) {
            for (int action = 0; action < kBatch; ++action) {
                monkey.Act();
                monkey.Pump();
            }
            watchdog.NextStep();
            ASSERT_TRUE(IsWindow(window.Handle())) << "the window went at batch " << done / kBatch;
            DWORD_PTR answer = 0;
            ASSERT_NE(SendMessageTimeoutW(window.Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000,
                                          &answer),
                      0);
            if (HWND focus = GetFocus())
                EXPECT_TRUE(IsWindowVisible(focus)) << "batch " << done / kBatch;
        }
        KillTimer(nullptr, closer);
        ShowWindow(window.Handle(), SW_RESTORE);
    }
}

}  // namespace
}  // namespace glmx::testing
