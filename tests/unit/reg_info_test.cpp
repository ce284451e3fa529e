#include "settings/reg_info.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_registry.h"

namespace glmx::settings {
namespace {

using platform::MakeStringData;
using platform::RegRoot;
using platform::RegType;

constexpr const char* kBase = "Software\\Quenfield\\GLMX";
constexpr const char* kPath = "Software\\Quenfield\\GLMX\\Store";

class RegInfoTest : public ::testing::Test {
protected:
    void Seed(const char* name, const platform::RegData& data) {
        registry.CreateKey(RegRoot::CurrentUser, kPath)->SetValue(name, data);
    }
    // What the store holds after loading anew.
    TValueList Loaded() {
        store.LoadValues();
        return store.Values();
    }

    platform::FakeRegistry registry;
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
    EXPECT_EQ(
        Loaded(),
        (TValueList{
            {"b", "rewritten"}, {"a", "1"}, {"dword", "800"}, {"binary", ""}, {"broken", ""}}));
    // Reading a loaded value is case-sensitive and never asks the registry.
    const int opens = registry.OpenCount();
    EXPECT_EQ(store.GetValue("b") + store.GetValue("B") + store.GetValue("Missing"), "rewritten");
    EXPECT_EQ(registry.OpenCount(), opens);

    // Loading anew replaces what was loaded, with nothing when the key is gone or refused.
    registry.DeleteKeyTree(RegRoot::CurrentUser, kPath);
    EXPECT_TRUE(Loaded().empty());
    Seed("a", MakeStringData("1"));
    registry.DenyAccess(RegRoot::CurrentUser, kPath);
    EXPECT_TRUE(Loaded().empty());
}

TEST_F(RegInfoTest, SetValueWritesAtOnceAndUpdatesEveryLoadedSpelling) {
    store.SetValue("Left", "120");
    EXPECT_EQ(store.GetValue("Left"), "120");
    Seed("Top", MakeStringData("1"));
    store.LoadValues();
    store.SetValue("TOP", "2");
    EXPECT_EQ(store.GetValue("Top") + store.GetValue("TOP"), "22");
    store.SetValue("", "");  // the unnamed value, which no listing shows
    EXPECT_TRUE(registry.CreateKey(RegRoot::CurrentUser, kPath)->QueryValue(""));
    EXPECT_EQ(Loaded(), (TValueList{{"Left", "120"}, {"Top", "2"}}));  // the stored spellings

    // An unwritable key fails silently, but the value holds for the run.
    registry.DenyAccess(RegRoot::CurrentUser, kPath);
    const int writes = registry.WriteCount();
    store.SetValue("ShowStartupType", "2");
    EXPECT_EQ(store.GetValue("ShowStartupType"), "2");
    EXPECT_EQ(registry.WriteCount(), writes);
}

TEST_F(RegInfoTest, WriteImplicitValuesAddsOnlyMissingDefaultsInTheirOrder) {
    for (const char* name : {"first", "Second", "third"}) store.ImplicitValues().Add(name, "1");
    Seed("SECOND", MakeStringData("user's"));
    store.WriteImplicitValues();
    EXPECT_TRUE(store.Values().empty());  // written, not loaded
    EXPECT_EQ(Loaded(), (TValueList{{"SECOND", "user's"}, {"first", "1"}, {"third", "1"}}));
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
