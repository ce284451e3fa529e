#include "ui/mainwindow/save_list.h"

#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "ui/lists/list_export.h"
#include "ui/win32/list_view_rows.h"

namespace glmx::ui {

using platform::win32::Narrow;
using platform::win32::UniqueFileHandle;
using platform::win32::Wide;

namespace {

// In the order of the save dialog's file types.
struct FileType {
    SaveKind kind;
    const wchar_t* name;
    const wchar_t* pattern;
    const wchar_t* extension;
};
constexpr FileType kFileTypes[] = {
    {SaveKind::ListCsv, L"List as comma-separated values (*.csv)", L"*.csv", L"csv"},
    {SaveKind::ListTabText, L"List as tab-separated text (*.txt)", L"*.txt", L"txt"},
    {SaveKind::ListHtml, L"List as HTML table (*.html)", L"*.html;*.htm", L"html"},
    {SaveKind::OfflineRtf, L"Offline information as rich text (*.rtf)", L"*.rtf", L"rtf"},
    {SaveKind::OfflineText, L"Offline information as plain text (*.txt)", L"*.txt", L"txt"},
};

std::string Reason(DWORD error) { return platform::win32::SystemErrorText(error); }

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

DWORD CALLBACK AppendStreamed(DWORD_PTR cookie, BYTE* buffer, LONG size, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                   static_cast<size_t>(size));
    *done = size;
    return 0;
}

// The rich edit's content as RTF, or as UTF-8 text with a byte-order mark.
std::optional<std::string> StreamedOut(HWND richEdit, bool rtf) {
    if (!richEdit) return std::nullopt;
    std::string bytes;
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&bytes);
    stream.pfnCallback = AppendStreamed;
    SendMessageW(richEdit, EM_STREAMOUT, rtf ? SF_RTF : (SF_TEXT | SF_UNICODE),
                 reinterpret_cast<LPARAM>(&stream));
    if (stream.dwError != 0) return std::nullopt;
    if (rtf) return bytes;
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::copy(bytes.data(), bytes.data() + text.size() * sizeof(wchar_t),
              reinterpret_cast<char*>(text.data()));
    return std::string(lists::kUtf8Bom) + Narrow(text);
}

std::string TitleOf(const std::string& path) {
    const size_t name = path.find_last_of("\\/");
    std::string title = name == std::string::npos ? path : path.substr(name + 1);
    const size_t dot = title.rfind('.');
    if (dot != std::string::npos && dot > 0) title.erase(dot);
    return title;
}

}  // namespace

std::optional<std::string> WriteFileReplacing(const std::string& path, std::string_view bytes) {
    const std::wstring target = Wide(path);
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash + 1);
    wchar_t temporary[MAX_PATH + 1] = {};
    if (!GetTempFileNameW(folder.c_str(), L"glm", 0, temporary)) return Reason(GetLastError());
    DWORD error = ERROR_SUCCESS;
    {
        UniqueFileHandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get()))
            error = GetLastError();
    }
    if (error == ERROR_SUCCESS &&
        !MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error == ERROR_SUCCESS) return std::nullopt;
    DeleteFileW(temporary);
    return Reason(error);
}

std::optional<std::string> SaveListAs(HWND list, HWND offlineText, const std::string& path,
                                      SaveKind kind) {
    std::optional<std::string> bytes;
    switch (kind) {
        case SaveKind::ListCsv:
            bytes = lists::ListFileContent(WholeListTable(list), lists::ListFormat::Csv, "");
            break;
        case SaveKind::ListTabText:
            bytes = lists::ListFileContent(WholeListTable(list), lists::ListFormat::TabText, "");
            break;
        case SaveKind::ListHtml:
            bytes = lists::ListFileContent(WholeListTable(list), lists::ListFormat::Html,
                                           TitleOf(path));
            break;
        case SaveKind::OfflineRtf:
        case SaveKind::OfflineText:
            bytes = StreamedOut(offlineText, kind == SaveKind::OfflineRtf);
            if (!bytes) return "The offline information could not be read.";
            break;
    }
    return WriteFileReplacing(path, bytes.value_or(""));
}

void SaveListDialog(HWND owner, HWND list, HWND offlineText, platform::UserMessages& messages) {
    std::wstring filter;
    for (const FileType& type : kFileTypes)
        filter += std::wstring(type.name) + L'\0' + type.pattern + L'\0';
    filter += L'\0';
    std::vector<wchar_t> file(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = L"Save List";
    dialog.lpstrDefExt = kFileTypes[0].extension;
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) return;  // cancelled
    const size_t index = dialog.nFilterIndex >= 1 && dialog.nFilterIndex <= std::size(kFileTypes)
                             ? dialog.nFilterIndex - 1
                             : 0;
    const std::string path = Narrow(file.data());
    if (const auto failure = SaveListAs(list, offlineText, path, kFileTypes[index].kind))
        messages.Error("The file " + path + " could not be saved: " + *failure);
}

}  // namespace glmx::ui
