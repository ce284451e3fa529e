#include "support/scoped_test_key.h"

#include <windows.h>

#include <atomic>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace glmx::testing {
namespace {

using platform::win32::Wide;

HKEY RootHandle(platform::RegRoot root) {
    return root == platform::RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::string FreshName() {
    static std::atomic<int> counter{0};
    return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
}

}  // namespace

ScopedTestKey::ScopedTestKey()
    : ScopedTestKey(platform::RegRoot::CurrentUser,
                    "Software\\Quenfield\\GlmxTest\\" + FreshName()) {
    // Test programs running side by side share the parent: the last one out removes it.
    if (missingParents_.empty()) missingParents_.push_back("Software\\Quenfield\\GlmxTest");
}

ScopedTestKey::ScopedTestKey(platform::RegRoot root, std::string path)
    : root_(root), path_(std::move(path)) {
    for (size_t end = path_.find('\\'); end != std::string::npos; end = path_.find('\\', end + 1)) {
        platform::win32::UniqueHKey key;
        missingParents_.push_back(path_.substr(0, end));
        if (RegOpenKeyExW(RootHandle(root_), Wide(missingParents_.back()).c_str(), 0, KEY_READ,
                          key.put()) == 0)
            missingParents_.pop_back();
    }
    RegDeleteTreeW(RootHandle(root_), Wide(path_).c_str());  // a stale run's
}

ScopedTestKey::~ScopedTestKey() {
    RegDeleteTreeW(RootHandle(root_), Wide(path_).c_str());
    // RegDeleteKey leaves a parent that another test has filled meanwhile.
    for (auto it = missingParents_.rbegin(); it != missingParents_.rend(); ++it)
        RegDeleteKeyW(RootHandle(root_), Wide(*it).c_str());
}

}  // namespace glmx::testing
