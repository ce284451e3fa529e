// Each offline builder's exact sequence of view operations and search terms.
#include "info/offline_information.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fake/fake_version_resources.h"
#include "support/recording_combo_box.h"
#include "support/recording_styled_view.h"

namespace glmx::info {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;
using ::testing::SizeIs;
using ::testing::StartsWith;
using Log = std::vector<std::string>;

struct Status final : inventory::StatusLine {
    void SetStatusText(std::string_view value) override { text = value; }
    std::string text = "unchanged";
};

class Details final : public InstalledProgramDetails {
public:
    ArpCacheInfo CacheInfo(const inventory::InstalledProgramInfo& record) const override {
        return record.KeyName == "Cached" ? cache : ArpCacheInfo{};
    }
    TProgramInfoCache UninstallValues(const inventory::InstalledProgramInfo&) const override {
        return values;
    }
    ArpCacheInfo cache{"12.50 MB", "03/14/2025", "occasionally", "C:\\Apps\\editor.exe"};
    TProgramInfoCache values;
};

// The whole log of a text: brought to front, the common start, the body, formatted.
Log Shown(const Log& body) {
    Log log = {"front", "clear", "label [ ]", "[" + std::string(kOfflineHint) + "]", "spacer [ ]"};
    log.insert(log.end(), body.begin(), body.end());
    log.insert(log.end(), {"format", "repaint"});
    return log;
}

class OfflineTest : public ::testing::Test {
protected:
    void SetUp() override {
        field.items = {"stale term"};
        field.text = "typed";
    }
    Log TakeLog() { return std::exchange(view.log, {}); }

