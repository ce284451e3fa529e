#include "fileinfo/version_info.h"

#include <array>

#include "platform/text.h"

namespace glmx::fileinfo {

namespace {

// The string table entries the list shows, in its order. "FileType" is rarely in
// a table, but the list keeps its place. Tables spell some keys differently
// ("OriginalFilename"); the lookup ignores case.
constexpr std::array<std::string_view, 13> kStringKeys = {
    "FileVersion",     "ProductVersion", "FileType",       "Comments",        "CompanyName",
    "FileDescription", "InternalName",   "LegalCopyright", "LegalTradeMarks", "OriginalFileName",
    "PrivateBuild",    "ProductName",    "SpecialBuild",
};

// "5.1.2600.2180" from the two 32-bit halves of a fixed-part version.
std::string VersionText(std::uint32_t mostSignificant, std::uint32_t leastSignificant) {
    return std::to_string(mostSignificant >> 16) + "." + std::to_string(mostSignificant & 0xFFFF) +
           "." + std::to_string(leastSignificant >> 16) + "." +
           std::to_string(leastSignificant & 0xFFFF);
}

// Four upper-case hex digits, as string table names are written.
std::string HexWord(std::uint32_t word) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string text(4, '0');
    for (int i = 3; i >= 0; --i, word >>= 4) text[static_cast<size_t>(i)] = kDigits[word & 0xF];
    return text;
}

std::string Line(std::string_view key, std::string_view value) {
    std::string line(key);
    line += ' ';
    line += value;
    return line;
}

}  // namespace

std::string_view OperatingSystemName(std::uint32_t fileOS) {
    switch (fileOS) {
        case 0x10000:
            return "MS-DOS";
        case 0x10001:
            return "Windows 3.xx with MS-DOS";
        case 0x10004:
            return "32-bit Windows with MS-DOS";
        case 0x20000:
            return "16-bit OS/2";
        case 0x20002:
            return "16-bit OS/2 with Presentation Manager";
        case 0x30000:
            return "32-bit OS/2";
        case 0x30003:
            return "32-bit OS/2 with Presentation Manager";
        case 0x40000:
            return "Windows NT";
        case 0x40004:
            return "Windows NT with 32 bit Windows";
        case 1:
            return "Windows 3.xx";
        case 2:
            return "16-bit OS/2 Presentation Manager";
        case 3:
            return "32-bit OS/2 Presentation Manager";
        case 4:
            return "32-bit Windows";
        default:
            return "Unknown";
    }
}

std::string_view FileTypeName(std::uint32_t fileType) {
    switch (fileType) {
        case 1:
            return "Application";
        case 2:
            return "Dynamic-Link Library";
        case 3:
            return "Device Driver";
        case 4:
            return "Font";
        case 5:
            return "Virtual Device Driver";
        case 7:
            return "Static-Link Library";
        default:
            return "Unknown";
    }
}

std::vector<std::string> GetVersionInfoList(const platform::VersionResources& resources,
                                            const std::string& path) {
    std::vector<std::string> list;
    const std::unique_ptr<platform::VersionResource> resource = resources.Read(path);
    if (!resource) return list;
    const std::optional<platform::FixedFileInfo> fixed = resource->Fixed();
    if (!fixed) return list;

    list.push_back(
        Line("InternalFileVersion", VersionText(fixed->fileVersionMS, fixed->fileVersionLS)));
    list.push_back(Line("InternalProductVersion",
                        VersionText(fixed->productVersionMS, fixed->productVersionLS)));
    list.push_back(Line("OperatingSystem", OperatingSystemName(fixed->fileOS)));
    list.push_back(Line("FileType", FileTypeName(fixed->fileType)));

    const std::vector<std::uint32_t> translations = resource->Translations();
    if (translations.empty()) return list;
    // Files with several translations are read in their first language only.
    const std::uint32_t translation = translations.front();
    const std::string table =
        "\\StringFileInfo\\" + HexWord(translation & 0xFFFF) + HexWord(translation >> 16) + "\\";
    for (std::string_view key : kStringKeys) {
        const std::optional<std::string> value = resource->Query(table + std::string(key));
        list.push_back(Line(key, value ? platform::TrimSpacesAndControls(*value) : ""));
    }
    return list;
}

std::string GetVersionInfoValue(const std::vector<std::string>& list, std::string_view key) {
    for (std::string_view line : list) {
        const size_t blank = line.find(' ');
        const std::string_view name = line.substr(0, blank);
        if (platform::EqualsIgnoringAsciiCase(name, key))
            return blank == std::string_view::npos ? std::string()
                                                   : std::string(line.substr(blank + 1));
    }
    return {};
}

}  // namespace glmx::fileinfo
