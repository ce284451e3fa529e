// A throw-away key below HKEY_CURRENT_USER\Software\Quenfield\GlmxTest, removed
// with everything below it when the test ends.
#pragma once

#include <string>

namespace glmx::testing {

class ScopedTestKey {
public:
    ScopedTestKey();
    ~ScopedTestKey();
    ScopedTestKey(const ScopedTestKey&) = delete;
    ScopedTestKey& operator=(const ScopedTestKey&) = delete;

    // Path below HKEY_CURRENT_USER.
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Removes a key below HKEY_CURRENT_USER with everything below it, if it is there.
void DeleteCurrentUserTree(const std::string& path);

}  // namespace glmx::testing
