#pragma once

#include "platform/display.h"

namespace glmx::platform::win32 {

class Win32Display final : public Display {
public:
    std::vector<ScreenRect> MonitorWorkAreas() const override;
};

}  // namespace glmx::platform::win32
