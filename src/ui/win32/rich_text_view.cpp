#include "ui/win32/rich_text_view.h"

#include <richedit.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "ui/win32/dpi.h"
#include "ui/win32/held_painting.h"
#include "ui/win32/window_data.h"

namespace glmx::ui {

namespace {

using info::TextStyle;
using platform::win32::Narrow;
using platform::win32::UniqueGdiObject;
using platform::win32::Wide;

constexpr UINT_PTR kSubclassId = 1;
constexpr int kLeftMargin = 20;  // designed pixels
constexpr int kRightMargin = 5;
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Kept loaded for the rest of the process: its windows may outlive any owner.
bool LoadSystemLibrary(const wchar_t* name) {
    return platform::win32::SystemLibrary(name).release() != nullptr;
}

// The window class of the newest rich edit there is; nullptr when there is none. The
// library is loaded once and stays loaded: its windows may live until the process ends.
const wchar_t* RichEditClass() {
    static const wchar_t* const name = []() -> const wchar_t* {
        if (LoadSystemLibrary(L"Msftedit.dll")) return MSFTEDIT_CLASS;
        if (LoadSystemLibrary(L"Riched20.dll")) return RICHEDIT_CLASSW;
        return nullptr;
    }();
    return name;
}

struct StyleLook {
    int points;
    COLORREF colour;
    bool bold;
    bool underline;
};

StyleLook LookOf(TextStyle style) {
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    switch (style) {
        case info::stNormal:
            return {10, windowText, false, false};
        case info::stLabel:
            return {10, kBlack, true, false};
        case info::stSubheading:
            return {10, RGB(0, 0, 128), true, false};
        case info::stTitle:
            return {12, kBlack, true, false};
        case info::stLink:
            return {10, RGB(0, 0, 255), false, true};
        case info::stLink2:
            return {10, kBlack, false, true};
        case info::stSpacer:
            return {4, windowText, false, false};
    }
    return {10, windowText, false, false};
}

// Every attribute is set, so that nothing of the control's default format ("System"
// bold under Wine) or of the text before shows through.
CHARFORMAT2W FormatOf(TextStyle style, bool asLink) {
    const StyleLook look = LookOf(style);
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                    CFM_STRIKEOUT | CFM_LINK | CFM_BACKCOLOR;
    // Not wcscpy_s: the C runtime of Windows XP x64 and Server 2003 lacks it.
    lstrcpynW(format.szFaceName, L"Arial", LF_FACESIZE);
    format.yHeight = look.points * 20;  // twips
    format.crTextColor = look.colour;
    format.dwEffects = CFE_AUTOBACKCOLOR | (look.bold ? CFE_BOLD : 0) |
                       (look.underline ? CFE_UNDERLINE : 0) | (asLink ? CFE_LINK : 0);
    return format;
}

// The pieces between line breaks; CR LF, a lone CR and a lone LF each break the line. A
// break at the very end starts no further piece.
std::vector<std::string_view> LinePieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '\r' && text[i] != '\n') {
            ++i;
            continue;
        }
        pieces.push_back(text.substr(start, i - start));
        i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size() || pieces.empty()) pieces.push_back(text.substr(start));
    return pieces;
}

// Word delimiters: white space and . ; , : ( ) { } "
bool IsWhite(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }
bool IsDelimiter(wchar_t c) { return IsWhite(c) || (c != 0 && std::wcschr(L".;,:(){}\"", c)); }

int CALLBACK WordBreak(LPWSTR text, int current, int size, int code) {
    // Rich edit passes the size in bytes, not in characters as an edit control does.
    const int length = size / static_cast<int>(sizeof(wchar_t));
    if (!text || length <= 0) return 0;
    int i = std::clamp(current, 0, length);
    switch (code) {
        case WB_ISDELIMITER:
            return i < length && IsDelimiter(text[i]);
        case WB_CLASSIFY:
            if (i >= length) return 0;
            if (IsWhite(text[i])) return 2 | WBF_ISWHITE | WBF_BREAKLINE;
            return IsDelimiter(text[i]) ? 1 | WBF_BREAKAFTER : 0;
        case WB_LEFT:
        case WB_MOVEWORDLEFT:
            while (i > 0 && IsDelimiter(text[i - 1])) --i;
            while (i > 0 && !IsDelimiter(text[i - 1])) --i;
            return i;
        case WB_RIGHT:
        case WB_MOVEWORDRIGHT:
            while (i < length && !IsDelimiter(text[i])) ++i;
            while (i < length && IsDelimiter(text[i])) ++i;
            return i;
        case WB_LEFTBREAK:
            if (i == length && i > 0) --i;
            while (i > 0 && !IsDelimiter(text[i])) --i;
            return i;
        case WB_RIGHTBREAK:
            while (i < length && !IsDelimiter(text[i])) ++i;
            return i;
    }
    return 0;
}

