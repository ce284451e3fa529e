#include "filesearch/local_drives.h"

namespace glmx::filesearch {

std::string LocalHardDrives(std::uint32_t logicalDriveMask,
                            const std::function<bool(char letter)>& isFixedDrive) {
    std::string roots;
    for (int drive = 0; drive < 26; ++drive) {
        const char letter = static_cast<char>('A' + drive);
        if (!(logicalDriveMask & (std::uint32_t{1} << drive)) || !isFixedDrive(letter)) continue;
        if (!roots.empty()) roots += ';';
        roots += letter;
        roots += ":\\";
    }
    return roots;
}

}  // namespace glmx::filesearch
