#include "ui/win32/dpi.h"

#include <cstddef>

#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"

namespace glmx::ui {

namespace {

using platform::win32::SystemLibrary;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

// Looked up once: these exist from Windows 10 on only.
const SystemLibrary& User32() {
    static const SystemLibrary user32(L"user32.dll");
    return user32;
}

// Windows before Vista knows the structure without iPaddedBorderWidth and refuses the
// full size; asked with the short one, it fills everything up to the message font.
constexpr UINT kPreVistaMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);

// The metrics at the system DPI; the message font stays zero (the default font) when
// they cannot be read.
NONCLIENTMETRICSW SystemMetrics() {
    NONCLIENTMETRICSW metrics{};
    for (const UINT size : {static_cast<UINT>(sizeof(metrics)), kPreVistaMetricsSize}) {
        metrics = {};
        metrics.cbSize = size;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, size, &metrics, 0)) break;
    }
    return metrics;
}

}  // namespace

UINT DpiOf(HWND window) {
    static const auto getDpiForWindow =
        User32().Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    const platform::win32::UniqueWindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

HFONT CreateMessageFont(UINT dpi, bool bold, int designedPixelHeight) {
    static const auto parametersForDpi =
        User32().Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    // Where this exists, so does the full structure.
    const bool scaled = parametersForDpi && parametersForDpi(SPI_GETNONCLIENTMETRICS,
                                                             sizeof(metrics), &metrics, 0, dpi);
    if (!scaled) metrics = SystemMetrics();
    LOGFONTW font = metrics.lfMessageFont;
    if (!scaled)
        font.lfHeight =
            MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(DpiOf(nullptr)));
    if (designedPixelHeight > 0) font.lfHeight = -Scale(designedPixelHeight, dpi);
    if (bold) font.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&font);
}

}  // namespace glmx::ui