// Writes go to the end of the text; the reader's selection and scroll position stay.
class KeptReaderPlace {
public:
    explicit KeptReaderPlace(HWND edit) : edit_(edit) {
        SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
        SendMessageW(edit_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll_));
    }
    ~KeptReaderPlace() {
        SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
        SendMessageW(edit_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll_));
    }
    KeptReaderPlace(const KeptReaderPlace&) = delete;
    KeptReaderPlace& operator=(const KeptReaderPlace&) = delete;

private:
    HWND edit_;
    CHARRANGE selection_{};
    POINT scroll_{};
};

// Holds the control's painting while a write changes it in several steps; one paint then
// shows them all (without it every step repaints at once, which is slow under Wine).

void AppendHex(std::string& out, const void* data, size_t size) {
    static constexpr char kDigits[] = "0123456789abcdef";
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 15];
        if (i % 64 == 63) out += '\n';
    }
}

// The image drawn over the background colour, as an RTF group of a device-independent
// bitmap (a 32-bit bottom-up DIB: header, then the pixels). "" when it cannot be drawn.
std::string PictureRtf(HIMAGELIST images, int index, COLORREF background, UINT dpi) {
    int width = 0, height = 0;
    if (!ImageList_GetIconSize(images, &width, &height) || width <= 0 || height <= 0 ||
        width > 4096 || height > 4096)
        return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width * height * 4);
    info.bmiHeader.biXPelsPerMeter = info.bmiHeader.biYPelsPerMeter =
        MulDiv(static_cast<int>(dpi), 10000, 254);

    const platform::win32::UniqueWindowDc screen(nullptr);
    const platform::win32::UniqueCreatedDc memory(CreateCompatibleDC(screen.get()));
    if (!screen.get() || !memory.get()) return {};
    void* bits = nullptr;
    const UniqueGdiObject bitmap(
        CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    {
        const platform::win32::ScopedSelectObject selected(memory.get(), bitmap.get());
        const UniqueGdiObject brush(CreateSolidBrush(background));
        const RECT all{0, 0, width, height};
        FillRect(memory.get(), &all, static_cast<HBRUSH>(brush.get()));
        if (!ImageList_Draw(images, index, memory.get(), 0, 0, ILD_TRANSPARENT)) return {};
        GdiFlush();
    }
    // Opaque: the fourth byte is unused in a BI_RGB bitmap, but a reader that blends must
    // not find the picture transparent.
    auto* pixels = static_cast<unsigned char*>(bits);
    for (size_t i = 3; i < info.bmiHeader.biSizeImage; i += 4) pixels[i] = 0xFF;

    // The goal size keeps the image's pixels at the control's DPI.
    const int twipsWide = MulDiv(width, 1440, static_cast<int>(dpi));
    const int twipsHigh = MulDiv(height, 1440, static_cast<int>(dpi));
    std::string rtf = "{\\rtf1\\ansi{\\pict\\dibitmap0\\picw" + std::to_string(width) + "\\pich" +
                      std::to_string(height) + "\\picwgoal" + std::to_string(twipsWide) +
                      "\\pichgoal" + std::to_string(twipsHigh) + "\n";
    AppendHex(rtf, &info.bmiHeader, sizeof(info.bmiHeader));
    AppendHex(rtf, bits, info.bmiHeader.biSizeImage);
    rtf += "}}";
    return rtf;
}

struct StreamSource {
    const std::string* data;
    size_t offset;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const size_t count =
        std::min(static_cast<size_t>(std::max(size, 0L)), source->data->size() - source->offset);
    std::memcpy(buffer, source->data->data() + source->offset, count);
    source->offset += count;
    *read = static_cast<LONG>(count);
    return 0;
}

}  // namespace

