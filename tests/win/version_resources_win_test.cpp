// The Win32 version resource service and the version information list against
// real files of the Windows folder and throw-away copies of them.
#include "platform/win32/win32_version_resources.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "fileinfo/version_info.h"
#include "platform/text.h"
#include "platform/win32/wide.h"

namespace glmx::platform::win32 {
namespace {

using fileinfo::GetVersionInfoList;
using fileinfo::GetVersionInfoValue;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::SizeIs;
using ::testing::StartsWith;
using namespace std::string_view_literals;

std::string WindowsFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    return Narrow(std::wstring_view(folder, length));
}

std::vector<std::string> KeysOf(const std::vector<std::string>& list) {
    std::vector<std::string> keys;
    for (const std::string& line : list) keys.push_back(line.substr(0, line.find(' ')));
    return keys;
}

class VersionResourcesWinTest : public ::testing::Test {
protected:
    // Checks what every real resource's list must be, whatever the file.
    void ExpectWellFormed(const std::vector<std::string>& list) {
        EXPECT_THAT(KeysOf(list),
                    ElementsAre("InternalFileVersion", "InternalProductVersion", "OperatingSystem",
                                "FileType", "FileVersion", "ProductVersion", "FileType", "Comments",
                                "CompanyName", "FileDescription", "InternalName", "LegalCopyright",
                                "LegalTradeMarks", "OriginalFileName", "PrivateBuild",
                                "ProductName", "SpecialBuild"));
        for (const std::string& line : list) {
            const std::string_view value = std::string_view(line).substr(line.find(' ') + 1);
            EXPECT_EQ(value, TrimSpacesAndControls(value)) << line;
            EXPECT_EQ(value.find('\0'), std::string_view::npos) << line;
        }
        // The fixed part's words in the right order give the start of the string version.
        EXPECT_THAT(GetVersionInfoValue(list, "FileVersion"),
                    StartsWith(GetVersionInfoValue(list, "InternalFileVersion")));
    }

    Win32VersionResources resources;
    const std::string windows = WindowsFolder();
};

TEST_F(VersionResourcesWinTest, ProgramsAndLibrariesOfTheSystemListTheirVersionInformation) {
    const auto regedit = GetVersionInfoList(resources, windows + "\\regedit.exe");
    ExpectWellFormed(regedit);
    EXPECT_EQ(GetVersionInfoValue(regedit, "FileType"), "Application");
    EXPECT_TRUE(
        EqualsIgnoringAsciiCase(GetVersionInfoValue(regedit, "OriginalFileName"), "regedit.exe"));
    EXPECT_NE(GetVersionInfoValue(regedit, "FileDescription"), "");

    const auto kernel32 = GetVersionInfoList(resources, windows + "\\system32\\kernel32.dll");
    ExpectWellFormed(kernel32);
    EXPECT_EQ(GetVersionInfoValue(kernel32, "FileType"), "Dynamic-Link Library");
    EXPECT_TRUE(
        EqualsIgnoringAsciiCase(GetVersionInfoValue(kernel32, "OriginalFileName"), "kernel32.dll"));
    EXPECT_NE(GetVersionInfoValue(kernel32, "CompanyName"), "");

    ExpectWellFormed(GetVersionInfoList(resources, windows + "\\explorer.exe"));
}

TEST_F(VersionResourcesWinTest, QueriesIgnoreCaseAndMissStringsTheTableLacks) {
    const auto resource = resources.Read(windows + "\\system32\\kernel32.dll");
    ASSERT_TRUE(resource);
    ASSERT_TRUE(resource->Fixed());
    EXPECT_EQ(resource->Fixed()->fileType, 2u);
    const auto translations = resource->Translations();
    ASSERT_FALSE(translations.empty());

    char table[9] = {};
    std::snprintf(table, sizeof table, "%04X%04X", translations[0] & 0xFFFF, translations[0] >> 16);
    const std::string prefix = std::string("\\StringFileInfo\\") + table + "\\";
    const auto name = resource->Query(prefix + "OriginalFilename");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->find('\0'), std::string::npos);  // the length counts the NUL here
    EXPECT_EQ(resource->Query(AsciiUpper(prefix) + "ORIGINALFILENAME"), name);
    EXPECT_EQ(resource->Query(prefix + "NoSuchString"), std::nullopt);
    EXPECT_EQ(resource->Query("\\StringFileInfo\\7FFF7FFF\\OriginalFilename"), std::nullopt);
}

