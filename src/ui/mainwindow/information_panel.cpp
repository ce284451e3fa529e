#include "ui/mainwindow/information_panel.h"

#include <algorithm>

#include "platform/win32/unique_handle.h"
#include "ui/mainwindow/commands.h"
#include "ui/mainwindow/resource_ids.h"
#include "ui/win32/dpi.h"
#include "ui/win32/image_lists.h"
#include "ui/win32/panel.h"

namespace glmx::ui {

namespace {

constexpr int kBarHeight = 40;
constexpr int kImageSize = 32;

struct NavigationButton {
    int command;
    const wchar_t* hint;
};

constexpr NavigationButton kButtons[] = {
    {cmdBack, L"Back"},
    {cmdForward, L"Forward"},
    {cmdStop, L"Stop"},
    {cmdRefresh, L"Refresh"},
    {cmdSearchEngines, L"Search Site to Use"},
};

void AddTooltip(HWND tooltips, HWND tool, const wchar_t* text) {
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

void InformationPanel::Create(HWND parent, const NavigationMenus& menus,
                              HIMAGELIST bigSystemImages) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    pnlInformation_ = CreatePanel(parent, PanelStyle::Plain);
    bar_ = CreatePanel(pnlInformation_, PanelStyle::Plain);
    searchLabel_ = CreateWindowExW(0, WC_STATICW, L"Search:", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0,
                                   0, 0, bar_, nullptr, instance, nullptr);
    searchField_.Attach(CreateWindowExW(
        0, WC_COMBOBOXW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 0, 0,
        0, bar_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(cmdOfflineInformation)), instance,
        nullptr));
    go_ = CreateWindowExW(0, WC_BUTTONW, L"Go", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                          0, 0, 0, 0, bar_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(cmdGo)),
                          instance, nullptr);

    normalImages_.reset(LoadImageStrip(IDB_NAV_NORMAL, kImageSize));
    hotImages_.reset(LoadImageStrip(IDB_NAV_HOT, kImageSize));
    disabledImages_.reset(LoadImageStrip(IDB_NAV_DISABLED, kImageSize));
    const ImageButtonImages images{normalImages_.get(), hotImages_.get(), disabledImages_.get()};
    tooltips_.reset(CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, instance, nullptr));
    for (int i = 0; i < 5; ++i) {
        buttons_[i] = CreateImageButton(bar_, kButtons[i].command, images, i, kButtons[i].hint);
        AddTooltip(tooltips_.get(), buttons_[i], kButtons[i].hint);
    }
    SetImageButtonMenu(buttons_[0], menus.back);
    SetImageButtonMenu(buttons_[1], menus.forward);
    AddTooltip(tooltips_.get(), go_, L"Search the Internet");

    // The offline text and the browser come to stand here.
    client_ = CreatePanel(pnlInformation_, PanelStyle::White);
    offlineText_.Create(client_, idOfflineInformation);
    searching_.reset(LoadImageStrip(IDB_SEARCHING, 46));
    offlineText_.SetImageLists(bigSystemImages, nullptr, searching_.get());
}

void InformationPanel::SetFonts(const PartFonts& fonts) {
    for (HWND window : {searchLabel_, searchField_.Handle(), go_})
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.normal), TRUE);
}

LRESULT InformationPanel::OnNotify(NMHDR& header) {
    offlineText_.HandleNotify(header);
    return 0;
}

bool InformationPanel::OnContextMenu(HWND control, POINT point) {
    if (control != offlineText_.Handle()) return false;
    platform::win32::UniqueMenu popOfflineInfo(CreatePopupMenu());
    const bool selection = offlineText_.SelectionExists();
    AppendMenuW(popOfflineInfo.get(), MF_STRING | (selection ? MF_ENABLED : MF_GRAYED),
                cmdCopyOfflineInformation, L"&Copy");
    if (point.x == -1 && point.y == -1) GetCursorPos(&point);  // from the keyboard
    const int chosen =
        TrackPopupMenu(popOfflineInfo.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0,
                       GetAncestor(pnlInformation_, GA_ROOT), nullptr);
    if (chosen == cmdCopyOfflineInformation) SendMessageW(offlineText_.Handle(), WM_COPY, 0, 0);
    return true;
}

HWND InformationPanel::ImageButton(int command) const {
    for (int i = 0; i < 5; ++i)
        if (kButtons[i].command == command) return buttons_[i];
    return nullptr;
}

void InformationPanel::Layout(UINT dpi) {
    RECT rect{};
    GetClientRect(pnlInformation_, &rect);
    const int width = rect.right, height = rect.bottom;
    const int barHeight = Scale(kBarHeight, dpi);
    MoveWindow(bar_, 0, 0, width, barHeight, TRUE);
    MoveWindow(client_, 0, barHeight, width, std::max(0, height - barHeight), TRUE);
    const RECT clientArea{0, 0, width, std::max(0, height - barHeight)};
    offlineText_.SetBounds(clientArea);
    if (clientAreaListener_) clientAreaListener_(clientArea);

    const int button = Scale(kImageSize, dpi);
    const int gap = Scale(4, dpi);
    const int buttonsLeft = std::max(Scale(150, dpi), width - 5 * (button + gap));
    for (int i = 0; i < 5; ++i)
        MoveWindow(buttons_[i], buttonsLeft + i * (button + gap), (barHeight - button) / 2, button,
                   button, TRUE);

    const int labelWidth = Scale(48, dpi);
    const int goWidth = Scale(40, dpi), goHeight = Scale(25, dpi);
    const int goLeft = std::max(labelWidth + Scale(60, dpi), buttonsLeft - Scale(8, dpi) - goWidth);
    const int comboLeft = Scale(8, dpi) + labelWidth;
    const int comboHeight = Scale(23, dpi);
    MoveWindow(searchLabel_, Scale(8, dpi), (barHeight - Scale(16, dpi)) / 2, labelWidth,
               Scale(16, dpi), TRUE);
    MoveWindow(searchField_.Handle(), comboLeft, (barHeight - comboHeight) / 2,
               std::max(Scale(40, dpi), goLeft - Scale(6, dpi) - comboLeft), Scale(300, dpi), TRUE);
    MoveWindow(go_, goLeft, (barHeight - goHeight) / 2, goWidth, goHeight, TRUE);
}

}  // namespace glmx::ui
