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

FixedFileInfo Fixed(std::uint32_t fileOS = 0x40004, std::uint32_t fileType = 2) {
    FixedFileInfo fixed;
    fixed.fileVersionMS = (5u << 16) | 1;
    fixed.fileVersionLS = (2600u << 16) | 2180;
    fixed.productVersionMS = (6u << 16) | 0;
    fixed.productVersionLS = (2900u << 16) | 5512;
    fixed.fileOS = fileOS;
    fixed.fileType = fileType;
    return fixed;
}

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

TEST_F(VersionInfoTest, WithoutTranslationTheListIsExactlyTheFourFixedLines) {
    resources.AddFile(kPath, Fixed());
    // A string table the translation table does not list is not looked at.
    resources.SetString(kPath, kUsUnicode, "FileVersion", "5.1.2600.2180 (xpsp_sp2_rtm)");
    EXPECT_THAT(List(), ElementsAre("InternalFileVersion 5.1.2600.2180",
                                    "InternalProductVersion 6.0.2900.5512",
                                    "OperatingSystem Windows NT with 32 bit Windows",
                                    "FileType Dynamic-Link Library"));
    EXPECT_TRUE(resources.Queries().empty());
}

TEST_F(VersionInfoTest, VersionPartsAreTheFourWordsInDecimal) {
    FixedFileInfo fixed = Fixed();
    fixed.fileVersionMS = 0xFFFF0000;
    fixed.fileVersionLS = 0x0000FFFF;
    fixed.productVersionMS = 0;
    fixed.productVersionLS = 0x000A0010;
    resources.AddFile(kPath, fixed);
    const auto list = List();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], "InternalFileVersion 65535.0.0.65535");
    EXPECT_EQ(list[1], "InternalProductVersion 0.0.10.16");
}

TEST_F(VersionInfoTest, SystemAndTypeNumbersWithoutANameAreUnknown) {
    for (std::uint32_t fileOS : {0u, 5u, 0x10002u, 0x40001u, 0x50000u, 0xFFFFFFFFu})
        EXPECT_EQ(OperatingSystemName(fileOS), "Unknown") << fileOS;
    for (std::uint32_t fileType : {0u, 6u, 8u, 0x10001u})
        EXPECT_EQ(FileTypeName(fileType), "Unknown") << fileType;

    resources.AddFile(kPath, Fixed(0x12345, 6));
    const auto list = List();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[2], "OperatingSystem Unknown");
    EXPECT_EQ(list[3], "FileType Unknown");
}

TEST_F(VersionInfoTest, EveryNamedSystemAndTypeHasItsOwnName) {
    EXPECT_EQ(OperatingSystemName(0x10000), "MS-DOS");
    EXPECT_EQ(OperatingSystemName(0x10001), "Windows 3.xx with MS-DOS");
    EXPECT_EQ(OperatingSystemName(0x10004), "32-bit Windows with MS-DOS");
    EXPECT_EQ(OperatingSystemName(0x20000), "16-bit OS/2");
    EXPECT_EQ(OperatingSystemName(0x20002), "16-bit OS/2 with Presentation Manager");
    EXPECT_EQ(OperatingSystemName(0x30000), "32-bit OS/2");
    EXPECT_EQ(OperatingSystemName(0x30003), "32-bit OS/2 with Presentation Manager");
    EXPECT_EQ(OperatingSystemName(0x40000), "Windows NT");
    EXPECT_EQ(OperatingSystemName(0x40004), "Windows NT with 32 bit Windows");
    EXPECT_EQ(OperatingSystemName(1), "Windows 3.xx");
    EXPECT_EQ(OperatingSystemName(2), "16-bit OS/2 Presentation Manager");
    EXPECT_EQ(OperatingSystemName(3), "32-bit OS/2 Presentation Manager");
    EXPECT_EQ(OperatingSystemName(4), "32-bit Windows");

    EXPECT_EQ(FileTypeName(1), "Application");
    EXPECT_EQ(FileTypeName(2), "Dynamic-Link Library");
    EXPECT_EQ(FileTypeName(3), "Device Driver");
    EXPECT_EQ(FileTypeName(4), "Font");
    EXPECT_EQ(FileTypeName(5), "Virtual Device Driver");
    EXPECT_EQ(FileTypeName(7), "Static-Link Library");
}

TEST_F(VersionInfoTest, StringsOfTheFirstTranslationFollowInTheirOrderTrimmed) {
    resources.AddFile(kPath, Fixed(4, 1));
    // Hex letters in both halves prove the table name is upper-case, language first.
    const std::uint32_t spanish = MakeTranslation(0x0C0A, 0x04E4);
    const std::uint32_t german = MakeTranslation(0x0407, 0x04B0);
    resources.AddTranslation(kPath, spanish);
    resources.AddTranslation(kPath, german);
    // Spelled as real files spell them: the lookup ignores case.
    resources.SetString(kPath, spanish, "OriginalFilename", "SHELL32.DLL");
    resources.SetString(kPath, spanish, "LegalTrademarks", "");
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
    EXPECT_EQ(resources.Queries().size(), 13u);
    EXPECT_THAT(resources.Queries(), Each(StartsWith("\\StringFileInfo\\0C0A04E4\\")));
    EXPECT_EQ(resources.Queries().front(), "\\StringFileInfo\\0C0A04E4\\FileVersion");
    EXPECT_EQ(resources.Queries().back(), "\\StringFileInfo\\0C0A04E4\\SpecialBuild");
}

