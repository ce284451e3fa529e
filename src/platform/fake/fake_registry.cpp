#include "platform/fake/fake_registry.h"

#include <algorithm>

#include "platform/text.h"

namespace glmx::platform {

namespace {

// Registry names ignore case as Windows does: letters of the ASCII, Latin-1,
// Greek and Cyrillic ranges fold to upper case.
char16_t FoldUnit(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F))
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
    return c;
}

std::u16string Folded(std::string_view name) {
    std::u16string wide = Utf8ToUtf16(name);
    for (char16_t& c : wide) c = FoldUnit(c);
    return wide;
}

bool SameName(std::string_view a, std::string_view b) { return Folded(a) == Folded(b); }

std::vector<std::string> SplitPath(std::string_view path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

struct FakeRegistry::Node {
    std::string name;
    std::vector<std::shared_ptr<Node>> children;
    std::vector<RegNamedValue> values;
    bool denied = false;
    bool deleted = false;

    std::shared_ptr<Node> Child(std::string_view childName) const {
        for (const auto& child : children)
            if (SameName(child->name, childName)) return child;
        return nullptr;
    }
    RegNamedValue* Value(std::string_view valueName) {
        for (auto& value : values)
            if (SameName(value.name, valueName)) return &value;
        return nullptr;
    }
    void MarkDeleted() {
        deleted = true;
        for (auto& child : children) child->MarkDeleted();
    }
};

class FakeRegistryKey final : public RegistryKey {
public:
    FakeRegistryKey(FakeRegistry& owner, std::shared_ptr<FakeRegistry::Node> node, bool writable)
        : owner_(owner), node_(std::move(node)), writable_(writable) {}

    std::vector<std::string> SubKeyNames() const override {
        std::vector<std::string> names;
        if (node_->deleted) return names;
        for (const auto& child : node_->children) names.push_back(child->name);
        std::stable_sort(names.begin(), names.end(),
                         [](const auto& a, const auto& b) { return Folded(a) < Folded(b); });
        return names;
    }
    size_t SubKeyCount() const override { return node_->deleted ? 0 : node_->children.size(); }
    size_t SubKeyCountOf(std::string_view name) const override {
        ++owner_.openCount_;
        const auto child = node_->deleted ? nullptr : node_->Child(name);
        return child && !child->denied ? child->children.size() : 0;
    }
    std::vector<RegNamedValue> Values() const override {
        if (node_->deleted) return {};
        return node_->values;
    }
    std::optional<RegData> QueryValue(std::string_view name) const override {
        if (node_->deleted) return std::nullopt;
        if (const RegNamedValue* value = node_->Value(name)) return value->data;
        return std::nullopt;
    }
    bool SetValue(std::string_view name, const RegData& data) override {
        if (!CanWrite()) return false;
        ++owner_.writeCount_;
        if (RegNamedValue* value = node_->Value(name))
            value->data = data;
        else
            node_->values.push_back({std::string(name), data});
        return true;
    }
    bool DeleteValue(std::string_view name) override {
        if (!CanWrite()) return false;
        auto& values = node_->values;
        auto it = std::find_if(values.begin(), values.end(),
                               [&](const RegNamedValue& v) { return SameName(v.name, name); });
        if (it == values.end()) return false;
        ++owner_.writeCount_;
        values.erase(it);
        return true;
    }

private:
    bool CanWrite() const { return writable_ && !node_->deleted && !owner_.readOnly_; }

    FakeRegistry& owner_;
    std::shared_ptr<FakeRegistry::Node> node_;
    bool writable_;
};

FakeRegistry::FakeRegistry() {
    for (RegRoot root : {RegRoot::ClassesRoot, RegRoot::CurrentUser, RegRoot::LocalMachine,
                         RegRoot::Users, RegRoot::CurrentConfig}) {
        roots_[root] = std::make_shared<Node>();
        roots_[root]->name = std::string(RootLongName(root));
    }
}

FakeRegistry::~FakeRegistry() = default;

FakeRegistry::Node* FakeRegistry::Find(RegRoot root, std::string_view path) const {
    std::shared_ptr<Node> node = roots_.at(root);
    for (const std::string& part : SplitPath(path)) {
        node = node->Child(part);
        if (!node) return nullptr;
    }
    return node.get();
}

std::unique_ptr<RegistryKey> FakeRegistry::OpenKey(RegRoot root, std::string_view path,
                                                   RegAccess access) {
    ++openCount_;
    std::shared_ptr<Node> node = roots_.at(root);
    for (const std::string& part : SplitPath(path)) {
        node = node->Child(part);
        if (!node) return nullptr;
    }
    // A registry that refuses writing refuses opening for it, as Windows refuses a
    // normal user KEY_WRITE on HKEY_LOCAL_MACHINE.
    if (node->denied || (readOnly_ && access == RegAccess::ReadWrite)) return nullptr;
    return std::make_unique<FakeRegistryKey>(*this, node, access == RegAccess::ReadWrite);
}

std::unique_ptr<RegistryKey> FakeRegistry::CreateKey(RegRoot root, std::string_view path) {
    ++openCount_;
    std::shared_ptr<Node> node = roots_.at(root);
    for (const std::string& part : SplitPath(path)) {
        if (node->denied) return nullptr;
        std::shared_ptr<Node> child = node->Child(part);
        if (!child) {
            if (readOnly_) return nullptr;
            ++writeCount_;
            child = std::make_shared<Node>();
            child->name = part;
            node->children.push_back(child);
        }
        node = child;
    }
    if (node->denied) return nullptr;
    return std::make_unique<FakeRegistryKey>(*this, node, true);
}

bool FakeRegistry::DeleteKeyTree(RegRoot root, std::string_view path) {
    const std::vector<std::string> parts = SplitPath(path);
    if (parts.empty() || readOnly_) return false;  // a root cannot be deleted
    std::shared_ptr<Node> parent = roots_.at(root);
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        parent = parent->Child(parts[i]);
        if (!parent) return false;
    }
    auto& siblings = parent->children;
    auto it = std::find_if(siblings.begin(), siblings.end(),
                           [&](const auto& child) { return SameName(child->name, parts.back()); });
    if (it == siblings.end() || (*it)->denied) return false;
    ++writeCount_;
    (*it)->MarkDeleted();
    siblings.erase(it);
    return true;
}

void FakeRegistry::DenyAccess(RegRoot root, std::string_view path) {
    CreateKey(root, path);
    if (Node* node = Find(root, path)) node->denied = true;
}

bool FakeRegistry::KeyExists(RegRoot root, std::string_view path) const {
    return Find(root, path) != nullptr;
}

}  // namespace glmx::platform
