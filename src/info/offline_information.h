// The offline information: for the selected item, a styled text of what the
// machine itself knows, with one "by" search term per field in the Search field.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hardware/advanced_info.h"
#include "info/arp_cache.h"
#include "info/styled_text_view.h"
#include "inventory/auto_start_record.h"
#include "inventory/installed_program_record.h"
#include "inventory/program_list.h"
#include "inventory/running_programs.h"
#include "platform/version_resources.h"
#include "settings/history.h"

namespace glmx::info {

inline constexpr std::string_view kOfflineHint =
    "\r\rTo find information about the selected item on the Internet,use the Search field and "
    "the Go button above.\r\r";

// The link targets of the current text, link n at position n.
class TLinkedInformationBuffer {
public:
    std::vector<std::string> LinkTargets;
};

// A shell item: its name within its folder, its parsing name (a full path for
// file-system items) and the texts of the shell's detail columns.
struct ShellItemInfo {
    std::string displayName;
    std::string pathName;
    std::vector<std::string> detailTexts;
};

struct RegistryNodeInfo {
    std::string text;  // the key's name
    std::string path;  // the key's full path
};

struct RegistryValueRow {
    std::string name;
    std::string typeText;
    std::string dataText;
};

struct HardwareNodeInfo {
    std::string text;
    std::string parentText;
    int level = 0;  // 0 the root, 1 a device class, 2 and more a device
    int imageIndex = 0;
    hardware::TAdvancedInfo device;  // the node's own entry
};

// What the installed-program text reads besides the record, in the place (hive and
// registry view) the record came from.
class InstalledProgramDetails {
public:
    virtual ~InstalledProgramDetails() = default;
    virtual ArpCacheInfo CacheInfo(const inventory::InstalledProgramInfo& record) const = 0;
    virtual TProgramInfoCache UninstallValues(
        const inventory::InstalledProgramInfo& record) const = 0;
};

class OfflineInformationBuilder {
public:
    OfflineInformationBuilder(StyledTextView& view, settings::ComboBoxItems& searchField,
                              inventory::StatusLine& status, TLinkedInformationBuffer& links,
                              const platform::VersionResources& versions,
                              const InstalledProgramDetails& installedDetails,
                              std::function<void(const std::string&)> openInBrowser);

    void ShowShellItemInfo(const ShellItemInfo& item,
                           const std::vector<std::string>& columnCaptions);
    void ShowProgramInfo(const inventory::RunningProgramInfo& record, int image);
    void ShowAutoStartInfo(const inventory::TAutoStartProgramInfo& record, int image);
    void ShowInstalledProgramInfo(const inventory::InstalledProgramInfo& record, int image);
    void ShowRegistryKeyInfo(const RegistryNodeInfo& key);
    void ShowRegistryValueInfo(const RegistryNodeInfo& key, const RegistryValueRow& value);
    void ShowFoundFileInfo(const std::string& path);
    void ShowDeviceInfo(const HardwareNodeInfo& node);
    void ShowEmptyInfo();

    // A link of the current text was clicked: http and https addresses open in the browser,
    // nothing else does.
    void Jump(int linkNumber);
    // Adds a search term; the first of a text stands in the field. "" empties the list.
    void AddSearchLink(std::string_view text);

private:
    void CommonStart(std::optional<std::pair<int, PictureList>> picture);
    void Finish(std::optional<std::string_view> statusText);
    // label + separator in the label style, the value after it, and its search term.
    void Field(std::string_view label, std::string_view value, TextStyle valueStyle,
               std::string_view labelEnd = ":  ", std::string_view linkPrefix = "by ");
    void MultiLineField(std::string_view label, std::string_view value,
                        std::string_view labelEnd = ":  ");
    void VersionLines(const std::string& path);

public:
    // Writes version-information lines, each split at its first blank into key and value;
    // a line without a blank has an empty key and is all value.
    void WriteVersionLines(const std::vector<std::string>& lines);

private:
    StyledTextView& view_;
    settings::ComboBoxItems& searchField_;
    inventory::StatusLine& status_;
    TLinkedInformationBuffer& links_;
    const platform::VersionResources& versions_;
    const InstalledProgramDetails& installedDetails_;
    std::function<void(const std::string&)> openInBrowser_;
};

// The part of a text after its last backslash or colon; the whole text without either.
std::string AfterLastSeparator(std::string_view text);

}  // namespace glmx::info