RichTextView::RichTextView() = default;

RichTextView::~RichTextView() {
    // The subclass forgets the window on WM_NCDESTROY, so a parent that went first is fine.
    if (window_) DestroyWindow(window_);
}

HWND RichTextView::Create(HWND parent, int id) {
    const wchar_t* className = RichEditClass();
    if (!className || window_) return window_;
    window_ = CreateWindowExW(
        0, className, L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 0,
        0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
        nullptr);
    if (!window_) return nullptr;
    BindWindowData(window_, this);
    if (!SetWindowSubclass(window_, SubclassProcedure, kSubclassId, 0)) {
        DestroyWindow(std::exchange(window_, nullptr));
        return nullptr;
    }
    // Nothing here is the user's to undo; the programmatic writes need no undo history.
    SendMessageW(window_, EM_SETUNDOLIMIT, 0, 0);
    SendMessageW(window_, EM_SETBKGNDCOLOR, 1, 0);  // the system window colour
    SendMessageW(window_, EM_SETEVENTMASK, 0, ENM_LINK);
    SendMessageW(window_, EM_SETWORDBREAKPROC, 0, reinterpret_cast<LPARAM>(&WordBreak));
    CHARFORMAT2W normal = FormatOf(info::stNormal, false);
    SendMessageW(window_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&normal));
    ApplyMargins();
    return window_;
}

void RichTextView::SetBounds(const RECT& bounds) {
    if (!window_) return;
    MoveWindow(window_, bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, TRUE);
    ApplyMargins();
}

void RichTextView::SetImageLists(HIMAGELIST bigSystemImages, HIMAGELIST devices,
                                 HIMAGELIST searching) {
    bigSystemImages_ = bigSystemImages;
    devices_ = devices;
    searching_ = searching;
}

void RichTextView::SetJumpHandler(std::function<void(int linkNumber)> handler) {
    jump_ = std::move(handler);
}

void RichTextView::SetBringToFront(std::function<void()> bringToFront) {
    bringToFront_ = std::move(bringToFront);
}

bool RichTextView::HandleNotify(const NMHDR& header) {
    if (!window_ || header.hwndFrom != window_ || header.code != EN_LINK) return false;
    const auto& notification = reinterpret_cast<const ENLINK&>(header);
    if (notification.msg != WM_LBUTTONUP) return false;
    // A drag that selected text over a link is a selection, not a click.
    if (SelectionExists()) return false;
    // The control reports adjacent link runs as one range: the point decides between them.
    const POINT point{GET_X_LPARAM(notification.lParam), GET_Y_LPARAM(notification.lParam)};
    int number = LinkAt(point);
    const CHARRANGE& range = notification.chrg;
    if (number >= 0 && (links_[static_cast<size_t>(number)].last <= range.cpMin ||
                        links_[static_cast<size_t>(number)].first >= range.cpMax))
        number = -1;
    if (number < 0) number = LinkContaining(range.cpMin);
    if (number < 0) return false;
    // A copy: the handler may well set another handler or clear the view.
    if (auto jump = jump_) jump(number);
    return true;
}

