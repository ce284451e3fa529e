#include "ui/win32/image_lists.h"

#include <shellapi.h>

#include "platform/win32/unique_handle.h"

namespace glmx::ui {

HIMAGELIST LoadImageStrip(int resourceId, int width) {
    platform::win32::UniqueGdiObject bitmap(LoadImageW(GetModuleHandleW(nullptr),
                                                       MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP,
                                                       0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return nullptr;
    BITMAP info{};
    GetObjectW(bitmap.get(), sizeof(info), &info);
    if (width <= 0 || info.bmWidth < width) return nullptr;
    HIMAGELIST list = ImageList_Create(width, info.bmHeight, ILC_COLOR32, info.bmWidth / width, 0);
    if (list) ImageList_Add(list, static_cast<HBITMAP>(bitmap.get()), nullptr);
    return list;
}

HIMAGELIST SystemImageList(bool small) {
    SHFILEINFOW info{};
    const UINT flags = SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0);
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"", 0, &info, sizeof(info), flags));
}

}  // namespace glmx::ui
