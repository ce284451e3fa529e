// The rich text view in a plain top-level window whose WM_NOTIFY hands the view's
// notifications back to it, as the information panel does.
// clang-format off
#include <windows.h>  // before the other system headers
// clang-format on
#include <commctrl.h>
#include <gtest/gtest.h>
#include <richedit.h>
#include <windowsx.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "support/shell_test_fixture.h"
#include "ui/win32/dpi.h"
#include "ui/win32/rich_text_view.h"

namespace glmx::ui {
namespace {

using glmx::testing::PumpMessages;
using info::PictureList;
using platform::win32::Narrow;

const std::string kObject = "\xEF\xBF\xBC";  // U+FFFC, the object replacement character
const COLORREF kBlue = RGB(0, 0, 255), kBlack = RGB(0, 0, 0);

// What the host window asks of the control it holds.
struct Hosted {
    RichTextView& view;
    HWND Create(HWND parent, int id) { return view.Create(parent, id); }
    HWND Handle() const { return view.Handle(); }
    bool OnNotify(const NMHDR& header, LRESULT& result) {
        result = view.HandleNotify(header) ? 1 : 0;
        return true;
    }
};

class RichTextViewWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        parent = glmx::testing::HostWindow(hosted, L"GlmxRichTextViewTestParent", 620, 460);
        ASSERT_TRUE(parent);
        PumpMessages();
    }

    void TearDown() override {
        parent.reset();
        PumpMessages();
        CoUninitialize();
    }

    HWND edit() const { return view.Handle(); }

