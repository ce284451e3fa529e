#include "ui/mainwindow/main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "settings/program_identity.h"
#include "app/startup_settings.h"
#include "platform/win32/wide.h"
#include "shell/places/places_menu.h"
#include "ui/mainwindow/about_box.h"
#include "ui/mainwindow/commands.h"
#include "ui/mainwindow/resource_ids.h"
#include "ui/win32/dpi.h"
#include "ui/win32/image_lists.h"
#include "ui/win32/splitter.h"

namespace glmx::ui {

using app::WindowState;
using platform::win32::Wide;

namespace {

// The designed bounds, used until FormCreate restores the stored ones.
constexpr int kDesignedLeft = 50, kDesignedTop = 50, kDesignedWidth = 850, kDesignedHeight = 600;
constexpr int kSplitterHeight = 4;
constexpr int kProgressWidth = 150, kProgressHeight = 14;

// Selection info runs after the list or tree has handled the click or key.
constexpr UINT WM_SHOW_SELECTION_INFO = WM_APP + 20;
constexpr UINT WM_SHOW_HARDWARE_NODE_INFO = WM_APP + 21;

// Where special folders are; the shell places feature supplies the real paths.
class NoSpecialFolders final : public shell::places::SpecialFolderPaths {
public:
    std::string PathOf(std::string_view) const override { return {}; }
};

HIMAGELIST SystemImageList(bool small) {
    SHFILEINFOW info{};
    const UINT flags = SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0);
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"", 0, &info, sizeof(info), flags));
}

}  // namespace

TFMain::TFMain(MainWindowContext context)
    : context_(std::move(context)),
      switcher_(*this, pages_, pages_, ViewServices{}, context_.stores, context_.viewKind) {}

