// The real listing: the file system's order and hidden entries, long paths, and the
// identity of a folder reached through a junction, with a search ending on a junction loop.
#include "platform/win32/win32_directory_listing.h"

#include <windows.h>

#include <winioctl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "filesearch/file_search.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"
#include "support/shell_test_fixture.h"

namespace glmx::platform::win32 {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

void MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    CloseHandle(CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, attributes, nullptr));
}

std::vector<std::string> Names(DirectoryListing& listing, const std::string& folder) {
    std::vector<std::string> names;
    EXPECT_TRUE(listing.List(folder, [&](const DirectoryEntry& entry) {
        names.push_back(entry.name + (entry.isDirectory ? "\\" : ""));
        return true;
    })) << folder;
    return names;
}

// A junction to a folder (both full paths); removed before the folder that holds it, so
// that removing that folder never reaches through it into the target.
class Junction {
public:
    Junction(const std::wstring& path, const std::wstring& target) : path_(path) {
        if (!CreateDirectoryW(path.c_str(), nullptr)) return;
        const UniqueFileHandle link(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        // The mount-point layout: tag, length, reserved, then the offsets and lengths of the
        // substitute and print names and both names with their NULs.
        const std::wstring substitute = L"\\??\\" + target;
        const WORD substituteBytes = static_cast<WORD>(substitute.size() * 2);
        const WORD printBytes = static_cast<WORD>(target.size() * 2);
        std::vector<BYTE> buffer(8 + 8 + substituteBytes + 2 + printBytes + 2);
        const WORD header[] = {
            static_cast<WORD>(buffer.size() - 8),   0,         0, substituteBytes,
            static_cast<WORD>(substituteBytes + 2), printBytes};
        const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
        memcpy(buffer.data(), &tag, 4);
        memcpy(buffer.data() + 4, header, sizeof(header));
        memcpy(buffer.data() + 16, substitute.data(), substituteBytes);
        memcpy(buffer.data() + 16 + substituteBytes + 2, target.data(), printBytes);
        DWORD returned = 0;
        made_ = link &&
                DeviceIoControl(link.get(), FSCTL_SET_REPARSE_POINT, buffer.data(),
                                static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
        if (!made_) made_ = MakeSymbolicLink(path, target);
        // Some systems report success and make nothing.
        const DWORD attributes = GetFileAttributesW(path.c_str());
        made_ = made_ && attributes != INVALID_FILE_ATTRIBUTES &&
                (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    }
    ~Junction() { RemoveDirectoryW(path_.c_str()); }
    explicit operator bool() const { return made_; }

private:
    // The other way to a folder link, where the system lets this user make one.
    static bool MakeSymbolicLink(const std::wstring& path, const std::wstring& target) {
        using Create = BOOLEAN(WINAPI*)(const wchar_t*, const wchar_t*, DWORD);
        const auto create = reinterpret_cast<Create>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "CreateSymbolicLinkW")));
        if (!create) return false;
        RemoveDirectoryW(path.c_str());
        constexpr DWORD kDirectory = 0x1, kUnprivileged = 0x2;
        return create(path.c_str(), target.c_str(), kDirectory | kUnprivileged) ||
               create(path.c_str(), target.c_str(), kDirectory);
    }

    std::wstring path_;
    bool made_ = false;
};

class Collector final : public filesearch::SearchObserver {
public:
    void LookingIn(const std::string& folder) override { looked.push_back(folder); }
    void Found(const std::string& path) override { found.push_back(path); }
    bool StopRequested() override { return false; }
    std::vector<std::string> looked, found;
};