    CHARFORMAT2W FormatAt(LONG position) {
        CHARRANGE range{position, position + 1}, none{0, 0};
        SendMessageW(edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        CHARFORMAT2W format{};
        format.cbSize = sizeof(format);
        SendMessageW(edit(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        SendMessageW(edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&none));
        return format;
    }

    // ASCII text's position: one per character and per line break.
    LONG PositionOf(const std::string& text) {
        const size_t at = view.Text().find(text);
        return at == std::string::npos ? -1 : static_cast<LONG>(at);
    }

    // A point a little inside the character at the position.
    LPARAM PointOf(LONG position, int dx = 1, int dy = 4) {
        POINTL point{};
        SendMessageW(edit(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), position);
        return MAKELPARAM(point.x + dx, point.y + dy);
    }

    std::pair<LONG, LONG> Selection() {
        CHARRANGE selection{};
        SendMessageW(edit(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
        return {selection.cpMin, selection.cpMax};
    }

    RichTextView view;
    Hosted hosted{view};
    platform::win32::UniqueWindow parent;
};

TEST_F(RichTextViewWinTest, LineBreaksFollowTheWritesAndTheBreaksInTheText) {
    // Each write's first letter: L = AddLine, A = Append, T = AppendText. CR LF, a lone CR and
    // a lone LF each break the line, a break at the very end adds no further line.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"Lone", "Ltwo"}, "one\ntwo"},
        {{"La\r\nb\rc\nd"}, "a\nb\nc\nd"},
        {{"La\n\rb\r\n\r\nc"}, "a\n\nb\n\nc"},  // LF then CR are two breaks
        {{"L\r\rsentence\r\r"}, "\n\nsentence\n"},
        {{"La\r\n", "Lb\n", "Lc\r"}, "a\nb\nc"},
        {{"L", "L", "Lx", "L"}, "\n\nx\n"},
        {{"Aa", "Ab", "Lc", "Ad", "A", "Ae\r\nf\n"}, "ab\ncde\nf"},
        {{"A", "Lx"}, "\nx"},  // an empty Append makes the first line
        {{"LName: ", "Tfirst\r\nsecond\rthird\nfourth\r\n"}, "Name: first\nsecond\nthird\nfourth"},
        {{"T", "Lx"}, "x"},  // an empty AppendText writes nothing
        {{"Tonly", "T\r\nnext"}, "only\nnext"},
    };
    for (const auto& [writes, expected] : cases) {
        view.Clear();
        for (const std::string& write : writes) {
            const std::string text = write.substr(1);
            if (write[0] == 'L') view.AddLine(text, info::stNormal);
            if (write[0] == 'A') view.Append(text, info::stNormal);
            if (write[0] == 'T') view.AppendText(text, info::stNormal);
        }
        EXPECT_EQ(view.Text(), expected) << "for \"" << writes.front() << "\"...";
    }
}

TEST_F(RichTextViewWinTest, EveryStyleHasItsLookAndHoldsOnlyForItsOwnRun) {
    // Written on one line; the last piece of each text is the one checked.
    struct Expected {
        info::TextStyle style;
        std::string text;
        LONG twips;
        COLORREF colour;
        bool bold, underline, link;
    };
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    const std::vector<Expected> styles{
        {info::stTitle, "title", 240, kBlack, true, false, false},
        {info::stLabel, "label", 200, kBlack, true, false, false},
        {info::stNormal, "normal", 200, windowText, false, false, false},
        {info::stLink, "linkone", 200, kBlue, false, true, true},
        {info::stSubheading, "subheading", 200, RGB(0, 0, 128), true, false, false},
        {info::stLink2, "linktwo", 200, kBlack, false, true, true},
        {info::stSpacer, "x\r\nspacer", 80, windowText, false, false, false},
    };
    for (const Expected& expected : styles) view.Append(expected.text, expected.style);
    for (const Expected& expected : styles) {
        const std::string piece = expected.text.substr(expected.text.rfind('\n') + 1);
        const LONG at = PositionOf(piece);
        ASSERT_GE(at, 0);
        for (LONG position : {at, at + static_cast<LONG>(piece.size()) - 1}) {
            SCOPED_TRACE(piece + " at " + std::to_string(position));
            const CHARFORMAT2W format = FormatAt(position);
            EXPECT_EQ(Narrow(format.szFaceName), "Arial");
            EXPECT_EQ(format.yHeight, expected.twips);
            EXPECT_EQ(format.crTextColor, expected.colour);
            EXPECT_EQ(format.dwEffects & (CFE_AUTOCOLOR | CFE_ITALIC), 0u);
            EXPECT_EQ((format.dwEffects & CFE_BOLD) != 0, expected.bold);
            EXPECT_EQ((format.dwEffects & CFE_UNDERLINE) != 0, expected.underline);
            EXPECT_EQ((format.dwEffects & CFE_LINK) != 0, expected.link);
        }
    }
}

TEST_F(RichTextViewWinTest, LinksAreNumberedInOrderAndAClickReportsTheNumber) {
    std::vector<int> jumps;
    view.SetJumpHandler([&](int link) { jumps.push_back(link); });
    view.AddLine("See ", info::stNormal);
    view.Append("first", info::stLink);
    view.Append("second", info::stLink);  // adjacent: the control reports one range
    ASSERT_EQ(view.LinkCount(), 2);
    EXPECT_EQ(view.LinkText(1) + view.LinkText(0) + view.LinkText(2), "secondfirst");

    // Real clicks, reported as one range for adjacent links: the point decides. A
    // notification of another control is not the view's.
    for (const LPARAM at :
         {PointOf(PositionOf("second") + 2), PointOf(PositionOf("first") + 1, 2)}) {
        SendMessageW(edit(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(edit(), WM_LBUTTONUP, 0, at);
        PumpMessages();
    }
    EXPECT_EQ(jumps, (std::vector<int>{1, 0}));
    ENLINK link{{parent.get(), 7, static_cast<UINT>(EN_LINK)}, WM_LBUTTONUP, 0, 0, {4, 9}};
    EXPECT_EQ(SendMessageW(parent.get(), WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&link)), 0);

    view.Clear();  // starts afresh: new links count from 0
    view.AddLine("again", info::stLink);
    EXPECT_EQ(view.LinkText(0), "again");
}

TEST_F(RichTextViewWinTest, PicturesAreOneObjectOnALineOfTheirOwnAndAreDrawn) {
    const platform::win32::UniqueImageList icons(
        ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 1));
    ASSERT_EQ(ImageList_ReplaceIcon(icons.get(), -1, LoadIconW(nullptr, IDI_WARNING)), 0);
    view.SetImageLists(icons.get(), nullptr, nullptr);
    view.AddLine("before", info::stNormal);
    view.AddPicture(0, PictureList::BigSystemImages);
    view.AddLine("after", info::stNormal);
    EXPECT_EQ(view.Text(), "before\n" + kObject + "\nafter");

    view.Repaint();
    PumpMessages();
    const LPARAM corner = PointOf(7, 0, 0);  // the object's
    const platform::win32::UniqueWindowDc dc(edit());
    int drawn = 0;
    for (int i = 0; i < 32 * 32; ++i)
        drawn += GetPixel(dc.get(), GET_X_LPARAM(corner) + i % 32, GET_Y_LPARAM(corner) + i / 32) !=
                 GetSysColor(COLOR_WINDOW);
    EXPECT_GT(drawn, 200);  // the warning icon covers a good part of its square

    // First line, two in a row; no such image or no list is an empty line.
    view.Clear();
    for (int index : {0, 0, 5, -1}) view.AddPicture(index, PictureList::BigSystemImages);
    view.AddPicture(0, PictureList::Devices);
    view.AddLine("after", info::stNormal);
    EXPECT_EQ(view.Text(), kObject + "\n" + kObject + "\n\n\n\nafter");
}

TEST_F(RichTextViewWinTest, TheTextKeepsMarginsOf20And5PixelsAtEverySize) {
    ASSERT_EQ(DpiOf(edit()), 96u);
    // The host window sized the control itself; then the view does.
    for (bool byView : {false, true}) {
        if (byView) view.SetBounds({10, 20, 310, 220});
        RECT client{}, text{};
        GetClientRect(edit(), &client);
        SendMessageW(edit(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
        EXPECT_EQ(text.left, 20);
        EXPECT_EQ(text.right, client.right - 5);
    }
}

TEST_F(RichTextViewWinTest, ADoubleClickSelectsAWordBetweenBlanksAndPunctuation) {
    const auto wordBreak =
        reinterpret_cast<EDITWORDBREAKPROCW>(SendMessageW(edit(), EM_GETWORDBREAKPROC, 0, 0));
    ASSERT_TRUE(wordBreak);
    std::wstring text = L"alpha.beta;gamma,delta:(epsilon){zeta}\"eta\" theta";
    const int size = static_cast<int>(text.size() * sizeof(wchar_t));  // in bytes, as rich edit
    EXPECT_EQ(wordBreak(text.data(), 14, size, WB_MOVEWORDLEFT), 11);  // gamma
    EXPECT_EQ(wordBreak(text.data(), 44, size, WB_MOVEWORDRIGHT), static_cast<int>(text.size()));

    view.AddLine(Narrow(text), info::stNormal);
    const LONG beta = PositionOf("beta");
    const LPARAM at = PointOf(beta + 1);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageW(edit(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    EXPECT_EQ(Selection(), std::pair(beta, beta + 5));  // with the delimiter after it
}

TEST_F(RichTextViewWinTest, AHoveredLinkTakesTheHighlightColourAndTheHandCursor) {
    view.AddLine("plain ", info::stNormal);
    view.Append("hover", info::stLink);
    view.AddLine("second", info::stLink2);
    const LONG link = PositionOf("hover"), second = PositionOf("second");
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    view.SetJumpHandler([](int) { ADD_FAILURE() << "moving over a link is no click"; });
    const auto move = [&](LPARAM at, WPARAM keys = 0) {
        SendMessageW(edit(), WM_MOUSEMOVE, keys, at);
    };

    SendMessageW(edit(), EM_SETSEL, 1, 4);  // the reader's selection stays as it was
    move(PointOf(link + 2));
    EXPECT_EQ(Selection(), std::pair(1L, 4L));
    EXPECT_EQ(FormatAt(link + 4).crTextColor, highlight);

    // Each link gets its own colour back: on moving to another one, and on leaving.
    move(PointOf(second + 1));
    EXPECT_EQ(FormatAt(link).crTextColor, kBlue);
    EXPECT_EQ(FormatAt(second).crTextColor, highlight);
    SendMessageW(edit(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(FormatAt(second).crTextColor, kBlack);

    // Beside the end of the line is not on the link, nor is a drag that selects text.
    move(PointOf(link + 4, 60));
    EXPECT_EQ(FormatAt(link).crTextColor, kBlue);
    move(PointOf(link + 2), MK_LBUTTON);
    EXPECT_EQ(FormatAt(link).crTextColor, kBlue);

    // The hand over a link, the control's own cursor elsewhere.
    for (const auto& [at, hand] :
         {std::pair{PointOf(link + 2), true}, std::pair{PointOf(PositionOf("plain") + 1), false}}) {
        POINT screen{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
        ClientToScreen(edit(), &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageW(edit(), WM_SETCURSOR, reinterpret_cast<WPARAM>(edit()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor() == LoadCursorW(nullptr, IDC_HAND), hand);
    }
}

TEST_F(RichTextViewWinTest, WritingLeavesTheReaderAtTheTopOfAReadOnlyText) {
    for (int i = 0; i < 100; ++i) view.AddLine("line " + std::to_string(i), info::stNormal);
    PumpMessages();
    EXPECT_EQ(SendMessageW(edit(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_FALSE(view.SelectionExists());
    EXPECT_NE(GetWindowLongPtrW(edit(), GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(RichTextViewWinTest, WithoutTheControlOrAfterItEverythingIsHarmless) {
    RichTextView unmade;
    unmade.AddLine("text", info::stLink);
    unmade.AddPicture(0, PictureList::BigSystemImages);
    unmade.CopySelection();
    EXPECT_EQ(unmade.Text(), "");
    EXPECT_FALSE(unmade.HandleNotify(NMHDR{nullptr, 0, static_cast<UINT>(EN_LINK)}));

    view.AddLine("text", info::stNormal);
    parent.reset();  // the view outlives its window
    EXPECT_EQ(view.Handle(), nullptr);
    view.AddLine("more", info::stNormal);
    EXPECT_EQ(view.Text(), "");
}

}  // namespace
}  // namespace glmx::ui