TEST_F(VersionResourcesWinTest, FilesWithoutAResourceAndMissingFilesGiveAnEmptyList) {
    EXPECT_FALSE(resources.Read(windows + "\\notepad.exe"));
    EXPECT_THAT(GetVersionInfoList(resources, windows + "\\notepad.exe"), IsEmpty());
    EXPECT_THAT(GetVersionInfoList(resources, windows + "\\system32\\cmd.exe"), IsEmpty());
    EXPECT_THAT(GetVersionInfoList(resources, windows + "\\no such file.exe"), IsEmpty());
    EXPECT_THAT(GetVersionInfoList(resources, ""), IsEmpty());
}

// Copies of system files in the temporary folder, deleted when the test ends.
class TemporaryFiles {
public:
    TemporaryFiles() {
        wchar_t temp[MAX_PATH] = {};
        folder_ = Narrow(std::wstring_view(temp, GetTempPathW(MAX_PATH, temp)));
    }
    ~TemporaryFiles() {
        for (const std::string& path : paths_) DeleteFileW(Wide(path).c_str());
    }
    std::string Copy(const std::string& from, const std::string& name) {
        const std::string path = Add(name);
        EXPECT_TRUE(CopyFileW(Wide(from).c_str(), Wide(path).c_str(), FALSE)) << path;
        return path;
    }
    std::string Write(const std::string& name, std::string_view content) {
        const std::string path = Add(name);
        HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        return path;
    }

private:
    std::string Add(const std::string& name) {
        paths_.push_back(folder_ + "glmx-version-test-" + std::to_string(GetCurrentProcessId()) +
                         "-" + name);
        return paths_.back();
    }

    std::string folder_;
    std::vector<std::string> paths_;
};

TEST_F(VersionResourcesWinTest, PathsBeyondAsciiAndFilesThatAreNoProgramsWork) {
    TemporaryFiles files;
    const std::string original = windows + "\\regedit.exe";
    const std::string copy = files.Copy(original, "R\u00e9gedit \u65e5\u672c\U0001F600.exe");
    EXPECT_EQ(GetVersionInfoList(resources, copy), GetVersionInfoList(resources, original));
    EXPECT_THAT(GetVersionInfoList(resources, copy), SizeIs(17));

    EXPECT_THAT(GetVersionInfoList(resources, files.Write("text.exe", "MZ but nothing more")),
                IsEmpty());
    EXPECT_THAT(GetVersionInfoList(resources, files.Write("empty.dll", "")), IsEmpty());
}

// One node of a version resource laid out as resource compilers lay it out: length,
// value length, type, NUL-terminated UTF-16 key, padding to four bytes, the value,
// padding, the children.
std::vector<BYTE> Node(std::u16string_view key, std::vector<BYTE> value, WORD valueLength,
                       WORD type, const std::vector<std::vector<BYTE>>& children = {}) {
    std::vector<BYTE> node(6);
    for (char16_t unit : std::u16string(key) + u'\0') {
        node.push_back(static_cast<BYTE>(unit & 0xFF));
        node.push_back(static_cast<BYTE>(unit >> 8));
    }
    node.resize((node.size() + 3) & ~size_t{3});
    node.insert(node.end(), value.begin(), value.end());
    for (const auto& child : children) {
        node.resize((node.size() + 3) & ~size_t{3});
        node.insert(node.end(), child.begin(), child.end());
    }
    const WORD words[] = {static_cast<WORD>(node.size()), valueLength, type};
    std::memcpy(node.data(), words, sizeof words);
    return node;
}

// A string value; counted says whether its length includes the terminating NUL.
std::vector<BYTE> StringNode(std::u16string_view key, std::u16string_view text, bool counted) {
    std::vector<BYTE> value;
    for (char16_t unit : std::u16string(text) + u'\0') {
        value.push_back(static_cast<BYTE>(unit & 0xFF));
        value.push_back(static_cast<BYTE>(unit >> 8));
    }
    return Node(key, value, static_cast<WORD>(text.size() + (counted ? 1 : 0)), 1);
}

std::vector<BYTE> VersionBlock(DWORD signature) {
    VS_FIXEDFILEINFO fixed = {};
    fixed.dwSignature = signature;
    fixed.dwStrucVersion = 0x10000;
    fixed.dwFileVersionMS = 0x00050001;
    fixed.dwFileVersionLS = 0x0A280884;
    fixed.dwProductVersionMS = 0x00060000;
    fixed.dwFileOS = VOS_NT_WINDOWS32;
    fixed.dwFileType = VFT_DRV;
    std::vector<BYTE> fixedBytes(sizeof fixed);
    std::memcpy(fixedBytes.data(), &fixed, sizeof fixed);
    const DWORD translation = MAKELONG(0x0407, 1252);
    std::vector<BYTE> translationBytes(sizeof translation);
    std::memcpy(translationBytes.data(), &translation, sizeof translation);
    // Lower-case hex in the table's name, as many real files have it.
    const auto table = Node(
        u"040704e4", {}, 0, 1,
        {StringNode(u"CompanyName", u"  Quenfield\0left over"sv, true),
         StringNode(u"ProductName", u"Glimmerbox", false), StringNode(u"Comments", u"", true)});
    return Node(u"VS_VERSION_INFO", fixedBytes, sizeof fixed, 0,
                {Node(u"StringFileInfo", {}, 0, 1, {table}),
                 Node(u"VarFileInfo", {}, 0, 1,
                      {Node(u"Translation", translationBytes, sizeof translation, 0)})});
}

