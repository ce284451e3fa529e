// Each offline builder's exact sequence of view operations and search terms.
#include "info/offline_information.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fake/fake_version_resources.h"
#include "support/recording_combo_box.h"

namespace glmx::info {
namespace {

using ::testing::ElementsAre;
using Log = std::vector<std::string>;

std::string StyleName(TextStyle style) {
    static const char* names[] = {"normal", "label", "subheading", "title",
                                  "link",   "link2", "spacer"};
    return names[style];
}

class RecordingView final : public StyledTextView {
public:
    void Clear() override { log.push_back("clear"); }
    void AddLine(std::string_view text, TextStyle style) override { Write("line", text, style); }
    void Append(std::string_view text, TextStyle style) override { Write("append", text, style); }
    void AppendText(std::string_view text, TextStyle style) override { Write("text", text, style); }
    void AddPicture(int index, PictureList list) override {
        log.push_back("picture " + std::to_string(index) +
                      (list == PictureList::BigSystemImages ? " big"
                       : list == PictureList::Devices       ? " devices"
                                                            : " searching"));
    }
    void Format() override { log.push_back("format"); }
    void Repaint() override { log.push_back("repaint"); }
    void BringToFront() override { log.push_back("front"); }
    bool SelectionExists() const override { return false; }
    void CopySelection() override {}

    Log log;

private:
    void Write(const char* operation, std::string_view text, TextStyle style) {
        log.push_back(std::string(operation) + " " + StyleName(style) + " [" + std::string(text) +
                      "]");
    }
};

struct Status final : inventory::StatusLine {
    void SetStatusText(std::string_view value) override { text = value; }
    std::string text = "unchanged";
};

class Details final : public InstalledProgramDetails {
public:
    ArpCacheInfo CacheInfo(const std::string& key) const override {
        return key == "Cached" ? cache : ArpCacheInfo{};
    }
    TProgramInfoCache UninstallValues(const std::string&) const override { return values; }
    ArpCacheInfo cache{"12.50 MB", "03/14/2025", "occasionally", "C:\\Apps\\editor.exe"};
    TProgramInfoCache values;
};

// The whole log of a text: brought to front, the common start, the body, formatted.
Log Shown(const Log& body) {
    Log log = {"front", "clear", "line label [ ]",
               "line normal [" + std::string(kOfflineHint) + "]", "line spacer [ ]"};
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

    EXPECT_EQ(TakeLog(), Shown({"picture 7 big", "line spacer [ ]", "line label [Program Name:  ]",
                                "append title [Editor]", "line label [File Name:  ]",
                                "append normal [editor.exe]", "line label [Company Name:  ]",
                                "append normal [ Tools]", "line label [File Version:  ]",
                                "append normal [1.2]"}));
    EXPECT_THAT(field.items, ElementsAre("by Program Name: Editor", "by File Name: editor.exe",
                                         "by Company Name:  Tools", "by File Version: 1.2"));
    EXPECT_EQ(field.text, "by Program Name: Editor");
    EXPECT_EQ(status.text, "unchanged");
}

TEST_F(OfflineTest, AutoStartLabelsTakeOneBlankItsTermsNoByAndStatusIsAlwaysThere) {
    inventory::TAutoStartProgramInfo record{"Updater", "", "HKLM Run", false,
                                            "HKEY_LOCAL_MACHINE\\Run"};
    builder.ShowAutoStartInfo(record, 3);
    EXPECT_EQ(TakeLog(),
              Shown({"picture 3 big", "line spacer [ ]", "line label [Program Name: ]",
                     "append title [Updater]", "line label [Autostart type: ]",
                     "append normal [HKLM Run]", "line label [Status: ]", "append normal [Enabled]",
                     "line label [Location: ]", "append normal [HKEY_LOCAL_MACHINE\\Run]"}));
    EXPECT_THAT(field.items, ElementsAre("Program Name: Updater", "Autostart type: HKLM Run",
                                         "Status: Enabled", "Location: HKEY_LOCAL_MACHINE\\Run"));
    record.Disabled = true;
    builder.ShowAutoStartInfo(record, 3);
    EXPECT_THAT(field.items, ::testing::Contains("Status: Disabled"));
}

TEST_F(OfflineTest, InstalledProgramShowsCacheAndValuesWithWebAddressesAsLinks) {
    links.LinkTargets = {"http://stale.example"};
    details.values = {{"Publisher", "Quenfield"},
                      {"URLInfoAbout", "http://quenfield.example/about"},
                      {"Comments", ""}};
    builder.ShowInstalledProgramInfo({"Cached", "Quenfield Editor", "C:\\uninst.exe /x"}, 2);
    EXPECT_EQ(
        TakeLog(),
        Shown({"picture 2 big", "line spacer [ ]", "line label [Program Name:  ]",
               "append title [Quenfield Editor]", "line label [Uninstall String:  ]",
               "append normal [C:\\uninst.exe /x]", "line label [Size:  ]",
               "append normal [12.50 MB]", "line label [Last used:  ]",
               "append normal [03/14/2025]", "line label [Used:  ]", "append normal [occasionally]",
               "line label [Tracked Name:  ]", "append normal [C:\\Apps\\editor.exe]",
               "line label [Publisher:  ]", "append normal [Quenfield]",
               "line label [URLInfoAbout:  ]", "append link [http://quenfield.example/about]"}));
    EXPECT_THAT(links.LinkTargets, ElementsAre("http://quenfield.example/about"));
    EXPECT_EQ(field.items.back(), "by URLInfoAbout: http://quenfield.example/about");
}

// A program name that merely starts with "http" must never reach the shell, and a line
// break must not split one address into several links and shift the numbers after it.
TEST_F(OfflineTest, OnlyHttpAndHttpsAddressesAreLinksEachOneLinkOnOneLine) {
    details.values = {{"A", "httpd.exe"},
                      {"B", "http_setup.cmd"},
                      {"C", "HTTPS://Loud.Example"},
                      {"D", "ftp://files.example"},
                      {"E", "http://two\r\nlines\rthree\nfour"},
                      {"F", "http://"},
                      {"G", "https://last.example"}};
    builder.ShowInstalledProgramInfo({"Key", "", ""}, 0);
    Log values;
    for (const std::string& entry : TakeLog())
        if (entry.starts_with("append")) values.push_back(entry);
    EXPECT_THAT(
        values,
        ElementsAre("append normal [httpd.exe]", "append normal [http_setup.cmd]",
                    "append normal [HTTPS://Loud.Example]", "append normal [ftp://files.example]",
                    "append link [http://two lines three four]", "append normal [http://]",
                    "append link [https://last.example]"));
    for (int link : {1, 0, 2, -1}) builder.Jump(link);
    EXPECT_THAT(opened, ElementsAre("https://last.example", "http://two lines three four"));
    links.LinkTargets = {"httpd.exe", "file://C:/x.cmd", "HTTP://LOUD.EXAMPLE"};
    for (int link : {0, 1, 2}) builder.Jump(link);
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(OfflineTest, AProgramWithoutCacheEntryShowsNoCacheLines) {
    builder.ShowInstalledProgramInfo({"NotCached", "Tool", ""}, 0);
    const Log log = TakeLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), "line label [Size:  ]"), 0);
    EXPECT_THAT(field.items, ElementsAre("by Program Name: Tool"));
}

