#include "platform/fake/fake_directory_listing.h"

#include <string_view>

#include "platform/text.h"

namespace glmx::platform {

struct FakeDirectoryListing::Node {
    std::string name;
    bool directory = false;
    std::string linkTarget;  // not empty for a link
    bool denied = false;
    bool identityHidden = false;
    bool hiddenOrSystem = false;
    std::uint64_t volume = 0, index = 0;
    std::vector<std::unique_ptr<Node>> children;

    Node* Child(std::string_view childName) {
        for (const auto& child : children)
            if (EqualsIgnoringAsciiCase(child->name, childName)) return child.get();
        return nullptr;
    }
};

namespace {

std::vector<std::string_view> Components(std::string_view path) {
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const size_t end = path.find('\\');
        if (end != 0) parts.push_back(path.substr(0, end));
        if (end == std::string_view::npos) break;
        path.remove_prefix(end + 1);
    }
    return parts;
}

class NodeCursor final : public DirectoryCursor {
public:
    explicit NodeCursor(const FakeDirectoryListing::Node& folder) : folder_(folder) {}
    bool Next(DirectoryEntry& entry) override {
        if (next_ == folder_.children.size()) return false;
        const auto& child = *folder_.children[next_++];
        entry.name = child.name;
        entry.isDirectory = child.directory;
        entry.isLink = !child.linkTarget.empty();
        entry.isHiddenOrSystem = child.hiddenOrSystem;
        return true;
    }

private:
    const FakeDirectoryListing::Node& folder_;
    size_t next_ = 0;
};

}  // namespace

FakeDirectoryListing::FakeDirectoryListing() = default;
FakeDirectoryListing::~FakeDirectoryListing() = default;

FakeDirectoryListing::Node* FakeDirectoryListing::Add(const std::string& path, bool directory) {
    const std::vector<std::string_view> parts = Components(path);
    if (parts.empty()) return nullptr;
    std::vector<std::unique_ptr<Node>>* siblings = &roots_;
    Node* node = nullptr;
    for (size_t i = 0; i < parts.size(); ++i) {
        Node* next = nullptr;
        for (const auto& sibling : *siblings)
            if (EqualsIgnoringAsciiCase(sibling->name, parts[i])) next = sibling.get();
        if (!next) {
            siblings->push_back(std::make_unique<Node>());
            next = siblings->back().get();
            next->name = std::string(parts[i]);
            next->directory = directory || i + 1 < parts.size();
            next->index = nextIndex_++;
            next->volume = i == 0 ? roots_.size() : node->volume;  // a volume per root
        }
        node = next;
        siblings = &node->children;
    }
    return node;
}

// Follows links on the way, at most a few in a row, as the file system does.
FakeDirectoryListing::Node* FakeDirectoryListing::Find(const std::string& path) {
    std::string rest = path;
    for (int hops = 0; hops < 32; ++hops) {
        const std::vector<std::string_view> parts = Components(rest);
        Node* node = nullptr;
        for (size_t i = 0; i < parts.size(); ++i) {
            if (i == 0) {
                for (const auto& root : roots_)
                    if (EqualsIgnoringAsciiCase(root->name, parts[0])) node = root.get();
            } else {
                node = node->Child(parts[i]);
            }
            if (!node) return nullptr;
            if (!node->linkTarget.empty()) {
                std::string target = node->linkTarget;
                for (size_t j = i + 1; j < parts.size(); ++j) (target += '\\') += parts[j];
                rest = std::move(target);
                node = nullptr;
                break;
            }
        }
        if (node) return node->directory ? node : nullptr;
        if (parts.empty()) return nullptr;
    }
    return nullptr;
}

void FakeDirectoryListing::AddFolder(const std::string& path) { Add(path, true); }
void FakeDirectoryListing::AddFile(const std::string& path) { Add(path, false); }

void FakeDirectoryListing::AddLink(const std::string& path, const std::string& target) {
    if (Node* link = Add(path, true)) link->linkTarget = target;
}

void FakeDirectoryListing::Deny(const std::string& folder) {
    if (Node* node = Find(folder)) node->denied = true;
}

void FakeDirectoryListing::MarkHiddenOrSystem(const std::string& path) {
    if (Node* node = Find(path)) node->hiddenOrSystem = true;
}

void FakeDirectoryListing::HideIdentity(const std::string& folder) {
    if (Node* node = Find(folder)) node->identityHidden = true;
}

std::unique_ptr<DirectoryCursor> FakeDirectoryListing::Open(const std::string& folder) {
    opened_.push_back(folder);
    const Node* node = Find(folder);
    if (!node || node->denied) return nullptr;
    return std::make_unique<NodeCursor>(*node);
}

bool FakeDirectoryListing::List(const std::string& folder,
                                const std::function<bool(const DirectoryEntry&)>& entry) {
    return ListThroughOpen(folder, entry);
}

std::optional<DirectoryIdentity> FakeDirectoryListing::IdentityOf(const std::string& folder) {
    ++identityQueries_;
    const Node* node = Find(folder);
    if (!node || node->identityHidden) return std::nullopt;
    return DirectoryIdentity{node->volume, node->index};
}

}  // namespace glmx::platform
