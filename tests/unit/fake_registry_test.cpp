// The fake must keep the registry's rules the program depends on, or tests
// against it prove nothing.
#include "platform/fake/fake_registry.h"

#include <gtest/gtest.h>

namespace glmx::platform {
namespace {

std::vector<std::string> NamesOf(const RegistryKey& key) {
    std::vector<std::string> names;
    for (const auto& value : key.Values()) names.push_back(value.name);
    return names;
}

TEST(FakeRegistry, ValuesKeepCreationOrderIgnoreCaseARewriteKeepsPlaceAndSpellingUnnamedIsOne) {
    FakeRegistry registry;
    auto key = registry.CreateKey(RegRoot::CurrentUser, "Software\\Test");
    ASSERT_TRUE(key);
    for (const char* name : {"zeta", "Alpha", "mid"}) key->SetValue(name, MakeStringData(name));
    key->SetValue("ALPHA", MakeStringData("new"));

    EXPECT_EQ(NamesOf(*key), (std::vector<std::string>{"zeta", "Alpha", "mid"}));
    EXPECT_EQ(DecodeStringData(*key->QueryValue("alpha")), "new");
    EXPECT_TRUE(key->QueryValue("ZETA"));  // both ends of the letter range fold

    // The unnamed value is a value of its own, with an empty name.
    key->SetValue("", MakeStringData("default"));
    EXPECT_EQ(NamesOf(*key), (std::vector<std::string>{"zeta", "Alpha", "mid", ""}));
    EXPECT_EQ(DecodeStringData(*key->QueryValue("")), "default");
    EXPECT_TRUE(key->DeleteValue(""));
    EXPECT_EQ(NamesOf(*key), (std::vector<std::string>{"zeta", "Alpha", "mid"}));
}

TEST(FakeRegistry, KeyNamesIgnoreCaseAndSubKeysListAlphabetically) {
    FakeRegistry registry;
    for (const char* name : {"b", "C", "a", "Quenfield"})
        registry.CreateKey(RegRoot::CurrentUser, std::string("Software\\") + name);
    EXPECT_TRUE(registry.OpenKey(RegRoot::CurrentUser, "SOFTWARE\\quenfield", RegAccess::Read));
    EXPECT_TRUE(registry.CreateKey(RegRoot::CurrentUser, "software\\QUENFIELD\\Sub"));
    EXPECT_EQ(registry.OpenKey(RegRoot::CurrentUser, "Software", RegAccess::Read)->SubKeyNames(),
              (std::vector<std::string>{"a", "b", "C", "Quenfield"}));
    EXPECT_EQ(registry.OpenKey(RegRoot::CurrentUser, "Software", RegAccess::Query)->SubKeyCount(),
              4u);
    // Non-ASCII letters fold too.
    registry.CreateKey(RegRoot::CurrentUser, "\u00C4rger");
    EXPECT_TRUE(registry.KeyExists(RegRoot::CurrentUser, "\u00E4RGER"));
}

TEST(FakeRegistry, DeleteTreeRemovesEverythingBelowAndOpenHandlesFail) {
    FakeRegistry registry;
    auto inner = registry.CreateKey(RegRoot::CurrentUser, "Base\\Store\\Deep\\Deeper");
    auto store = registry.OpenKey(RegRoot::CurrentUser, "Base\\Store", RegAccess::Read);
    registry.CreateKey(RegRoot::CurrentUser, "Base\\Store")->SetValue("v", MakeStringData("1"));
    EXPECT_TRUE(registry.DeleteKeyTree(RegRoot::CurrentUser, "base\\store"));
    EXPECT_FALSE(registry.KeyExists(RegRoot::CurrentUser, "Base\\Store"));
    EXPECT_TRUE(registry.KeyExists(RegRoot::CurrentUser, "Base"));
    EXPECT_FALSE(inner->SetValue("x", MakeStringData("y")));
    EXPECT_EQ(store->SubKeyCount(), 0u);
    EXPECT_FALSE(registry.DeleteKeyTree(RegRoot::CurrentUser, "Base\\Store"));
    EXPECT_FALSE(registry.DeleteKeyTree(RegRoot::CurrentUser, ""));
}

TEST(FakeRegistry, AccessDeniedAndReadOnlyRefuseSilently) {
    FakeRegistry registry;
    registry.DenyAccess(RegRoot::CurrentUser, "Locked");
    EXPECT_FALSE(registry.OpenKey(RegRoot::CurrentUser, "Locked", RegAccess::Read));
    EXPECT_FALSE(registry.CreateKey(RegRoot::CurrentUser, "Locked\\Below"));
    EXPECT_FALSE(registry.DeleteKeyTree(RegRoot::CurrentUser, "Locked"));

    auto readKey = registry.CreateKey(RegRoot::CurrentUser, "Open");
    auto readOnly = registry.OpenKey(RegRoot::CurrentUser, "Open", RegAccess::Read);
    EXPECT_FALSE(readOnly->SetValue("v", MakeStringData("1")));
    registry.SetReadOnly(true);
    EXPECT_FALSE(readKey->SetValue("v", MakeStringData("1")));
    EXPECT_FALSE(registry.CreateKey(RegRoot::CurrentUser, "New"));
}

TEST(RegData, StringDataIsNulTerminatedUtf16AndDecodesDefensively) {
    const RegData data = MakeStringData("A\u00e9");
    EXPECT_EQ(data.bytes, (std::vector<std::uint8_t>{'A', 0, 0xE9, 0, 0, 0}));
    EXPECT_EQ(DecodeStringData(data), "A\u00e9");
    // Stored without terminator, with an odd byte, or with text after a NUL.
    EXPECT_EQ(DecodeStringData({RegType::String, {'h', 0, 'i', 0, 'x'}}), "hi");
    EXPECT_EQ(DecodeStringData({RegType::String, {'a', 0, 0, 0, 'b', 0}}), "a");
    EXPECT_EQ(DecodeStringData({RegType::String, {}}), "");
}

TEST(RegData, ValueAsTextReadsStringsAndNumbersOnly) {
    EXPECT_EQ(ValueAsText(MakeStringData("x", RegType::ExpandString)), "x");
    EXPECT_EQ(ValueAsText({RegType::Dword, {0x2C, 0x01, 0, 0}}), "300");
    EXPECT_EQ(ValueAsText({RegType::Dword, {0, 0, 0, 0x80}}), "2147483648");
    // Every one of the eight bytes counts, the first as the lowest.
    EXPECT_EQ(ValueAsText({RegType::Qword, {1, 0, 0, 0, 0, 0, 0, 0}}), "1");
    EXPECT_EQ(ValueAsText({RegType::Qword, {0, 0, 0, 0, 1, 0, 0, 0x80}}), "9223372041149743104");
    EXPECT_EQ(ValueAsText({RegType::Dword, {1, 2}}), std::nullopt);  // truncated
    EXPECT_EQ(ValueAsText({RegType::Binary, {1, 2, 3}}), std::nullopt);
}

}  // namespace
}  // namespace glmx::platform
