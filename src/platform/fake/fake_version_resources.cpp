#include "platform/fake/fake_version_resources.h"

#include <cstdio>
#include <stdexcept>
#include <utility>

#include "platform/text.h"

namespace glmx::platform {

namespace {

// Eight upper-case hex digits, language then code page: the name Windows gives a string table.
std::string TableName(std::uint32_t translation) {
    char name[9] = {};
    std::snprintf(name, sizeof name, "%04X%04X", static_cast<unsigned>(translation & 0xFFFF),
                  static_cast<unsigned>(translation >> 16));
    return name;
}

}  // namespace

struct FakeVersionResources::File {
    std::optional<FixedFileInfo> fixed;
    std::vector<std::uint32_t> translations;
    struct Entry {
        std::string table;  // "040904B0"
        std::string key;
        std::string value;
    };
    std::vector<Entry> strings;

    // The entry's index in strings, or strings.size() when there is none.
    size_t Find(std::string_view table, std::string_view key) const {
        size_t index = 0;
        while (index < strings.size() && !(EqualsIgnoringAsciiCase(strings[index].table, table) &&
                                           EqualsIgnoringAsciiCase(strings[index].key, key)))
            ++index;
        return index;
    }
};

namespace {

class FakeVersionResource final : public VersionResource {
public:
    FakeVersionResource(FakeVersionResources::File file,
                        std::shared_ptr<std::vector<std::string>> queries)
        : file_(std::move(file)), queries_(std::move(queries)) {}

    std::optional<FixedFileInfo> Fixed() const override { return file_.fixed; }
    std::vector<std::uint32_t> Translations() const override { return file_.translations; }

    std::optional<std::string> Query(std::string_view subBlock) const override {
        queries_->emplace_back(subBlock);
        // "\StringFileInfo\<table>\<key>": nothing else names a string.
        constexpr std::string_view kPrefix = "\\StringFileInfo\\";
        if (subBlock.size() < kPrefix.size() ||
            !EqualsIgnoringAsciiCase(subBlock.substr(0, kPrefix.size()), kPrefix))
            return std::nullopt;
        const std::string_view rest = subBlock.substr(kPrefix.size());
        const size_t separator = rest.find('\\');
        if (separator == std::string_view::npos) return std::nullopt;
        const std::string_view key = rest.substr(separator + 1);
        if (key.empty() || key.find('\\') != std::string_view::npos) return std::nullopt;
        const size_t index = file_.Find(rest.substr(0, separator), key);
        if (index == file_.strings.size()) return std::nullopt;
        return file_.strings[index].value;
    }

private:
    FakeVersionResources::File file_;
    std::shared_ptr<std::vector<std::string>> queries_;
};

}  // namespace

FakeVersionResources::FakeVersionResources()
    : queries_(std::make_shared<std::vector<std::string>>()) {}

FakeVersionResources::~FakeVersionResources() = default;

void FakeVersionResources::AddFile(const std::string& path, std::optional<FixedFileInfo> fixed) {
    auto file = std::make_shared<File>();
    file->fixed = fixed;
    files_[AsciiUpper(path)] = std::move(file);
}

void FakeVersionResources::AddTranslation(const std::string& path, std::uint32_t translation) {
    Existing(path).translations.push_back(translation);
}

void FakeVersionResources::SetString(const std::string& path, std::uint32_t translation,
                                     std::string_view key, std::string_view value) {
    File& file = Existing(path);
    const std::string table = TableName(translation);
    const size_t index = file.Find(table, key);
    if (index < file.strings.size())
        file.strings[index].value = value;
    else
        file.strings.push_back({table, std::string(key), std::string(value)});
}

std::unique_ptr<VersionResource> FakeVersionResources::Read(const std::string& path) const {
    const auto it = files_.find(AsciiUpper(path));
    if (it == files_.end()) return nullptr;
    return std::make_unique<FakeVersionResource>(*it->second, queries_);
}

FakeVersionResources::File& FakeVersionResources::Existing(const std::string& path) {
    const auto it = files_.find(AsciiUpper(path));
    // A test that sets strings on a file it never added is itself wrong.
    if (it == files_.end()) throw std::logic_error("FakeVersionResources: no file " + path);
    return *it->second;
}

}  // namespace glmx::platform
