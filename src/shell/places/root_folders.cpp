#include "shell/places/root_folders.h"

#include <utility>

namespace glmx::shell::places {

namespace {

constexpr std::pair<std::string_view, int> kRoots[] = {
    {"rfDesktop", csidl::kDesktop},
    {"rfPersonal", csidl::kPersonal},
    {"rfRecycleBin", csidl::kBitBucket},
    {"rfAppData", csidl::kAppData},
    {"rfControlPanel", csidl::kControls},
    {"rfFonts", csidl::kFonts},
    {"rfInternet", csidl::kInternet},
    {"rfSendTo", csidl::kSendTo},
    {"rfPrinters", csidl::kPrinters},
    {"rfPrintHood", csidl::kPrintHood},
    {"rfPrograms", csidl::kPrograms},
    {"rfCommonPrograms", csidl::kCommonPrograms},
    {"rfRecent", csidl::kRecent},
    {"rfCommonStartMenu", csidl::kCommonStartMenu},
    {"rfStartMenu", csidl::kStartMenu},
    {"rfTemplates", csidl::kTemplates},
    {"rfProgramFiles", csidl::kProgramFiles},
    {"rfProgramFilesCommon", csidl::kProgramFilesCommon},
};

}  // namespace

std::optional<int> CsidlOfRoot(std::string_view root) {
    for (const auto& [identifier, number] : kRoots)
        if (identifier == root) return number;
    return std::nullopt;
}

}  // namespace glmx::shell::places
