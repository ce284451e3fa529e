#include "shell/places/places_menu.h"

namespace glmx::shell::places {

namespace {

using K = PlaceRoot::Kind;

constexpr PlaceEntry kEntries[] = {
    {"ApplicationDataAllUsers1", "Application Data (All Users)", {K::SystemPath, "CommonAppData"}},
    {"ApplicationDataCurrentUser1",
     "Application Data (Current User)",
     {K::Identifier, "rfAppData"}},
    {"ControlPanel1", "Control Panel", {K::Identifier, "rfControlPanel"}},
    {"DesktopAllUsers1", "Desktop (All Users)", {K::SystemPath, "CommonDesktop"}},
    {"DesktopCurrentUsers1", "Desktop (Current User)", {K::Identifier, "rfDesktop"}},
    {"Favorites1", "Favorites", {K::SystemPath, "Favorites"}},
    {"Fonts1", "Fonts", {K::Identifier, "rfFonts"}},
    {"Internet1", "Internet", {K::Identifier, "rfInternet"}},
    {"ItemsinSendToMenu1", "Items in Send To Menu", {K::Identifier, "rfSendTo"}},
    {"MyDocumentsAllUsers1", "My Documents (All Users)", {K::SystemPath, "CommonDocuments"}},
    {"Printers1", "Printers", {K::Identifier, "rfPrinters"}},
    {"PrinterDocuments1", "Printer Documents", {K::Identifier, "rfPrintHood"}},
    {"ProgramFiles1", "Program Files", {K::Identifier, "rfProgramFiles"}},
    {"ProgramFilesCommonComponents1",
     "Program Files (Common Components)",
     {K::Identifier, "rfProgramFilesCommon"}},
    {"RecentDocuments1", "Recent Documents", {K::Identifier, "rfRecent"}},
    {"StartMenuAllUsers1", "Start Menu (All Users)", {K::Identifier, "rfCommonStartMenu"}},
    {"StartMenuCurrentUsers1", "Start Menu (Current Users)", {K::Identifier, "rfStartMenu"}},
    {"SystemFolder1", "System Folder", {K::SystemPath, "System"}},
    {"Templates1", "Templates", {K::Identifier, "rfTemplates"}},
};

}  // namespace

std::span<const PlaceEntry> PlacesMenuEntries() { return kEntries; }

std::string ResolveRoot(const PlaceRoot& root, const SpecialFolderPaths& paths) {
    if (root.kind == PlaceRoot::Kind::Identifier) return std::string(root.name);
    return paths.PathOf(root.name);
}

}  // namespace glmx::shell::places
