// A throw-away registry key, removed with everything below it when the test ends, and
// with it the parents it had to create.
#pragma once

#include <string>
#include <vector>

#include "platform/registry.h"

namespace glmx::testing {

class ScopedTestKey {
public:
    // A fresh key below HKEY_CURRENT_USER\Software\Quenfield\GlmxTest.
    ScopedTestKey();
    ScopedTestKey(platform::RegRoot root, std::string path);
    ~ScopedTestKey();
    ScopedTestKey(const ScopedTestKey&) = delete;
    ScopedTestKey& operator=(const ScopedTestKey&) = delete;

    // Path below the root.
    const std::string& Path() const { return path_; }

private:
    platform::RegRoot root_;
    std::string path_;
    std::vector<std::string> missingParents_;
};

}  // namespace glmx::testing
