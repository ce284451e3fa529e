// An in-memory registry for tests. It keeps the rules the program relies on:
// values list in creation order and a rewrite keeps its place and spelling,
// names compare without regard to case, sub-keys list alphabetically, the
// unnamed value is a value like any other whose name is "", a deleted key's
// open handles fail, and a key can be marked access-denied.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace glmx::platform {

class FakeRegistry final : public Registry {
public:
    FakeRegistry();
    ~FakeRegistry() override;

    std::unique_ptr<RegistryKey> OpenKey(RegRoot root, std::string_view path,
                                         RegAccess access) override;
    std::unique_ptr<RegistryKey> CreateKey(RegRoot root, std::string_view path) override;
    bool DeleteKeyTree(RegRoot root, std::string_view path) override;

    // Opening, creating or deleting this key (or creating below it) fails from now on.
    void DenyAccess(RegRoot root, std::string_view path);
    // While the registry is read-only, writes through an open key and opening for
    // writing fail.
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    bool KeyExists(RegRoot root, std::string_view path) const;
    // Counts of calls that reach the registry, so tests can prove what was not touched.
    int OpenCount() const { return openCount_; }
    int WriteCount() const { return writeCount_; }

    struct Node;

private:
    Node* Find(RegRoot root, std::string_view path) const;

    std::map<RegRoot, std::shared_ptr<Node>> roots_;
    bool readOnly_ = false;
    int openCount_ = 0;
    int writeCount_ = 0;
    friend class FakeRegistryKey;
};

}  // namespace glmx::platform
