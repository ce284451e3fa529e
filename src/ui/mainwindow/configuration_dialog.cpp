#include "ui/mainwindow/configuration_dialog.h"

#include <commctrl.h>
#include <shlobj.h>

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/user_messages.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "shellintegration/configuration_choices.h"
#include "ui/win32/dpi.h"
#include "ui/win32/focus.h"
#include "ui/win32/modal_dialog.h"

namespace glmx::ui {

using platform::win32::Wide;
using shellintegration::ConfigurationChoices;

namespace {

// Designed at 96 dpi: the client area, the page tree's width, the banner's and the
// button bar's heights.
constexpr int kClientWidth = 453, kClientHeight = 329, kTreeWidth = 121, kBannerHeight = 41,
              kButtonBarHeight = 40;
constexpr int kShellPage = 0, kWindowsIntegrationPage = 1;
constexpr std::array<const wchar_t*, 2> kPageNames = {L"Shell", L"WindowsInteg"};

struct BoxOnPage {
    int id;
    bool ConfigurationChoices::*choice;
};
constexpr BoxOnPage kBoxes[] = {
    {IDC_CONFIGURATION_FILES, &ConfigurationChoices::files},
    {IDC_CONFIGURATION_FOLDERS, &ConfigurationChoices::folders},
    {IDC_CONFIGURATION_DRIVES, &ConfigurationChoices::drives},
    {IDC_CONFIGURATION_RECYCLE_BIN, &ConfigurationChoices::recycleBin},
    {IDC_CONFIGURATION_CTRL, &ConfigurationChoices::ctrl},
    {IDC_CONFIGURATION_SHIFT, &ConfigurationChoices::shift},
    {IDC_CONFIGURATION_ALT, &ConfigurationChoices::alt},
};

struct DialogState {
    ConfigurationChoices choices;
    HWND dialog = nullptr;
    HWND tree = nullptr;
    HTREEITEM root = nullptr;
    std::array<std::vector<HWND>, 2> pages;
    int page = kShellPage;
    platform::win32::UniqueGdiObject bannerFont;
    std::optional<DialogLayout> layout;
};

HWND AddControl(const DialogState& state, const wchar_t* windowClass, const wchar_t* text,
                DWORD style, int id, RECT designed, DWORD exStyle = 0) {
    HWND control =
        state.layout->Add(windowClass, text, style, id, designed.left, designed.top,
                          designed.right - designed.left, designed.bottom - designed.top, exStyle);
    // The layout shows what it adds; the pages show and hide their own controls.
    if (!(style & WS_VISIBLE)) ShowWindow(control, SW_HIDE);
    return control;
}

void FollowModifiers(const DialogState& state) {
    HWND hotkey = GetDlgItem(state.dialog, IDC_CONFIGURATION_HOTKEY);
    const auto key = LOBYTE(LOWORD(SendMessageW(hotkey, HKM_GETHOTKEY, 0, 0)));
    const auto modifiers = static_cast<BYTE>(shellintegration::HotkeyModifiers(state.choices));
    SendMessageW(hotkey, HKM_SETHOTKEY, MAKEWORD(key, modifiers), 0);
}

void ReadBoxes(DialogState& state) {
    for (const auto& box : kBoxes)
        state.choices.*box.choice = IsDlgButtonChecked(state.dialog, box.id) == BST_CHECKED;
}

void ShowPage(DialogState& state, int page) {
    for (int other = 0; other < static_cast<int>(state.pages.size()); ++other)
        if (other != page)
            for (HWND control : state.pages[other]) ShowOrHide(control, false);
    for (HWND control : state.pages[page]) ShowOrHide(control, true);
    state.page = page;
    InvalidateRect(GetDlgItem(state.dialog, IDC_CONFIGURATION_BANNER), nullptr, FALSE);
}

void CreateControls(DialogState& state) {
    const int right = kClientWidth, buttonTop = kClientHeight - kButtonBarHeight;
    state.tree = AddControl(
        state, WC_TREEVIEWW, L"",
        WS_VISIBLE | WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_TRACKSELECT | TVS_DISABLEDRAGDROP,
        IDC_CONFIGURATION_TREE, {0, 0, kTreeWidth, buttonTop}, WS_EX_CLIENTEDGE);
    AddControl(state, L"STATIC", L"", WS_VISIBLE | SS_OWNERDRAW, IDC_CONFIGURATION_BANNER,
               {kTreeWidth, 0, right, kBannerHeight});

    // Page "Shell".
    const int left = kTreeWidth + 16, top = kBannerHeight + 14;
    const std::string_view captions[] = {
        shellintegration::kFilesBoxCaption, shellintegration::kFoldersBoxCaption,
        shellintegration::kDrivesBoxCaption, shellintegration::kRecycleBinBoxCaption};
    for (int i = 0; i < 4; ++i)
        state.pages[kShellPage].push_back(
            AddControl(state, L"BUTTON", Wide(captions[i]).c_str(),
                       WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | (i == 0 ? WS_GROUP : 0),
                       kBoxes[i].id, {left, top + i * 26, right - 12, top + i * 26 + 20}));

    // Page "WindowsInteg": reached by no tree node, its group disabled; its boxes still
    // load and store their settings.
    auto& hidden = state.pages[kWindowsIntegrationPage];
    hidden.push_back(AddControl(state, L"BUTTON", L"Hotkey settings", BS_GROUPBOX,
                                IDC_CONFIGURATION_HOTKEY_GROUP,
                                {left - 4, top - 6, right - 12, top + 110}));
    const wchar_t* modifiers[] = {L"Ctrl", L"Shift", L"Alt"};
    for (int i = 0; i < 3; ++i)
        hidden.push_back(AddControl(state, L"BUTTON", modifiers[i], WS_TABSTOP | BS_AUTOCHECKBOX,
                                    IDC_CONFIGURATION_CTRL + i,
                                    {left + 8 + i * 70, top + 16, left + 72 + i * 70, top + 36}));
    hidden.push_back(AddControl(state, HOTKEY_CLASSW, L"", WS_TABSTOP, IDC_CONFIGURATION_HOTKEY,
                                {left + 8, top + 50, left + 208, top + 72}, WS_EX_CLIENTEDGE));
    for (HWND control : hidden) EnableWindow(control, FALSE);

    // The button bar.
    AddControl(state, L"STATIC", L"", WS_VISIBLE | SS_ETCHEDHORZ, -1,
               {0, buttonTop, right, buttonTop + 2});
    AddControl(state, L"BUTTON", L"OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, IDOK,
               {right - 166, buttonTop + 9, right - 91, buttonTop + 32});
    AddControl(state, L"BUTTON", L"Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL,
               {right - 83, buttonTop + 9, right - 8, buttonTop + 32});
}

HTREEITEM AddNode(HWND tree, HTREEITEM parent, const wchar_t* text, LPARAM data) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(text);
    insert.item.lParam = data;
    return TreeView_InsertItem(tree, &insert);
}

void Initialize(HWND dialog, DialogState& state) {
    state.dialog = dialog;
    state.layout.emplace(dialog);
    SetWindowTextW(dialog, L"Configuration");
    state.layout->SizeAndCentre(kClientWidth, kClientHeight);
    CreateControls(state);
    state.bannerFont.reset(CreateMessageFont(DpiOf(dialog), true, 16));

    for (const auto& box : kBoxes)
        CheckDlgButton(dialog, box.id, state.choices.*box.choice ? BST_CHECKED : BST_UNCHECKED);
    FollowModifiers(state);

    state.root = AddNode(state.tree, TVI_ROOT, L"Configuration", -1);
    HTREEITEM shell = AddNode(state.tree, state.root, kPageNames[kShellPage], kShellPage);
    TreeView_Expand(state.tree, state.root, TVE_EXPAND);
    TreeView_SelectItem(state.tree, shell);
    ShowPage(state, kShellPage);
}

void OnTreeSelection(DialogState& state, const NMTREEVIEWW& change) {
    // The root only groups the pages.
    if (change.itemNew.hItem && change.itemNew.hItem != state.root)
        ShowPage(state, static_cast<int>(change.itemNew.lParam));
}

void DrawBanner(const DialogState& state, const DRAWITEMSTRUCT& draw) {
    RECT band = draw.rcItem;
    FillRect(draw.hDC, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(draw.hDC, TRANSPARENT);
    SetTextColor(draw.hDC, GetSysColor(COLOR_HIGHLIGHTTEXT));
    HGDIOBJ previous = SelectObject(draw.hDC, state.bannerFont.get());
    band.left += Scale(12, DpiOf(state.dialog));
    DrawTextW(draw.hDC, kPageNames[state.page], -1, &band, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SelectObject(draw.hDC, previous);
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            Initialize(dialog, *reinterpret_cast<DialogState*>(lParam));
            return TRUE;  // the focus goes to the page tree
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (state && header->idFrom == IDC_CONFIGURATION_TREE &&
                header->code == TVN_SELCHANGEDW)
                OnTreeSelection(*state, *reinterpret_cast<const NMTREEVIEWW*>(lParam));
            break;
        }
        case WM_DRAWITEM:
            if (state && wParam == IDC_CONFIGURATION_BANNER) {
                DrawBanner(*state, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            break;
        case WM_COMMAND:
            if (!state) break;
            switch (LOWORD(wParam)) {
                case IDOK:
                case IDCANCEL:  // also Escape and the close box
                    ReadBoxes(*state);
                    EndDialog(dialog, LOWORD(wParam));
                    return TRUE;
                case IDC_CONFIGURATION_CTRL:
                case IDC_CONFIGURATION_SHIFT:
                case IDC_CONFIGURATION_ALT:
                    if (HIWORD(wParam) == BN_CLICKED) {
                        ReadBoxes(*state);
                        FollowModifiers(*state);
                    }
                    return TRUE;
            }
            break;
    }
    return FALSE;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void ShowConfigurationDialog(HWND owner, const ConfigurationDialogContext& context) {
    DialogState state;
    state.choices = shellintegration::LoadConfigurationChoices(context.configurationSettings);
    const INT_PTR closedWith =
        RunCodedDialog(owner, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                       GuardedDialogProcedure<HandleMessage>, reinterpret_cast<LPARAM>(&state));
    if (closedWith != IDOK) return;  // Cancel leaves the system and the settings as they were

    const auto failure = shellintegration::CloseConfiguration(
        true, state.choices,
        {context.configurationSettings, context.registry, context.programFolder,
         FileExists(context.programFolder + std::string(shellintegration::kHandlerDllName))});
    // Explorer rereads the handlers of its context menus.
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    if (failure) context.messages.Error(*failure);
}

}  // namespace glmx::ui
