#include "info/offline_information.h"

#include <utility>

#include "fileinfo/version_info.h"
#include "hardware/hardware_tree.h"
#include "platform/text.h"

namespace glmx::info {

namespace {

std::string Join(std::string_view a, std::string_view b, std::string_view c = {}) {
    std::string joined(a);
    joined += b;
    joined += c;
    return joined;
}

// Only web addresses are links: a value such as "httpd.exe" is a program name, and
// handing it to the shell would start whatever of that name the search path holds.
// The scheme is matched exactly, in lower case, as the cache and uninstall entries
// have always been read.
bool IsWebAddress(std::string_view text) {
    for (const std::string_view scheme :
         {std::string_view("http://"), std::string_view("https://")})
        if (text.size() > scheme.size() && text.starts_with(scheme)) return true;
    return false;
}

// A link must stay one run: a line break would split it into several links and shift
// the numbers of every link after it. CR LF, CR and LF each become one blank.
std::string OnOneLine(std::string_view text) {
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        line += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    return line;
}

}  // namespace

std::string AfterLastSeparator(std::string_view text) {
    const size_t last = text.find_last_of("\\:");
    return std::string(last == std::string_view::npos ? text : text.substr(last + 1));
}

OfflineInformationBuilder::OfflineInformationBuilder(
    StyledTextView& view, settings::ComboBoxItems& searchField, inventory::StatusLine& status,
    TLinkedInformationBuffer& links, const platform::VersionResources& versions,
    const InstalledProgramDetails& installedDetails,
    std::function<void(const std::string&)> openInBrowser)
    : view_(view),
      searchField_(searchField),
      status_(status),
      links_(links),
      versions_(versions),
      installedDetails_(installedDetails),
      openInBrowser_(std::move(openInBrowser)) {}

void OfflineInformationBuilder::AddSearchLink(std::string_view text) {
    if (text.empty()) {
        searchField_.ClearItems();
        return;
    }
    searchField_.AddItem(text);
    if (searchField_.ItemCount() == 1) searchField_.SelectItem(0);
}

void OfflineInformationBuilder::CommonStart(std::optional<std::pair<int, PictureList>> picture) {
    view_.Clear();
    view_.AddLine(" ", stLabel);
    view_.AddLine(kOfflineHint, stNormal);
    view_.AddLine(" ", stSpacer);
    AddSearchLink("");
    if (picture) {
        view_.AddPicture(picture->first, picture->second);
        view_.AddLine(" ", stSpacer);
    }
}

void OfflineInformationBuilder::Finish(std::optional<std::string_view> statusText) {
    view_.Format();
    view_.Repaint();
    if (statusText) status_.SetStatusText(*statusText);
}

void OfflineInformationBuilder::Field(std::string_view label, std::string_view value,
                                      TextStyle valueStyle, std::string_view labelEnd,
                                      std::string_view linkPrefix) {
    if (value.empty()) return;
    view_.AddLine(Join(label, labelEnd), stLabel);
    view_.Append(value, valueStyle);
    AddSearchLink(Join(linkPrefix, label, Join(": ", value)));
}

void OfflineInformationBuilder::MultiLineField(std::string_view label, std::string_view value,
                                               std::string_view labelEnd) {
    view_.AddLine(Join(label, labelEnd), stLabel);
    view_.AppendText(value, stNormal);
    AddSearchLink(Join("by ", label, Join(": ", value)));
}

void OfflineInformationBuilder::VersionLines(const std::string& path) {
    WriteVersionLines(fileinfo::GetVersionInfoList(versions_, path));
}

void OfflineInformationBuilder::WriteVersionLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const size_t blank = line.find(' ');
        const std::string_view key = blank == std::string::npos
                                         ? std::string_view()
                                         : std::string_view(line).substr(0, blank);
        const std::string_view value = blank == std::string::npos
                                           ? std::string_view(line)
                                           : std::string_view(line).substr(blank + 1);
        if (value.empty() || value == std::string_view("\0", 1)) continue;
        MultiLineField(key, value);
    }
}

void OfflineInformationBuilder::ShowShellItemInfo(const ShellItemInfo& item,
                                                  const std::vector<std::string>& columnCaptions) {
    view_.BringToFront();
    CommonStart(std::nullopt);
    Field("Name", item.displayName, stNormal);
    Field("Full Name", AfterLastSeparator(item.pathName), stNormal);
    // A path name with a folder part: a file-system item.
    if (item.pathName.find_last_of("\\:") != std::string::npos)
        Field("Path", item.pathName, stNormal);
    VersionLines(item.pathName);
    // Detail column 0 is the name, written above.
    for (size_t column = 1; column < item.detailTexts.size() && column < columnCaptions.size();
         ++column)
        Field(columnCaptions[column], item.detailTexts[column], stNormal);
    Finish(item.displayName);
}

void OfflineInformationBuilder::ShowProgramInfo(const inventory::RunningProgramInfo& record,
                                                int image) {
    view_.BringToFront();
    CommonStart(std::pair{image, PictureList::BigSystemImages});
    Field("Program Name", AfterLastSeparator(record.ProgramName), stTitle);
    Field("File Name", AfterLastSeparator(record.FileName), stNormal);
    Field("Company Name", AfterLastSeparator(record.CompanyName), stNormal);
    Field("Version", AfterLastSeparator(record.Version), stNormal);
    Field("Copyright", AfterLastSeparator(record.Copyright), stNormal);
    Field("File Description", AfterLastSeparator(record.FileDescription), stNormal);
    Field("File Version", AfterLastSeparator(record.FileVersion), stNormal);
    Field("Original Filename", AfterLastSeparator(record.OriginalFilename), stNormal);
    Field("Internalname", AfterLastSeparator(record.InternalName), stNormal);
    Finish(std::nullopt);
}