TEST_F(OfflineTest, ShellItemShowsNamePathVersionLinesAndDetailColumns) {
    versions.AddFile("C:\\Apps\\tool.exe",
                     platform::FixedFileInfo{0x00010002, 0x00030004, 0, 0, 4, 1});
    builder.ShowShellItemInfo({"tool", "C:\\Apps\\tool.exe", {"tool", "12 KB", "", "Application"}},
                              {"Name", "Size", "Type", "Kind"});
    EXPECT_EQ(TakeLog(),
              Shown({"line label [Name:  ]", "append normal [tool]", "line label [Full Name:  ]",
                     "append normal [tool.exe]", "line label [Path:  ]",
                     "append normal [C:\\Apps\\tool.exe]", "line label [InternalFileVersion:  ]",
                     "text normal [1.2.3.4]", "line label [InternalProductVersion:  ]",
                     "text normal [0.0.0.0]", "line label [OperatingSystem:  ]",
                     "text normal [32-bit Windows]", "line label [FileType:  ]",
                     "text normal [Application]", "line label [Size:  ]", "append normal [12 KB]",
                     "line label [Kind:  ]", "append normal [Application]"}));
    EXPECT_EQ(status.text, "tool");
    EXPECT_EQ(field.items[2], "by Path: C:\\Apps\\tool.exe");
}

TEST_F(OfflineTest, AShellItemWithoutFolderPartHasNoPathLine) {
    builder.ShowShellItemInfo({"Printers", "Printers and Faxes", {}}, {});
    EXPECT_EQ(TakeLog(),
              Shown({"line label [Name:  ]", "append normal [Printers]",
                     "line label [Full Name:  ]", "append normal [Printers and Faxes]"}));
    // A colon counts as a separator too: a shell identifier's path is cut after it.
    builder.ShowShellItemInfo({"Printers", "::{2227A780}", {}}, {});
    EXPECT_THAT(field.items, ElementsAre("by Name: Printers", "by Full Name: {2227A780}",
                                         "by Path: ::{2227A780}"));
}

