// The Win32 registry service against the real registry, below a throw-away key.
#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "support/scoped_test_key.h"

namespace glmx::platform::win32 {
namespace {

using ::testing::UnorderedElementsAre;

class RegistryWinTest : public ::testing::Test {
protected:
    std::unique_ptr<RegistryKey> Open(const std::string& below = "",
                                      RegAccess access = RegAccess::Read) {
        return registry.OpenKey(RegRoot::CurrentUser, testKey.Path() + below, access);
    }

    glmx::testing::ScopedTestKey testKey;
    Win32Registry registry;
};

TEST_F(RegistryWinTest, KeysAreFoundInAnyCaseAtAnyLengthAndDeletedWithEverythingBelow) {
    EXPECT_FALSE(Open());
    std::string deep;
    for (int i = 0; i < 12; ++i) deep += "\\" + std::string(30, char('a' + i));
    ASSERT_GT(testKey.Path().size() + deep.size(), 260u);
    ASSERT_TRUE(registry.CreateKey(RegRoot::CurrentUser, testKey.Path() + "\\One" + deep));
    ASSERT_TRUE(registry.CreateKey(RegRoot::CurrentUser, testKey.Path() + "\\Kept"));
    EXPECT_TRUE(Open("\\ONE" + deep));
    EXPECT_THAT(Open()->SubKeyNames(), UnorderedElementsAre("One", "Kept"));

    EXPECT_TRUE(registry.DeleteKeyTree(RegRoot::CurrentUser, testKey.Path() + "\\One"));
    EXPECT_FALSE(Open("\\One"));
    EXPECT_TRUE(Open("\\Kept"));
    EXPECT_FALSE(registry.DeleteKeyTree(RegRoot::CurrentUser, testKey.Path() + "\\One"));
    EXPECT_FALSE(registry.DeleteKeyTree(RegRoot::CurrentUser, ""));
}

TEST_F(RegistryWinTest, SubKeysAreCountedThroughAKeyOpenedOnlyToQuery) {
    ASSERT_TRUE(registry.CreateKey(RegRoot::CurrentUser, testKey.Path() + "\\A\\Below"));
    ASSERT_TRUE(registry.CreateKey(RegRoot::CurrentUser, testKey.Path() + "\\B"));
    auto key = Open("", RegAccess::Query);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->SubKeyCount(), 2u);
    EXPECT_EQ(Open("\\B", RegAccess::Query)->SubKeyCount(), 0u);
    EXPECT_EQ(key->SubKeyCountOf("a"), 1u);
    EXPECT_EQ(key->SubKeyCountOf("missing"), 0u);
    EXPECT_FALSE(key->SetValue("v", MakeStringData("1")));
}

TEST(RegistryViewWinTest, TheThirtyTwoBitViewKeepsItsOwnSoftwareKey) {
    // HKEY_LOCAL_MACHINE\Software is the key 64-bit Windows keeps twice.
    const std::string path = "Software\\GlmxViewTest-" + std::to_string(GetCurrentProcessId());
    Win32Registry native, bits32(RegistryView::Bits32), bits64(RegistryView::Bits64);
    ASSERT_TRUE(bits32.CreateKey(RegRoot::LocalMachine, path + "\\Inner"));
    EXPECT_TRUE(bits32.OpenKey(RegRoot::LocalMachine, path, RegAccess::Read));
    EXPECT_FALSE(native.OpenKey(RegRoot::LocalMachine, path, RegAccess::Read));
    EXPECT_FALSE(bits64.OpenKey(RegRoot::LocalMachine, path, RegAccess::Read));
    EXPECT_EQ(bits32.OpenKey(RegRoot::LocalMachine, "Software", RegAccess::Query)
                  ->SubKeyCountOf(path.substr(9)),
              1u);
    EXPECT_TRUE(bits32.DeleteKeyTree(RegRoot::LocalMachine, path));
    EXPECT_FALSE(bits32.OpenKey(RegRoot::LocalMachine, path, RegAccess::Read));
}

TEST_F(RegistryWinTest, ValuesOfEveryTypeComeBackExactly) {
    auto key = registry.CreateKey(RegRoot::CurrentUser, testKey.Path());
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

    std::map<std::string, RegData> read;
    for (const auto& value : Open()->Values()) read[value.name] = value.data;
    EXPECT_EQ(read, written);
    EXPECT_EQ(Open()->QueryValue("BIG"), written.at("big"));
    EXPECT_EQ(DecodeStringData(*Open()->QueryValue(name)), "text \u00e9\U0001F600");
    EXPECT_FALSE(Open()->QueryValue("missing"));
}

TEST_F(RegistryWinTest, WritesNeedWriteAccessAndAnotherCaseRewritesTheStoredName) {
    registry.CreateKey(RegRoot::CurrentUser, testKey.Path());
    EXPECT_FALSE(Open()->SetValue("v", MakeStringData("1")));
    auto writable = Open("", RegAccess::ReadWrite);
    EXPECT_TRUE(writable->SetValue("MixedCase", MakeStringData("1")));
    EXPECT_TRUE(writable->SetValue("MIXEDCASE", MakeStringData("2")));
    const auto values = writable->Values();
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "MixedCase");
    EXPECT_EQ(DecodeStringData(values[0].data), "2");
    EXPECT_TRUE(writable->DeleteValue("mixedcase"));
    EXPECT_FALSE(writable->DeleteValue("MixedCase"));
}

}  // namespace
}  // namespace glmx::platform::win32
