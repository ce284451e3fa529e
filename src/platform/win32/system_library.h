// A library of the system folder, loaded by its full path, and typed look-ups of its
// functions: a bare name would be searched in the program's and the current folder too,
// where anyone could plant a DLL of that name.
#pragma once

#include <windows.h>

#include <string>
#include <type_traits>

#include "platform/win32/unique_handle.h"

namespace glmx::platform::win32 {

// The system folder without a trailing "\"; empty when it cannot be told.
std::wstring SystemFolder();

class SystemLibrary {
public:
    // Loads e.g. L"psapi.dll" from the system folder; empty when that fails.
    explicit SystemLibrary(const wchar_t* fileName);

    explicit operator bool() const noexcept { return static_cast<bool>(module_); }
    HMODULE get() const noexcept { return module_.get(); }
    // Keeps it loaded for the rest of the process, for windows of its classes that may
    // outlive this owner.
    HMODULE release() noexcept { return module_.release(); }

    // The exported function as the given pointer type; nullptr when the library is
    // missing or does not export it (functions of later Windows versions).
    template <typename F>
    F Function(const char* name) const {
        static_assert(std::is_pointer_v<F> && std::is_function_v<std::remove_pointer_t<F>>);
        if (!module_) return nullptr;
        // Through void (*)(): GCC takes that cast between function types as intended.
        return reinterpret_cast<F>(
            reinterpret_cast<void (*)()>(GetProcAddress(module_.get(), name)));
    }

private:
    UniqueModule module_;
};

}  // namespace glmx::platform::win32
