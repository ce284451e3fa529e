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
#include "support/slow_info_cache_record.h"

namespace glmx::info {
namespace {

using platform::MakeStringData;
using platform::RegData;
using platform::RegRoot;
using platform::RegType;
using platform::win32::Narrow;
using platform::win32::Wide;
using ::testing::Contains;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

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
    ASSERT_FALSE(LocaleText(LOCALE_SDECIMAL).empty());
    const std::pair<double, const char*> cases[] = {
        {12.5, "12.50"},           {1, "1.00"},
        {0.125, "0.13"},           {2.675, "2.68"},
        {0.124999, "0.12"},        {1e-7, "0.00"},
        {0.0049999999999, "0.00"}, {std::numeric_limits<double>::denorm_min(), "0.00"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(locale.FormatTwoDecimals(value), InLocale(text)) << value;
    // The integer part grouped as the locale groups it, without an exponent however long.
    if (LocaleText(LOCALE_SGROUPING) == "3;0") {
        EXPECT_EQ(locale.FormatTwoDecimals(1234567.891), InLocale("1,234,567.89"));
        EXPECT_EQ(locale.FormatTwoDecimals(1e20), InLocale("100,000,000,000,000,000,000.00"));
    }
    // Negative values keep their digits and differ from positive ones.
    EXPECT_NE(locale.FormatTwoDecimals(-1234.5), locale.FormatTwoDecimals(1234.5));
    EXPECT_NE(locale.FormatTwoDecimals(-1234.5).find(InLocale("234.50")), std::string::npos);
    // Past what the system formats safely, and what has no digits at all.
    for (double value :
         {1e21, std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(locale.FormatTwoDecimals(value), "") << value;
}

// A key below HKEY_LOCAL_MACHINE removed with everything below it when the test ends,
// and with it the parents that were missing before (RegDeleteKey leaves a parent that
// another test has filled meanwhile).
class ScopedMachineKey {
public:
    explicit ScopedMachineKey(std::string path) : path_(std::move(path)) {
        for (size_t end = path_.find('\\'); end != std::string::npos;
             end = path_.find('\\', end + 1)) {
            HKEY key = nullptr;
            const std::wstring parent = Wide(path_.substr(0, end));
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, parent.c_str(), 0, KEY_READ, &key) == 0)
                RegCloseKey(key);
            else
                missingParents_.push_back(parent);
        }
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, Wide(path_).c_str());
    }
    ~ScopedMachineKey() {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, Wide(path_).c_str());
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, Wide(path_).c_str());
        for (auto it = missingParents_.rbegin(); it != missingParents_.rend(); ++it)
            RegDeleteKeyW(HKEY_LOCAL_MACHINE, it->c_str());
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::vector<std::wstring> missingParents_;
};

using glmx::testing::CacheTexts;

class ArpCacheWinTest : public ::testing::Test {
protected:
    ArpCacheInfo Read(const std::vector<std::string>& names, const std::string& key) {
        return ReadArpCacheInfo(registry, names, key, locale);
    }

    // A name no other test uses, with a letter beyond ASCII.
    inline static int made = 0;
    const std::string name = "GlmxTest \u00DCber-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(made++);
    ScopedMachineKey cacheKey{std::string(kArpCache) + "\\" + name};
    ScopedMachineKey uninstallKey{std::string(kUninstall) + "\\" + name};
    platform::win32::Win32Registry registry;
    platform::win32::Win32Locale locale;
};

TEST_F(ArpCacheWinTest, TheCacheRecordIsFoundUnderAnotherCaseAndReadInFull) {
    EXPECT_THAT(ReadArpCacheKeyNames(registry), Not(Contains(name)));
    auto key = registry.CreateKey(RegRoot::LocalMachine, cacheKey.Path());
    ASSERT_TRUE(key);
    // 12.50 MB, last used at noon UTC on 14 March 2025, used 11 times.
    const auto record = glmx::testing::SlowInfoCacheRecord(13107200, 133864272000000000, 11,
                                                           u"C:\\\u00DF\\\u65E5\U0001F600.exe");
    ASSERT_TRUE(key->SetValue("SlowInfoCache", {RegType::Binary, record}));
    const std::vector<std::string> names = ReadArpCacheKeyNames(registry);
    EXPECT_THAT(names, Contains(name));
    const std::string separator = LocaleText(LOCALE_SDATE);
    EXPECT_EQ(CacheTexts(Read(names, platform::AsciiUpper(name))),
              InLocale("12.50") + " MB|03" + separator + "14" + separator +
                  "2025|frequently|C:\\\u00DF\\\u65E5\U0001F600.exe");

    // The same bytes as a string are no record.
    ASSERT_TRUE(key->SetValue("SlowInfoCache", {RegType::String, record}));
    EXPECT_EQ(CacheTexts(Read(names, name)), "|||");
}

TEST_F(ArpCacheWinTest, UninstallValuesComeWithTheirTexts) {
    // Missing, the key gives nothing and is not created, nor is the cache's.
    EXPECT_THAT(ReadUninstallValues(registry, name), IsEmpty());
    EXPECT_EQ(CacheTexts(Read({name}, name)), "|||");
    for (const std::string& path : {uninstallKey.Path(), cacheKey.Path()})
        EXPECT_FALSE(registry.OpenKey(RegRoot::LocalMachine, path, platform::RegAccess::Read));

    auto key = registry.CreateKey(RegRoot::LocalMachine, uninstallKey.Path());
    ASSERT_TRUE(key);
    // The text rules are the unit tests'; here each type once through the real registry.
    const std::pair<std::string, RegData> values[] = {
        {"Publisher", MakeStringData("Quenfield \u00C6\U0001F600")},
        {"InstallLocation", MakeStringData("%ProgramFiles%\\x", RegType::ExpandString)},
        {"NoModify", {RegType::Dword, {0xFF, 0xFF, 0xFF, 0xFF}}},
        {"", MakeStringData("unnamed")}};
    for (const auto& [valueName, data] : values) ASSERT_TRUE(key->SetValue(valueName, data));
    std::vector<std::string> texts;
    for (const auto& value : ReadUninstallValues(registry, name))
        texts.push_back(value.Name + "=" + value.Value);
    // Wine lists values by name, so the order is not checked here.
    EXPECT_THAT(texts, UnorderedElementsAre("Publisher=Quenfield \u00C6\U0001F600",
                                            "InstallLocation=%ProgramFiles%\\x", "NoModify=-1",
                                            "=unnamed"));
}

}  // namespace
}  // namespace glmx::info
