#pragma once

#include "platform/text_files.h"

namespace glmx::platform::win32 {

class Win32TextFiles final : public TextFiles {
public:
    std::optional<std::string> ReadBytes(const std::string& path, size_t maxBytes,
                                         std::string* reason) const override;
    bool WriteBytes(const std::string& path, std::string_view bytes, std::string* reason) override;
    std::string AnsiToUtf8(std::string_view text) const override;
    std::optional<std::string> Utf8ToAnsi(std::string_view text) const override;
};

}  // namespace glmx::platform::win32