std::string RichTextView::Text() const {
    if (!window_) return {};
    // Sized for CR LF pairs, in case a version reports paragraph ends that way.
    GETTEXTLENGTHEX measure{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
    const LRESULT length =
        SendMessageW(window_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_DEFAULT;
    get.codepage = 1200;
    const LRESULT copied = SendMessageW(window_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    // One character per position; the pictures as U+FFFC whatever a version reads them as
    // (Wine reads a blank).
    std::wstring lines;
    lines.reserve(text.size());
    auto picture = pictures_.begin();
    for (size_t i = 0; i < text.size(); ++i) {
        const LONG position = static_cast<LONG>(lines.size());
        while (picture != pictures_.end() && *picture < position) ++picture;
        if (text[i] == L'\r') {
            lines += L'\n';
            if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else if (picture != pictures_.end() && *picture == position) {
            lines += wchar_t{0xFFFC};
        } else {
            lines += text[i];
        }
    }
    return Narrow(lines);
}

std::string RichTextView::LinkText(int n) const {
    if (!window_ || n < 0 || n >= LinkCount()) return {};
    const Link& link = links_[static_cast<size_t>(n)];
    // Twice the characters: room for anything a version might expand.
    std::wstring text(static_cast<size_t>(link.last - link.first) * 2 + 1, L'\0');
    TEXTRANGEW range{{link.first, link.last}, text.data()};
    const LRESULT copied =
        SendMessageW(window_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, text.size() - 1)));
    return Narrow(text);
}

void RichTextView::Clear() {
    links_.clear();
    pictures_.clear();
    hotLink_ = -1;
    started_ = false;
    lastStyle_ = info::stNormal;
    if (!window_) return;
    SetWindowTextW(window_, L"");
    CHARFORMAT2W normal = FormatOf(info::stNormal, false);
    SendMessageW(window_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&normal));
}

void RichTextView::AddLine(std::string_view text, TextStyle style) {
    const HeldPainting held(window_);
    StartLine();
    WritePieces(text, style);
}

void RichTextView::Append(std::string_view text, TextStyle style) {
    const HeldPainting held(window_);
    // On an empty view the current line is simply the first one.
    started_ = true;
    WritePieces(text, style);
}

void RichTextView::AppendText(std::string_view text, TextStyle style) {
    if (text.empty()) return;
    Append(text, style);
}

void RichTextView::AddPicture(int index, info::PictureList list) {
    const HeldPainting held(window_);
    StartLine();
    lastStyle_ = info::stNormal;
    HIMAGELIST images = list == info::PictureList::BigSystemImages ? bigSystemImages_
                        : list == info::PictureList::Devices       ? devices_
                                                                   : searching_;
    // Without the image the line stays empty.
    if (images && index >= 0 && index < ImageList_GetImageCount(images))
        InsertPicture(images, index);
}

void RichTextView::Format() {
    // The control lays its text out as it is written.
}

void RichTextView::Repaint() {
    if (!window_) return;
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
}

void RichTextView::BringToFront() {
    if (bringToFront_) {
        bringToFront_();
        return;
    }
    if (!window_) return;
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(window_, SW_SHOW);
}

bool RichTextView::SelectionExists() const {
    if (!window_) return false;
    CHARRANGE selection{};
    SendMessageW(window_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return selection.cpMin != selection.cpMax;
}

void RichTextView::CopySelection() {
    if (window_) SendMessageW(window_, WM_COPY, 0, 0);
}

LONG RichTextView::TextLength() const {
    GETTEXTLENGTHEX measure{GTL_PRECISE | GTL_NUMCHARS, 1200};
    const LRESULT length =
        SendMessageW(window_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0);
    return length > 0 ? static_cast<LONG>(length) : 0;
}

void RichTextView::StartLine() {
    if (started_) Insert(L"\r", lastStyle_, false);
    started_ = true;
}

void RichTextView::WritePieces(std::string_view text, TextStyle style) {
    const std::vector<std::string_view> pieces = LinePieces(text);
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) Insert(L"\r", style, false);
        Insert(Wide(pieces[i]), style, info::IsLinkStyle(style));
    }
    lastStyle_ = style;
}

