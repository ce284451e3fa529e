#include "ui/mainwindow/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/text.h"
#include "platform/win32/wide.h"
#include "settings/program_identity.h"
#include "shell/places/places_menu.h"
#include "ui/mainwindow/about_box.h"
#include "ui/mainwindow/commands.h"
#include "ui/mainwindow/help_viewer.h"
#include "ui/win32/dpi.h"
#include "ui/win32/focus.h"
#include "ui/win32/image_lists.h"
#include "ui/win32/splitter.h"

namespace glmx::ui {

using platform::win32::Wide;
using ui::WindowState;

namespace {

// The designed bounds, used until the stored ones are restored.
constexpr int kDesignedLeft = 50, kDesignedTop = 50, kDesignedWidth = 850, kDesignedHeight = 600;

constexpr UINT WM_RUN_DEFERRED = WM_APP + 20;
// Where the splitter between the lists and the information panel was left (96-dpi pixels).
constexpr char kNotebookHeightValue[] = "NotebookHeight";

}  // namespace

TFMain::TFMain(MainWindowContext context) : context_(std::move(context)) {}

TFMain::~TFMain() = default;

void TFMain::Create(HINSTANCE instance) {
    RegisterWindowClass(instance, kMainWindowClassName, CS_DBLCLKS,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CreateWindowOfClass(instance, kMainWindowClassName, Wide(settings::kApplicationTitle).c_str(),
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, kDesignedLeft,
                        kDesignedTop, kDesignedWidth, kDesignedHeight, nullptr);
    if (!Handle()) return;
    RestoreWindowPlacement();
}

void TFMain::AddPage(Page page, NotebookPage& controller, int firstId) {
    notebook_.AddPage(page, controller);
    routes_.push_back({firstId, firstId + kIdsPerPart - 1, &controller});
    controller.SetFonts({static_cast<HFONT>(font_.get()), static_cast<HFONT>(labelFont_.get())});
    LayoutControls();
}

void TFMain::ShowAtStart() {
    if (!Handle()) return;
    ShowWindow(Handle(), startState_ == WindowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    UpdateWindow(Handle());
}

bool TFMain::PreTranslateMessage(MSG& message) {
    if (!Handle()) return false;
    if (accelerators_ && TranslateAcceleratorW(Handle(), accelerators_.get(), &message))
        return true;
    return IsDialogMessageW(Handle(), &message) != FALSE;
}

void TFMain::Defer(std::function<void()> call) {
    deferred_.push_back(std::move(call));
    if (deferred_.size() == 1) PostMessageW(Handle(), WM_RUN_DEFERRED, 0, 0);
}

void TFMain::RunDeferredCalls() {
    std::vector<std::function<void()>> calls;
    calls.swap(deferred_);
    for (const auto& call : calls) call();
}

LRESULT TFMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateControls();
            return 0;
        case WM_SIZE:
            LayoutControls();
            toolbar_.UpdateToolbarBands();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
        case WM_SPLITTER_MOVED:
            OnSplitterMoved(static_cast<int>(wParam), static_cast<int>(lParam));
            return 0;
        case WM_CONTEXTMENU: {
            const auto control = reinterpret_cast<HWND>(wParam);
            // A top-level window's "control id" is its menu: only children have parts.
            WindowPart* part = IsChild(Handle(), control) ? PartOf(GetDlgCtrlID(control)) : nullptr;
            if (part && part->OnContextMenu(control, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
                return 0;
            return DefaultHandling(message, wParam, lParam);
        }
        case WM_RUN_DEFERRED:
            RunDeferredCalls();
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
            SaveWindowPlacement();
            DestroyWindow(Handle());
            return 0;
        case WM_ENDSESSION:
            // Log-off ends the process without WM_CLOSE; keep the placement all the same.
            if (wParam) SaveWindowPlacement();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

WindowPart* TFMain::PartOf(int id) const {
    for (const Route& route : routes_)
        if (id >= route.first && id <= route.last) return route.part;
    return nullptr;
}

namespace {

// Enter in a form presses the form's default button: the dialog manager asks the
// main window for IDOK, and the nearest panel around the focus that has an enabled
// default button answers.
void PressDefaultButtonAround(HWND focus, HWND mainWindow) {
    for (HWND panel = focus ? GetParent(focus) : nullptr; panel && panel != mainWindow;
         panel = GetParent(panel)) {
        for (HWND child = GetWindow(panel, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t className[16] = {};
            GetClassNameW(child, className, 16);
            if (lstrcmpiW(className, WC_BUTTONW) == 0 &&
                (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
                IsWindowVisible(child) && IsWindowEnabled(child)) {
                SendMessageW(child, BM_CLICK, 0, 0);
                return;
            }
        }
    }
}

}  // namespace

void TFMain::OnCommand(int command, int notification) {
    // The information panel's buttons and the online menus belong to the online panel.
    if (command >= cmdGo && command <= cmdSearchEngines && commandHandler_ &&
        commandHandler_(command))
        return;
    if (WindowPart* part = PartOf(command)) return part->OnCommand(command, notification);
    if (const auto view = ViewOfCommand(command)) {
        if (*view == vkOtherPlace)
            PopUpPlacesMenu();
        else if (switcher_)
            switcher_->SwitchTo(*view);
        return;
    }
    if (command >= cmdPlaceFirst && command <= cmdPlaceLast)
        return PlaceChosen(command - cmdPlaceFirst);
    if (commandHandler_ && commandHandler_(command)) return;
    switch (command) {
        case cmdClose:
            PostMessageW(Handle(), WM_CLOSE, 0, 0);
            break;
        case IDOK:
            PressDefaultButtonAround(GetFocus(), Handle());
            break;
        case cmdHelpTopics:
            HelpTopics();
            break;
        case cmdAbout:
            ShowAboutBox(Handle(), AboutVersionLine(context_.versions, context_.programPath));
            break;
        case cmdConfiguration:
            if (context_.showConfiguration) context_.showConfiguration(Handle());
            break;
        default:
            break;  // commands of features that are not built yet
    }
}

LRESULT TFMain::OnNotify(NMHDR& header) {
    if (WindowPart* part = PartOf(static_cast<int>(header.idFrom))) return part->OnNotify(header);
    switch (header.code) {
        case TTN_GETDISPINFOW:
            if (const wchar_t* hint = toolbar_.HintOf(static_cast<int>(header.idFrom)))
                reinterpret_cast<NMTTDISPINFOW&>(header).lpszText = const_cast<wchar_t*>(hint);
            return 0;
        case RBN_CHEVRONPUSHED:
            toolbar_.ShowChevronMenu(reinterpret_cast<const NMREBARCHEVRON&>(header), Handle());
            return 0;
        case RBN_HEIGHTCHANGE:
            LayoutControls();
            return 0;
        default:
            return 0;
    }
}

void TFMain::OnSplitterMoved(int splitterId, int position) {
    if (splitterId == idNotebookSplitter) {
        const int dpi = static_cast<int>(dpi_);
        notebookHeight_ =
            std::max(40, MulDiv(position, 96, dpi) - MulDiv(toolbar_.Height(), 96, dpi));
        LayoutControls();
    } else if (WindowPart* part = PartOf(splitterId)) {
        part->OnSplitterMoved(splitterId, position);
    }
}

void TFMain::CreateControls() {
    dpi_ = DpiOf(Handle());
    font_.reset(CreateMessageFont(dpi_));
    labelFont_.reset(CreateMessageFont(dpi_, true, 16));
    menus_ = BuildMainMenus();
    // The window destroys its menu bar with itself.
    menuBar_ = menus_.menuBar.release();
    SetMenu(Handle(), menuBar_);
    ACCEL keys[] = {{FVIRTKEY, VK_F1, static_cast<WORD>(cmdHelpTopics)},
                    {FVIRTKEY, VK_F5, static_cast<WORD>(cmdRefreshView)},
                    {FVIRTKEY | FCONTROL, 'S', static_cast<WORD>(cmdSaveList)}};
    accelerators_.reset(CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys))));

    toolbar_.Create(Handle(), dpi_);
    notebook_.Create(Handle());
    notebookSplitter_ =
        CreateSplitter(Handle(), SplitterOrientation::Horizontal, idNotebookSplitter);
    information_.Create(Handle(), {menus_.webHistoryBack.get(), menus_.webHistoryForward.get()},
                        SystemImageList(false));
    routes_.push_back(
        {idInformationPanelFirst, idInformationPanelFirst + kIdsPerPart - 1, &information_});
    statusBar_.Create(Handle(), dpi_);
    ApplyFonts();
}

void TFMain::ApplyFonts() {
    const PartFonts fonts{static_cast<HFONT>(font_.get()), static_cast<HFONT>(labelFont_.get())};
    for (const Route& route : routes_) route.part->SetFonts(fonts);
}

void TFMain::RestoreWindowPlacement() {
    const ui::StartPlacement placement = ui::RestorePlacement(context_.desktopSettings);
    const ui::WindowBounds bounds =
        ui::KeepOnAMonitor(placement.bounds, context_.display.MonitorWorkAreas());
    SetWindowPos(Handle(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    startState_ = placement.state;
    const auto notebookHeight =
        platform::ParseDecimalInt(context_.desktopSettings.GetValue(kNotebookHeightValue));
    if (notebookHeight && *notebookHeight >= 40 && *notebookHeight < 10000)
        notebookHeight_ = *notebookHeight;
}

void TFMain::LayoutControls() {
    if (!statusBar_.Handle()) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = client.right, height = client.bottom;
    SendMessageW(toolbar_.CoolBar(), WM_SIZE, 0, 0);
    RECT window{};
    GetWindowRect(Handle(), &window);
    statusBar_.Layout(window.right - window.left, dpi_);
    const int top = toolbar_.Height();
    const int bottom = std::max(top, height - statusBar_.Height());

    int informationTop = top;
    if (functionPagesShown_) {
        // The notebook keeps its height while the information panel can still show its bar.
        const int splitter = Scale(kSplitterThickness, dpi_);
        const int room = std::max(0, bottom - top - splitter - Scale(40, dpi_));
        const int wanted =
            notebookHeight_ > 0 ? Scale(notebookHeight_, dpi_) : (bottom - top - splitter) / 2;
        const int notebook = std::min(wanted, room);
        MoveWindow(notebook_.Window(), 0, top, width, notebook, TRUE);
        MoveWindow(notebookSplitter_, 0, top + notebook, width, splitter, TRUE);
        informationTop = top + notebook + splitter;
        notebook_.Layout(dpi_);
    }
    MoveWindow(information_.Panel(), 0, informationTop, width, std::max(0, bottom - informationTop),
               TRUE);
    information_.Layout(dpi_);
}

void TFMain::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    // The controls take the new fonts before the old ones go.
    platform::win32::UniqueGdiObject font(CreateMessageFont(dpi_));
    platform::win32::UniqueGdiObject labelFont(CreateMessageFont(dpi_, true, 16));
    std::swap(font_, font);
    std::swap(labelFont_, labelFont);
    ApplyFonts();
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutControls();
}

WindowState TFMain::CurrentState() const {
    if (IsIconic(Handle())) return WindowState::Minimized;
    if (IsZoomed(Handle())) return WindowState::Maximized;
    return WindowState::Normal;
}

void TFMain::SaveWindowPlacement() {
    if (placementSaved_) return;
    placementSaved_ = true;
    if (closingHandler_) closingHandler_();
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    ui::SavePlacement(context_.desktopSettings, CurrentState(),
                      {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
    if (notebookHeight_ > 0)
        context_.desktopSettings.SetValue(kNotebookHeightValue, std::to_string(notebookHeight_));
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
    if (!switcher_ || index < 0 || static_cast<size_t>(index) >= entries.size()) return;
    switcher_->SwitchToOtherPlace(
        shell::places::ResolveRoot(entries[index].root, context_.specialFolders),
        entries[index].caption);
}

void TFMain::HelpTopics() { OpenHelp(Handle(), context_.programFolder, context_.viewKind); }

void TFMain::ShowFunctionPages() {
    functionPagesShown_ = true;
    ShowWindow(notebook_.Window(), SW_SHOW);
    ShowWindow(notebookSplitter_, SW_SHOW);
    LayoutControls();
}

void TFMain::HideFunctionPages() {
    functionPagesShown_ = false;
    ShowOrHide(notebook_.Window(), false);
    ShowOrHide(notebookSplitter_, false);
    LayoutControls();
}

void TFMain::CheckViewMenuEntry(ViewKind view) { CheckViewEntry(menuBar_, view); }

void TFMain::BeginWaitCursor() {
    if (waitCursorDepth_++ == 0) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void TFMain::EndWaitCursor() {
    if (waitCursorDepth_ > 0 && --waitCursorDepth_ == 0) SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace glmx::ui
