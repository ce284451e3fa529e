#include "shell/places/system_path.h"

#include <optional>
#include <span>

#include "shell/places/root_folders.h"

namespace glmx::shell::places {

namespace {

using platform::RegRoot;

constexpr int kNoCsidl = -1;

struct PathValue {
    std::string_view property;
    std::string_view valueName;
    int csidl;  // the shell's own lookup when the registry has nothing
};

constexpr PathValue kUserShellFolders[] = {
    {"AppData", "AppData", csidl::kAppData},
    {"Cache", "Cache", csidl::kInternetCache},
    {"Cookies", "Cookies", csidl::kCookies},
    {"DeskTop", "DeskTop", csidl::kDesktopDirectory},
    {"Favorites", "Favorites", csidl::kFavorites},
    {"Fonts", "Fonts", csidl::kFonts},
    {"History", "History", csidl::kHistory},
    {"NetHood", "NetHood", csidl::kNetHood},
    {"Personal", "Personal", csidl::kPersonal},
    {"PrintHood", "PrintHood", csidl::kPrintHood},
    {"Programs", "Programs", csidl::kPrograms},
    {"Recent", "Recent", csidl::kRecent},
    {"SendTo", "SendTo", csidl::kSendTo},
    {"StartMenu", "Start Menu", csidl::kStartMenu},
    {"StartUp", "StartUp", csidl::kStartup},
    {"Templates", "Templates", csidl::kTemplates},
    {"MyPictures", "My Pictures", csidl::kMyPictures},
    {"LocalSettings", "Local Settings", kNoCsidl},
    {"LocalAppData", "Local AppData", csidl::kLocalAppData},
    {"Content", "Content", kNoCsidl},
};

constexpr PathValue kWindowsSettings[] = {
    {"CommonFiles", "CommonFilesDir", csidl::kProgramFilesCommon},
    {"Config", "ConfigPath", kNoCsidl},
    {"Device", "DevicePath", kNoCsidl},
    {"Media", "MediaPath", kNoCsidl},
    {"OtherDevice", "OtherDevicePath", kNoCsidl},
    {"ProgramFiles", "ProgramFilesPath", csidl::kProgramFiles},
    {"SystemRoot", "SystemRoot", csidl::kWindows},
    {"WallPaper", "WallPaperDir", kNoCsidl},
};

constexpr PathValue kCommonShellFolders[] = {
    {"CommonAppData", "Common AppData", csidl::kCommonAppData},
    {"CommonDesktop", "Common Desktop", csidl::kCommonDesktopDirectory},
    {"CommonDocuments", "Common Documents", csidl::kCommonDocuments},
    {"Commonfavorites", "Common Favorites", csidl::kCommonFavorites},
    {"CommonPrograms", "Common Programs", csidl::kCommonPrograms},
    {"CommonStartmenu", "Common Start Menu", csidl::kCommonStartMenu},
    {"CommonStartup", "Common Startup", csidl::kCommonStartup},
    {"CommonTemplates", "Common Templates", csidl::kCommonTemplates},
    {"CommonMusic", "CommonMusic", csidl::kCommonMusic},
    {"CommonPictures", "CommonPictures", csidl::kCommonPictures},
    {"CommonVideo", "CommonVideo", csidl::kCommonVideo},
};

struct PathKey {
    RegRoot root;
    std::string_view path;
    std::span<const PathValue> values;
};

const PathKey kKeys[] = {
    {RegRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
     kUserShellFolders},
    {RegRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", kWindowsSettings},
    {RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
     kCommonShellFolders},
};

constexpr std::string_view kComponentVersion = "5.00.00.00";

// The text of a string value; nullopt for a missing value or one of another type.
std::optional<std::string> StringValue(const platform::RegistryKey* key, std::string_view name) {
    if (!key) return std::nullopt;
    const std::optional<platform::RegData> data = key->QueryValue(name);
    if (!data ||
        (data->type != platform::RegType::String && data->type != platform::RegType::ExpandString))
        return std::nullopt;
    return platform::DecodeStringData(*data);
}

}  // namespace

TPBSystemPath::TPBSystemPath(platform::Registry& registry, const platform::SystemFolders& folders)
    : registry_(registry), folders_(folders) {
    ReadPaths();
}

std::string TPBSystemPath::PathOf(std::string_view property) const {
    const auto found = paths_.find(property);
    return found == paths_.end() ? std::string() : found->second;
}

void TPBSystemPath::SetIncludeBackSlash(bool include) {
    if (include == includeBackSlash_) return;
    includeBackSlash_ = include;
    ReadPaths();
}

void TPBSystemPath::ReadPaths() {
    paths_.clear();
    paths_["Windows"] = AddBackSlash(folders_.WindowsDirectory());
    paths_["System"] = AddBackSlash(folders_.SystemDirectory());
    paths_["Temp"] = AddBackSlash(folders_.TempPath());
    for (const PathKey& source : kKeys) {
        // Reading only: a normal user may not write these keys, and must not create them.
        const auto key = registry_.OpenKey(source.root, source.path, platform::RegAccess::Read);
        for (const PathValue& value : source.values) {
            std::string path =
                ExpandEnvironmentPart(StringValue(key.get(), value.valueName).value_or(""));
            if (path.empty() && value.csidl != kNoCsidl)
                path = AddBackSlash(folders_.ShellFolderPath(value.csidl));
            paths_[std::string(value.property)] = std::move(path);
        }
    }
    paths_["ComponentVersion"] = std::string(kComponentVersion);
}

std::string TPBSystemPath::ExpandEnvironmentPart(std::string_view text) const {
    // Every reference is expanded, not only the last pair: a value such as
    // "%SystemDrive%\%UserName%" must give a path that exists.
    std::string expanded;
    size_t position = 0;
    for (;;) {
        const size_t open = text.find('%', position);
        const size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) {
            expanded += text.substr(position);  // an unpaired "%" stays as it is
            break;
        }
        expanded += text.substr(position, open - position);
        const std::string_view name = text.substr(open + 1, close - open - 1);
        if (const std::optional<std::string> value =
                name.empty() ? std::nullopt : folders_.EnvironmentVariable(name))
            expanded += *value;
        else
            expanded += text.substr(open, close - open + 1);
        position = close + 1;
    }
    return AddBackSlash(expanded);
}

std::string TPBSystemPath::AddBackSlash(std::string_view text) const {
    std::string result(text);
    if (includeBackSlash_ && !result.empty() && result.back() != '\\') result += '\\';
    return result;
}

}  // namespace glmx::shell::places