void RichTextView::Insert(std::wstring_view text, TextStyle style, bool asLink) {
    if (!window_) return;
    std::wstring piece(text);
    // A NUL would end the text the control reads.
    piece.erase(std::remove(piece.begin(), piece.end(), L'\0'), piece.end());
    const KeptReaderPlace place(window_);
    const LONG first = TextLength();
    CHARRANGE end{first, first};
    SendMessageW(window_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    CHARFORMAT2W format = FormatOf(style, asLink);
    SendMessageW(window_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    if (piece.empty()) return;
    SendMessageW(window_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
    const LONG last = TextLength();
    if (asLink && last > first) links_.push_back({first, last, style});
}

bool RichTextView::InsertPicture(HIMAGELIST images, int index) {
    const std::string rtf = PictureRtf(images, index, GetSysColor(COLOR_WINDOW), DpiOf(window_));
    if (rtf.empty()) return false;
    const KeptReaderPlace place(window_);
    const LONG first = TextLength();
    CHARRANGE end{first, first};
    SendMessageW(window_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    StreamSource source{&rtf, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, &ReadStream};
    SendMessageW(window_, EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
    if (TextLength() <= first) return false;
    pictures_.push_back(first);
    return true;
}

void RichTextView::ApplyMargins() {
    if (!window_) return;
    RECT client{};
    GetClientRect(window_, &client);
    const UINT dpi = DpiOf(window_);
    RECT text = client;
    text.left = std::min(client.right, client.left + Scale(kLeftMargin, dpi));
    text.right = std::max(text.left, client.right - Scale(kRightMargin, dpi));
    // EM_SETRECT rather than EM_SETMARGINS: the margins then hold in every version.
    SendMessageW(window_, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&text));
}

int RichTextView::LinkContaining(LONG position) const {
    for (size_t i = 0; i < links_.size(); ++i)
        if (links_[i].first <= position && position < links_[i].last) return static_cast<int>(i);
    return -1;
}

int RichTextView::LinkAt(POINT client) const {
    if (!window_ || links_.empty()) return -1;
    POINTL point{client.x, client.y};
    const LONG position = static_cast<LONG>(
        SendMessageW(window_, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)));
    const int link = LinkContaining(position);
    if (link < 0) return -1;
    // The control answers with the nearest character also beside or below the text: the
    // point must be on the character itself, between its left edge and the next
    // character's, and between its line's top and the next line's.
    POINTL left{}, right{};
    SendMessageW(window_, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&left), position);
    SendMessageW(window_, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&right), position + 1);
    const int fontHeight = MulDiv(LookOf(links_[static_cast<size_t>(link)].style).points + 3,
                                  static_cast<int>(DpiOf(window_)), 72);
    const LONG rightEdge = right.y == left.y && right.x > left.x ? right.x : left.x + fontHeight;
    LONG bottom = left.y + fontHeight;
    const LRESULT line = SendMessageW(window_, EM_EXLINEFROMCHAR, 0, position);
    const LRESULT next = SendMessageW(window_, EM_LINEINDEX, static_cast<WPARAM>(line + 1), 0);
    if (next > position) {
        POINTL below{};
        SendMessageW(window_, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&below), next);
        if (below.y > left.y) bottom = below.y;
    }
    if (client.x < left.x || client.x >= rightEdge) return -1;
    if (client.y < left.y || client.y >= bottom) return -1;
    return link;
}

void RichTextView::SetHotLink(int link) {
    if (link == hotLink_) return;
    if (hotLink_ >= 0 && hotLink_ < LinkCount()) {
        const Link& old = links_[static_cast<size_t>(hotLink_)];
        Recolour(old, LookOf(old.style).colour);
    }
    hotLink_ = link;
    if (hotLink_ >= 0) {
        Recolour(links_[static_cast<size_t>(hotLink_)], GetSysColor(COLOR_HIGHLIGHT));
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
        TrackMouseEvent(&track);
    }
}

void RichTextView::Recolour(const Link& link, COLORREF colour) {
    // Through the selection, which works on a read-only control in every version; the
    // reader's selection and scroll position come back, and nothing shows in between.
    const HeldPainting held(window_);
    const KeptReaderPlace place(window_);
    CHARRANGE range{link.first, link.last};
    SendMessageW(window_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_COLOR;
    format.crTextColor = colour;
    SendMessageW(window_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

LRESULT CALLBACK RichTextView::SubclassProcedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam, UINT_PTR, DWORD_PTR) {
    auto* view = WindowData<RichTextView>(window);
    if (!view) return DefSubclassProc(window, message, wParam, lParam);
    switch (message) {
        case WM_MOUSEMOVE:
            // Not while a drag selects text: recolouring goes through the selection.
            if (!(wParam & MK_LBUTTON))
                view->SetHotLink(view->LinkAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
            break;
        case WM_MOUSELEAVE:
            view->SetHotLink(-1);
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT cursor{};
                GetCursorPos(&cursor);
                ScreenToClient(window, &cursor);
                if (view->LinkAt(cursor) >= 0) {
                    SetCursor(LoadCursorW(nullptr, IDC_HAND));
                    return TRUE;
                }
            }
            break;
        case WM_SIZE:
        case WM_DPICHANGED_AFTERPARENT: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            view->ApplyMargins();
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, SubclassProcedure, kSubclassId);
            UnbindWindowData(window);
            view->window_ = nullptr;
            view->hotLink_ = -1;
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace glmx::ui
