// The styled text view the offline information is written into.
#pragma once

#include <string_view>

namespace glmx::info {

// The styles of the offline view, numbered as the view numbers them.
enum TextStyle : int {
    stNormal = 0,      // Arial 10 pt, window-text colour
    stLabel = 1,       // Arial 10 pt, black, bold
    stSubheading = 2,  // Arial 10 pt, navy, bold
    stTitle = 3,       // Arial 12 pt, black, bold
    stLink = 4,        // Arial 10 pt, blue, underlined; a link
    stLink2 = 5,       // Arial 10 pt, black, underlined; a link
    stSpacer = 6,      // Arial 4 pt, window-text colour
};

inline bool IsLinkStyle(TextStyle style) { return style == stLink || style == stLink2; }

// The image lists a picture line can come from.
enum class PictureList {
    BigSystemImages,  // 32x32 system icons
    Devices,          // device-class images
    Searching,        // the 46x59 "searching" picture
};

class StyledTextView {
public:
    virtual ~StyledTextView() = default;
    // Removes all text, pictures and links.
    virtual void Clear() = 0;
    // Starts a new line and writes the text; CR LF, a lone CR or a lone LF each
    // start another line; a break at the very end adds no further line.
    virtual void AddLine(std::string_view text, TextStyle style) = 0;
    // Writes on the current line (on a new line only when the view is empty).
    virtual void Append(std::string_view text, TextStyle style) = 0;
    // Like Append for the first piece of a multi-line text; each further piece
    // starts a new line in the same style; an empty text writes nothing.
    virtual void AppendText(std::string_view text, TextStyle style) = 0;
    // Starts a new line with an image of an image list.
    virtual void AddPicture(int index, PictureList list) = 0;
    virtual void Format() = 0;
    virtual void Repaint() = 0;
    // Makes the view the visible one of the views sharing the information panel.
    virtual void BringToFront() = 0;
    virtual bool SelectionExists() const = 0;
    virtual void CopySelection() = 0;
};

}  // namespace glmx::info
