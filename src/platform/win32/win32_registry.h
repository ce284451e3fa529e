// The real registry through the wide-character API.
#pragma once

#include "platform/registry.h"

namespace glmx::platform::win32 {

// Which registry a 64-bit Windows shows: the program's own, or the one 32-bit or
// 64-bit programs see (HKEY_LOCAL_MACHINE\Software differs between them).
enum class RegistryView { Native, Bits32, Bits64 };

class Win32Registry final : public Registry {
public:
    explicit Win32Registry(RegistryView view = RegistryView::Native);

    std::unique_ptr<RegistryKey> OpenKey(RegRoot root, std::string_view path,
                                         RegAccess access) override;
    std::unique_ptr<RegistryKey> CreateKey(RegRoot root, std::string_view path) override;
    bool DeleteKeyTree(RegRoot root, std::string_view path) override;

private:
    unsigned long view_;  // the REGSAM flag of the view, added to every open
};

}  // namespace glmx::platform::win32