void OfflineInformationBuilder::ShowAutoStartInfo(const inventory::TAutoStartProgramInfo& record,
                                                  int image) {
    view_.BringToFront();
    CommonStart(std::pair{image, PictureList::BigSystemImages});
    Field("Program Name", record.Name, stTitle, ": ", "");
    Field("Command", record.Command, stNormal, ": ", "");
    Field("Autostart type", record.StartType, stNormal, ": ", "");
    Field("Status", record.Disabled ? "Disabled" : "Enabled", stNormal, ": ", "");
    Field("Location", record.Location, stNormal, ": ", "");
    Finish(std::nullopt);
}

void OfflineInformationBuilder::ShowInstalledProgramInfo(
    const inventory::InstalledProgramInfo& record, int image) {
    view_.BringToFront();
    links_.LinkTargets.clear();
    CommonStart(std::pair{image, PictureList::BigSystemImages});
    Field("Program Name", record.DisplayName, stTitle);
    Field("Uninstall String", record.UninstallString, stNormal);
    const ArpCacheInfo cache = installedDetails_.CacheInfo(record);
    Field("Size", cache.sizeText, stNormal);
    Field("Last used", cache.lastUsedText, stNormal);
    Field("Used", cache.usageText, stNormal);
    Field("Tracked Name", cache.trackedName, stNormal);
    for (const TProgramInfoCacheType& value : installedDetails_.UninstallValues(record)) {
        if (value.Value.empty()) continue;
        view_.AddLine(value.Name + ":  ", stLabel);
        if (IsWebAddress(value.Value)) {
            std::string address = OnOneLine(value.Value);
            view_.Append(address, stLink);
            links_.LinkTargets.push_back(std::move(address));
        } else {
            view_.Append(value.Value, stNormal);
        }
        AddSearchLink("by " + value.Name + ": " + value.Value);
    }
    Finish(std::nullopt);
}

void OfflineInformationBuilder::ShowRegistryKeyInfo(const RegistryNodeInfo& key) {
    view_.BringToFront();
    CommonStart(std::nullopt);
    Field("Key Name", key.text, stNormal);
    Field("Key Path", key.path, stNormal);
    Finish(std::nullopt);
}

void OfflineInformationBuilder::ShowRegistryValueInfo(const RegistryNodeInfo& key,
                                                      const RegistryValueRow& value) {
    view_.BringToFront();
    CommonStart(std::nullopt);
    Field("Value Name", value.name, stNormal);
    Field("Value Path", key.path + "\\" + value.name, stNormal);
    Field("Key Name", key.text, stNormal);
    Field("Path Name", key.path, stNormal);
    Field("Type", value.typeText, stNormal);
    Field("Value", value.dataText, stNormal);
    Finish(std::nullopt);
}

void OfflineInformationBuilder::ShowFoundFileInfo(const std::string& path) {
    view_.BringToFront();
    CommonStart(std::nullopt);
    MultiLineField("Name", AfterLastSeparator(path));
    MultiLineField("Path", path);
    VersionLines(path);
    Finish(path);
}

void OfflineInformationBuilder::ShowDeviceInfo(const HardwareNodeInfo& node) {
    view_.BringToFront();
    CommonStart(std::pair{node.imageIndex, PictureList::Devices});
    if (node.level <= 1) {
        MultiLineField("Device Type", node.text, ": ");
    } else {
        const hardware::TAdvancedInfo& device = node.device;
        view_.AddLine("Device Name:  ", stLabel);
        view_.Append(node.text, stTitle);
        AddSearchLink("by Device Name: " + node.text);
        AddSearchLink("by Device : " + node.text);
        MultiLineField("Device Type", node.parentText, ": ");
        MultiLineField("Manufacturer", device.Manufacturer, ": ");
        MultiLineField("Location", device.Location, ": ");
        MultiLineField("Hardware ID", device.HardwareId, ": ");
        if (device.ProblemCode) {
            const std::string code = "Problem code " + std::to_string(*device.ProblemCode);
            const std::string_view meaning = hardware::ProblemMeaning(*device.ProblemCode);
            if (meaning.empty())
                view_.AddLine(code, stLabel);
            else
                MultiLineField(code, meaning, ": ");
        }
        view_.AddLine(" ", stSpacer);
        MultiLineField("Driver Provider", device.DriverProvider, ": ");
        MultiLineField("Driver Date", device.DriverDate, ": ");
        MultiLineField("Driver Version", device.DriverVersion, ": ");
        MultiLineField("Driver Description", device.DriverDescription, ": ");
    }
    Finish(node.text);
}

void OfflineInformationBuilder::ShowEmptyInfo() {
    view_.Clear();
    view_.AddLine(" ", stLabel);
    view_.AddLine(kOfflineHint, stNormal);
    view_.Format();
    view_.Repaint();
    status_.SetStatusText("");
}

void OfflineInformationBuilder::Jump(int linkNumber) {
    if (linkNumber < 0 || static_cast<size_t>(linkNumber) >= links_.LinkTargets.size()) return;
    const std::string& target = links_.LinkTargets[static_cast<size_t>(linkNumber)];
    if (IsWebAddress(target) && openInBrowser_) openInBrowser_(target);
}

}  // namespace glmx::info
