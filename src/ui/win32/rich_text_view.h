// The styled text view as a read-only rich edit control: runs in the seven styles,
// numbered links that report clicks, and pictures from the program's image lists.
// The text stays selectable and copyable. Links are numbered from 0 in the order
// they appear; a run written in a link style is one link. The control sends its
// notifications to its parent, whose WM_NOTIFY hands them to HandleNotify.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "info/styled_text_view.h"

namespace glmx::ui {

class RichTextView final : public info::StyledTextView {
public:
    RichTextView();
    // Destroys the control if its parent has not done so already.
    ~RichTextView() override;
    RichTextView(const RichTextView&) = delete;
    RichTextView& operator=(const RichTextView&) = delete;

    // A child window of the parent; nullptr when no rich edit library can be loaded.
    HWND Create(HWND parent, int id);
    HWND Handle() const { return window_; }
    // Moves the control (parent's client coordinates) and lays out its margins again.
    void SetBounds(const RECT& bounds);

    // The lists stay the caller's; AddPicture copies the image out of its list.
    void SetImageLists(HIMAGELIST bigSystemImages, HIMAGELIST devices, HIMAGELIST searching);
    // The device images come and go with the hardware view.
    void SetDeviceImages(HIMAGELIST devices) { devices_ = devices; }
    // Called with the link's number when the user clicks a link.
    void SetJumpHandler(std::function<void(int linkNumber)> handler);
    // Replaces what BringToFront does (by default: top of its siblings, shown).
    void SetBringToFront(std::function<void()> bringToFront);
    // For the parent's WM_NOTIFY. True when it was a click on a link of this view, which
    // it has then reported; the parent may answer nonzero (the click was used).
    bool HandleNotify(const NMHDR& header);

    int LinkCount() const { return static_cast<int>(links_.size()); }
    // The plain text, lines separated by "\n"; a picture is one U+FFFC character.
    std::string Text() const;
    // The text of link n; "" when there is no such link.
    std::string LinkText(int n) const;

    void Clear() override;
    void AddLine(std::string_view text, info::TextStyle style) override;
    void Append(std::string_view text, info::TextStyle style) override;
    void AppendText(std::string_view text, info::TextStyle style) override;
    void AddPicture(int index, info::PictureList list) override;
    void Format() override;
    void Repaint() override;
    void BringToFront() override;
    bool SelectionExists() const override;
    void CopySelection() override;

private:
    struct Link {
        LONG first;  // character positions [first, last)
        LONG last;
        info::TextStyle style;
    };

    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR id, DWORD_PTR data);

    LONG TextLength() const;
    // Starts a new line unless the view is still empty.
    void StartLine();
    // Writes the pieces of a text; the first one on the current line.
    void WritePieces(std::string_view text, info::TextStyle style);
    // Inserts at the end in the style, recording a link for a link style.
    void Insert(std::wstring_view text, info::TextStyle style, bool asLink);
    bool InsertPicture(HIMAGELIST images, int index);
    void ApplyMargins();
    int LinkContaining(LONG position) const;
    int LinkAt(POINT client) const;
    void SetHotLink(int link);
    void Recolour(const Link& link, COLORREF colour);

    HWND window_ = nullptr;
    HIMAGELIST bigSystemImages_ = nullptr;
    HIMAGELIST devices_ = nullptr;
    HIMAGELIST searching_ = nullptr;
    std::function<void(int)> jump_;
    std::function<void()> bringToFront_;
    std::vector<Link> links_;
    std::vector<LONG> pictures_;  // the positions of the pictures, ascending
    // False until the first line is started: the first write needs no line break.
    bool started_ = false;
    // The style of the last run, which the next line break takes (it ends that line).
    info::TextStyle lastStyle_ = info::stNormal;
    int hotLink_ = -1;
};

}  // namespace glmx::ui
