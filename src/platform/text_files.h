// Small text files that other programs read too (search.cfg, Internet shortcuts): whole
// reads and writes, and the system's ANSI code page they are kept in.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace glmx::platform {

class TextFiles {
public:
    virtual ~TextFiles() = default;
    // The file's bytes, at most maxBytes of them; nullopt when it cannot be read, with the
    // system's reason in *reason when asked.
    virtual std::optional<std::string> ReadBytes(const std::string& path, size_t maxBytes,
                                                 std::string* reason = nullptr) const = 0;
    // Replaces the file's content: written beside it first, then put in its place, so a
    // failed write leaves the old file whole. False with the system's reason on failure.
    virtual bool WriteBytes(const std::string& path, std::string_view bytes,
                            std::string* reason = nullptr) = 0;
    // Text in the system's ANSI code page to UTF-8.
    virtual std::string AnsiToUtf8(std::string_view text) const = 0;
    // nullopt when a character has no place in the code page.
    virtual std::optional<std::string> Utf8ToAnsi(std::string_view text) const = 0;
};

}  // namespace glmx::platform
