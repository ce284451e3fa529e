// Top-level windows of the user's desktop, and the messages the actions send them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glmx::platform {

using WindowId = std::uintptr_t;

struct TopLevelWindow {
    WindowId handle = 0;
    bool visible = false;
    WindowId owner = 0;  // 0 when it has none
    bool toolWindow = false;
    std::string title;
    std::uint32_t processId = 0;
};

enum class WindowReply { Answered, AnsweredOne, NoAnswer };

class TopLevelWindows {
public:
    virtual ~TopLevelWindows() = default;
    // In the order the system enumerates them (front-most first).
    virtual std::vector<TopLevelWindow> Enumerate() const = 0;
    virtual WindowId DesktopWindow() const = 0;
    // Sends WM_CLOSE and waits for the reply (a hung window gives NoAnswer).
    virtual WindowReply SendClose(WindowId window) = 0;
    // Brings the window to the front, restoring it when it is minimised.
    virtual bool SwitchTo(WindowId window) = 0;
};

}  // namespace glmx::platform
