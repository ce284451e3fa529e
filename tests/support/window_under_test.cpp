#include "support/window_under_test.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

#include <cstdio>
#include <vector>

namespace glmx::testing {

WindowUnderTest::WindowUnderTest()
    : program_(std::make_unique<app::Program>(app::ProgramOptions{key_.Path(), &shell})) {
    program_->Create(GetModuleHandleW(nullptr));
    Main().ShowAtStart();
    PumpMessages();
}

WindowUnderTest::~WindowUnderTest() {
    program_.reset();
    PumpMessages();
    // The window posted WM_QUIT on its way out; it is not for the test runner.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

HWND WindowUnderTest::PageWindow(ui::Page page) {
    ui::NotebookPage* controller = Main().Pages().PageOf(page);
    return controller ? controller->PageWindow() : nullptr;
}

std::string WindowUnderTest::PageLabel(ui::Page page) {
    ui::NotebookPage* controller = Main().Pages().PageOf(page);
    return controller && controller->Bar() ? controller->Bar()->Label() : std::string();
}

HWND WindowUnderTest::ControlButton(ui::Page page) {
    ui::NotebookPage* controller = Main().Pages().PageOf(page);
    return controller && controller->Bar() ? controller->Bar()->Button() : nullptr;
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
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    using namespace platform::win32;
    const UniqueWindowDc windowDc(Handle(), GetWindowDC(Handle()));
    const UniqueCreatedDc memoryDc(CreateCompatibleDC(windowDc.get()));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB};
    void* bits = nullptr;
    const UniqueGdiObject bitmap(
        CreateDIBSection(windowDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return false;
    {
        const ScopedSelectObject selected(memoryDc.get(), bitmap.get());
        BitBlt(memoryDc.get(), 0, 0, width, height, windowDc.get(), 0, 0, SRCCOPY);
    }
    const int stride = (width * 3 + 3) & ~3;
    const DWORD imageSize = static_cast<DWORD>(stride * height);
    BITMAPFILEHEADER file{
        0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageSize),
        0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    bool saved = false;
    if (FILE* out = _wfopen(path.c_str(), L"wb")) {
        saved = fwrite(&file, sizeof(file), 1, out) == 1 &&
                fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
                fwrite(bits, imageSize, 1, out) == 1;
        fclose(out);
    }
    return saved;
}

}  // namespace glmx::testing
