#include "support/window_under_test.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/command_line.h"
#include "platform/win32/wide.h"

#include <cstdio>
#include <vector>

namespace glmx::testing {

WindowUnderTest::WindowUnderTest() {
    static const bool controlsReady = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_COOL_CLASSES |
                                                            ICC_BAR_CLASSES | ICC_LINK_CLASS};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)controlsReady;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string programPath = platform::win32::Narrow(path);
    window_ = std::make_unique<ui::TFMain>(ui::MainWindowContext{
        stores_, display_, programPath, app::ProgramFolderOf(programPath), viewKind_, versions_});
    window_->Create(GetModuleHandleW(nullptr));
    messages.SetOwner(window_->Handle());
    offlinePanel = std::make_unique<ui::OfflinePanel>(*window_, registry_, locale, versions_, shell);
    inventoryViews = std::make_unique<ui::InventoryViews>(
        *window_, ui::InventoryPlatform{processes, windows, versions_, shell, messages},
        ui::InventoryCollectors{applications, runningPrograms}, offlinePanel->Builder());
    ui::ViewServices services = inventoryViews->Services();
    services.offline = offlinePanel.get();
    window_->SetServices(services);
    window_->ShowAtStart();
    PumpMessages();
}

WindowUnderTest::~WindowUnderTest() {
    inventoryViews.reset();
    offlinePanel.reset();
    if (window_->Handle()) DestroyWindow(window_->Handle());
    PumpMessages();
    // The window posted WM_QUIT on its way out; it is not for the test runner.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void WindowUnderTest::PumpMessages() {
    MSG message;
    for (int round = 0; round < 1000 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++round) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void WindowUnderTest::Resize(int width, int height) {
    SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
}

bool WindowUnderTest::SaveScreenshot(const std::wstring& path) {
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC windowDc = GetWindowDC(Handle());
    HDC memoryDc = CreateCompatibleDC(windowDc);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memoryDc, bitmap);
    BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    SelectObject(memoryDc, old);
    const int stride = (width * 3 + 3) & ~3;
    const DWORD imageSize = static_cast<DWORD>(stride * height);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageSize),
                          0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    bool saved = false;
    if (FILE* out = _wfopen(path.c_str(), L"wb")) {
        saved = fwrite(&file, sizeof(file), 1, out) == 1 &&
                fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
                fwrite(bits, imageSize, 1, out) == 1;
        fclose(out);
    }
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(Handle(), windowDc);
    return saved;
}

}  // namespace glmx::testing
