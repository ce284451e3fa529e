// Imports on purpose what Windows XP x64 / Server 2003 lack, and is linked for a
// newer subsystem: the import check must name all of it.
#include <wchar.h>
#include <windows.h>

int main(void) {
    wchar_t text[8];
    wcscpy_s(text, 8, L"probe");
    return (int)(GetTickCount64() & 1) + (int)GetDpiForWindow(GetDesktopWindow()) + text[0];
}
