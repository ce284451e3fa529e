// The owners of unique_handle.h and the system library loader, against real handles.
#include <windows.h>
// Needs the types of windows.h first.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/command_line.h"
#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_process_environment.h"

namespace glmx::platform::win32 {
namespace {

bool Live(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(HandlesWin, AnOwnerFreesWhatItHoldsOnceAndMovingHandsItOver) {
    HGDIOBJ first = CreateSolidBrush(RGB(1, 2, 3));
    HGDIOBJ second = CreateSolidBrush(RGB(4, 5, 6));
    HGDIOBJ third = CreateSolidBrush(RGB(7, 8, 9));
    {
        UniqueGdiObject target(third);
        {
            UniqueGdiObject owner(first);
            UniqueGdiObject moved(std::move(owner));
            EXPECT_FALSE(owner);
            target = std::move(moved);  // frees what target held
        }
        EXPECT_FALSE(Live(third));
        EXPECT_TRUE(Live(first));
        target.reset(second);
        EXPECT_FALSE(Live(first));
        EXPECT_EQ(target.release(), second);
    }
    EXPECT_TRUE(Live(second));  // released: the owner left it alone
    UniqueGdiObject slot(second);
    *slot.put() = CreateSolidBrush(RGB(0, 0, 0));  // put frees what was held
    EXPECT_FALSE(Live(second));
}

TEST(HandlesWin, ImageListAcceleratorAndCreatedDcOwnersDestroyTheirKind) {
    // An image list's images live in a bitmap it deletes with itself.
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    UniqueGdiObject picture(CreateBitmap(16, 16, 1, 32, nullptr));
    ASSERT_EQ(ImageList_Add(list, static_cast<HBITMAP>(picture.get()), nullptr), 0);
    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(list, 0, &info));
    ACCEL key{FVIRTKEY | FCONTROL, 'A', 1};
    HACCEL table = CreateAcceleratorTableW(&key, 1);
    HDC dc = CreateCompatibleDC(nullptr);
    {
        UniqueImageList listOwner(list);
        UniqueAcceleratorTable tableOwner(table);
        UniqueCreatedDc dcOwner(dc);
        EXPECT_EQ(CopyAcceleratorTableW(table, nullptr, 0), 1);
        EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_FALSE(Live(info.hbmImage));
    EXPECT_EQ(CopyAcceleratorTableW(table, nullptr, 0), 0);
    EXPECT_FALSE(Live(dc));
}

TEST(HandlesWin, AWindowDcIsReleasedOnceAndASelectionPutsTheReplacedObjectBackOnce) {
    HDC screen = nullptr;
    {
        UniqueWindowDc owner(nullptr);
        screen = owner.get();
        UniqueWindowDc moved(std::move(owner));
        EXPECT_TRUE(moved && !owner);
    }
    EXPECT_EQ(ReleaseDC(nullptr, screen), 0);                             // already given back
    EXPECT_EQ(ReleaseDC(nullptr, UniqueWindowDc(nullptr).release()), 1);  // still ours

    UniqueCreatedDc dc(CreateCompatibleDC(nullptr));
    UniqueGdiObject first(CreateBitmap(4, 4, 1, 32, nullptr));
    UniqueGdiObject second(CreateBitmap(4, 4, 1, 32, nullptr));
    const auto current = [&] { return GetCurrentObject(dc.get(), OBJ_BITMAP); };
    HGDIOBJ original = current();
    {
        ScopedSelectObject selection(dc.get(), first.get());
        ScopedSelectObject moved(std::move(selection));
        EXPECT_FALSE(selection);
        EXPECT_EQ(current(), first.get());
    }
    EXPECT_EQ(current(), original);
    ScopedSelectObject selection(dc.get(), first.get());
    selection.reset();
    SelectObject(dc.get(), second.get());
    selection.reset();  // nothing left to put back
    EXPECT_EQ(ScopedSelectObject(dc.get(), first.get()).release(), second.get());
    EXPECT_EQ(current(), first.get());
    SelectObject(dc.get(), original);
}

TEST(SystemLibraryWin, LoadsFromTheSystemFolderOnlyAndLooksUpTypedFunctions) {
    wchar_t system[MAX_PATH] = {}, loaded[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    ASSERT_GT(length, 0u);
    SystemLibrary psapi(L"psapi.dll");
    ASSERT_TRUE(psapi);
    GetModuleFileNameW(psapi.get(), loaded, MAX_PATH);
    EXPECT_EQ(CompareStringOrdinal(
                  loaded, -1, (std::wstring(system, length) + L"\\psapi.dll").c_str(), -1, TRUE),
              CSTR_EQUAL);
    using EnumModules = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
    EXPECT_NE(psapi.Function<EnumModules>("EnumProcessModules"), nullptr);
    EXPECT_EQ(psapi.Function<EnumModules>("NoSuchFunction"), nullptr);

    // A library of that name beside the program is found by a bare name, never by this.
    const std::string self = Win32ProcessEnvironment().ProgramPath();
    const std::wstring planted = Wide(app::ProgramFolderOf(self) + "glmx_planted.dll");
    ASSERT_TRUE(CopyFileW(Wide(self).c_str(), planted.c_str(), FALSE));
    EXPECT_TRUE(UniqueModule(LoadLibraryW(L"glmx_planted.dll")));
    EXPECT_FALSE(SystemLibrary(L"glmx_planted.dll"));
    DeleteFileW(planted.c_str());
}

}  // namespace
}  // namespace glmx::platform::win32
