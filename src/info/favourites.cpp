#include "info/favourites.h"

#include "platform/text.h"

namespace glmx::info {

namespace {

bool IsInternetShortcut(std::string_view name) {
    return name.size() > 4 &&
           platform::EqualsIgnoringAsciiCase(name.substr(name.size() - 4), ".url");
}

void CollectInto(platform::DirectoryListing& listing, const std::string& folder, int depthLeft,
                 std::vector<FavouriteEntry>& entries) {
    std::vector<platform::DirectoryEntry> listed;
    listing.List(folder, [&](const platform::DirectoryEntry& entry) {
        listed.push_back(entry);
        return true;
    });
    for (const platform::DirectoryEntry& entry : listed) {
        if (entry.isDirectory) {
            if (entry.isHiddenOrSystem || entry.isLink || depthLeft <= 1) continue;
            FavouriteEntry sub{entry.name, folder + entry.name, true, {}};
            CollectInto(listing, sub.path + "\\", depthLeft - 1, sub.children);
            entries.push_back(std::move(sub));
        } else if (IsInternetShortcut(entry.name)) {
            entries.push_back({FavouriteCaption(entry.name), folder + entry.name, false, {}});
        }
    }
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string ShortcutText(std::string_view bytes, const platform::TextFiles& files) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return std::string(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE")) {
        std::u16string wide;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            wide += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8);
        return platform::Utf16ToUtf8(wide);
    }
    return files.AnsiToUtf8(bytes);
}

}  // namespace

std::vector<FavouriteEntry> CollectFavourites(platform::DirectoryListing& listing,
                                              const std::string& folder, int maxDepth) {
    std::vector<FavouriteEntry> entries;
    CollectInto(listing, folder, maxDepth, entries);
    return entries;
}

std::string FavouriteCaption(std::string_view fileName) {
    // Cut before the first place the extension occurs, as the menu has always shown it.
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return std::string(fileName);
    return std::string(fileName.substr(0, fileName.find(fileName.substr(dot))));
}

std::string InternetShortcutUrl(std::string_view bytes, const platform::TextFiles& files) {
    const std::string text = ShortcutText(bytes, files);
    bool inSection = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string_view line = TrimBlanks(std::string_view(text).substr(start, end - start));
        start = end + 1;
        if (line.starts_with('[')) {
            const size_t close = line.find(']');
            inSection = close != std::string_view::npos &&
                        platform::EqualsIgnoringAsciiCase(TrimBlanks(line.substr(1, close - 1)),
                                                          "InternetShortcut");
            continue;
        }
        const size_t equals = line.find('=');
        if (inSection && equals != std::string_view::npos &&
            platform::EqualsIgnoringAsciiCase(TrimBlanks(line.substr(0, equals)), "URL"))
            return std::string(TrimBlanks(line.substr(equals + 1)));
    }
    return {};
}

}  // namespace glmx::info
