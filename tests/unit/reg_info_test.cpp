#include "settings/reg_info.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_registry.h"

namespace glmx::settings {
namespace {

using platform::FakeRegistry;
using platform::MakeStringData;
using platform::RegAccess;
using platform::RegData;
using platform::RegRoot;
using platform::RegType;

constexpr const char* kBase = "Software\\Quenfield\\GLMX";
constexpr const char* kPath = "Software\\Quenfield\\GLMX\\Store";

class RegInfoTest : public ::testing::Test {
protected:
    void Seed(const char* name, const RegData& data) {
        registry.CreateKey(RegRoot::CurrentUser, kPath)->SetValue(name, data);
    }
    std::optional<std::string> Stored(const char* name) {
        auto key = registry.OpenKey(RegRoot::CurrentUser, kPath, RegAccess::Read);
        if (!key) return std::nullopt;
        auto data = key->QueryValue(name);
        if (!data) return std::nullopt;
        EXPECT_EQ(data->type, RegType::String);
        return platform::DecodeStringData(*data);
    }

    FakeRegistry registry;
    TRegInfoClass store{registry, kBase, "Store"};
};

TEST_F(RegInfoTest, LoadValuesKeepsStoredOrderSkipsTheUnnamedValueReadsNumbersAsTextAndGetIsExact) {
    EXPECT_EQ(store.KeyPath(), kPath);
    Seed("b", MakeStringData("2"));
    Seed("", MakeStringData("unnamed"));
    Seed("a", MakeStringData("1"));
    Seed("B", MakeStringData("rewritten"));  // same value as "b": keeps its place
    Seed("dword", {RegType::Dword, {0x20, 0x03, 0, 0}});
    Seed("binary", {RegType::Binary, {0xFF, 0xFE}});
    Seed("broken", {RegType::String, {'x'}});
    store.LoadValues();
    EXPECT_EQ(
        store.Values(),
        (TValueList{
            {"b", "rewritten"}, {"a", "1"}, {"dword", "800"}, {"binary", ""}, {"broken", ""}}));
    // Reading a loaded value is case-sensitive and never asks the registry.
    const int opens = registry.OpenCount();
    EXPECT_EQ(store.GetValue("b"), "rewritten");
    EXPECT_EQ(store.GetValue("B"), "");
    EXPECT_EQ(store.GetValue("Missing"), "");
    EXPECT_EQ(registry.OpenCount(), opens);

    // Loading anew replaces what was loaded, with nothing when the key is gone or refused.
    registry.DeleteKeyTree(RegRoot::CurrentUser, kPath);
    store.LoadValues();
    EXPECT_TRUE(store.Values().empty());

    Seed("a", MakeStringData("1"));
    registry.DenyAccess(RegRoot::CurrentUser, kPath);
    store.LoadValues();
    EXPECT_TRUE(store.Values().empty());
}

TEST_F(RegInfoTest, SetValueWritesAtOnceAndUpdatesEveryLoadedSpelling) {
    store.SetValue("Left", "120");
    EXPECT_EQ(Stored("Left"), "120");
    EXPECT_EQ(store.GetValue("Left"), "120");
    Seed("Top", MakeStringData("1"));
    store.LoadValues();
    store.SetValue("TOP", "2");
    EXPECT_EQ(store.GetValue("Top"), "2");
    EXPECT_EQ(store.GetValue("TOP"), "2");
    store.LoadValues();  // one value each, in the stored spelling
    EXPECT_EQ(store.Values(), (TValueList{{"Left", "120"}, {"Top", "2"}}));

    store.SetValue("", "");  // the unnamed value, which no listing shows
    EXPECT_EQ(Stored(""), "");
    store.LoadValues();
    EXPECT_EQ(store.Values().size(), 2u);

    // An unwritable key fails silently, but the value holds for the run.
    registry.DenyAccess(RegRoot::CurrentUser, kPath);
    store.SetValue("ShowStartupType", "2");
    EXPECT_EQ(store.GetValue("ShowStartupType"), "2");
    EXPECT_EQ(Stored("ShowStartupType"), std::nullopt);
}

TEST_F(RegInfoTest, WriteImplicitValuesAddsOnlyMissingDefaultsInTheirOrder) {
    store.ImplicitValues().Add("first", "1");
    store.ImplicitValues().Add("Second", "2");
    store.ImplicitValues().Add("third", "3");
    Seed("SECOND", MakeStringData("user's"));
    store.WriteImplicitValues();
    EXPECT_TRUE(store.Values().empty());  // written, not loaded
    EXPECT_EQ(Stored("Second"), "user's");
    store.LoadValues();
    EXPECT_EQ(store.Values(), (TValueList{{"SECOND", "user's"}, {"first", "1"}, {"third", "3"}}));

    const int writes = registry.WriteCount();
    store.WriteImplicitValues();
    EXPECT_EQ(registry.WriteCount(), writes);
}

TEST_F(RegInfoTest, DeleteAllRemovesTheKeyWithItsSubKeysAndForgetsValues) {
    Seed("a", MakeStringData("1"));
    registry.CreateKey(RegRoot::CurrentUser, std::string(kPath) + "\\Sub\\Deeper");
    store.LoadValues();
    store.DeleteAll();
    EXPECT_TRUE(store.Values().empty());
    EXPECT_FALSE(registry.KeyExists(RegRoot::CurrentUser, kPath));
    EXPECT_TRUE(registry.KeyExists(RegRoot::CurrentUser, kBase));
    store.DeleteAll();  // nothing left: nothing happens
}

}  // namespace
}  // namespace glmx::settings