    RecordingView view;
    glmx::testing::RecordingComboBox field;
    Status status;
    TLinkedInformationBuffer links;
    platform::FakeVersionResources versions;
    Details details;
    std::vector<std::string> opened;
    OfflineInformationBuilder builder{
        view, field, status, links, versions, details, [this](const std::string& url) {
            opened.push_back(url);
        }};
};

TEST_F(OfflineTest, ProgramTextTakesTheValuesAfterTheLastSeparatorWithTitleAndPicture) {
    inventory::RunningProgramInfo record;
    record.ProgramName = "Editor";
    record.FileName = "C:\\Apps\\editor.exe";
    record.CompanyName = "Quenfield: Tools";
    record.FileVersion = "1.2";
    builder.ShowProgramInfo(record, 7);

    EXPECT_EQ(TakeLog(),
              Shown({"picture 7 big", "spacer [ ]", "label [Program Name:  ] + title [Editor]",
                     "label [File Name:  ] + [editor.exe]", "label [Company Name:  ] + [ Tools]",
                     "label [File Version:  ] + [1.2]"}));
    EXPECT_THAT(field.items, ElementsAre("by Program Name: Editor", "by File Name: editor.exe",
                                         "by Company Name:  Tools", "by File Version: 1.2"));
    EXPECT_EQ(status.text, "unchanged");
}

TEST_F(OfflineTest, AutoStartLabelsTakeOneBlankItsTermsNoByAndStatusIsAlwaysThere) {
    inventory::TAutoStartProgramInfo record{"Updater", "", "HKLM Run", "HKEY_LOCAL_MACHINE\\Run"};
    builder.ShowAutoStartInfo(record, 3);
    EXPECT_EQ(TakeLog(),
              Shown({"picture 3 big", "spacer [ ]", "label [Program Name: ] + title [Updater]",
                     "label [Autostart type: ] + [HKLM Run]", "label [Status: ] + [Enabled]",
                     "label [Location: ] + [HKEY_LOCAL_MACHINE\\Run]"}));
    EXPECT_THAT(field.items, ElementsAre("Program Name: Updater", "Autostart type: HKLM Run",
                                         "Status: Enabled", "Location: HKEY_LOCAL_MACHINE\\Run"));
    record.Disabled = true;
    builder.ShowAutoStartInfo(record, 3);
    EXPECT_THAT(field.items, ::testing::Contains("Status: Disabled"));
}

TEST_F(OfflineTest, InstalledProgramShowsCacheAndValuesWithWebAddressesAsLinks) {
    details.values = {{"Publisher", "Quenfield"},
                      {"URLInfoAbout", "http://quenfield.example/about"},
                      {"Comments", ""}};
    builder.ShowInstalledProgramInfo({"Cached", "Quenfield Editor", "C:\\uninst.exe /x"}, 2);
    EXPECT_EQ(
        TakeLog(),
        Shown({"picture 2 big", "spacer [ ]", "label [Program Name:  ] + title [Quenfield Editor]",
               "label [Uninstall String:  ] + [C:\\uninst.exe /x]", "label [Size:  ] + [12.50 MB]",
               "label [Last used:  ] + [03/14/2025]", "label [Used:  ] + [occasionally]",
               "label [Tracked Name:  ] + [C:\\Apps\\editor.exe]",
               "label [Publisher:  ] + [Quenfield]",
               "label [URLInfoAbout:  ] + link [http://quenfield.example/about]"}));
    EXPECT_EQ(field.items.back(), "by URLInfoAbout: http://quenfield.example/about");

    builder.ShowInstalledProgramInfo({"NotCached", "Tool", ""}, 0);  // no cache lines
    EXPECT_THAT(TakeLog(), Not(Contains(StartsWith("label [Size:"))));
}

// A program name that merely starts with "http" must never reach the shell, and a line
// break must not split one address into several links and shift the numbers after it.
TEST_F(OfflineTest, OnlyHttpAndHttpsAddressesAreLinksEachOneLinkOnOneLine) {
    // clang-format off
    details.values = {{"A", "httpd.exe"}, {"B", "http_setup.cmd"}, {"C", "HTTPS://Loud.Example"},
                      {"D", "ftp://files.example"}, {"E", "http://two\r\nlines\rthree\nfour"},
                      {"F", "http://"}, {"G", "https://last.example"}};
    // clang-format on
    links.LinkTargets = {"http://stale.example"};
    builder.ShowInstalledProgramInfo({"Key", "", ""}, 0);
    Log values;
    for (const std::string& entry : TakeLog())
        if (const size_t at = entry.find(" + "); at != std::string::npos)
            values.push_back(entry.substr(at + 3));
    EXPECT_THAT(values, ElementsAre("[httpd.exe]", "[http_setup.cmd]", "[HTTPS://Loud.Example]",
                                    "[ftp://files.example]", "link [http://two lines three four]",
                                    "[http://]", "link [https://last.example]"));
    for (int link : {1, 0, 2, -1}) builder.Jump(link);
    EXPECT_THAT(opened, ElementsAre("https://last.example", "http://two lines three four"));
    links.LinkTargets = {"httpd.exe", "file://C:/x.cmd", "HTTP://LOUD.EXAMPLE"};
    for (int link : {0, 1, 2}) builder.Jump(link);
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(OfflineTest, ShellItemShowsNamePathVersionLinesAndDetailColumns) {
    versions.AddFile("C:\\Apps\\tool.exe",
                     platform::FixedFileInfo{0x00010002, 0x00030004, 0, 0, 4, 1});
    builder.ShowShellItemInfo({"tool", "C:\\Apps\\tool.exe", {"tool", "12 KB", "", "Application"}},
                              {"Name", "Size", "Type", "Kind"});
    EXPECT_EQ(TakeLog(), Shown({"label [Name:  ] + [tool]", "label [Full Name:  ] + [tool.exe]",
                                "label [Path:  ] + [C:\\Apps\\tool.exe]",
                                "label [InternalFileVersion:  ] & [1.2.3.4]",
                                "label [InternalProductVersion:  ] & [0.0.0.0]",
                                "label [OperatingSystem:  ] & [32-bit Windows]",
                                "label [FileType:  ] & [Application]", "label [Size:  ] + [12 KB]",
                                "label [Kind:  ] + [Application]"}));
    EXPECT_EQ(status.text, "tool");
    EXPECT_EQ(field.items[2], "by Path: C:\\Apps\\tool.exe");

    // Without a folder part there is no path line.
    builder.ShowShellItemInfo({"Printers", "Printers and Faxes", {}}, {});
    EXPECT_EQ(TakeLog(), Shown({"label [Name:  ] + [Printers]",
                                "label [Full Name:  ] + [Printers and Faxes]"}));
    // A colon counts as a separator too: a shell identifier's path is cut after it.
    builder.ShowShellItemInfo({"Printers", "::{2227A780}", {}}, {});
    EXPECT_THAT(field.items, ElementsAre("by Name: Printers", "by Full Name: {2227A780}",
                                         "by Path: ::{2227A780}"));
}

TEST_F(OfflineTest, RegistryKeyAndValueTexts) {
    builder.ShowRegistryKeyInfo({"Run", "HKEY_CURRENT_USER\\Software\\Run"});
    EXPECT_THAT(field.items,
                ElementsAre("by Key Name: Run", "by Key Path: HKEY_CURRENT_USER\\Software\\Run"));
    builder.ShowRegistryValueInfo({"Run", "HKEY_CURRENT_USER\\Software\\Run"},
                                  {"Updater", "REG_SZ", "C:\\up.exe"});
    EXPECT_THAT(field.items,
                ElementsAre("by Value Name: Updater",
                            "by Value Path: HKEY_CURRENT_USER\\Software\\Run\\Updater",
                            "by Key Name: Run", "by Path Name: HKEY_CURRENT_USER\\Software\\Run",
                            "by Type: REG_SZ", "by Value: C:\\up.exe"));
    EXPECT_EQ(status.text, "unchanged");
}

TEST_F(OfflineTest, DeviceTextWritesTheNodesOwnEntryAndTwoNameTerms) {
    HardwareNodeInfo speaker{"Speaker", "Sound", 2, 5, {}};
    speaker.device = {"",    "Quenfield Devices", "PCI bus 0",        "",          "1-1-2020",
                      "2.0", "Quenfield Sound",   "HDAUDIO\\FUNC_01", std::nullopt};
    builder.ShowDeviceInfo(speaker);
    EXPECT_EQ(
        TakeLog(),
        Shown({"picture 5 devices", "spacer [ ]", "label [Device Name:  ] + title [Speaker]",
               "label [Device Type: ] & [Sound]", "label [Manufacturer: ] & [Quenfield Devices]",
               "label [Location: ] & [PCI bus 0]", "label [Hardware ID: ] & [HDAUDIO\\FUNC_01]",
               "spacer [ ]", "label [Driver Provider: ] & []", "label [Driver Date: ] & [1-1-2020]",
               "label [Driver Version: ] & [2.0]",
               "label [Driver Description: ] & [Quenfield Sound]"}));
    // Past the name's two terms, each line's term is its label and value as the log shows.
    EXPECT_THAT(field.items, SizeIs(10));
    EXPECT_EQ(field.items[1], "by Device : Speaker");
    EXPECT_EQ(field.items[6], "by Driver Provider: ");
    EXPECT_EQ(status.text, "Speaker");

    builder.ShowDeviceInfo({"Sound", "My Computer", 1, 4, {}});
    EXPECT_THAT(field.items, ElementsAre("by Device Type: Sound"));
}

TEST_F(OfflineTest, ADeviceWithAProblemSaysItsCodeAndTheMeaningTheSystemGivesIt) {
    HardwareNodeInfo node{"Card", "Sound", 2, 0, {}};
    for (const auto& [code, line] : std::vector<std::pair<std::uint32_t, std::string>>{
             {22, "label [Problem code 22: ] & [This device is disabled.]"},
             {28, "label [Problem code 28: ] & [The drivers for this device are not installed.]"},
             {10, "label [Problem code 10: ] & [This device cannot start.]"},
             {999, "label [Problem code 999]"}}) {
        node.device.ProblemCode = code;
        builder.ShowDeviceInfo(node);
        EXPECT_THAT(TakeLog(), Contains(line));
    }
    EXPECT_THAT(field.items, Not(Contains(StartsWith("by Problem"))));  // 999 has no term
}

TEST_F(OfflineTest, SearchLinksSelectTheFirstAndEmptyInfoShowsTheHintOnlyLeavingThem) {
    builder.AddSearchLink("");  // empties the list, keeps the typed text
    EXPECT_TRUE(field.items.empty());
    EXPECT_EQ(field.text, "typed");
    builder.AddSearchLink("by A: 1");
    builder.AddSearchLink("by B: 2");
    EXPECT_EQ(field.text, "by A: 1");

    builder.ShowEmptyInfo();
    EXPECT_EQ(TakeLog(), (Log{"clear", "label [ ]", "[" + std::string(kOfflineHint) + "]", "format",
                              "repaint"}));
    EXPECT_THAT(field.items, ElementsAre("by A: 1", "by B: 2"));
    EXPECT_EQ(status.text, "");
}

TEST_F(OfflineTest, FoundFileShowsNameAndPathAsMultiLineTextsAndVersionLinesWithoutEmptyOnes) {
    builder.ShowFoundFileInfo("D:\\found\\notes.txt");
    EXPECT_EQ(TakeLog(),
              Shown({"label [Name:  ] & [notes.txt]", "label [Path:  ] & [D:\\found\\notes.txt]"}));
    EXPECT_EQ(status.text, "D:\\found\\notes.txt");

    const std::uint32_t english = platform::MakeTranslation(0x409, 1200);
    versions.AddFile("C:\\x.dll", platform::FixedFileInfo{});
    versions.AddTranslation("C:\\x.dll", english);
    versions.SetString("C:\\x.dll", english, "Comments", std::string(1, '\0'));
    versions.SetString("C:\\x.dll", english, "ProductName", "Lib\r\nTwo");
    builder.ShowFoundFileInfo("C:\\x.dll");
    const Log log = TakeLog();
    EXPECT_THAT(log, Not(Contains(StartsWith("label [Comments:"))));
    EXPECT_THAT(log, Contains("label [ProductName:  ] & [Lib\r\nTwo]"));
    EXPECT_THAT(log, Contains(StartsWith("label [FileType:")).Times(1));  // not the empty one

    // A version line without a blank has an empty key.
    field.items = {"stale term"};
    builder.WriteVersionLines({"NoBlankHere", "Key value with blanks", "Empty "});
    EXPECT_EQ(TakeLog(),
              (Log{"label [:  ] & [NoBlankHere]", "label [Key:  ] & [value with blanks]"}));
    EXPECT_THAT(field.items,
                ElementsAre("stale term", "by : NoBlankHere", "by Key: value with blanks"));
}

}  // namespace
}  // namespace glmx::info