TEST_F(VersionInfoTest, ATranslationWithoutAStringTableGivesEveryKeyEmpty) {
    resources.AddFile(kPath, Fixed());
    resources.AddTranslation(kPath, kUsUnicode);
    const auto list = List();
    ASSERT_EQ(list.size(), 17u);
    EXPECT_EQ(list[4], "FileVersion ");
    EXPECT_EQ(list[16], "SpecialBuild ");
    EXPECT_EQ(GetVersionInfoValue(list, "FileVersion"), "");
}

TEST(VersionInfoValue, KeysMatchWholeNamesWithoutRegardToCase) {
    const std::vector<std::string> list = {
        "InternalFileVersion 5.1.2600.2180",
        "FileType Dynamic-Link Library",
        "FileVersion 5.1.2600.2180 (xpsp_sp2_rtm)",
        "FileType ",
        "CompanyName ",
        "ProductName Glimmer box",
    };
    EXPECT_EQ(GetVersionInfoValue(list, "FileVersion"), "5.1.2600.2180 (xpsp_sp2_rtm)");
    EXPECT_EQ(GetVersionInfoValue(list, "fileversion"), "5.1.2600.2180 (xpsp_sp2_rtm)");
    EXPECT_EQ(GetVersionInfoValue(list, "INTERNALFILEVERSION"), "5.1.2600.2180");
    EXPECT_EQ(GetVersionInfoValue(list, "Version"), "");
    EXPECT_EQ(GetVersionInfoValue(list, "File"), "");
    // The value is everything after the first blank.
    EXPECT_EQ(GetVersionInfoValue(list, "productname"), "Glimmer box");
    // The fixed part's type comes first; the string table's empty one is never reached.
    EXPECT_EQ(GetVersionInfoValue(list, "FileType"), "Dynamic-Link Library");
}

TEST(VersionInfoValue, EmptyValuesMissingKeysAndOddLinesGiveEmptyText) {
    EXPECT_EQ(GetVersionInfoValue({"FileType "}, "FileType"), "");
    EXPECT_EQ(GetVersionInfoValue({"CompanyName ", "CompanyName Later"}, "CompanyName"), "");
    EXPECT_EQ(GetVersionInfoValue({"FileType", "Comments x"}, "FileType"), "");
    EXPECT_EQ(GetVersionInfoValue({"FileType", "Comments x"}, "Comments"), "x");
    EXPECT_EQ(GetVersionInfoValue({" leading", ""}, ""), "leading");
    EXPECT_EQ(GetVersionInfoValue({}, "FileVersion"), "");
}

TEST(FakeVersionResources, QueriesNameATableAndKeyWithoutRegardToCase) {
    FakeVersionResources resources;
    resources.AddFile("C:\\A.EXE", FixedFileInfo{});
    resources.SetString("C:\\A.EXE", MakeTranslation(0x0C0A, 0x04E4), "CompanyName", "Q");
    EXPECT_FALSE(resources.Read("C:\\B.EXE"));
    const auto resource = resources.Read("c:\\a.exe");
    ASSERT_TRUE(resource);
    EXPECT_EQ(resource->Query("\\StringFileInfo\\0C0A04E4\\CompanyName"), "Q");
    EXPECT_EQ(resource->Query("\\stringfileinfo\\0c0a04e4\\COMPANYNAME"), "Q");
    EXPECT_EQ(resource->Query("\\StringFileInfo\\04E40C0A\\CompanyName"), std::nullopt);
    EXPECT_EQ(resource->Query("StringFileInfo\\0C0A04E4\\CompanyName"), std::nullopt);
    EXPECT_EQ(resource->Query("\\StringFileInfo\\0C0A04E4\\"), std::nullopt);
    EXPECT_EQ(resource->Query("\\StringFileInfo\\0C0A04E4\\CompanyName\\x"), std::nullopt);
    EXPECT_EQ(resource->Query("\\"), std::nullopt);
    EXPECT_TRUE(resource->Translations().empty());

    // What was read stays as it was.
    resources.SetString("C:\\A.EXE", MakeTranslation(0x0C0A, 0x04E4), "companyname", "R");
    EXPECT_EQ(resource->Query("\\StringFileInfo\\0C0A04E4\\CompanyName"), "Q");
    EXPECT_EQ(resources.Read("C:\\A.EXE")->Query("\\StringFileInfo\\0C0A04E4\\CompanyName"), "R");
}

}  // namespace
}  // namespace glmx::fileinfo
