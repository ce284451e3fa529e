#include "fileinfo/version_info.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fake/fake_version_resources.h"

namespace glmx::fileinfo {
namespace {

using platform::FakeVersionResources;
using platform::FixedFileInfo;
using platform::MakeTranslation;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::StartsWith;

constexpr const char* kPath = "C:\\Windows\\System32\\shell32.dll";
constexpr std::uint32_t kUsUnicode = MakeTranslation(0x0409, 0x04B0);

class VersionInfoTest : public ::testing::Test {
protected:
    std::vector<std::string> List() { return GetVersionInfoList(resources, kPath); }

    FakeVersionResources resources;
};

TEST_F(VersionInfoTest, NoResourceOrNoFixedPartGivesAnEmptyList) {
    EXPECT_TRUE(List().empty());
    resources.AddFile(kPath, std::nullopt);  // strings alone do not make a list
    resources.AddTranslation(kPath, kUsUnicode);
    resources.SetString(kPath, kUsUnicode, "FileVersion", "1.0");
    EXPECT_TRUE(List().empty());
}

TEST_F(VersionInfoTest, WithoutTranslationTheListIsExactlyTheFourFixedLinesInDecimal) {
    // Each version is four 16-bit words, most significant first.
    resources.AddFile(kPath,
                      FixedFileInfo{0xFFFF0000, 0x0000FFFF, 0x00060000, 0x000A0010, 0x40004, 2});
    // A string table the translation table does not list is not looked at.
    resources.SetString(kPath, kUsUnicode, "FileVersion", "5.1.2600.2180 (xpsp_sp2_rtm)");
    EXPECT_THAT(List(), ElementsAre("InternalFileVersion 65535.0.0.65535",
                                    "InternalProductVersion 6.0.10.16",
                                    "OperatingSystem Windows NT with 32 bit Windows",
                                    "FileType Dynamic-Link Library"));
    EXPECT_TRUE(resources.Queries().empty());
}

TEST(VersionInfoNames, SystemAndTypeNumbersHaveTheirNamesOrAreUnknown) {
    EXPECT_EQ(OperatingSystemName(0x30003), "32-bit OS/2 with Presentation Manager");
    for (std::uint32_t number : {0u, 0x40001u, 0xFFFFFFFFu})
        EXPECT_EQ(OperatingSystemName(number), "Unknown") << number;
    EXPECT_EQ(FileTypeName(7), "Static-Link Library");
    EXPECT_EQ(FileTypeName(6), "Unknown");
}

TEST_F(VersionInfoTest, StringsOfTheFirstTranslationFollowInTheirOrderTrimmed) {
    // File version 5.1.2600.2180, product version 6.0.2900.5512, 32-bit Windows, a program.
    resources.AddFile(kPath, FixedFileInfo{0x50001, 0xA280884, 0x60000, 0xB541588, 4, 1});
    // Hex letters in both halves prove the table name is upper-case, language first.
    const std::uint32_t spanish = MakeTranslation(0x0C0A, 0x04E4);
    const std::uint32_t german = MakeTranslation(0x0407, 0x04B0);
    resources.AddTranslation(kPath, spanish);
    resources.AddTranslation(kPath, german);
    // Spelled as real files spell them: the lookup ignores case.
    resources.SetString(kPath, spanish, "OriginalFilename", "SHELL32.DLL");
    resources.SetString(kPath, spanish, "CompanyName", "  Quenfield \t\r\n");
    resources.SetString(kPath, spanish, "FileDescription", "\tShell  common\r\nlibrary ");
    resources.SetString(kPath, spanish, "ProductName", "\x01\x1F Glimmer \x7F");
    resources.SetString(kPath, spanish, "Comments", " \r\n\t ");
    resources.SetString(kPath, spanish, "FileVersion", "5.1.2600.2180 (xpsp_sp2_rtm.040803-2158)");
    for (const char* key : {"FileVersion", "ProductVersion", "CompanyName", "SpecialBuild"})
        resources.SetString(kPath, german, key, "German");

    EXPECT_THAT(
        List(),
        ElementsAre("InternalFileVersion 5.1.2600.2180", "InternalProductVersion 6.0.2900.5512",
                    "OperatingSystem 32-bit Windows", "FileType Application",
                    "FileVersion 5.1.2600.2180 (xpsp_sp2_rtm.040803-2158)", "ProductVersion ",
                    "FileType ", "Comments ", "CompanyName Quenfield",
                    "FileDescription Shell  common\r\nlibrary", "InternalName ", "LegalCopyright ",
                    "LegalTradeMarks ", "OriginalFileName SHELL32.DLL", "PrivateBuild ",
                    "ProductName Glimmer \x7F", "SpecialBuild "));
    EXPECT_THAT(resources.Queries(), Each(StartsWith("\\StringFileInfo\\0C0A04E4\\")));
}

TEST(VersionInfoValue, KeysMatchWholeNamesWithoutRegardToCaseAndTheFirstLineWins) {
    // clang-format off
    const std::vector<std::string> list = {
        "InternalFileVersion 5.1.2600.2180", "FileType Dynamic-Link Library",
        "FileVersion 5.1.2600.2180 (xpsp_sp2_rtm)", "FileType ", "CompanyName ",
        "CompanyName Later", "ProductName Glimmer box", "Comments", "Legal x"};
    const std::pair<const char*, const char*> cases[] = {
        {"FileVersion", "5.1.2600.2180 (xpsp_sp2_rtm)"},  // never InternalFileVersion's
        {"fileversion", "5.1.2600.2180 (xpsp_sp2_rtm)"}, {"INTERNALFILEVERSION", "5.1.2600.2180"},
        {"Version", ""}, {"File", ""}, {"CompanyName", ""}, {"Legal", "x"},
        {"productname", "Glimmer box"},        // everything after the first blank
        {"FileType", "Dynamic-Link Library"},  // the fixed part's, not the table's empty one
        {"Comments", ""}};                     // a line without a blank
    // clang-format on
    for (const auto& [key, value] : cases) EXPECT_EQ(GetVersionInfoValue(list, key), value) << key;
    EXPECT_EQ(GetVersionInfoValue({}, "FileVersion"), "");
}

}  // namespace
}  // namespace glmx::fileinfo
