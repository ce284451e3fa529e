#include "support/scoped_test_key.h"

#include <windows.h>

#include <atomic>

#include "platform/win32/wide.h"

namespace glmx::testing {

ScopedTestKey::ScopedTestKey() {
    static std::atomic<int> counter{0};
    path_ = "Software\\Quenfield\\GlmxTest\\" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter++);
    DeleteCurrentUserTree(path_);
}

ScopedTestKey::~ScopedTestKey() {
    DeleteCurrentUserTree(path_);
    // The parent goes too once no other test uses it; RegDeleteKey refuses while it has sub-keys.
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Quenfield\\GlmxTest");
}

void DeleteCurrentUserTree(const std::string& path) {
    RegDeleteTreeW(HKEY_CURRENT_USER, platform::win32::Wide(path).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, platform::win32::Wide(path).c_str());
}

}  // namespace glmx::testing
