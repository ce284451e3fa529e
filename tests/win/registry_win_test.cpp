// The Win32 registry service against the real registry, below a throw-away key.
#include "platform/win32/win32_registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "support/scoped_test_key.h"

namespace glmx::platform::win32 {
namespace {

using ::testing::UnorderedElementsAre;

class RegistryWinTest : public ::testing::Test {
protected:
    std::unique_ptr<RegistryKey> Create(const std::string& below = "") {
        return registry.CreateKey(RegRoot::CurrentUser,
                                  below.empty() ? testKey.Path() : testKey.Path() + "\\" + below);
    }
    std::map<std::string, RegData> ValuesByName(const RegistryKey& key) {
        std::map<std::string, RegData> values;
        for (const auto& value : key.Values()) values[value.name] = value.data;
        return values;
    }

    glmx::testing::ScopedTestKey testKey;
    Win32Registry registry;
};

TEST_F(RegistryWinTest, OpenFindsOnlyExistingKeys) {
    EXPECT_FALSE(registry.OpenKey(RegRoot::CurrentUser, testKey.Path(), RegAccess::Read));
    ASSERT_TRUE(Create("A\\B"));
    EXPECT_TRUE(registry.OpenKey(RegRoot::CurrentUser, testKey.Path() + "\\a\\b", RegAccess::Read));
    EXPECT_THAT(
        registry.OpenKey(RegRoot::CurrentUser, testKey.Path(), RegAccess::Read)->SubKeyNames(),
        UnorderedElementsAre("A"));
}

TEST_F(RegistryWinTest, ValuesOfEveryTypeComeBackExactly) {
    auto key = Create();
    const std::string name = "Name \u00e4\u65e5\U0001F600";
    const std::map<std::string, RegData> written = {
        {name, MakeStringData("text \u00e9\U0001F600")},
        {"expand", MakeStringData("%TEMP%\\x", RegType::ExpandString)},
        {"dword", {RegType::Dword, {1, 2, 3, 4}}},
        {"multi", {RegType::MultiString, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}}},
        {"empty", {RegType::Binary, {}}},
        {"big", {RegType::Binary, std::vector<std::uint8_t>(200000, 0xAB)}},
        {"", MakeStringData("unnamed")},
    };
    for (const auto& [valueName, data] : written) ASSERT_TRUE(key->SetValue(valueName, data));

    auto reopened = registry.OpenKey(RegRoot::CurrentUser, testKey.Path(), RegAccess::Read);
    EXPECT_EQ(ValuesByName(*reopened), written);
    EXPECT_EQ(reopened->QueryValue("BIG"), written.at("big"));
    EXPECT_EQ(DecodeStringData(*reopened->QueryValue(name)), "text \u00e9\U0001F600");
    EXPECT_FALSE(reopened->QueryValue("missing"));
}

TEST_F(RegistryWinTest, ARewriteInAnotherCaseKeepsOneValueWithTheStoredSpelling) {
    auto key = Create();
    key->SetValue("MixedCase", MakeStringData("1"));
    key->SetValue("MIXEDCASE", MakeStringData("2"));
    const auto values = key->Values();
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "MixedCase");
    EXPECT_EQ(DecodeStringData(values[0].data), "2");
}

TEST_F(RegistryWinTest, AKeyOpenedForReadingRefusesWrites) {
    Create();
    auto readOnly = registry.OpenKey(RegRoot::CurrentUser, testKey.Path(), RegAccess::Read);
    EXPECT_FALSE(readOnly->SetValue("v", MakeStringData("1")));
    auto writable = registry.OpenKey(RegRoot::CurrentUser, testKey.Path(), RegAccess::ReadWrite);
    EXPECT_TRUE(writable->SetValue("v", MakeStringData("1")));
    EXPECT_TRUE(writable->DeleteValue("V"));
    EXPECT_FALSE(writable->DeleteValue("v"));
}

TEST_F(RegistryWinTest, DeleteKeyTreeRemovesNestedKeys) {
    Create("One\\Two\\Three")->SetValue("deep", MakeStringData("x"));
    Create("One\\Sibling");
    Create("Kept");
    EXPECT_TRUE(registry.DeleteKeyTree(RegRoot::CurrentUser, testKey.Path() + "\\One"));
    EXPECT_FALSE(registry.OpenKey(RegRoot::CurrentUser, testKey.Path() + "\\One", RegAccess::Read));
    EXPECT_TRUE(registry.OpenKey(RegRoot::CurrentUser, testKey.Path() + "\\Kept", RegAccess::Read));
    EXPECT_FALSE(registry.DeleteKeyTree(RegRoot::CurrentUser, testKey.Path() + "\\One"));
    EXPECT_FALSE(registry.DeleteKeyTree(RegRoot::CurrentUser, ""));
}

TEST_F(RegistryWinTest, PathsPastMaxPathWork) {
    std::string below;
    for (int i = 0; i < 12; ++i) below += (i ? "\\" : "") + std::string(30, char('a' + i));
    ASSERT_GT(testKey.Path().size() + below.size(), 260u);
    ASSERT_TRUE(Create(below));
    EXPECT_TRUE(
        registry.OpenKey(RegRoot::CurrentUser, testKey.Path() + "\\" + below, RegAccess::Read));
}

}  // namespace
}  // namespace glmx::platform::win32
