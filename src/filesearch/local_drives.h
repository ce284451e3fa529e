// The roots of the fixed drives, which the browse dialog offers as one look-in text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace glmx::filesearch {

// "C:\;D:\": the root of each drive A..Z whose bit is set in the mask (bit 0 = A) and
// which isFixedDrive accepts, joined with ";"; "" when none is.
std::string LocalHardDrives(std::uint32_t logicalDriveMask,
                            const std::function<bool(char letter)>& isFixedDrive);

}  // namespace glmx::filesearch
