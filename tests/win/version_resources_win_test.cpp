// The Win32 version resource service and the version information list against
// real files of the Windows folder and throw-away copies of them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "fileinfo/version_info.h"
#include "platform/text.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_version_resources.h"

namespace glmx::platform::win32 {
namespace {

using fileinfo::GetVersionInfoList;
using fileinfo::GetVersionInfoValue;
using ::testing::IsEmpty;
using ::testing::SizeIs;
using namespace std::string_literals;

std::string WindowsFolder() {
    wchar_t folder[MAX_PATH] = {};
    return Narrow(std::wstring_view(folder, GetWindowsDirectoryW(folder, MAX_PATH)));
}

// One node of a version resource laid out as resource compilers lay it out: length,
// value length, type, NUL-terminated UTF-16 key, padding to four bytes, the value,
// padding, the children.
std::vector<BYTE> Node(std::u16string_view key, const void* value, size_t size, size_t valueLength,
                       WORD type, const std::vector<std::vector<BYTE>>& children = {}) {
    std::vector<BYTE> node(6);
    for (char16_t unit : std::u16string(key) + u'\0') {
        node.push_back(static_cast<BYTE>(unit & 0xFF));
        node.push_back(static_cast<BYTE>(unit >> 8));
    }
    node.resize((node.size() + 3) & ~size_t{3});
    const auto* bytes = static_cast<const BYTE*>(value);
    node.insert(node.end(), bytes, bytes + size);
    for (const auto& child : children) {
        node.resize((node.size() + 3) & ~size_t{3});
        node.insert(node.end(), child.begin(), child.end());
    }
    const WORD words[] = {static_cast<WORD>(node.size()), static_cast<WORD>(valueLength), type};
    std::memcpy(node.data(), words, sizeof words);
    return node;
}

// A string value; counted says whether its length includes the terminating NUL.
std::vector<BYTE> StringNode(std::u16string_view key, std::u16string text, bool counted) {
    return Node(key, text.c_str(), 2 * text.size() + 2, text.size() + counted, 1);
}

std::vector<BYTE> VersionBlock(DWORD signature) {
    // Versions 5.1.2600.2180 and 6.0.0.0.
    const VS_FIXEDFILEINFO fixed{signature, 0x10000, 0x00050001, 0x0A280884,       0x00060000,
                                 0,         0,       0,          VOS_NT_WINDOWS32, VFT_DRV};
    // Lower-case hex in the table's name, as many real files have it.
    const auto table = Node(
        u"040704e4", nullptr, 0, 0, 1,
        {StringNode(u"CompanyName", u"  Quenfield\0left over"s, true),
         StringNode(u"ProductName", u"Glimmerbox", false), StringNode(u"Comments", u"", true)});
    const DWORD translation = MAKELONG(0x0407, 1252);
    return Node(
        u"VS_VERSION_INFO", &fixed, sizeof fixed, sizeof fixed, 0,
        {Node(u"StringFileInfo", nullptr, 0, 0, 1, {table}),
         Node(u"VarFileInfo", nullptr, 0, 0, 1, {Node(u"Translation", &translation, 4, 4, 0)})});
}

class VersionResourcesWinTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const std::string& path : made) DeleteFileW(Wide(path).c_str());
    }

    // A file in the temporary folder, deleted when the test ends: a copy of a system
    // file, given a version resource when there is a block.
    std::string Copy(const std::string& from, const std::string& name,
                     const std::vector<BYTE>& block = {}) {
        wchar_t temp[MAX_PATH] = {};
        made.push_back(Narrow(std::wstring_view(temp, GetTempPathW(MAX_PATH, temp))) +
                       "glmx-version-test-" + std::to_string(GetCurrentProcessId()) + "-" + name);
        const std::wstring path = Wide(made.back());
        EXPECT_TRUE(CopyFileW(Wide(from).c_str(), path.c_str(), FALSE)) << made.back();
        if (block.empty()) return made.back();
        HANDLE update = BeginUpdateResourceW(path.c_str(), FALSE);
        EXPECT_TRUE(UpdateResourceW(update, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO),
                                    MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                    const_cast<BYTE*>(block.data()),
                                    static_cast<DWORD>(block.size())));
        EXPECT_TRUE(EndUpdateResourceW(update, FALSE)) << made.back();
        return made.back();
    }
    std::vector<std::string> List(const std::string& path) {
        return GetVersionInfoList(resources, path);
    }

    Win32VersionResources resources;
    const std::string windows = WindowsFolder();
    const std::string notepad = windows + "\\notepad.exe";  // without a version resource
    std::vector<std::string> made;
};

// The list's order and rules are the unit tests'; here the real resource reading, of a system
// library from a path beyond ASCII and of a made resource.
TEST_F(VersionResourcesWinTest, RealResourcesListTheirVersionInformation) {
    const auto system =
        List(Copy(windows + "\\system32\\kernel32.dll", "K\u00e9rn \u65e5\U0001F600.dll"));
    ASSERT_THAT(system, SizeIs(17));
    EXPECT_EQ(GetVersionInfoValue(system, "FileType"), "Dynamic-Link Library");
    EXPECT_TRUE(
        EqualsIgnoringAsciiCase(GetVersionInfoValue(system, "OriginalFileName"), "kernel32.dll"));

    // Strings end at their first NUL whether or not the length counts it.
    const auto made = List(Copy(notepad, "made.exe", VersionBlock(VS_FFI_SIGNATURE)));
    ASSERT_THAT(made, SizeIs(17));
    EXPECT_EQ(made[0], "InternalFileVersion 5.1.2600.2180");
    EXPECT_EQ(GetVersionInfoValue(made, "FileType"), "Device Driver");
    EXPECT_EQ(GetVersionInfoValue(made, "CompanyName"), "Quenfield");
    EXPECT_EQ(GetVersionInfoValue(made, "ProductName"), "Glimmerbox");
}

TEST_F(VersionResourcesWinTest, NoOrBrokenResourcesGiveNoMoreThanTheyHold) {
    EXPECT_FALSE(resources.Read(notepad));
    for (const std::string& path :
         {windows + "\\system32\\cmd.exe", windows + "\\no such file.exe", std::string(),
          Copy(notepad, "unsigned.exe", VersionBlock(0x12345678)),
          Copy(notepad, "garbage.exe", {0xFF, 0xFF, 0x34, 0x00, 0x00, 0x00, 0x41, 0x00})})
        EXPECT_THAT(List(path), IsEmpty()) << path;

    // Claims twice the bytes it has: the fixed part is whole, the translation table
    // (the last node) is gone.
    std::vector<BYTE> cut = VersionBlock(VS_FFI_SIGNATURE);
    cut.resize(cut.size() / 2);
    const auto cutList = List(Copy(notepad, "cut.exe", cut));
    ASSERT_THAT(cutList, SizeIs(4));
    EXPECT_EQ(cutList[0], "InternalFileVersion 5.1.2600.2180");
}

}  // namespace
}  // namespace glmx::platform::win32
