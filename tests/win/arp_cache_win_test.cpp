// The Win32 locale, and the cache readers against the real registry below
// HKEY_LOCAL_MACHINE, which is writable under Wine.
#include "info/arp_cache.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <limits>

#include "platform/text.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_registry.h"

namespace glmx::info {
namespace {

using platform::MakeStringData;
using platform::RegData;
using platform::RegRoot;
using platform::RegType;
using platform::win32::Narrow;
using platform::win32::Wide;
using platform::win32::Win32Locale;
using platform::win32::Win32Registry;
using ::testing::Contains;
using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

constexpr const char* kArpCache =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";
constexpr const char* kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

constexpr std::uint64_t k2025March14NoonUtc = 133864272000000000;

std::string LocaleText(LCTYPE type) {
    wchar_t text[128] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 128);
    return Narrow(text);
}

std::string DigitsOf(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9') digits += c;
    return digits;
}

// ---------------------------------------------------------------------------------------------
// Win32Locale

TEST(Win32LocaleNumbers, TwoDecimalsAfterTheLocalesDecimalSeparator) {
    const Win32Locale locale;
    const std::string decimal = LocaleText(LOCALE_SDECIMAL);
    ASSERT_FALSE(decimal.empty());
    EXPECT_EQ(locale.FormatTwoDecimals(12.5), "12" + decimal + "50");
    EXPECT_EQ(locale.FormatTwoDecimals(1), "1" + decimal + "00");
    // Rounded as the decimal form reads, half up.
    EXPECT_EQ(locale.FormatTwoDecimals(0.125), "0" + decimal + "13");
    EXPECT_EQ(locale.FormatTwoDecimals(2.675), "2" + decimal + "68");
    EXPECT_EQ(locale.FormatTwoDecimals(0.124999), "0" + decimal + "12");
}

TEST(Win32LocaleNumbers, TheIntegerPartIsGroupedAsTheLocaleGroupsIt) {
    const Win32Locale locale;
    const std::string decimal = LocaleText(LOCALE_SDECIMAL);
    const std::string thousands = LocaleText(LOCALE_STHOUSAND);
    const std::string text = locale.FormatTwoDecimals(1234567.891);
    EXPECT_THAT(text, EndsWith(decimal + "89"));
    EXPECT_EQ(DigitsOf(text), "123456789");
    ASSERT_FALSE(thousands.empty());
    if (LocaleText(LOCALE_SGROUPING) == "3;0")
        EXPECT_EQ(text, "1" + thousands + "234" + thousands + "567" + decimal + "89");
    else
        EXPECT_NE(text.find(thousands), std::string::npos) << text;
}

TEST(Win32LocaleNumbers, ExtremeValuesAreWrittenOutWithoutAnExponentOrLeftOut) {
    const Win32Locale locale;
    const std::string decimal = LocaleText(LOCALE_SDECIMAL);
    EXPECT_EQ(DigitsOf(locale.FormatTwoDecimals(1e20)), "1" + std::string(22, '0'));
    EXPECT_EQ(DigitsOf(locale.FormatTwoDecimals(-9.99e20)), "999" + std::string(20, '0'));
    EXPECT_THAT(locale.FormatTwoDecimals(1e-7), EndsWith(decimal + "00"));
    EXPECT_THAT(locale.FormatTwoDecimals(0.0049999999999), EndsWith(decimal + "00"));
    EXPECT_THAT(locale.FormatTwoDecimals(std::numeric_limits<double>::denorm_min()),
                EndsWith(decimal + "00"));
    // Past what the system formats safely, and what has no digits at all.
    EXPECT_EQ(locale.FormatTwoDecimals(1e21), "");
    EXPECT_EQ(locale.FormatTwoDecimals(std::numeric_limits<double>::max()), "");
    EXPECT_EQ(locale.FormatTwoDecimals(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(locale.FormatTwoDecimals(std::numeric_limits<double>::quiet_NaN()), "");
}

TEST(Win32LocaleNumbers, NegativeValuesKeepTheirDigitsAndDifferFromPositiveOnes) {
    const Win32Locale locale;
    const std::string negative = locale.FormatTwoDecimals(-1234.5);
    EXPECT_EQ(DigitsOf(negative), "123450");
    EXPECT_NE(negative, locale.FormatTwoDecimals(1234.5));
}

TEST(Win32LocaleDates, AUtcNoonGivesThatDateInLocalTime) {
    const Win32Locale locale;
    const auto date = locale.LocalDateOfFileTime(k2025March14NoonUtc);
    ASSERT_TRUE(date);
    EXPECT_EQ(date->year, 2025);
    EXPECT_EQ(date->month, 3);
    EXPECT_EQ(date->day, 14);
}

TEST(Win32LocaleDates, TheSeparatorIsTheLocales) {
    const Win32Locale locale;
    EXPECT_FALSE(locale.DateSeparator().empty());
    EXPECT_EQ(locale.DateSeparator(), LocaleText(LOCALE_SDATE));
}

// ---------------------------------------------------------------------------------------------
// The registry

// A key below HKEY_LOCAL_MACHINE removed with everything below it when the test ends,
// and with it the parents that were missing before; RegDeleteKey leaves a parent that
// another test has filled meanwhile.
class ScopedMachineKey {
public:
    explicit ScopedMachineKey(std::string path) : path_(std::move(path)) {
        for (size_t end = path_.find('\\'); end != std::string::npos;
             end = path_.find('\\', end + 1)) {
            const std::string parent = path_.substr(0, end);
            HKEY key = nullptr;
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(parent).c_str(), 0, KEY_READ, &key) ==
                ERROR_SUCCESS)
                RegCloseKey(key);
            else
                missingParents_.push_back(parent);
        }
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, Wide(path_).c_str());
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, Wide(path_).c_str());
    }
    ~ScopedMachineKey() {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, Wide(path_).c_str());
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, Wide(path_).c_str());
        for (auto it = missingParents_.rbegin(); it != missingParents_.rend(); ++it)
            RegDeleteKeyW(HKEY_LOCAL_MACHINE, Wide(*it).c_str());
    }
    ScopedMachineKey(const ScopedMachineKey&) = delete;
    ScopedMachineKey& operator=(const ScopedMachineKey&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::vector<std::string> missingParents_;
};

