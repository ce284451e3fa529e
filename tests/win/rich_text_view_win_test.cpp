// The rich text view in a plain top-level window whose WM_NOTIFY hands the view's
// notifications back to it, as the information panel does: the exact text the writes
// leave, the look of the seven styles, links and clicks, pictures, selection and copy,
// the margins and the hovered link.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "ui/win32/dpi.h"
#include "ui/win32/rich_text_view.h"

namespace glmx::ui {
namespace {

using info::PictureList;
using platform::win32::Narrow;
using platform::win32::UniqueWindow;

constexpr wchar_t kParentClass[] = L"GlmxRichTextViewTestParent";
constexpr int kViewId = 101;
const std::string kObject = "\xEF\xBF\xBC";  // U+FFFC, the object replacement character

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        auto* view = reinterpret_cast<RichTextView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (view && view->HandleNotify(*reinterpret_cast<const NMHDR*>(lParam))) return 1;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PumpMessages() {
    MSG message;
    for (int round = 0; round < 1000 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++round) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

class ImageList {
public:
    explicit ImageList(HIMAGELIST list) : list_(list) {}
    ~ImageList() {
        if (list_) ImageList_Destroy(list_);
    }
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    HIMAGELIST get() const { return list_; }

private:
    HIMAGELIST list_;
};

// A 32x32 list holding the system's warning icon (shared: not destroyed).
HIMAGELIST IconList() {
    HIMAGELIST list = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (list) ImageList_ReplaceIcon(list, -1, LoadIconW(nullptr, IDI_WARNING));
    return list;
}

class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool open() const { return open_; }

private:
    bool open_;
};

// What the window shows, frame included, as a 24-bit BMP file.
bool SaveWindowBitmap(HWND window, const std::wstring& path) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC windowDc = GetWindowDC(window);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    platform::win32::UniqueGdiObject bitmap(
        CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memoryDc, bitmap.get());
        BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
        SelectObject(memoryDc, old);
    }
    DeleteDC(memoryDc);
    ReleaseDC(window, windowDc);
    if (!bitmap || !bits) return false;
    const DWORD imageSize = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPFILEHEADER file{0x4D42, headers + imageSize, 0, 0, headers};
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) return false;
    const bool written = fwrite(&file, sizeof(file), 1, out) == 1 &&
                         fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
                         fwrite(bits, imageSize, 1, out) == 1;
    return fclose(out) == 0 && written;
}

class RichTextViewWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ParentProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kParentClass;
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassW(&windowClass);  // fails harmlessly from the second test on
        parent.reset(CreateWindowExW(0, kParentClass, L"Rich text view test",
                                     WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 620, 460,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(parent);
        SetWindowLongPtrW(parent.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&view));
        ASSERT_TRUE(view.Create(parent.get(), kViewId));
        view.SetBounds({0, 0, 600, 420});
        ShowWindow(parent.get(), SW_SHOW);
        UpdateWindow(parent.get());
        PumpMessages();
    }

    void TearDown() override {
        parent.reset();
        PumpMessages();
        CoUninitialize();
    }

    HWND edit() const { return view.Handle(); }

    // The format of the character at the position.
    CHARFORMAT2W FormatAt(LONG position) {
        CHARRANGE range{position, position + 1};
        SendMessageW(edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        CHARFORMAT2W format{};
        format.cbSize = sizeof(format);
        SendMessageW(edit(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        CHARRANGE none{0, 0};
        SendMessageW(edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&none));
        return format;
    }

    // The character position of ASCII text in the view: one position per character and
    // per line break.
    LONG PositionOf(const std::string& text) {
        const size_t at = view.Text().find(text);
        return at == std::string::npos ? -1 : static_cast<LONG>(at);
    }

    POINT PointOf(LONG position) {
        POINTL point{};
        SendMessageW(edit(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), position);
        return {point.x, point.y};
    }

    LONG Length() {
        GETTEXTLENGTHEX measure{GTL_PRECISE | GTL_NUMCHARS, 1200};
        return static_cast<LONG>(
            SendMessageW(edit(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0));
    }

    void Select(LONG first, LONG last) {
        SendMessageW(edit(), EM_SETSEL, static_cast<WPARAM>(first), static_cast<LPARAM>(last));
    }

    // A sample with every style, two links and a picture.
    void WriteSample(HIMAGELIST icons) {
        view.SetImageLists(icons, nullptr, nullptr);
        view.AddLine("Quenfield Glimmerbox", info::stTitle);
        view.AddLine("", info::stSpacer);
        view.AddPicture(0, PictureList::BigSystemImages);
        view.AddLine("Program", info::stSubheading);
        view.AddLine("File name: ", info::stLabel);
        view.Append("C:\\Program Files\\Quenfield\\glmx.exe", info::stNormal);
        view.AddLine("Company: ", info::stLabel);
        view.Append("Quenfield (a long line that wraps: words, commas; colons and {brackets} "
                    "break it where a reader expects)",
                    info::stNormal);
        view.AddLine("", info::stSpacer);
        view.AddLine("Search the web for ", info::stNormal);
        view.Append("glmx.exe", info::stLink);
        view.Append(" or show ", info::stNormal);
        view.Append("the folder", info::stLink2);
    }

    RichTextView view;
    UniqueWindow parent;
};

TEST_F(RichTextViewWinTest, AddLineStartsALineAndEveryBreakAnother) {
    view.AddLine("one", info::stNormal);
    view.AddLine("two", info::stNormal);
    EXPECT_EQ(view.Text(), "one\ntwo");

    view.Clear();
    view.AddLine("a\r\nb\rc\nd", info::stNormal);
    EXPECT_EQ(view.Text(), "a\nb\nc\nd");

    // LF then CR are two breaks; CR LF is one.
    view.Clear();
    view.AddLine("a\n\rb\r\n\r\nc", info::stNormal);
    EXPECT_EQ(view.Text(), "a\n\nb\n\nc");
}

TEST_F(RichTextViewWinTest, ABreakAtTheVeryEndAddsNoFurtherLine) {
    view.AddLine("\r\rsentence\r\r", info::stNormal);
    EXPECT_EQ(view.Text(), "\n\nsentence\n");

    view.Clear();
    view.AddLine("a\r\n", info::stNormal);
    view.AddLine("b\n", info::stNormal);
    view.AddLine("c\r", info::stNormal);
    EXPECT_EQ(view.Text(), "a\nb\nc");

    // A text that is only a break is one empty line.
    view.Clear();
    view.AddLine("\r\n", info::stNormal);
    view.AddLine("x", info::stNormal);
    EXPECT_EQ(view.Text(), "\nx");
}

TEST_F(RichTextViewWinTest, AnEmptyAddLineIsAnEmptyLine) {
    view.AddLine("", info::stNormal);
    EXPECT_EQ(view.Text(), "");
    view.AddLine("", info::stSpacer);
    view.AddLine("x", info::stNormal);
    view.AddLine("", info::stNormal);
    EXPECT_EQ(view.Text(), "\n\nx\n");
}

TEST_F(RichTextViewWinTest, AppendWritesOnTheCurrentLineAndOnAnEmptyViewTheFirst) {
    view.Append("a", info::stNormal);
    view.Append("b", info::stLabel);
    EXPECT_EQ(view.Text(), "ab");
    view.AddLine("c", info::stNormal);
    view.Append("d", info::stNormal);
    view.Append("", info::stNormal);
    EXPECT_EQ(view.Text(), "ab\ncd");
    // Breaks in an appended text start further lines.
    view.Append("e\r\nf\n", info::stNormal);
    EXPECT_EQ(view.Text(), "ab\ncde\nf");

    // An empty Append makes the first line: the next AddLine starts the second.
    view.Clear();
    view.Append("", info::stNormal);
    view.AddLine("x", info::stNormal);
    EXPECT_EQ(view.Text(), "\nx");
}

TEST_F(RichTextViewWinTest, AppendTextContinuesTheLineAndStartsOneLinePerFurtherPiece) {
    view.AddLine("Name: ", info::stLabel);
    view.AppendText("first\r\nsecond\rthird\nfourth\r\n", info::stNormal);
    EXPECT_EQ(view.Text(), "Name: first\nsecond\nthird\nfourth");
    EXPECT_EQ(FormatAt(PositionOf("third")).dwEffects & CFE_BOLD, 0u);

    // An empty text writes nothing, not even the first line.
    view.Clear();
    view.AppendText("", info::stNormal);
    view.AddLine("x", info::stNormal);
    EXPECT_EQ(view.Text(), "x");

    view.Clear();
    view.AppendText("only", info::stNormal);
    view.AppendText("\r\nnext", info::stNormal);
    EXPECT_EQ(view.Text(), "only\nnext");
}

TEST_F(RichTextViewWinTest, EveryStyleHasItsFontSizeWeightColourAndUnderline) {
    struct Expected {
        info::TextStyle style;
        const char* text;
        LONG twips;
        COLORREF colour;
        bool bold;
        bool underline;
        bool link;
    };
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    const std::vector<Expected> styles{
        {info::stNormal, "normal", 200, windowText, false, false, false},
        {info::stLabel, "label", 200, RGB(0, 0, 0), true, false, false},
        {info::stSubheading, "subheading", 200, RGB(0, 0, 128), true, false, false},
        {info::stTitle, "title", 240, RGB(0, 0, 0), true, false, false},
        {info::stLink, "linkone", 200, RGB(0, 0, 255), false, true, true},
        {info::stLink2, "linktwo", 200, RGB(0, 0, 0), false, true, true},
        {info::stSpacer, "spacer", 80, windowText, false, false, false},
    };
    for (const Expected& expected : styles) view.AddLine(expected.text, expected.style);
    for (const Expected& expected : styles) {
        SCOPED_TRACE(expected.text);
        const LONG at = PositionOf(expected.text);
        ASSERT_GE(at, 0);
        for (LONG position : {at, at + static_cast<LONG>(std::string(expected.text).size()) - 1}) {
            const CHARFORMAT2W format = FormatAt(position);
            EXPECT_EQ(Narrow(format.szFaceName), "Arial");
            EXPECT_EQ(format.yHeight, expected.twips);
            EXPECT_EQ(format.crTextColor, expected.colour);
            EXPECT_EQ(format.dwEffects & CFE_AUTOCOLOR, 0u);
            EXPECT_EQ((format.dwEffects & CFE_BOLD) != 0, expected.bold);
            EXPECT_EQ((format.dwEffects & CFE_UNDERLINE) != 0, expected.underline);
            EXPECT_EQ((format.dwEffects & CFE_LINK) != 0, expected.link);
            EXPECT_EQ(format.dwEffects & CFE_ITALIC, 0u);
        }
    }
}

TEST_F(RichTextViewWinTest, AStyleHoldsOnlyForItsOwnRun) {
    view.AddLine("Label: ", info::stLabel);
    view.Append("value", info::stNormal);
    view.Append("link", info::stLink);
    view.Append("after", info::stNormal);
    EXPECT_NE(FormatAt(PositionOf("Label")).dwEffects & CFE_BOLD, 0u);
    EXPECT_EQ(FormatAt(PositionOf("value")).dwEffects & CFE_BOLD, 0u);
    EXPECT_NE(FormatAt(PositionOf("link")).dwEffects & CFE_LINK, 0u);
    EXPECT_EQ(FormatAt(PositionOf("after")).dwEffects & (CFE_LINK | CFE_UNDERLINE), 0u);
    EXPECT_EQ(FormatAt(PositionOf("after")).crTextColor, GetSysColor(COLOR_WINDOWTEXT));
}

TEST_F(RichTextViewWinTest, LinksAreNumberedInOrderAndAClickReportsTheNumber) {
    std::vector<int> jumps;
    view.SetJumpHandler([&](int link) { jumps.push_back(link); });
    view.AddLine("See ", info::stNormal);
    view.Append("first", info::stLink);
    view.Append(" and ", info::stNormal);
    view.AddLine("second", info::stLink2);
    ASSERT_EQ(view.LinkCount(), 2);
    EXPECT_EQ(view.LinkText(0), "first");
    EXPECT_EQ(view.LinkText(1), "second");
    EXPECT_EQ(view.LinkText(2), "");

    // The control's notification of a click on the second link, as the parent gets it.
    ENLINK link{};
    link.nmhdr = {edit(), kViewId, static_cast<UINT>(EN_LINK)};
    link.msg = WM_LBUTTONUP;
    link.chrg = {PositionOf("second"), PositionOf("second") + 6};
    EXPECT_EQ(SendMessageW(parent.get(), WM_NOTIFY, kViewId, reinterpret_cast<LPARAM>(&link)), 1);
    EXPECT_EQ(jumps, std::vector<int>{1});

    // Moving over a link is no click; nor is a notification of another control.
    link.msg = WM_MOUSEMOVE;
    EXPECT_EQ(SendMessageW(parent.get(), WM_NOTIFY, kViewId, reinterpret_cast<LPARAM>(&link)), 0);
    link.msg = WM_LBUTTONUP;
    link.nmhdr.hwndFrom = parent.get();
    EXPECT_EQ(SendMessageW(parent.get(), WM_NOTIFY, kViewId, reinterpret_cast<LPARAM>(&link)), 0);
    EXPECT_EQ(jumps, std::vector<int>{1});

    // A real click on the first link: the control notifies the parent itself.
    const POINT point = PointOf(PositionOf("first") + 1);
    const LPARAM at = MAKELPARAM(point.x + 2, point.y + 4);
    SendMessageW(edit(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(edit(), WM_LBUTTONUP, 0, at);
    PumpMessages();
    EXPECT_EQ(jumps, (std::vector<int>{1, 0}));
}

TEST_F(RichTextViewWinTest, AdjacentLinksAreTwoLinksAndTheClickPointDecides) {
    std::vector<int> jumps;
    view.SetJumpHandler([&](int link) { jumps.push_back(link); });
    view.AddLine("left", info::stLink);
    view.Append("right", info::stLink);
    ASSERT_EQ(view.LinkCount(), 2);
    const POINT point = PointOf(PositionOf("right") + 2);
    const LPARAM at = MAKELPARAM(point.x + 1, point.y + 4);
    SendMessageW(edit(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(edit(), WM_LBUTTONUP, 0, at);
    PumpMessages();
    EXPECT_EQ(jumps, std::vector<int>{1});
}

TEST_F(RichTextViewWinTest, ClearRemovesTextLinksAndPictures) {
    const ImageList icons(IconList());
    view.SetImageLists(icons.get(), nullptr, nullptr);
    view.AddLine("text", info::stNormal);
    view.Append("link", info::stLink);
    view.AddPicture(0, PictureList::BigSystemImages);
    ASSERT_EQ(view.LinkCount(), 1);
    view.Clear();
    EXPECT_EQ(view.LinkCount(), 0);
    EXPECT_EQ(view.Text(), "");
    EXPECT_EQ(Length(), 0);
    // The view starts afresh: the first line needs no break, new links count from 0.
    view.AddLine("again", info::stLink);
    EXPECT_EQ(view.Text(), "again");
    EXPECT_EQ(view.LinkText(0), "again");
    EXPECT_EQ(FormatAt(0).yHeight, 200);
}

TEST_F(RichTextViewWinTest, APictureIsOneObjectOnALineOfItsOwn) {
    const ImageList icons(IconList());
    ASSERT_TRUE(icons.get());
    view.SetImageLists(icons.get(), nullptr, nullptr);
    view.AddLine("before", info::stNormal);
    const LONG before = Length();
    view.AddPicture(0, PictureList::BigSystemImages);
    EXPECT_EQ(Length(), before + 2);  // the line break and the object
    view.AddLine("after", info::stNormal);
    EXPECT_EQ(view.Text(), "before\n" + kObject + "\nafter");

    // A picture as the very first line, and two in a row.
    view.Clear();
    view.AddPicture(0, PictureList::BigSystemImages);
    EXPECT_EQ(Length(), 1);
    view.AddPicture(0, PictureList::BigSystemImages);
    view.AddLine("after", info::stNormal);
    EXPECT_EQ(view.Text(), kObject + "\n" + kObject + "\nafter");
}

TEST_F(RichTextViewWinTest, APictureWithoutImagesIsAnEmptyLine) {
    view.AddLine("before", info::stNormal);
    view.AddPicture(0, PictureList::Devices);  // no lists set
    view.AddLine("after", info::stNormal);
    EXPECT_EQ(view.Text(), "before\n\nafter");

    const ImageList icons(IconList());
    view.SetImageLists(icons.get(), nullptr, nullptr);
    view.Clear();
    view.AddPicture(5, PictureList::BigSystemImages);  // no such image
    view.AddPicture(-1, PictureList::BigSystemImages);
    view.AddPicture(0, PictureList::Searching);
    EXPECT_EQ(view.Text(), "\n\n");
}

TEST_F(RichTextViewWinTest, APictureIsDrawnWhereItsObjectIs) {
    const ImageList icons(IconList());
    view.SetImageLists(icons.get(), nullptr, nullptr);
    view.AddLine("before", info::stNormal);
    view.AddPicture(0, PictureList::BigSystemImages);
    view.AddLine("after", info::stNormal);
    view.Repaint();
    PumpMessages();

    const POINT corner = PointOf(PositionOf("before") + 7);
    HDC dc = GetDC(edit());
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    int drawn = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (GetPixel(dc, corner.x + x, corner.y + y) != background) ++drawn;
    ReleaseDC(edit(), dc);
    // The warning icon covers a good part of its square.
    EXPECT_GT(drawn, 200);
}

TEST_F(RichTextViewWinTest, SelectionExistsOnlyForANonEmptySelection) {
    view.AddLine("selectable text", info::stNormal);
    Select(3, 3);
    EXPECT_FALSE(view.SelectionExists());
    Select(0, 10);
    EXPECT_TRUE(view.SelectionExists());
    Select(0, 0);
    EXPECT_FALSE(view.SelectionExists());
}

TEST_F(RichTextViewWinTest, CopySelectionPutsTheSelectedTextOnTheClipboard) {
    {
        const OpenClipboardScope clipboard(parent.get());
        ASSERT_TRUE(clipboard.open());
        EmptyClipboard();
    }
    view.AddLine("Copy ", info::stNormal);
    view.Append("this", info::stLink);
    view.Append(" part", info::stLabel);
    Select(PositionOf("this"), PositionOf("this") + 9);
    view.CopySelection();

    const OpenClipboardScope clipboard(parent.get());
    ASSERT_TRUE(clipboard.open());
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    ASSERT_TRUE(data);
    const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    ASSERT_TRUE(text);
    const std::string copied = Narrow(text);
    GlobalUnlock(data);
    EXPECT_EQ(copied, "this part");
}

TEST_F(RichTextViewWinTest, TheTextKeepsMarginsOf20And5PixelsAtEverySize) {
    ASSERT_EQ(DpiOf(edit()), 96u);
    for (const RECT& bounds : {RECT{0, 0, 600, 420}, RECT{10, 20, 310, 220}}) {
        view.SetBounds(bounds);
        RECT client{};
        GetClientRect(edit(), &client);
        RECT text{};
        SendMessageW(edit(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
        EXPECT_EQ(text.left, 20);
        EXPECT_EQ(text.right, client.right - 5);
    }
    // Also when someone else resizes the control.
    SetWindowPos(edit(), nullptr, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER);
    RECT text{};
    SendMessageW(edit(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    RECT client{};
    GetClientRect(edit(), &client);
    EXPECT_EQ(text.left, 20);
    EXPECT_EQ(text.right, client.right - 5);
}

TEST_F(RichTextViewWinTest, TheControlIsAReadOnlyChildWithTheWindowBackground) {
    const LONG_PTR style = GetWindowLongPtrW(edit(), GWL_STYLE);
    // (WS_VSCROLL shows only once the text is longer than the control.)
    for (LONG_PTR bit : {LONG_PTR{WS_CHILD}, LONG_PTR{WS_VISIBLE}, LONG_PTR{ES_MULTILINE},
                         LONG_PTR{ES_READONLY}, LONG_PTR{ES_AUTOVSCROLL}})
        EXPECT_EQ(style & bit, bit) << bit;
    EXPECT_EQ(GetParent(edit()), parent.get());
    EXPECT_EQ(GetDlgCtrlID(edit()), kViewId);
    EXPECT_NE(SendMessageW(edit(), EM_GETEVENTMASK, 0, 0) & ENM_LINK, 0);
    // Setting the background again answers with the colour it had.
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(edit(), EM_SETBKGNDCOLOR, 1, 0)),
              GetSysColor(COLOR_WINDOW));
}

TEST_F(RichTextViewWinTest, WordsEndAtBlanksAndPunctuation) {
    const auto wordBreak =
        reinterpret_cast<EDITWORDBREAKPROCW>(SendMessageW(edit(), EM_GETWORDBREAKPROC, 0, 0));
    ASSERT_TRUE(wordBreak);
    std::wstring text = L"alpha.beta;gamma,delta:(epsilon){zeta}\"eta\" theta";
    // As a rich edit calls it: the size in bytes.
    const int size = static_cast<int>(text.size() * sizeof(wchar_t));
    for (size_t i = 0; i < text.size(); ++i) {
        const bool delimiter = std::wstring(L" .;,:(){}\"").find(text[i]) != std::wstring::npos;
        EXPECT_EQ(wordBreak(text.data(), static_cast<int>(i), size, WB_ISDELIMITER) != 0, delimiter)
            << i;
    }
    EXPECT_EQ(wordBreak(text.data(), 0, size, WB_MOVEWORDRIGHT), 6);    // beta
    EXPECT_EQ(wordBreak(text.data(), 26, size, WB_MOVEWORDRIGHT), 33);  // zeta
    EXPECT_EQ(wordBreak(text.data(), 14, size, WB_MOVEWORDLEFT), 11);   // gamma
    EXPECT_EQ(wordBreak(text.data(), 44, size, WB_MOVEWORDRIGHT), static_cast<int>(text.size()));
    EXPECT_EQ(wordBreak(text.data(), 0, size, WB_MOVEWORDLEFT), 0);
    EXPECT_EQ(wordBreak(text.data(), 5, 0, WB_ISDELIMITER), 0);

    // A double click selects the word between the delimiters.
    view.AddLine(Narrow(text), info::stNormal);
    const LONG beta = PositionOf("beta");
    const POINT point = PointOf(beta + 1);
    const LPARAM at = MAKELPARAM(point.x + 1, point.y + 4);
    SendMessageW(edit(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(edit(), WM_LBUTTONUP, 0, at);
    SendMessageW(edit(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(edit(), WM_LBUTTONUP, 0, at);
    CHARRANGE selection{};
    SendMessageW(edit(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(selection.cpMin, beta);
    EXPECT_EQ(selection.cpMax, beta + 5);  // with the delimiter after it, as words go
}

TEST_F(RichTextViewWinTest, AHoveredLinkTakesTheHighlightColourAndTheHandCursor) {
    view.AddLine("plain ", info::stNormal);
    view.Append("hover", info::stLink);
    view.AddLine("second", info::stLink2);
    const LONG link = PositionOf("hover");
    const POINT on = PointOf(link + 2);
    const POINT off = PointOf(PositionOf("plain") + 1);

    // The reader's selection stays as it was.
    Select(1, 4);
    SendMessageW(edit(), WM_MOUSEMOVE, 0, MAKELPARAM(on.x + 1, on.y + 4));
    CHARRANGE selection{};
    SendMessageW(edit(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(selection.cpMin, 1);
    EXPECT_EQ(selection.cpMax, 4);
    EXPECT_EQ(FormatAt(link).crTextColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(FormatAt(link + 4).crTextColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(FormatAt(PositionOf("second")).crTextColor, RGB(0, 0, 0));
    EXPECT_FALSE(view.SelectionExists());

    SendMessageW(edit(), WM_MOUSEMOVE, 0, MAKELPARAM(off.x + 1, off.y + 4));
    EXPECT_EQ(FormatAt(link).crTextColor, RGB(0, 0, 255));

    // Beside the end of the line is not on the link, nor is a drag that selects text.
    const POINT end = PointOf(link + 4);
    SendMessageW(edit(), WM_MOUSEMOVE, 0, MAKELPARAM(end.x + 60, end.y + 4));
    EXPECT_EQ(FormatAt(link).crTextColor, RGB(0, 0, 255));
    SendMessageW(edit(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(on.x + 1, on.y + 4));
    EXPECT_EQ(FormatAt(link).crTextColor, RGB(0, 0, 255));

    // The second link, then leaving the window, which restores it too.
    const POINT second = PointOf(PositionOf("second") + 1);
    SendMessageW(edit(), WM_MOUSEMOVE, 0, MAKELPARAM(second.x + 1, second.y + 4));
    EXPECT_EQ(FormatAt(PositionOf("second")).crTextColor, GetSysColor(COLOR_HIGHLIGHT));
    SendMessageW(edit(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(FormatAt(PositionOf("second")).crTextColor, RGB(0, 0, 0));

    // The hand over a link, the control's own cursor elsewhere.
    POINT screen{on.x + 1, on.y + 4};
    ClientToScreen(edit(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(edit(), WM_SETCURSOR, reinterpret_cast<WPARAM>(edit()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    screen = {off.x + 1, off.y + 4};
    ClientToScreen(edit(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(edit(), WM_SETCURSOR, reinterpret_cast<WPARAM>(edit()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(RichTextViewWinTest, WritingLeavesTheReaderAtTheTop) {
    for (int i = 0; i < 100; ++i) view.AddLine("line " + std::to_string(i), info::stNormal);
    PumpMessages();
    EXPECT_EQ(SendMessageW(edit(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_FALSE(view.SelectionExists());
    EXPECT_NE(GetWindowLongPtrW(edit(), GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_TRUE(IsWindowVisible(edit()));
}

TEST_F(RichTextViewWinTest, BringToFrontShowsTheViewOrCallsItsReplacement) {
    ShowWindow(edit(), SW_HIDE);
    HWND sibling = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50,
                                   parent.get(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(sibling);
    view.BringToFront();
    EXPECT_TRUE(IsWindowVisible(edit()));
    EXPECT_EQ(GetWindow(parent.get(), GW_CHILD), edit());

    int calls = 0;
    view.SetBringToFront([&] { ++calls; });
    view.BringToFront();
    EXPECT_EQ(calls, 1);
}

TEST_F(RichTextViewWinTest, WithoutTheControlEverythingIsHarmless) {
    RichTextView unmade;
    unmade.AddLine("text", info::stLink);
    unmade.Append("more", info::stNormal);
    unmade.AddPicture(0, PictureList::BigSystemImages);
    unmade.Repaint();
    unmade.CopySelection();
    unmade.Clear();
    EXPECT_EQ(unmade.Text(), "");
    EXPECT_FALSE(unmade.SelectionExists());
    NMHDR header{nullptr, 0, static_cast<UINT>(EN_LINK)};
    EXPECT_FALSE(unmade.HandleNotify(header));
}

TEST_F(RichTextViewWinTest, TheViewOutlivingItsWindowIsHarmless) {
    view.AddLine("text", info::stNormal);
    parent.reset();
    EXPECT_EQ(view.Handle(), nullptr);
    view.AddLine("more", info::stNormal);
    EXPECT_EQ(view.Text(), "");
}

// With GLMX_SCREENSHOTS naming a (Windows) folder, saves rich_text_view.bmp there.
TEST_F(RichTextViewWinTest, Screenshot) {
    const char* folder = std::getenv("GLMX_SCREENSHOTS");
    if (!folder || !*folder) GTEST_SKIP() << "set GLMX_SCREENSHOTS to a folder to save one";
    const ImageList icons(IconList());
    WriteSample(icons.get());
    // The mouse over the first link shows its highlight.
    const POINT hover = PointOf(PositionOf("for glmx.exe") + 6);
    SendMessageW(edit(), WM_MOUSEMOVE, 0, MAKELPARAM(hover.x + 1, hover.y + 4));
    view.SetBounds({0, 0, 420, 300});
    RedrawWindow(parent.get(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();

    const std::wstring path = platform::win32::Wide(folder) + L"\\rich_text_view.bmp";
    EXPECT_TRUE(SaveWindowBitmap(parent.get(), path));
}

}  // namespace
}  // namespace glmx::ui
