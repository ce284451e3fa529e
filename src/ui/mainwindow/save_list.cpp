#include "ui/mainwindow/save_list.h"

#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/win32/wide.h"
#include "platform/win32/win32_text_files.h"
#include "ui/lists/list_export.h"
#include "ui/win32/list_view_rows.h"

namespace glmx::ui {

using platform::win32::Narrow;
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
    std::string reason;
    if (platform::win32::Win32TextFiles().WriteBytes(path, bytes.value_or(""), &reason))
        return std::nullopt;
    return reason;
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
