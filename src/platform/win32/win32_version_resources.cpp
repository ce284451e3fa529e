#include "platform/win32/win32_version_resources.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

namespace {

class Win32VersionResource final : public VersionResource {
public:
    explicit Win32VersionResource(std::vector<BYTE> block) : block_(std::move(block)) {}

    std::optional<FixedFileInfo> Fixed() const override {
        const auto [data, size] = Value(L"\\");
        if (size < sizeof(VS_FIXEDFILEINFO)) return std::nullopt;
        VS_FIXEDFILEINFO fixed;
        std::memcpy(&fixed, data, sizeof fixed);
        if (fixed.dwSignature != VS_FFI_SIGNATURE) return std::nullopt;
        return FixedFileInfo{fixed.dwFileVersionMS,    fixed.dwFileVersionLS,
                             fixed.dwProductVersionMS, fixed.dwProductVersionLS,
                             fixed.dwFileOS,           fixed.dwFileType};
    }

    std::vector<std::uint32_t> Translations() const override {
        // Pairs of WORDs, language first: read as little-endian DWORDs, language is the low word.
        const auto [data, size] = Value(L"\\VarFileInfo\\Translation");
        std::vector<std::uint32_t> translations(size / sizeof(std::uint32_t));
        if (!translations.empty())
            std::memcpy(translations.data(), data, translations.size() * sizeof(std::uint32_t));
        return translations;
    }

    std::optional<std::string> Query(std::string_view subBlock) const override {
        void* found = nullptr;
        UINT units = 0;
        if (!VerQueryValueW(block_.data(), Wide(subBlock).c_str(), &found, &units))
            return std::nullopt;
        if (!found) return std::string();
        // The length counts the terminating NUL in some files and not in others.
        const std::wstring_view text(
            static_cast<const wchar_t*>(found),
            Within(found, size_t{units} * sizeof(wchar_t)) / sizeof(wchar_t));
        return Narrow(text.substr(0, text.find(L'\0')));
    }

private:
    struct Found {
        const void* data;
        size_t size;  // in bytes, never past the block's end
    };

    // A binary value of the block; empty when it is missing.
    Found Value(const wchar_t* subBlock) const {
        void* found = nullptr;
        UINT size = 0;
        if (!VerQueryValueW(block_.data(), subBlock, &found, &size) || !found) return {nullptr, 0};
        return {found, Within(found, size)};
    }

    // How many of size bytes at data lie inside the block: a broken resource may
    // claim more than the file held.
    size_t Within(const void* data, size_t size) const {
        const auto at = reinterpret_cast<std::uintptr_t>(data);
        const auto begin = reinterpret_cast<std::uintptr_t>(block_.data());
        if (at < begin || at >= begin + block_.size()) return 0;
        return std::min(size, static_cast<size_t>(begin + block_.size() - at));
    }

    // VerQueryValueW may write text converted from an old ANSI resource into the
    // spare room the size call asked for, so the block is not treated as read-only.
    mutable std::vector<BYTE> block_;
};

}  // namespace

std::unique_ptr<VersionResource> Win32VersionResources::Read(const std::string& path) const {
    const std::wstring widePath = Wide(path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &ignored);
    if (size == 0) return nullptr;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(widePath.c_str(), 0, size, block.data())) return nullptr;
    return std::make_unique<Win32VersionResource>(std::move(block));
}

}  // namespace glmx::platform::win32