// A name no other test process uses, with a letter beyond ASCII.
std::string UniqueName() {
    static std::atomic<int> counter{0};
    return "GlmxTest \u00DCber-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(counter++);
}

std::vector<std::uint8_t> SlowInfoCacheRecord(std::int64_t size, std::uint64_t fileTime,
                                              std::int32_t count, const std::u16string& name) {
    std::vector<std::uint8_t> bytes(552, 0);
    const auto put = [&](size_t offset, std::uint64_t value, size_t length) {
        for (size_t i = 0; i < length; ++i)
            bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put(0, 552, 4);
    put(8, static_cast<std::uint64_t>(size), 8);
    put(16, fileTime, 8);
    put(24, static_cast<std::uint32_t>(count), 4);
    for (size_t i = 0; i < name.size() && i < 260; ++i) put(28 + 2 * i, name[i], 2);
    return bytes;
}

class ArpCacheWinTest : public ::testing::Test {
protected:
    const std::string name = UniqueName();
    ScopedMachineKey cacheKey{std::string(kArpCache) + "\\" + name};
    ScopedMachineKey uninstallKey{std::string(kUninstall) + "\\" + name};
    Win32Registry registry;
    Win32Locale locale;
};

TEST_F(ArpCacheWinTest, TheCacheRecordIsFoundUnderAnotherCaseAndReadInFull) {
    EXPECT_THAT(ReadArpCacheKeyNames(registry), Not(Contains(name)));
    const std::u16string tracked = u"C:\\Programme\\Gr\u00FC\u00DFe\\\u65E5\u672C\U0001F600.exe";
    ASSERT_TRUE(registry.CreateKey(RegRoot::LocalMachine, cacheKey.Path())
                    ->SetValue("SlowInfoCache",
                               {RegType::Binary,
                                SlowInfoCacheRecord(13107200, k2025March14NoonUtc, 11, tracked)}));

    const std::vector<std::string> names = ReadArpCacheKeyNames(registry);
    EXPECT_THAT(names, Contains(name));
    const ArpCacheInfo info = ReadArpCacheInfo(registry, names, platform::AsciiUpper(name), locale);
    EXPECT_EQ(info.sizeText, "12" + LocaleText(LOCALE_SDECIMAL) + "50 MB");
    const std::string separator = LocaleText(LOCALE_SDATE);
    EXPECT_EQ(info.lastUsedText, "03" + separator + "14" + separator + "2025");
    EXPECT_EQ(info.usageText, "frequently");
    EXPECT_EQ(info.trackedName, "C:\\Programme\\Gr\u00FC\u00DFe\\\u65E5\u672C\U0001F600.exe");
}

TEST_F(ArpCacheWinTest, RecordsOfTheWrongTypeOrSizeAreIgnored) {
    const std::vector<std::uint8_t> record =
        SlowInfoCacheRecord(13107200, k2025March14NoonUtc, 11, u"x.exe");
    auto key = registry.CreateKey(RegRoot::LocalMachine, cacheKey.Path());
    ASSERT_TRUE(key);
    const std::vector<std::string> names = {name};

    ASSERT_TRUE(key->SetValue("SlowInfoCache", {RegType::String, record}));
    EXPECT_EQ(ReadArpCacheInfo(registry, names, name, locale).sizeText, "");
    ASSERT_TRUE(
        key->SetValue("SlowInfoCache", {RegType::Binary, {record.begin(), record.end() - 1}}));
    EXPECT_EQ(ReadArpCacheInfo(registry, names, name, locale).usageText, "");
    ASSERT_TRUE(key->SetValue("SlowInfoCache", {RegType::Binary, record}));
    EXPECT_EQ(ReadArpCacheInfo(registry, names, name, locale).usageText, "frequently");
    EXPECT_EQ(ReadArpCacheInfo(registry, {}, name, locale).usageText, "");
}

TEST_F(ArpCacheWinTest, UninstallValuesComeWithTextsButTheNameAndUninstallCommand) {
    auto key = registry.CreateKey(RegRoot::LocalMachine, uninstallKey.Path());
    ASSERT_TRUE(key);
    const std::vector<std::pair<std::string, RegData>> values = {
        {"DisplayName", MakeStringData("Glimmer Test")},
        {"UninstallString", MakeStringData("C:\\x\\uninstall.exe")},
        {"Publisher", MakeStringData("Quenfield \u00C6\U0001F600")},
        {"InstallLocation", MakeStringData("%ProgramFiles%\\x", RegType::ExpandString)},
        {"EstimatedSize", {RegType::Dword, {0x20, 0x03, 0, 0}}},
        {"NoModify", {RegType::Dword, {0xFF, 0xFF, 0xFF, 0xFF}}},
        {"Blob", {RegType::Binary, {'4', 0, '2', 0, 0, 0}}},
        {"", MakeStringData("unnamed")},
    };
    for (const auto& [valueName, data] : values) ASSERT_TRUE(key->SetValue(valueName, data));

    std::vector<std::string> texts;
    for (const auto& value : ReadUninstallValues(registry, name))
        texts.push_back(value.Name + "=" + value.Value);
    // Wine lists values by name, so the order is not checked here.
    EXPECT_THAT(texts,
                UnorderedElementsAre("Publisher=Quenfield \u00C6\U0001F600",
                                     "InstallLocation=%ProgramFiles%\\x", "EstimatedSize=800",
                                     "NoModify=-1", "Blob=", "=unnamed"));
}

TEST_F(ArpCacheWinTest, AMissingUninstallKeyGivesNoValuesAndIsNotCreated) {
    EXPECT_THAT(ReadUninstallValues(registry, name), IsEmpty());
    EXPECT_FALSE(
        registry.OpenKey(RegRoot::LocalMachine, uninstallKey.Path(), platform::RegAccess::Read));
    EXPECT_EQ(ReadArpCacheInfo(registry, {name}, name, locale).sizeText, "");
    EXPECT_FALSE(
        registry.OpenKey(RegRoot::LocalMachine, cacheKey.Path(), platform::RegAccess::Read));
}

}  // namespace
}  // namespace glmx::info