TEST(DirectoryListingWinTest, ListsEveryEntryInTheFileSystemsOrder) {
    testing::TempFolder folder(L"glmx-listing-");
    const std::wstring base = folder.path.wstring() + L"\\";
    MakeFile(base + L"b.txt");
    MakeFile(base + L"a hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    MakeFile(base + L"c.sys", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryW((base + L"sub").c_str(), nullptr);
    MakeFile(base + L"\u00e9t\u00e9.txt");

    std::vector<std::string> raw;  // as the plain API gives them
    WIN32_FIND_DATAW data{};
    for (UniqueFindHandle find(FindFirstFileW((base + L"*").c_str(), &data)); find;) {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            raw.push_back(Narrow(name) +
                          (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? "\\" : ""));
        if (!FindNextFileW(find.get(), &data)) find.reset();
    }
    Win32DirectoryListing listing;
    EXPECT_EQ(Names(listing, Narrow(base)), raw);
    EXPECT_THAT(
        raw, UnorderedElementsAre("a hidden.txt", "b.txt", "c.sys", "sub\\", "\u00e9t\u00e9.txt"));
    EXPECT_THAT(Names(listing, Narrow(base + L"sub\\")), ElementsAre());
    EXPECT_FALSE(listing.List(Narrow(base + L"missing\\"), [](auto&) { return true; }));
    EXPECT_EQ(listing.IdentityOf(Narrow(base + L"missing\\")), std::nullopt);
    EXPECT_EQ(listing.Open(Narrow(base + L"b.txt\\")), nullptr);
}

TEST(DirectoryListingWinTest, PathsBeyondTheClassicLimitAreListedAndSearched) {
    testing::TempFolder folder(L"glmx-listing-");
    std::wstring deep = folder.path.wstring();
    for (const wchar_t letter : {L'a', L'b', L'c'}) {
        deep += L"\\" + std::wstring(120, letter);
        ASSERT_TRUE(CreateDirectoryW(ExtendedLengthPath(deep).c_str(), nullptr));
    }
    ASSERT_GT(deep.size(), 300u);
    MakeFile(deep + L"\\deep.txt");
    Win32DirectoryListing listing;
    EXPECT_THAT(Names(listing, Narrow(deep + L"\\")), ElementsAre("deep.txt"));
    Collector collector;
    filesearch::SearchFolders({folder.Utf8()}, "DEEP.*", listing, collector);
    EXPECT_THAT(collector.found, ElementsAre(Narrow(deep + L"\\deep.txt")));
    EXPECT_EQ(collector.looked.size(), 4u);
}

TEST(DirectoryListingWinTest, AJunctionSharesItsTargetsIdentityAndItsLoopEnds) {
    testing::TempFolder folder(L"glmx-listing-");
    const std::wstring base = folder.path.wstring();
    CreateDirectoryW((base + L"\\data").c_str(), nullptr);
    CreateDirectoryW((base + L"\\other").c_str(), nullptr);
    MakeFile(base + L"\\data\\one.txt");
    const Junction toData(base + L"\\to data", base + L"\\data");
    const Junction loop(base + L"\\data\\back up", base);
    // Wine 8 refuses FSCTL_SET_REPARSE_POINT (error 50) and its CreateSymbolicLinkW makes
    // nothing; links it finds on the host's disk it reports as reparse points with their
    // targets' identity, which is what the search relies on.
    if (!toData || !loop) GTEST_SKIP() << "this system makes neither junctions nor folder links";

    Win32DirectoryListing listing;
    const auto data = listing.IdentityOf(Narrow(base + L"\\data\\"));
    ASSERT_NE(data, std::nullopt);
    EXPECT_EQ(listing.IdentityOf(Narrow(base + L"\\to data\\")), data);
    EXPECT_NE(listing.IdentityOf(Narrow(base + L"\\other\\")), data);
    EXPECT_THAT(Names(listing, Narrow(base + L"\\to data\\")), ElementsAre("one.txt", "back up\\"));

    Collector collector;
    filesearch::SearchFolders({folder.Utf8()}, "*.TXT", listing, collector);
    EXPECT_THAT(collector.found, ElementsAre(::testing::EndsWith("one.txt")));
    EXPECT_EQ(collector.looked.size(), 3u);  // the folder, data and other, each once
}

}  // namespace
}  // namespace glmx::platform::win32
