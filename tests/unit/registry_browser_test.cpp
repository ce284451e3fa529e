// The registry view's rules: how values read, the order keys and values list in, and
// how a tree node's path and the selected path are kept.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/fake/fake_registry.h"
#include "registry/registry_browser.h"
#include "registry/registry_paths.h"
#include "registry/registry_tree.h"
#include "registry/registry_values.h"

namespace glmx::registry {
namespace {

using platform::FakeRegistry;
using platform::MakeStringData;
using platform::RegData;
using platform::RegRoot;
using platform::RegType;

TEST(RegistryValues, EveryTypeShowsItsDataAsTheListDoes) {
    std::string hex1024 = "ab";
    for (int i = 1; i < 1024; ++i) hex1024 += " ab";
    const std::vector<std::uint8_t> qword{1, 0, 0, 0, 0, 0, 0, 0x80}, full(1024, 0xab),
        over(1025, 0xab);
    const struct {
        RegData data;
        const char* type;
        std::string text;
        int image;
    } cases[] = {
        {{RegType::Dword, {0xff, 0, 0, 0}}, "REG_DWORD", "0x000000ff (255)", 7},
        {{RegType::Dword, {0xff, 0xff, 0xff, 0xff, 9}}, "REG_DWORD", "0xffffffff (4294967295)", 7},
        {{RegType::DwordBigEndian, {0, 0, 1, 2}}, "REG_DWORD_BIG_ENDIAN", "0x00000102 (258)", 7},
        {{RegType::Dword, {1, 0xab, 0xff}}, "REG_DWORD", "01 ab ff", 7},
        {{RegType::Qword, qword}, "REG_QWORD", "0x8000000000000001 (9223372036854775809)", 7},
        {{RegType::Qword, {1, 2, 3, 4}}, "REG_QWORD", "01 02 03 04", 7},
        {{RegType::Binary, {}}, "REG_BINARY", "(zero-length binary value)", 7},
        {{RegType::None, {0, 0x10}}, "REG_NONE", "00 10", 7},
        {{RegType::MultiString, {'a', 0, 0, 0}}, "REG_MULTI_SZ", "61 00 00 00", 7},
        {{RegType::FullResourceDescriptor, {7}}, "REG_FULL_RESOURCE_DESCRIPTOR", "07", 7},
        // Text ends at the first zero character, not the first zero byte.
        {{RegType::String, {'a', 0, 0, 0x41, 0, 0, 'c', 0}}, "REG_SZ", "a\u4100", 6},
        {{RegType::String, {'h', 0, 'i'}}, "REG_SZ", "h", 6},
        {MakeStringData("%TEMP%\\x", RegType::ExpandString), "REG_EXPAND_SZ", "%TEMP%\\x", 6},
        // Types the list does not read: "" stands for ERROR - VALUE NOT READ.
        {{RegType::Link, {1, 2}}, "REG_LINK", "", 6},
        {{RegType::ResourceRequirementsList, {}}, "REG_RESOURCE_REQUIREMENTS_LIST", "", 6},
        {{static_cast<RegType>(12), {1}}, "", "", 6},
        // Beyond the list's 1024 bytes: what fits, marked as cut.
        {{RegType::Binary, full}, "REG_BINARY", hex1024, 7},
        {{RegType::Binary, over}, "REG_BINARY", hex1024 + "...", 7},
        {MakeStringData(std::string(600, 'x')), "REG_SZ", std::string(512, 'x') + "...", 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        const FormattedValue shown = FormatValue(c.data);
        EXPECT_EQ(shown.typeText, c.type);
        EXPECT_EQ(shown.dataText, c.text.empty() ? "ERROR - VALUE NOT READ" : c.text);
        EXPECT_EQ(shown.image, c.image);
    }
    EXPECT_EQ(ValueTypeName(static_cast<RegType>(0xFFFFFFFF)), "");
}

// Each row as "name|type|data|image".
std::vector<std::string> Shown(const std::vector<ValueRow>& rows) {
    std::vector<std::string> shown;
    for (const auto& row : rows)
        shown.push_back(row.text.name + "|" + row.text.typeText + "|" + row.text.dataText + "|" +
                        std::to_string(row.image));
    return shown;
}

TEST(RegistryValues, RowsListTheDefaultFirstThenNamesIgnoringCase) {
    FakeRegistry registry;
    auto key = registry.CreateKey(RegRoot::CurrentUser, "Software\\Test");
    for (const char* name : {"beta", "Zeta", "Alpha", "gamma"})
        key->SetValue(name, {RegType::Binary, {1}});
    key->SetValue("Zeta", {RegType::Dword, {2, 0, 0, 0}});
    key->SetValue("", MakeStringData("hello"));
    EXPECT_EQ(Shown(ValueRows(key.get())),
              (std::vector<std::string>{"(Default)|REG_SZ|hello|6", "Alpha|REG_BINARY|01|7",
                                        "beta|REG_BINARY|01|7", "gamma|REG_BINARY|01|7",
                                        "Zeta|REG_DWORD|0x00000002 (2)|7"}));

    // An empty unnamed value keeps its type; a missing one has none.
    key->SetValue("", MakeStringData(""));
    EXPECT_EQ(Shown(ValueRows(key.get()))[0], "(Default)|REG_SZ|(value not set)|6");
    key->DeleteValue("");
    EXPECT_EQ(Shown(ValueRows(key.get()))[0], "(Default)||(value not set)|6");
    EXPECT_TRUE(ValueRows(nullptr).empty());
}

TEST(RegistryValues, NamesSortIgnoringCaseAndEachListsOnce) {
    EXPECT_EQ(SortedNames({"b", "A", "a", "B", "c"}), (std::vector<std::string>{"A", "b", "c"}));
    EXPECT_TRUE(SortedSubKeyNames(nullptr).empty());
}

std::vector<std::string> ChildTexts(const KeyNode& node) {
    std::vector<std::string> texts;
    for (const auto& child : node.children)
        texts.push_back(child->text + (child->hasChildren ? "+" : ""));
    return texts;
}

TEST(RegistryBrowser, ExpandingListsOneLevelOnceWithPlusSignsAndSelectingAKeyListsItsValues) {
    FakeRegistry registry;
    registry.CreateKey(RegRoot::LocalMachine, "Software\\b");
    registry.CreateKey(RegRoot::LocalMachine, "Software\\A\\Inner");
    registry.CreateKey(RegRoot::LocalMachine, "Software\\Quenfield")
        ->SetValue("Size", {RegType::Dword, {3, 0, 0, 0}});
    registry.CreateKey(RegRoot::LocalMachine, "Software\\Locked\\Below\\Deep");
    registry.DenyAccess(RegRoot::LocalMachine, "Software\\Locked\\Below");
    RegistryBrowserState browser(registry);
    KeyNode& computer = browser.Build();
    // Only roots with sub-keys offer to expand.
    EXPECT_EQ(
        ChildTexts(computer),
        (std::vector<std::string>{"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE+",
                                  "HKEY_USERS", "HKEY_CURRENT_CONFIG"}));
    EXPECT_FALSE(browser.Expand(*computer.children[0]));
    KeyNode& machine = *computer.children[2];
    ASSERT_TRUE(browser.Expand(machine));
    EXPECT_FALSE(browser.Expand(machine));  // read once
    KeyNode& software = *machine.children[0];
    ASSERT_TRUE(browser.Expand(software));
    ListChildren(software, registry);
    EXPECT_EQ(ChildTexts(software), (std::vector<std::string>{"A+", "b", "Locked+", "Quenfield"}));

    const KeySelection quenfield = browser.Select(*software.children[3]);
    EXPECT_EQ(quenfield.status, "HKEY_LOCAL_MACHINE\\Software\\Quenfield");
    EXPECT_EQ(Shown(quenfield.rows), (std::vector<std::string>{"(Default)||(value not set)|6",
                                                               "Size|REG_DWORD|0x00000003 (3)|7"}));
    const auto info = KeyInfoOf(*software.children[3]);
    EXPECT_EQ(info.text + "|" + info.path, "Quenfield|HKEY_LOCAL_MACHINE\\Software\\Quenfield");

    // A key that refuses opening shows no plus sign, no rows, but still names itself.
    KeyNode& locked = *software.children[2];
    ASSERT_TRUE(browser.Expand(locked));
    EXPECT_EQ(ChildTexts(locked), (std::vector<std::string>{"Below"}));
    const KeySelection below = browser.Select(*locked.children[0]);
    EXPECT_TRUE(below.rows.empty());
    EXPECT_EQ(below.status, "HKEY_LOCAL_MACHINE\\Software\\Locked\\Below");
    // "My Computer" shows nothing and leaves the status bar alone.
    const KeySelection top = browser.Select(computer);
    EXPECT_TRUE(top.rows.empty());
    EXPECT_FALSE(top.status);
    KeyNode bogus{"HKEY_NOWHERE", 1, &computer, true, false, {}};
    ListChildren(bogus, registry);
    EXPECT_FALSE(bogus.hasChildren);
}

TEST(RegistryBrowser, TheEditorRemembersTheKeyUnderItsOwnRootName) {
    const struct {
        const char* stored;
        const char* path;
        const char* expected;
    } cases[] = {
        {"", "HKEY_USERS\\.DEFAULT", "Computer\\HKEY_USERS\\.DEFAULT"},
        {"My Computer\\HKEY_CURRENT_USER\\Software", "HKEY_USERS", "My Computer\\HKEY_USERS"},
        {"Ordinateur", "HKEY_USERS", "Ordinateur\\HKEY_USERS"},
        {"HKEY_CURRENT_USER\\Software", "HKEY_USERS", "Computer\\HKEY_USERS"},
        {"My Computer\\HKEY_USERS", "", "My Computer"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EditorLastKey(c.path, c.stored, "Computer"), c.expected) << c.stored;

    FakeRegistry registry;
    ASSERT_TRUE(RememberEditorKey(registry, "HKEY_CURRENT_USER\\x", "My Computer"));
    ASSERT_TRUE(RememberEditorKey(registry, "HKEY_CLASSES_ROOT\\.txt", "Computer"));
    const auto key =
        registry.OpenKey(RegRoot::CurrentUser, kEditorSettingsKey, platform::RegAccess::Read);
    EXPECT_EQ(key->QueryValue(kEditorLastKeyValue),
              MakeStringData("My Computer\\HKEY_CLASSES_ROOT\\.txt"));
    registry.SetReadOnly(true);
    EXPECT_FALSE(RememberEditorKey(registry, "HKEY_USERS", "Computer"));
}

TEST(RegistryPaths, FullPathSplitsIntoRootAndSubKeyAndRefusesAnUnknownRoot) {
    RegistryPathManager paths;
    paths.SetFullPath("HKEY_LOCAL_MACHINE\\Software\\Quenfield");
    EXPECT_EQ(paths.RootKey(), RegRoot::LocalMachine);
    EXPECT_EQ(paths.RootKeyName(), "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(paths.SubKeyPath(), "Software\\Quenfield");

    paths.SetFullPath("HKEY_CURRENT_CONFIG");
    EXPECT_EQ(paths.RootKey(), RegRoot::CurrentConfig);
    EXPECT_EQ(paths.SubKeyPath(), "");
    paths.SetFullPath("HKEY_CURRENT_CONFIG\\System");
    EXPECT_EQ(paths.SubKeyPath(), "System");

    try {
        paths.SetFullPath("hkey_users\\x");
        ADD_FAILURE() << "no error for an unknown root";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "hkey_users - Invalid HKEY description");
    }
    EXPECT_EQ(paths.FullPath(), "HKEY_CURRENT_CONFIG\\System");
    EXPECT_EQ(paths.RootKey(), RegRoot::CurrentConfig);
}

}  // namespace
}  // namespace glmx::registry