TEST_F(OfflineTest, FoundFileAlwaysShowsNameAndPathAsMultiLineTexts) {
    builder.ShowFoundFileInfo("D:\\found\\notes.txt");
    EXPECT_EQ(TakeLog(), Shown({"line label [Name:  ]", "text normal [notes.txt]",
                                "line label [Path:  ]", "text normal [D:\\found\\notes.txt]"}));
    EXPECT_EQ(status.text, "D:\\found\\notes.txt");
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

TEST_F(OfflineTest, DeviceTextWritesEveryFieldAndTwoNameTerms) {
    std::vector<hardware::TAdvancedInfo> devices(3);
    devices[2] = {"Quenfield Devices", "PCI bus 0", "", "1-1-2020", "2.0", "Quenfield Sound"};
    builder.ShowDeviceInfo({"Speaker", "Sound", 2, 3, 5}, devices);
    EXPECT_EQ(
        TakeLog(),
        Shown({"picture 5 devices", "line spacer [ ]", "line label [Device Name:  ]",
               "append title [Speaker]", "line label [Device Type: ]", "text normal [Sound]",
               "line label [Manufacturer: ]", "text normal [Quenfield Devices]",
               "line label [Location: ]", "text normal [PCI bus 0]", "line spacer [ ]",
               "line label [Driver Provider: ]", "text normal []", "line label [Driver Date: ]",
               "text normal [1-1-2020]", "line label [Driver Version: ]", "text normal [2.0]",
               "line label [Driver Description: ]", "text normal [Quenfield Sound]"}));
    EXPECT_THAT(
        field.items,
        ElementsAre("by Device Name: Speaker", "by Device : Speaker", "by Device Type: Sound",
                    "by Manufacturer: Quenfield Devices", "by Location: PCI bus 0",
                    "by Driver Provider: ", "by Driver Date: 1-1-2020", "by Driver Version: 2.0",
                    "by Driver Description: Quenfield Sound"));
    EXPECT_EQ(status.text, "Speaker");

    builder.ShowDeviceInfo({"Sound", "My Computer", 1, 1, 4}, devices);
    EXPECT_THAT(field.items, ElementsAre("by Device Type: Sound"));
    builder.ShowDeviceInfo({"Ghost", "Sound", 2, 99, 0}, devices);  // no record: empty fields
    EXPECT_EQ(field.items.size(), 9u);
}

TEST_F(OfflineTest, EmptyInfoShowsTheHintOnlyAndLeavesTheTermsAlone) {
    inventory::RunningProgramInfo editor;
    editor.ProgramName = "Editor";
    builder.ShowProgramInfo(editor, 0);
    TakeLog();
    builder.ShowEmptyInfo();
    EXPECT_EQ(TakeLog(),
              (Log{"clear", "line label [ ]", "line normal [" + std::string(kOfflineHint) + "]",
                   "format", "repaint"}));
    EXPECT_THAT(field.items, ElementsAre("by Program Name: Editor"));
    EXPECT_EQ(status.text, "");
}

TEST_F(OfflineTest, SearchLinksKeepTheTypedTextWhenEmptiedAndSelectTheFirst) {
    builder.AddSearchLink("");
    EXPECT_TRUE(field.items.empty());
    EXPECT_EQ(field.text, "typed");
    builder.AddSearchLink("by A: 1");
    builder.AddSearchLink("by B: 2");
    EXPECT_EQ(field.text, "by A: 1");
}

TEST_F(OfflineTest, VersionLinesSkipEmptyAndNulValues) {
    versions.AddFile("C:\\x.dll", platform::FixedFileInfo{});
    versions.AddTranslation("C:\\x.dll", platform::MakeTranslation(0x409, 1200));
    versions.SetString("C:\\x.dll", platform::MakeTranslation(0x409, 1200), "Comments",
                       std::string(1, '\0'));
    versions.SetString("C:\\x.dll", platform::MakeTranslation(0x409, 1200), "ProductName",
                       "Lib\r\nTwo");
    builder.ShowFoundFileInfo("C:\\x.dll");
    const Log log = TakeLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), "line label [Comments:  ]"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "text normal [Lib\r\nTwo]"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "line label [FileType:  ]"),
              1);  // the empty second one is skipped
}

TEST_F(OfflineTest, AVersionLineWithoutABlankHasAnEmptyKey) {
    builder.WriteVersionLines({"NoBlankHere", "Key value with blanks", "Empty "});
    EXPECT_EQ(TakeLog(), (Log{"line label [:  ]", "text normal [NoBlankHere]",
                              "line label [Key:  ]", "text normal [value with blanks]"}));
    EXPECT_THAT(field.items, ::testing::ElementsAre("stale term", "by : NoBlankHere",
                                                    "by Key: value with blanks"));
}

TEST(AfterLastSeparator, CutsAtTheLastBackslashOrColon) {
    EXPECT_EQ(AfterLastSeparator("C:\\a\\b.exe"), "b.exe");
    EXPECT_EQ(AfterLastSeparator("time: 10:30"), "30");
    EXPECT_EQ(AfterLastSeparator("plain"), "plain");
    EXPECT_EQ(AfterLastSeparator("ends\\"), "");
}

}  // namespace
}  // namespace glmx::info
