// The Win32 locale, and the cache readers against the real registry below
// HKEY_LOCAL_MACHINE, which is writable under Wine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <limits>

#include "info/arp_cache.h"
#include "platform/text.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_registry.h"
#include "support/scoped_test_key.h"
#include "support/slow_info_cache_record.h"

namespace glmx::info {
namespace {

using glmx::testing::ScopedTestKey;
using platform::MakeStringData;
using platform::RegRoot;
using platform::RegType;
using platform::win32::Narrow;
using ::testing::IsEmpty;

constexpr const char* kArpCache =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";
constexpr const char* kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::string LocaleText(LCTYPE type) {
    wchar_t text[128] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 128);
    return Narrow(text);
}

// The number as the user's locale writes it: "," and "." stand for its separators.
std::string InLocale(const std::string& number) {
    std::string text;
    for (char c : number)
        text += c == ','   ? LocaleText(LOCALE_STHOUSAND)
                : c == '.' ? LocaleText(LOCALE_SDECIMAL)
                           : std::string(1, c);
    return text;
}

TEST(Win32LocaleNumbers, TwoDecimalsRoundedAsTheDecimalFormReadsAfterTheLocalesSeparator) {
    const platform::win32::Win32Locale locale;
    const std::pair<double, const char*> cases[] = {
        {12.5, "12.50"},    {0.125, "0.13"}, {2.675, "2.68"},
        {0.124999, "0.12"}, {1e-7, "0.00"},  {std::numeric_limits<double>::denorm_min(), "0.00"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(locale.FormatTwoDecimals(value), InLocale(text)) << value;
    // The integer part grouped as the locale groups it, without an exponent however long.
    if (LocaleText(LOCALE_SGROUPING) == "3;0") {
        EXPECT_EQ(locale.FormatTwoDecimals(1234567.891), InLocale("1,234,567.89"));
        EXPECT_EQ(locale.FormatTwoDecimals(1e20), InLocale("100,000,000,000,000,000,000.00"));
    }
    // Past what the system formats safely, and what has no digits at all.
    for (double value :
         {1e21, std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(locale.FormatTwoDecimals(value), "") << value;
}

TEST(ArpCacheWin, TheCacheRecordAndTheUninstallValuesAreReadFromTheRealKeys) {
    // A name no other test uses, with a letter beyond ASCII.
    const std::string name = "GlmxTest \u00DCber-" + std::to_string(GetCurrentProcessId());
    const ScopedTestKey cacheKey{RegRoot::LocalMachine, std::string(kArpCache) + "\\" + name};
    const ScopedTestKey uninstallKey{RegRoot::LocalMachine, std::string(kUninstall) + "\\" + name};
    platform::win32::Win32Registry registry;
    const platform::win32::Win32Locale locale;
    const auto read = [&](const std::string& key) {
        return glmx::testing::CacheTexts(
            ReadArpCacheInfo(registry, ReadArpCacheKeyNames(registry), key, locale));
    };

    // Missing, the keys give nothing and are not created.
    EXPECT_EQ(read(name), "|||");
    EXPECT_THAT(ReadUninstallValues(registry, name), IsEmpty());
    for (const std::string& path : {uninstallKey.Path(), cacheKey.Path()})
        EXPECT_FALSE(registry.OpenKey(RegRoot::LocalMachine, path, platform::RegAccess::Read));

    auto key = registry.CreateKey(RegRoot::LocalMachine, cacheKey.Path());
    ASSERT_TRUE(key);
    // 12.50 MB, last used at noon UTC on 14 March 2025, used 11 times.
    const auto record = glmx::testing::SlowInfoCacheRecord(13107200, 133864272000000000, 11,
                                                           u"C:\\\u00DF\\\u65E5\U0001F600.exe");
    ASSERT_TRUE(key->SetValue("SlowInfoCache", {RegType::Binary, record}));
    const std::string separator = LocaleText(LOCALE_SDATE);
    EXPECT_EQ(read(platform::AsciiUpper(name)),
              InLocale("12.50") + " MB|03" + separator + "14" + separator +
                  "2025|frequently|C:\\\u00DF\\\u65E5\U0001F600.exe");

    // The text rules are the unit tests', and the value types the registry's.
    key = registry.CreateKey(RegRoot::LocalMachine, uninstallKey.Path());
    ASSERT_TRUE(key && key->SetValue("Publisher", MakeStringData("Quenfield \u00C6")));
    const auto values = ReadUninstallValues(registry, name);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].Name + "=" + values[0].Value, "Publisher=Quenfield \u00C6");
}

}  // namespace
}  // namespace glmx::info