TFMain::~TFMain() {
    for (HIMAGELIST list : {imlRegistry_, imlOthers_, ImageList1_})
        if (list) ImageList_Destroy(list);
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

void TFMain::Create(HINSTANCE instance) {
    RegisterWindowClass(instance, kMainWindowClassName, CS_DBLCLKS,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CreateWindowOfClass(instance, kMainWindowClassName, L"",
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, kDesignedLeft,
                        kDesignedTop, kDesignedWidth, kDesignedHeight, nullptr);
}

void TFMain::ShowAtStart() {
    if (!Handle()) return;
    ShowWindow(Handle(), startState_ == WindowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    UpdateWindow(Handle());
}

bool TFMain::PreTranslateMessage(MSG& message) {
    if (!Handle()) return false;
    if (accelerators_ && TranslateAcceleratorW(Handle(), accelerators_, &message)) return true;
    return IsDialogMessageW(Handle(), &message) != FALSE;
}

LRESULT TFMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            FormCreate();
            return 0;
        case WM_SIZE:
            FormResize();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
        case WM_SPLITTER_MOVED:
            if (static_cast<int>(wParam) == idNotebookSplitter) {
                notebookHeight_ = std::max(40, MulDiv(static_cast<int>(lParam), 96, static_cast<int>(dpi_)) -
                                                   MulDiv(toolbar_.Height(), 96, static_cast<int>(dpi_)));
                LayoutControls();
            } else {
                pages_.MoveSplitter(static_cast<int>(wParam), static_cast<int>(lParam), dpi_);
            }
            return 0;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == information_.OfflineView().Handle()) {
                ShowOfflineInfoMenu(lParam);
                return 0;
            }
            return DefaultHandling(message, wParam, lParam);
        case WM_SHOW_SELECTION_INFO:
            switcher_.ShowSelectionInfo();
            return 0;
        case WM_SHOW_HARDWARE_NODE_INFO:
            switcher_.ShowHardwareNodeInfo();
            return 0;
        case WM_SETCURSOR:
            if (waitCursorDepth_ > 0) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            return DefaultHandling(message, wParam, lParam);
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            FormClose();
            DestroyWindow(Handle());
            return 0;
        case WM_ENDSESSION:
            // Log-off ends the process without WM_CLOSE; keep the placement all the same.
            if (wParam) FormClose();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

void TFMain::OnCommand(int command, int notification) {
    if (const auto view = ViewOfCommand(command)) {
        if (*view == vkOtherPlace) PopUpPlacesMenu();
        else switcher_.SwitchTo(*view);
        return;
    }
    if (command >= cmdPlaceFirst && command <= cmdPlaceLast) {
        PlaceChosen(command - cmdPlaceFirst);
        return;
    }
    switch (command) {
        case cmdShowStartupPrograms:
            if (notification == CBN_SELCHANGE) {
                const int index = static_cast<int>(
                    SendMessageW(pages_.StartupFilterCombo(), CB_GETCURSEL, 0, 0));
                if (index >= 0) switcher_.StartupFilterSelected(index);
            }
            break;
        case cmdClose: PostMessageW(Handle(), WM_CLOSE, 0, 0); break;
        case cmdHelpTopics: HelpTopics(); break;
        case cmdAbout:
            ShowAboutBox(Handle(), AboutVersionLine(context_.versions, context_.programPath));
            break;
        case cmdInventoryControlButton:
            if (services_.actions) services_.actions->ControlButtonClicked(context_.viewKind);
            break;
        case cmdSwitchTo:
            if (services_.actions) services_.actions->SwitchToClicked();
            break;
        case cmdSearchSite: PopUpAtMouse(menus_.searchSites.get()); break;
        default: break;  // commands of features that are not built yet
    }
}

LRESULT TFMain::OnNotify(const NMHDR& header) {
    if (information_.OfflineView().HandleNotify(header)) return 0;
    switch (header.code) {
        case TTN_GETDISPINFOW: {
            auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
            if (const wchar_t* hint = toolbar_.HintOf(static_cast<int>(header.idFrom)))
                info.lpszText = const_cast<wchar_t*>(hint);
            return 0;
        }
        case RBN_CHEVRONPUSHED:
            toolbar_.ShowChevronMenu(reinterpret_cast<const NMREBARCHEVRON&>(header), Handle());
            return 0;
        case RBN_HEIGHTCHANGE:
            LayoutControls();
            return 0;
        case NM_CLICK:
        case LVN_KEYDOWN:
        case TVN_KEYDOWN:
            if (header.hwndFrom == pages_.InventoryList())
                PostMessageW(Handle(), WM_SHOW_SELECTION_INFO, 0, 0);
            else if (header.hwndFrom == pages_.HardwareTree())
                PostMessageW(Handle(), WM_SHOW_HARDWARE_NODE_INFO, 0, 0);
            return 0;
        default:
            return 0;
    }
}

void TFMain::FormCreate() {
    dpi_ = DpiOf(Handle());
    CreateControls();
    SetRuntimeCaptions();
    RestoreWindowPlacement();
    switcher_.SwitchTo(vkAll);
    app::PrepareConfigurationStores(context_.stores);
}

void TFMain::CreateFonts() {
    font_.reset(CreateMessageFont(dpi_));
    labelFont_.reset(CreateMessageFont(dpi_, true, 16));
}

void TFMain::CreateControls() {
    CreateFonts();
    menus_ = BuildMainMenus();
    SetMenu(Handle(), menus_.menuBar.get());
    ACCEL help{FVIRTKEY, VK_F1, static_cast<WORD>(cmdHelpTopics)};
    accelerators_ = CreateAcceleratorTableW(&help, 1);

    toolbar_.Create(Handle(), dpi_);

    imlSmallSystemImages_ = SystemImageList(true);
    imlBigSystemImages_ = SystemImageList(false);
    imlRegistry_ = LoadImageStrip(IDB_REGISTRY, 16);
    imlOthers_ = LoadImageStrip(IDB_OTHERS_STATE, 16);
    ImageList1_ = LoadImageStrip(IDB_SEARCHING, 46);
    pages_.Create(Handle(), {static_cast<HFONT>(font_.get()), static_cast<HFONT>(labelFont_.get())},
                  {imlSmallSystemImages_, imlBigSystemImages_, imlRegistry_, imlOthers_});
    splitter7_ = CreateSplitter(Handle(), SplitterOrientation::Horizontal, idNotebookSplitter);
    information_.Create(Handle(), static_cast<HFONT>(font_.get()),
                        {menus_.webHistoryBack.get(), menus_.webHistoryForward.get()});
    information_.OfflineView().SetImageLists(imlBigSystemImages_, nullptr, ImageList1_);

    stbMain_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                               0, 0, 0, Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(idStatusBar)),
                               GetModuleHandleW(nullptr), nullptr);
    SendMessageW(stbMain_, SB_SIMPLE, TRUE, 0);
    // The download progress bar lives inside the status bar, at its right end.
    prbDownloadProgress_ = CreateWindowExW(
        0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 0, 0,
        Scale(kProgressWidth, dpi_), Scale(kProgressHeight, dpi_), stbMain_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(idProgressBar)), GetModuleHandleW(nullptr), nullptr);
}

