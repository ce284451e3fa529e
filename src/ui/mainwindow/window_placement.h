// Where the main window opens and what it remembers when it closes.
#pragma once

#include <optional>
#include <vector>

#include "platform/display.h"
#include "settings/reg_info.h"

namespace glmx::ui {

struct WindowBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};

using platform::ScreenRect;

enum class WindowState { Normal, Maximized, Minimized };

struct StartPlacement {
    WindowBounds bounds;
    // Normal or Maximized as stored; nullopt leaves the window's designed state.
    std::optional<WindowState> state;
};

// Below this size the window shows little more than its title bar; a stored size that
// small (or zero, or negative) counts as not stored, or it would stick from run to run.
inline constexpr int kMinimumWindowWidth = 200;
inline constexpr int kMinimumWindowHeight = 150;

// Writes the missing defaults of the "Desktop" store, loads it and reads the
// placement. A size or position that is not a decimal integer takes its default, as
// does a size below the minimum.
StartPlacement RestorePlacement(settings::TRegInfoClass& desktop);

// Saves what a close must keep: the state, and the bounds only in the normal state,
// so that a maximised close keeps the last normal bounds and a minimised one nothing.
void SavePlacement(settings::TRegInfoClass& desktop, WindowState state, const WindowBounds& bounds);

// Bounds that lie wholly off every monitor move onto the nearest one, so the window
// never opens out of the user's reach; bounds that show on a monitor stay.
WindowBounds KeepOnAMonitor(const WindowBounds& bounds, const std::vector<ScreenRect>& monitors);

}  // namespace glmx::ui
