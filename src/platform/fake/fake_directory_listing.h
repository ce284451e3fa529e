// An in-memory folder tree for tests. Paths are "\"-separated, start with a root such as
// "C:" and ignore ASCII case; entries list in the order they were added. A link is a
// directory entry that leads to another folder (a junction or symbolic link): listing or
// identifying through it reaches that folder. Folders can be denied (they do not list)
// or have no identity to tell.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/directory_listing.h"

namespace glmx::platform {

class FakeDirectoryListing final : public DirectoryListing {
public:
    FakeDirectoryListing();
    ~FakeDirectoryListing() override;

    // Each adds the missing folders on the way as well.
    void AddFolder(const std::string& path);
    void AddFile(const std::string& path);
    void AddLink(const std::string& path, const std::string& target);
    void Deny(const std::string& folder);
    void HideIdentity(const std::string& folder);
    void MarkHiddenOrSystem(const std::string& path);

    bool List(const std::string& folder,
              const std::function<bool(const DirectoryEntry&)>& entry) override;
    std::optional<DirectoryIdentity> IdentityOf(const std::string& folder) override;
    std::unique_ptr<DirectoryCursor> Open(const std::string& folder) override;

    // Every folder opened or listed, as asked.
    const std::vector<std::string>& Opened() const { return opened_; }
    // How often an identity (or an index alone) was asked.
    int IdentityQueries() const { return identityQueries_; }

    struct Node;

private:
    Node* Add(const std::string& path, bool directory);
    Node* Find(const std::string& path);

    std::vector<std::unique_ptr<Node>> roots_;
    std::vector<std::string> opened_;
    std::uint64_t nextIndex_ = 1;
    int identityQueries_ = 0;
};

}  // namespace glmx::platform
