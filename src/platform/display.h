// The monitors the desktop spans.
#pragma once

#include <vector>

namespace glmx::platform {

// A monitor's usable area in screen pixels; right and bottom are exclusive.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class Display {
public:
    virtual ~Display() = default;
    // Each monitor's work area (without task bars), in screen pixels.
    virtual std::vector<ScreenRect> MonitorWorkAreas() const = 0;
};

}  // namespace glmx::platform
