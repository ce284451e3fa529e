// Searching a tree of 100,000 files (about 30 a folder, three levels deep) for a mask,
// against a bare recursive FindFirstFileExW walk that matches each file name with the same
// matcher, measured in the same run. Prints the ratio.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "filesearch/file_search.h"
#include "filesearch/mask.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_directory_listing.h"

namespace {

using Clock = std::chrono::steady_clock;
using glmx::platform::win32::Narrow;
using glmx::platform::win32::UniqueFindHandle;
constexpr double kTarget = 1.25;
constexpr int kFiles = 100000;
constexpr int kFanOut = 15;  // 15 + 225 + 3,375 folders
constexpr int kDepth = 3;
constexpr char kMask[] = "*1?.txt";

void MakeFolders(const std::wstring& folder, int depth, std::vector<std::wstring>& folders) {
    for (int index = 0; index < kFanOut; ++index) {
        const std::wstring child = folder + L"\\folder " + std::to_wstring(index);
        CreateDirectoryW(child.c_str(), nullptr);
        folders.push_back(child);
        if (depth > 1) MakeFolders(child, depth - 1, folders);
    }
}

void RawWalk(const std::wstring& folder, const glmx::filesearch::Mask& mask,
             std::vector<std::string>& found) {
    WIN32_FIND_DATAW data;
    UniqueFindHandle find(FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data,
                                           FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH));
    while (find) {
        const wchar_t* name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (wcscmp(name, L".") != 0 && wcscmp(name, L"..") != 0)
                RawWalk(folder + name + L"\\", mask, found);
        } else if (const std::string utf8 = Narrow(name); mask.Matches(utf8)) {
            found.push_back(Narrow(folder) + utf8);
        }
        if (!FindNextFileW(find.get(), &data)) find.reset();
    }
}

class Collector final : public glmx::filesearch::SearchObserver {
public:
    void LookingIn(const std::string&) override {}
    void Found(const std::string& path) override { found.push_back(path); }
    bool StopRequested() override { return false; }
    std::vector<std::string> found;
};

double Ms(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 3;
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() /
        ("glmx-search-bench-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(root);
    std::vector<std::wstring> folders;
    MakeFolders(root.wstring(), kDepth, folders);
    const wchar_t* extensions[] = {L".txt", L".dat", L".log", L".ini"};
    for (int index = 0; index < kFiles; ++index) {
        const std::wstring name = folders[index % folders.size()] + L"\\document " +
                                  std::to_wstring(index) + extensions[index / 7 % 4];
        CloseHandle(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    const std::wstring top = root.wstring() + L"\\";
    const glmx::filesearch::Mask mask(kMask);
    glmx::platform::win32::Win32DirectoryListing listing;
    std::vector<std::string> raw;
    Collector searched;
    RawWalk(top, mask, raw);  // warms the file system's caches
    double rawMs = 1e30, searchMs = 1e30;
    for (int round = 0; round < rounds; ++round) {
        // Alternating keeps both sides under the same conditions.
        raw.clear();
        auto start = Clock::now();
        RawWalk(top, mask, raw);
        rawMs = std::min(rawMs, Ms(start));
        searched.found.clear();
        start = Clock::now();
        glmx::filesearch::SearchFolders({Narrow(top)}, kMask, listing, searched);
        searchMs = std::min(searchMs, Ms(start));
    }
    const double ratio = searchMs / rawMs;
    std::printf("files: %d in %zu folders, found: %zu (raw walk: %zu%s), rounds: %d\n", kFiles,
                folders.size() + 1, searched.found.size(), raw.size(),
                raw == searched.found ? ", the same" : ", DIFFERENT", rounds);
    std::printf("raw FindFirstFileExW walk (best): %9.3f ms\n", rawMs);
    std::printf("SearchFolders (best):             %9.3f ms\n", searchMs);
    std::printf("ratio: %.3f (target at most %.2f): %s\n", ratio, kTarget,
                ratio <= kTarget ? "meets the target" : "misses the target");

    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
