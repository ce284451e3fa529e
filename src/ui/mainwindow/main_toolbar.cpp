#include "ui/mainwindow/main_toolbar.h"

#include "platform/win32/wide.h"
#include "ui/mainwindow/commands.h"
#include "ui/mainwindow/main_menu.h"
#include "ui/mainwindow/resource_ids.h"
#include "ui/mainwindow/view_catalogue.h"
#include "ui/win32/dpi.h"
#include "ui/win32/image_lists.h"

namespace glmx::ui {

using platform::win32::Wide;

void MainToolbar::Create(HWND parent, UINT dpi) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    coolBar_ =
        CreateWindowExW(WS_EX_TOOLWINDOW, REBARCLASSNAMEW, L"",
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                            RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP,
                        0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(idRebar)),
                        instance, nullptr);
    toolbar_ = CreateWindowExW(
        0, TOOLBARCLASSNAMEW, L"",
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
            TBSTYLE_TRANSPARENT | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN,
        0, 0, 0, 0, coolBar_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(idToolbar)), instance,
        nullptr);
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DOUBLEBUFFER);
    images_.reset(LoadImageStrip(IDB_MAIN_TOOLBAR, 36));
    SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));

    std::vector<TBBUTTON> buttons;
    std::vector<std::wstring> captions;
    captions.reserve(ToolbarSlots().size());
    for (const ToolbarSlot& slot : ToolbarSlots()) {
        // The All caption ends in a tab to widen its button; tool bars draw a tab as a box,
        // so it is widened with blanks instead.
        std::wstring caption = Wide(slot.caption);
        for (size_t tab = caption.find(L'\t'); tab != std::wstring::npos; tab = caption.find(L'\t'))
            caption.replace(tab, 1, L"    ");
        captions.push_back(caption);
        hints_.push_back(Wide(slot.hint));
    }
    for (size_t i = 0; i < ToolbarSlots().size(); ++i) {
        const ToolbarSlot& slot = ToolbarSlots()[i];
        TBBUTTON button{};
        if (slot.separator) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = slot.image;
            button.idCommand = ViewCommand(slot.view);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_CHECK | BTNS_AUTOSIZE;
            button.iString = reinterpret_cast<INT_PTR>(captions[i].c_str());
        }
        buttons.push_back(button);
    }
    SendMessageW(toolbar_, TB_ADDBUTTONSW, buttons.size(),
                 reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(0, Scale(56, dpi)));
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);

    SIZE size{};
    SendMessageW(toolbar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE;
    band.fStyle = RBBS_CHILDEDGE | RBBS_USECHEVRON;
    band.hwndChild = toolbar_;
    band.cxMinChild = 0;
    band.cyMinChild = std::max<int>(size.cy, Scale(56, dpi));
    band.cx = size.cx;
    band.cxIdeal = size.cx;
    SendMessageW(coolBar_, RB_INSERTBANDW, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&band));
    UpdateToolbarBands();
}

int MainToolbar::Height() const {
    RECT rect{};
    GetWindowRect(coolBar_, &rect);
    return rect.bottom - rect.top;
}

void MainToolbar::ReleaseToolbarButtons() {
    for (const ToolbarSlot& slot : ToolbarSlots())
        if (!slot.separator) SendMessageW(toolbar_, TB_CHECKBUTTON, ViewCommand(slot.view), FALSE);
}

void MainToolbar::PressButton(ViewKind view) {
    SendMessageW(toolbar_, TB_CHECKBUTTON, ViewCommand(view), TRUE);
}

bool MainToolbar::IsPressed(ViewKind view) const {
    return SendMessageW(toolbar_, TB_ISBUTTONCHECKED, ViewCommand(view), 0) != 0;
}

std::vector<ViewKind> MainToolbar::PressedButtons() const {
    std::vector<ViewKind> pressed;
    for (const ToolbarSlot& slot : ToolbarSlots())
        if (!slot.separator && IsPressed(slot.view)) pressed.push_back(slot.view);
    return pressed;
}

std::vector<ToolbarButtonGeometry> MainToolbar::ButtonGeometry() const {
    std::vector<ToolbarButtonGeometry> geometry;
    const auto slots = ToolbarSlots();
    for (size_t i = 0; i < slots.size(); ++i) {
        RECT rect{};
        SendMessageW(toolbar_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect));
        geometry.push_back({rect.left, rect.right - rect.left, slots[i].separator});
    }
    return geometry;
}

void MainToolbar::UpdateToolbarBands() {
    const int bands = static_cast<int>(SendMessageW(coolBar_, RB_GETBANDCOUNT, 0, 0));
    for (int index = 0; index < bands; ++index) {
        REBARBANDINFOW band{};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_STYLE | RBBIM_IDEALSIZE | RBBIM_CHILD;
        SendMessageW(coolBar_, RB_GETBANDINFOW, index, reinterpret_cast<LPARAM>(&band));
        RECT borders{};
        SendMessageW(coolBar_, RB_GETBANDBORDERS, index, reinterpret_cast<LPARAM>(&borders));
        band.fStyle = (band.fStyle | RBBS_USECHEVRON) & ~RBBS_NOGRIPPER;
        if (band.hwndChild == toolbar_)
            band.cxIdeal = static_cast<UINT>(IdealBandWidth(ButtonGeometry()));
        band.fMask = RBBIM_STYLE | RBBIM_IDEALSIZE;
        SendMessageW(coolBar_, RB_SETBANDINFOW, index, reinterpret_cast<LPARAM>(&band));
    }
}

std::vector<bool> MainToolbar::OverflowItemsShownNow() const {
    RECT client{};
    GetClientRect(toolbar_, &client);
    return OverflowItemsShown(ButtonGeometry(), client.right - client.left);
}

void MainToolbar::ShowChevronMenu(const NMREBARCHEVRON& chevron, HWND owner) const {
    if (chevron.hdr.hwndFrom != coolBar_) return;
    const auto menu = BuildOverflowMenu(OverflowItemsShownNow());
    POINT corner{chevron.rc.left, chevron.rc.bottom};
    MapWindowPoints(coolBar_, nullptr, &corner, 1);
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN, corner.x + 2, corner.y + 2, 0, owner,
                   nullptr);
}

const wchar_t* MainToolbar::HintOf(int command) const {
    const auto slots = ToolbarSlots();
    for (size_t i = 0; i < slots.size(); ++i)
        if (!slots[i].separator && ViewCommand(slots[i].view) == command)
            return hints_[i].empty() ? nullptr : hints_[i].c_str();
    return nullptr;
}

}  // namespace glmx::ui
