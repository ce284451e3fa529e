// Text files in memory for tests: paths ignore ASCII case; the "ANSI code page" is
// Latin-1, so a character beyond U+00FF has no place in it.
#pragma once

#include <map>
#include <set>

#include "platform/text.h"
#include "platform/text_files.h"

namespace glmx::platform {

class FakeTextFiles final : public TextFiles {
public:
    void Put(const std::string& path, std::string bytes) {
        files_[AsciiUpper(path)] = std::move(bytes);
    }
    const std::string* Get(const std::string& path) const {
        const auto found = files_.find(AsciiUpper(path));
        return found == files_.end() ? nullptr : &found->second;
    }
    // Writes to this path fail from now on.
    void RefuseWrites(const std::string& path) { refused_.insert(AsciiUpper(path)); }

    std::optional<std::string> ReadBytes(const std::string& path, size_t maxBytes,
                                         std::string* reason) const override {
        const std::string* bytes = Get(path);
        if (!bytes) {
            if (reason) *reason = "The system cannot find the file specified.";
            return std::nullopt;
        }
        return bytes->substr(0, maxBytes);
    }
    bool WriteBytes(const std::string& path, std::string_view bytes, std::string* reason) override {
        if (refused_.contains(AsciiUpper(path))) {
            if (reason) *reason = "Access is denied.";
            return false;
        }
        Put(path, std::string(bytes));
        return true;
    }
    std::string AnsiToUtf8(std::string_view text) const override {
        std::u16string wide;
        for (const char c : text) wide += static_cast<char16_t>(static_cast<unsigned char>(c));
        return Utf16ToUtf8(wide);
    }
    std::optional<std::string> Utf8ToAnsi(std::string_view text) const override {
        std::string ansi;
        for (const char16_t unit : Utf8ToUtf16(text)) {
            if (unit > 0xFF) return std::nullopt;
            ansi += static_cast<char>(unit);
        }
        return ansi;
    }

private:
    std::map<std::string, std::string> files_;
    std::set<std::string> refused_;
};

}  // namespace glmx::platform
