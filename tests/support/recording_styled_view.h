// A styled text view that logs what is written into it, one entry a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "info/styled_text_view.h"

namespace glmx::info {

class RecordingView final : public StyledTextView {
public:
    void Clear() override { log.push_back("clear"); }
    // One entry a line: "style [text]", with " + " before an appended part and " & " before
    // a multi-line one; the normal style is not named.
    void AddLine(std::string_view text, TextStyle style) override {
        log.push_back(Part(text, style));
    }
    void Append(std::string_view text, TextStyle style) override {
        log.back() += " + " + Part(text, style);
    }
    void AppendText(std::string_view text, TextStyle style) override {
        log.back() += " & " + Part(text, style);
    }
    void AddPicture(int index, PictureList list) override {
        static const char* const lists[] = {" big", " devices", " searching"};
        log.push_back("picture " + std::to_string(index) + lists[static_cast<int>(list)]);
    }
    void Format() override { log.push_back("format"); }
    void Repaint() override { log.push_back("repaint"); }
    void BringToFront() override { log.push_back("front"); }
    bool SelectionExists() const override { return false; }
    void CopySelection() override {}

    std::vector<std::string> log;

private:
    static std::string Part(std::string_view text, TextStyle style) {
        static const char* const styles[] = {"",      "label ", "subheading ", "title ",
                                             "link ", "link2 ", "spacer "};
        return styles[style] + ("[" + std::string(text) + "]");
    }
};

}  // namespace glmx::info
