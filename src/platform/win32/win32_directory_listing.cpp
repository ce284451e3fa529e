#include "platform/win32/win32_directory_listing.h"

#include <windows.h>

#include <atomic>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"

namespace glmx::platform::win32 {

namespace {

// Cleared the first time the system refuses the basic information level or the large
// fetch (before Windows 7): from then on every listing asks the classic way at once.
std::atomic<bool> basicListingWorks{true};

UniqueFindHandle FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data) {
    if (basicListingWorks.load(std::memory_order_relaxed)) {
        UniqueFindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                               FindExSearchNameMatch, nullptr,
                                               FIND_FIRST_EX_LARGE_FETCH));
        if (find || GetLastError() != ERROR_INVALID_PARAMETER) return find;
        basicListingWorks.store(false, std::memory_order_relaxed);
    }
    return UniqueFindHandle(FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data,
                                             FindExSearchNameMatch, nullptr, 0));
}

bool IsDotOrDotDot(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// Most names are ASCII: those are copied into the entry's own storage; others convert.
void SetName(std::string& name, const wchar_t* wide) {
    name.clear();
    for (const wchar_t* c = wide; *c != L'\0'; ++c) {
        if (*c >= 0x80) {
            name = Narrow(wide);
            return;
        }
        name += static_cast<char>(*c);
    }
}

class FindCursor final : public DirectoryCursor {
public:
    // Takes a handle whose first entry is in `data`.
    FindCursor(UniqueFindHandle find, const WIN32_FIND_DATAW& data)
        : find_(std::move(find)), data_(data), pending_(static_cast<bool>(find_)) {}

    bool Next(DirectoryEntry& entry) override {
        for (;;) {
            if (pending_) {
                pending_ = false;
            } else if (!find_ || !FindNextFileW(find_.get(), &data_)) {
                find_.reset();
                return false;
            }
            if (IsDotOrDotDot(data_.cFileName)) continue;
            SetName(entry.name, data_.cFileName);
            entry.isDirectory = (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            entry.isLink = (data_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            entry.isHiddenOrSystem =
                (data_.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
            return true;
        }
    }

private:
    UniqueFindHandle find_;
    WIN32_FIND_DATAW data_;
    bool pending_;  // data_ holds an entry not yet given
};

// A NUL inside the text would make Windows see a shorter, different path.
bool Usable(const std::string& folder) {
    return !folder.empty() && folder.find('\0') == std::string::npos;
}

UniqueFileHandle OpenToQuery(const std::string& folder) {
    if (!Usable(folder)) return UniqueFileHandle();
    return UniqueFileHandle(
        CreateFileW(ExtendedLengthPath(Wide(folder)).c_str(), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// IO_STATUS_BLOCK, without the driver headers.
struct IoStatus {
    void* status;
    ULONG_PTR information;
};

}  // namespace

std::unique_ptr<DirectoryCursor> Win32DirectoryListing::Open(const std::string& folder) {
    if (!Usable(folder)) return nullptr;
    WIN32_FIND_DATAW data{};
    UniqueFindHandle find = FindFirst(ExtendedLengthPath(Wide(folder + "*")), data);
    if (!find) {
        // An empty folder that is not a drive's root still lists "." and "..": nothing at
        // all means the folder is missing or denied, except for an empty root.
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return nullptr;
        return std::make_unique<FindCursor>(UniqueFindHandle(), data);
    }
    return std::make_unique<FindCursor>(std::move(find), data);
}

bool Win32DirectoryListing::List(const std::string& folder,
                                 const std::function<bool(const DirectoryEntry&)>& entry) {
    return ListThroughOpen(folder, entry);
}

std::optional<DirectoryIdentity> Win32DirectoryListing::IdentityOf(const std::string& folder) {
    const UniqueFileHandle file = OpenToQuery(folder);
    BY_HANDLE_FILE_INFORMATION information;
    if (!file || !GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
    const std::uint64_t index =
        static_cast<std::uint64_t>(information.nFileIndexHigh) << 32 | information.nFileIndexLow;
    // Some network file systems give no index: then it tells nothing.
    if (index == 0) return std::nullopt;
    return DirectoryIdentity{information.dwVolumeSerialNumber, index};
}

// GetFileInformationByHandle asks the volume as well, which costs a second query (under
// Wine many times the first); the file's internal information is its index alone.
std::optional<std::uint64_t> Win32DirectoryListing::IndexOf(const std::string& folder) {
    using Query = LONG(WINAPI*)(HANDLE, IoStatus*, void*, ULONG, ULONG);
    static const Query query = reinterpret_cast<Query>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationFile")));
    if (!query) return DirectoryListing::IndexOf(folder);
    const UniqueFileHandle file = OpenToQuery(folder);
    IoStatus status{};
    LARGE_INTEGER index{};
    constexpr ULONG kFileInternalInformation = 6;
    if (!file || query(file.get(), &status, &index, sizeof(index), kFileInternalInformation) < 0 ||
        index.QuadPart == 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(index.QuadPart);
}

}  // namespace glmx::platform::win32
