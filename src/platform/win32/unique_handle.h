// Move-only owners for every kind of Windows handle the program opens.
#pragma once

#include <windows.h>
// Needs the types of windows.h first.
#include <commctrl.h>

#include <utility>

namespace glmx::platform::win32 {

template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type value) noexcept : value_(value) {}
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Type get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::Invalid(); }
    Type release() noexcept { return std::exchange(value_, Traits::Invalid()); }
    void reset(Type value = Traits::Invalid()) noexcept {
        if (value_ != Traits::Invalid()) Traits::Close(value_);
        value_ = value;
    }
    // For out-parameters: closes what is held and hands out the slot.
    Type* put() noexcept {
        reset();
        return &value_;
    }

private:
    Type value_ = Traits::Invalid();
};

struct HKeyTraits {
    using Type = HKEY;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type key) noexcept { RegCloseKey(key); }
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type handle) noexcept { CloseHandle(handle); }
};

// Handles that signal failure with INVALID_HANDLE_VALUE (files, snapshots).
struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) noexcept { CloseHandle(handle); }
};

struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) noexcept { FindClose(handle); }
};

struct MenuTraits {
    using Type = HMENU;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type menu) noexcept { DestroyMenu(menu); }
};

struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type object) noexcept { DeleteObject(object); }
};

struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type module) noexcept { FreeLibrary(module); }
};

struct WindowTraits {
    using Type = HWND;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type window) noexcept { DestroyWindow(window); }
};

struct ImageListTraits {
    using Type = HIMAGELIST;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type list) noexcept { ImageList_Destroy(list); }
};

struct AcceleratorTableTraits {
    using Type = HACCEL;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type table) noexcept { DestroyAcceleratorTable(table); }
};

// DCs from CreateDCW or CreateCompatibleDC. A window's DC is released instead: UniqueWindowDc.
struct CreatedDcTraits {
    using Type = HDC;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type dc) noexcept { DeleteDC(dc); }
};

using UniqueHKey = UniqueHandle<HKeyTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueAcceleratorTable = UniqueHandle<AcceleratorTableTraits>;
using UniqueCreatedDc = UniqueHandle<CreatedDcTraits>;

// A DC from GetDC, GetWindowDC or GetDCEx, given back with ReleaseDC: that needs the
// window it came from as well.
class UniqueWindowDc {
public:
    UniqueWindowDc() noexcept = default;
    // The DC of the window's client area; of the screen for nullptr.
    explicit UniqueWindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    UniqueWindowDc(HWND window, HDC dc) noexcept : window_(window), dc_(dc) {}
    UniqueWindowDc(UniqueWindowDc&& other) noexcept
        : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    UniqueWindowDc& operator=(UniqueWindowDc&& other) noexcept {
        if (this != &other) {
            reset();
            window_ = other.window_;
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    UniqueWindowDc(const UniqueWindowDc&) = delete;
    UniqueWindowDc& operator=(const UniqueWindowDc&) = delete;
    ~UniqueWindowDc() { reset(); }

    HDC get() const noexcept { return dc_; }
    HWND window() const noexcept { return window_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }
    // The caller gives it back with ReleaseDC(window(), dc).
    HDC release() noexcept { return std::exchange(dc_, nullptr); }
    void reset() noexcept {
        if (dc_) ReleaseDC(window_, std::exchange(dc_, nullptr));
    }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// Selects a GDI object into a DC and selects the one it replaced back when it goes, so
// that the object can be deleted and the DC released in the state it was handed out.
// Declare it after the owners of the object and the DC: it must go before them. Not for
// regions: selecting one replaces nothing.
class ScopedSelectObject {
public:
    ScopedSelectObject() noexcept = default;
    ScopedSelectObject(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ScopedSelectObject(ScopedSelectObject&& other) noexcept
        : dc_(other.dc_), previous_(std::exchange(other.previous_, nullptr)) {}
    ScopedSelectObject& operator=(ScopedSelectObject&& other) noexcept {
        if (this != &other) {
            reset();
            dc_ = other.dc_;
            previous_ = std::exchange(other.previous_, nullptr);
        }
        return *this;
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
    ~ScopedSelectObject() { reset(); }

    // False when nothing was selected (a bad DC or object).
    explicit operator bool() const noexcept { return previous_ != nullptr; }
    // Selects the replaced object back now.
    void reset() noexcept {
        if (previous_) SelectObject(dc_, std::exchange(previous_, nullptr));
    }
    // Leaves the new object selected; gives the one it replaced.
    HGDIOBJ release() noexcept { return std::exchange(previous_, nullptr); }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace glmx::platform::win32
