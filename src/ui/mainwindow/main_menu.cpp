#include "ui/mainwindow/main_menu.h"

#include "platform/win32/wide.h"
#include "shell/places/places_menu.h"
#include "ui/mainwindow/commands.h"
#include "ui/mainwindow/view_catalogue.h"

namespace glmx::ui {

using platform::win32::UniqueMenu;
using platform::win32::Wide;

namespace {

void Append(HMENU menu, int command, const wchar_t* caption) {
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command), caption);
}

void AppendSeparator(HMENU menu) { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); }

// Hands the sub-menu to the parent, which destroys it with itself.
void AppendPopup(HMENU menu, UniqueMenu subMenu, const wchar_t* caption) {
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(subMenu.release()), caption);
}

UniqueMenu BuildFileMenu() {
    UniqueMenu file(CreatePopupMenu());
    Append(file.get(), cmdFileSearch, L"&Search");
    Append(file.get(), cmdOpenInternetAddress, L"&Open Internet Address...");
    Append(file.get(), cmdSaveList, L"Save &List...\tCtrl+S");
    UniqueMenu webPage(CreatePopupMenu());
    Append(webPage.get(), cmdWebSaveAs, L"Save &as...");
    Append(webPage.get(), cmdWebPageSetup, L"Page Set&up...");
    Append(webPage.get(), cmdWebPrint, L"&Print...");
    Append(webPage.get(), cmdWebPrintPreview, L"Print Pre&view...");
    Append(webPage.get(), cmdWebProperties, L"P&roperties");
    AppendPopup(file.get(), std::move(webPage), L"&Web Page");
    AppendSeparator(file.get());
    Append(file.get(), cmdConfiguration, L"&Configuration...");
    AppendSeparator(file.get());
    Append(file.get(), cmdClose, L"C&lose");
    return file;
}

UniqueMenu BuildViewMenu() {
    UniqueMenu view(CreatePopupMenu());
    for (const ToolbarSlot& slot : ToolbarSlots()) {
        if (slot.separator) {
            AppendSeparator(view.get());
            continue;
        }
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.fType = MFT_RADIOCHECK;
        item.wID = static_cast<UINT>(ViewCommand(slot.view));
        std::wstring caption = Wide(InfoOf(slot.view).viewMenuCaption);
        item.dwTypeData = caption.data();
        InsertMenuItemW(view.get(), GetMenuItemCount(view.get()), TRUE, &item);
    }
    AppendSeparator(view.get());
    Append(view.get(), cmdRefreshView, L"&Refresh\tF5");
    Append(view.get(), cmdSearchSite, L"Search Site...");
    return view;
}

UniqueMenu BuildFavouritesMenu() {
    UniqueMenu favourites(CreatePopupMenu());
    Append(favourites.get(), cmdAddToFavorites, L"&Add to favorites...");
    Append(favourites.get(), cmdOrganizeFavorites, L"&Organize favorites...");
    AppendSeparator(favourites.get());
    return favourites;
}

UniqueMenu BuildHelpMenu() {
    UniqueMenu help(CreatePopupMenu());
    Append(help.get(), cmdHelpTopics, L"&Help Topics\tF1");
    AppendSeparator(help.get());
    Append(help.get(), cmdAbout, L"&About");
    return help;
}

UniqueMenu BuildPlacesMenu() {
    UniqueMenu places(CreatePopupMenu());
    int command = cmdPlaceFirst;
    for (const auto& entry : shell::places::PlacesMenuEntries())
        Append(places.get(), command++, Wide(entry.caption).c_str());
    return places;
}

// Finds the sub-menu holding the view entries.
HMENU ViewMenuOf(HMENU menuBar) { return GetSubMenu(menuBar, 1); }

}  // namespace

MainMenus BuildMainMenus() {
    MainMenus menus;
    menus.menuBar.reset(CreateMenu());
    AppendPopup(menus.menuBar.get(), BuildFileMenu(), L"&File");
    AppendPopup(menus.menuBar.get(), BuildViewMenu(), L"&View");
    AppendPopup(menus.menuBar.get(), BuildFavouritesMenu(), L"F&avourites");
    AppendPopup(menus.menuBar.get(), BuildHelpMenu(), L"&Help");
    menus.webHistoryBack.reset(CreatePopupMenu());
    menus.webHistoryForward.reset(CreatePopupMenu());
    menus.searchSites.reset(CreatePopupMenu());
    menus.places = BuildPlacesMenu();
    return menus;
}

void CheckViewEntry(HMENU menuBar, ViewKind view) {
    // The entries are radio items (a bullet when checked); checking one clears the others.
    for (const ViewInfo& info : AllViews())
        CheckMenuItem(ViewMenuOf(menuBar), ViewCommand(info.kind),
                      MF_BYCOMMAND | (info.kind == view ? MF_CHECKED : MF_UNCHECKED));
}

std::vector<ViewKind> CheckedViewEntries(HMENU menuBar) {
    std::vector<ViewKind> checked;
    for (const ViewInfo& info : AllViews())
        if (GetMenuState(ViewMenuOf(menuBar), ViewCommand(info.kind), MF_BYCOMMAND) & MF_CHECKED)
            checked.push_back(info.kind);
    return checked;
}

UniqueMenu BuildOverflowMenu(const std::vector<bool>& shown) {
    UniqueMenu overflow(CreatePopupMenu());
    const auto slots = ToolbarSlots();
    for (size_t i = 0; i < slots.size() && i < shown.size(); ++i)
        if (shown[i] && !slots[i].separator)
            Append(overflow.get(), ViewCommand(slots[i].view),
                   Wide(slots[i].overflowCaption).c_str());
    return overflow;
}

}  // namespace glmx::ui