// A copy of a system program without a version resource, given the block as its own.
std::string WithVersionResource(TemporaryFiles& files, const std::string& windows,
                                const std::string& name, std::vector<BYTE> block) {
    const std::string path = files.Copy(windows + "\\notepad.exe", name);
    HANDLE update = BeginUpdateResourceW(Wide(path).c_str(), FALSE);
    EXPECT_TRUE(update) << path;
    EXPECT_TRUE(UpdateResourceW(update, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO),
                                MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), block.data(),
                                static_cast<DWORD>(block.size())));
    EXPECT_TRUE(EndUpdateResourceW(update, FALSE)) << path;
    return path;
}

TEST_F(VersionResourcesWinTest, StringsEndAtTheirFirstNulWhetherOrNotTheLengthCountsIt) {
    TemporaryFiles files;
    const std::string path =
        WithVersionResource(files, windows, "made.exe", VersionBlock(VS_FFI_SIGNATURE));
    EXPECT_THAT(
        GetVersionInfoList(resources, path),
        ElementsAre("InternalFileVersion 5.1.2600.2180", "InternalProductVersion 6.0.0.0",
                    "OperatingSystem Windows NT with 32 bit Windows", "FileType Device Driver",
                    "FileVersion ", "ProductVersion ", "FileType ", "Comments ",
                    "CompanyName Quenfield", "FileDescription ", "InternalName ", "LegalCopyright ",
                    "LegalTradeMarks ", "OriginalFileName ", "PrivateBuild ",
                    "ProductName Glimmerbox", "SpecialBuild "));
}

TEST_F(VersionResourcesWinTest, BrokenResourcesGiveNoMoreThanTheyHold) {
    TemporaryFiles files;
    EXPECT_THAT(GetVersionInfoList(resources, WithVersionResource(files, windows, "unsigned.exe",
                                                                  VersionBlock(0x12345678))),
                IsEmpty());

    // Claims twice the bytes it has: the fixed part is whole, the translation table
    // (the last node) is gone.
    std::vector<BYTE> cut = VersionBlock(VS_FFI_SIGNATURE);
    cut.resize(cut.size() / 2);
    const auto cutList =
        GetVersionInfoList(resources, WithVersionResource(files, windows, "cut.exe", cut));
    ASSERT_THAT(cutList, SizeIs(4));
    EXPECT_EQ(cutList[0], "InternalFileVersion 5.1.2600.2180");

    const std::vector<BYTE> garbage = {0xFF, 0xFF, 0x34, 0x00, 0x00, 0x00, 0x41, 0x00};
    EXPECT_THAT(
        GetVersionInfoList(resources, WithVersionResource(files, windows, "garbage.exe", garbage)),
        IsEmpty());
}

TEST_F(VersionResourcesWinTest, TheProgramsOwnResourceNamesItsSystemAndStrings) {
    wchar_t self[MAX_PATH] = {};
    const std::string tests =
        Narrow(std::wstring_view(self, GetModuleFileNameW(nullptr, self, MAX_PATH)));
    const std::string program = tests.substr(0, tests.rfind('\\') + 1) + "glmx.exe";
    if (GetFileAttributesW(Wide(program).c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "glmx.exe is not built beside " << tests;

    const auto list = GetVersionInfoList(resources, program);
    ExpectWellFormed(list);
    EXPECT_EQ(GetVersionInfoValue(list, "OperatingSystem"), "Windows NT with 32 bit Windows");
    EXPECT_EQ(GetVersionInfoValue(list, "FileType"), "Application");
    EXPECT_EQ(GetVersionInfoValue(list, "FileVersion"),
              GetVersionInfoValue(list, "InternalFileVersion"));
    EXPECT_THAT(GetVersionInfoValue(list, "InternalProductVersion"), EndsWith(".0"));
    EXPECT_EQ(GetVersionInfoValue(list, "CompanyName"), "Quenfield");
    EXPECT_EQ(GetVersionInfoValue(list, "OriginalFileName"), "glmx.exe");
    EXPECT_EQ(GetVersionInfoValue(list, "ProductName"), "Glimmerbox");
    EXPECT_EQ(GetVersionInfoValue(list, "Comments"), "");
    EXPECT_EQ(GetVersionInfoValue(list, "LegalTradeMarks"), "");
}

}  // namespace
}  // namespace glmx::platform::win32