void TFMain::SetRuntimeCaptions() {
    SetWindowTextW(Handle(), Wide(settings::kApplicationTitle).c_str());
}

void TFMain::RestoreWindowPlacement() {
    const app::StartPlacement placement = app::RestorePlacement(context_.stores.DesktopSettings);
    const app::WindowBounds bounds =
        app::KeepOnAMonitor(placement.bounds, context_.display.MonitorWorkAreas());
    SetWindowPos(Handle(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    startState_ = placement.state;
}

void TFMain::FormResize() {
    if (!stbMain_) return;
    LayoutControls();
    RECT window{};
    GetWindowRect(Handle(), &window);
    const int progressWidth = Scale(kProgressWidth, dpi_);
    MoveWindow(prbDownloadProgress_, (window.right - window.left) - progressWidth - Scale(30, dpi_),
               Scale(3, dpi_), progressWidth, Scale(kProgressHeight, dpi_), TRUE);
    toolbar_.UpdateToolbarBands();
}

void TFMain::LayoutControls() {
    if (!stbMain_) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = client.right, height = client.bottom;
    SendMessageW(toolbar_.CoolBar(), WM_SIZE, 0, 0);
    SendMessageW(stbMain_, WM_SIZE, 0, 0);
    RECT status{};
    GetWindowRect(stbMain_, &status);
    const int top = toolbar_.Height();
    const int bottom = std::max(top, height - static_cast<int>(status.bottom - status.top));

    int informationTop = top;
    if (functionPagesShown_) {
        // The notebook keeps its height while the information panel can still show its bar.
        const int splitter = Scale(kSplitterHeight, dpi_);
        const int room = std::max(0, bottom - top - splitter - Scale(40, dpi_));
        const int notebook = std::min(Scale(notebookHeight_, dpi_), room);
        MoveWindow(pages_.Notebook(), 0, top, width, notebook, TRUE);
        MoveWindow(splitter7_, 0, top + notebook, width, splitter, TRUE);
        informationTop = top + notebook + splitter;
        pages_.Layout(dpi_);
    }
    MoveWindow(information_.Panel(), 0, informationTop, width, std::max(0, bottom - informationTop), TRUE);
    information_.Layout(dpi_);
}

void TFMain::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    CreateFonts();
    pages_.SetFonts({static_cast<HFONT>(font_.get()), static_cast<HFONT>(labelFont_.get())});
    information_.SetFont(static_cast<HFONT>(font_.get()));
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutControls();
}

WindowState TFMain::CurrentState() const {
    if (IsIconic(Handle())) return WindowState::Minimized;
    if (IsZoomed(Handle())) return WindowState::Maximized;
    return WindowState::Normal;
}

void TFMain::FormClose() {
    if (placementSaved_) return;
    placementSaved_ = true;
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    app::SavePlacement(context_.stores.DesktopSettings, CurrentState(),
                       {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
}

void TFMain::ShowOfflineInfoMenu(LPARAM screenPoint) {
    platform::win32::UniqueMenu popOfflineInfo(CreatePopupMenu());
    const bool selection = information_.OfflineView().SelectionExists();
    AppendMenuW(popOfflineInfo.get(), MF_STRING | (selection ? MF_ENABLED : MF_GRAYED),
                cmdCopyOfflineInformation, L"&Copy");
    POINT point{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (point.x == -1 && point.y == -1) GetCursorPos(&point);  // from the keyboard
    const int chosen = TrackPopupMenu(popOfflineInfo.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x,
                                      point.y, 0, Handle(), nullptr);
    if (chosen == cmdCopyOfflineInformation) SendMessageW(information_.OfflineView().Handle(), WM_COPY, 0, 0);
}

void TFMain::PopUpAtMouse(HMENU menu) {
    POINT mouse{};
    GetCursorPos(&mouse);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, mouse.x, mouse.y, 0, Handle(), nullptr);
}

void TFMain::PopUpPlacesMenu() {
    PopUpAtMouse(menus_.places.get());
    // The button's own click pressed it; a place not chosen leaves the current view's button.
    toolbar_.ReleaseToolbarButtons();
    toolbar_.PressButton(context_.viewKind);
}

void TFMain::PlaceChosen(int index) {
    const auto entries = shell::places::PlacesMenuEntries();
    if (index < 0 || static_cast<size_t>(index) >= entries.size()) return;
    static const NoSpecialFolders noSpecialFolders;
    switcher_.SwitchToOtherPlace(shell::places::ResolveRoot(entries[index].root, noSpecialFolders),
                                 entries[index].caption);
}

void TFMain::HelpTopics() {
    const std::wstring helpFile = Wide(context_.programFolder + std::string(settings::kHelpFileName));
    ShellExecuteW(Handle(), L"open", helpFile.c_str(), nullptr, nullptr, SW_SHOW);
}

// The folder page and the Recycle Bin view take these over when they are built;
// until then the actions have nothing to show.
void TFMain::SelectFileInFolderPage(const std::string&) {}
void TFMain::OpenFolderInFolderPage(const std::string&) {}
void TFMain::ShowRecycleBinView() { switcher_.SwitchTo(vkRecycleBin); }

void TFMain::ShowFunctionPages() {
    functionPagesShown_ = true;
    ShowWindow(pages_.Notebook(), SW_SHOW);
    ShowWindow(splitter7_, SW_SHOW);
    LayoutControls();
}

void TFMain::HideFunctionPages() {
    functionPagesShown_ = false;
    ShowWindow(pages_.Notebook(), SW_HIDE);
    ShowWindow(splitter7_, SW_HIDE);
    LayoutControls();
}

void TFMain::SetActivePage(Page page) { pages_.SetActivePage(page); }
void TFMain::ReleaseToolbarButtons() { toolbar_.ReleaseToolbarButtons(); }
void TFMain::PressToolbarButton(ViewKind view) { toolbar_.PressButton(view); }
void TFMain::CheckViewMenuEntry(ViewKind view) { CheckViewEntry(menus_.menuBar.get(), view); }
void TFMain::SetPageLabel(Page page, std::string_view text) { pages_.SetPageLabel(page, text); }
inventory::ControlButton& TFMain::PageControlButton(Page page) { return pages_.PageControlButton(page); }

void TFMain::SetStartupFilterIndex(int index) {
    SendMessageW(pages_.StartupFilterCombo(), CB_SETCURSEL, index, 0);
}

settings::ComboBoxItems& TFMain::SearchField() { return information_.SearchField(); }
void TFMain::FocusSearchField() { SetFocus(information_.SearchField().Handle()); }

void TFMain::BeginWaitCursor() {
    if (waitCursorDepth_++ == 0) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void TFMain::EndWaitCursor() {
    if (waitCursorDepth_ > 0 && --waitCursorDepth_ == 0) SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace glmx::ui
