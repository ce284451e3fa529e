#include "ui/mainwindow/favourites_menu.h"

#include "platform/win32/wide.h"
#include "ui/mainwindow/commands.h"

namespace glmx::ui {

using platform::win32::Wide;

namespace {

// A menu shows "&" as the next letter's underline.
std::wstring MenuCaption(const std::string& text) {
    std::wstring caption;
    for (const wchar_t c : Wide(text)) {
        if (c == L'&') caption += L'&';
        caption += c;
    }
    return caption;
}

void AppendItem(HMENU menu, UINT id, HMENU subMenu, const std::wstring& caption, HBITMAP bitmap) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | (subMenu ? MIIM_SUBMENU : 0u) |
                 (bitmap ? MIIM_BITMAP : 0u);
    item.fType = MFT_STRING;
    item.wID = id;
    item.hSubMenu = subMenu;
    item.hbmpItem = bitmap;
    std::wstring text = caption;
    item.dwTypeData = text.data();
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
}

}  // namespace

void FavouritesMenu::Build(HMENU menu, const std::vector<info::FavouriteEntry>& entries,
                           const platform::Shell& shell, HIMAGELIST smallImages) {
    // The items go before the bitmaps they show.
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i)
        DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    paths_.clear();
    bitmaps_.clear();
    shell_ = &shell;
    images_ = smallImages;
    AppendMenuW(menu, MF_STRING, cmdAddToFavorites, L"&Add to favorites...");
    AppendMenuW(menu, MF_STRING, cmdOrganizeFavorites, L"&Organize favorites...");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AddEntries(menu, entries);
}

void FavouritesMenu::AddEntries(HMENU menu, const std::vector<info::FavouriteEntry>& entries) {
    for (const info::FavouriteEntry& entry : entries) {
        if (entry.isFolder) {
            HMENU subMenu = CreatePopupMenu();
            AppendMenuW(subMenu, MF_SEPARATOR, 0, nullptr);
            AddEntries(subMenu, entry.children);
            AppendItem(menu, 0, subMenu, MenuCaption(entry.caption), IconBitmap(entry.path, true));
        } else {
            if (cmdFavouriteFirst + static_cast<int>(paths_.size()) > cmdFavouriteLast) return;
            const auto command =
                static_cast<UINT>(cmdFavouriteFirst + static_cast<int>(paths_.size()));
            paths_.push_back(entry.path);
            AppendItem(menu, command, nullptr, MenuCaption(entry.caption),
                       IconBitmap(entry.path, false));
        }
    }
}

const std::string* FavouritesMenu::PathOf(int command) const {
    const int index = command - cmdFavouriteFirst;
    if (index < 0 || static_cast<size_t>(index) >= paths_.size()) return nullptr;
    return &paths_[static_cast<size_t>(index)];
}

HBITMAP FavouritesMenu::IconBitmap(const std::string& path, bool) {
    if (!images_ || !shell_) return nullptr;
    const int index = shell_->SystemIconIndex(path);
    if (const auto found = bitmaps_.find(index); found != bitmaps_.end())
        return static_cast<HBITMAP>(found->second.get());
    int width = 16, height = 16;
    ImageList_GetIconSize(images_, &width, &height);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    platform::win32::UniqueGdiObject bitmap(
        CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ReleaseDC(nullptr, screen);
    if (!bitmap || !bits) return nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap.get());
    // Drawn on the menu's colour and made opaque: newer systems read the fourth byte as
    // alpha, older ones ignore it.
    RECT all{0, 0, width, height};
    FillRect(memory, &all, GetSysColorBrush(COLOR_MENU));
    ImageList_Draw(images_, index, memory, 0, 0, ILD_NORMAL);
    GdiFlush();
    auto* pixels = static_cast<std::uint8_t*>(bits);
    for (int i = 0; i < width * height; ++i) pixels[i * 4 + 3] = 0xFF;
    SelectObject(memory, old);
    DeleteDC(memory);
    const auto handle = static_cast<HBITMAP>(bitmap.get());
    bitmaps_.emplace(index, std::move(bitmap));
    return handle;
}

}  // namespace glmx::ui
