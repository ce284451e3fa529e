// What the shell does to files on the user's behalf: send them to the Recycle Bin
// and empty it. The shell asks the user to confirm both and shows its own errors.
#pragma once

#include <string>
#include <vector>

namespace glmx::platform {

class FileOperations {
public:
    virtual ~FileOperations() = default;
    // True when the shell reports that every item went (not when the user declined).
    virtual bool DeleteToRecycleBin(const std::vector<std::string>& paths) = 0;
    // True when the shell reports success, also for an empty Recycle Bin.
    virtual bool EmptyRecycleBin() = 0;
};

}  // namespace glmx::platform
