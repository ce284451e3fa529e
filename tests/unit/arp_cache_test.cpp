#include "info/arp_cache.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <tuple>
#include <utility>

#include "platform/fake/fake_locale.h"
#include "platform/fake/fake_registry.h"
#include "platform/text.h"
#include "support/slow_info_cache_record.h"

namespace glmx::info {
namespace {

using glmx::testing::CacheTexts;
using glmx::testing::SlowInfoCacheRecord;
using platform::CalendarDate;
using platform::FakeLocale;
using platform::MakeStringData;
using platform::RegData;
using platform::RegRoot;
using platform::RegType;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kArpCache =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";
constexpr const char* kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// FILETIMEs of known UTC instants.
constexpr std::uint64_t k1970 = 116444736000000000;
constexpr std::uint64_t k2025March14Noon = 133864272000000000;
constexpr std::uint64_t k2025March14At3 = 133863948000000000;
constexpr std::uint64_t k2025March14At2330 = 133864686000000000;

// A locale whose calendar answers what the test says, for dates no real calendar gives.
class FixedDateLocale final : public FakeLocale {
public:
    explicit FixedDateLocale(std::optional<CalendarDate> date) : date_(date) {}
    std::optional<CalendarDate> LocalDateOfFileTime(std::uint64_t) const override { return date_; }

private:
    std::optional<CalendarDate> date_;
};

class SlowInfoCacheTest : public ::testing::Test {
protected:
    ArpCacheInfo Parse(const std::vector<std::uint8_t>& bytes) {
        return ParseSlowInfoCache(bytes, locale);
    }

    FakeLocale locale;
};

TEST_F(SlowInfoCacheTest, AFullRecordGivesAllFourTextsAndOtherSizesNothing) {
    std::vector<std::uint8_t> bytes =
        SlowInfoCacheRecord(13107200, k2025March14Noon, 5, u"C:\\Tools\\t.exe");
    EXPECT_EQ(CacheTexts(Parse(bytes)), "12.50 MB|03/14/2025|occasionally|C:\\Tools\\t.exe");
    for (size_t size : {551, 553, 0}) {
        bytes.resize(size);
        EXPECT_EQ(CacheTexts(Parse(bytes)), "|||") << size;
    }
}

TEST_F(SlowInfoCacheTest, SizeIsInLocalMegabytesOnlyWhenPositiveAndTheCountFallsIntoThreeBands) {
    // clang-format off
    const std::pair<std::int64_t, const char*> sizes[] = {
        {1048576, "1.00 MB"}, {13107200, "12.50 MB"}, {1, "0.00 MB"}, {1294467072, "1,234.50 MB"},
        {1179648, "1.13 MB"},  // 1.125: half rounds up
        {0, ""}, {-1048576, ""}, {std::numeric_limits<std::int64_t>::min(), ""}};
    for (const auto& [size, text] : sizes)
        EXPECT_EQ(Parse(SlowInfoCacheRecord(size)).sizeText, text) << size;
    const std::pair<std::int32_t, const char*> counts[] = {
        {-1, ""}, {0, "rarely"}, {2, "rarely"}, {3, "occasionally"}, {10, "occasionally"},
        {11, "frequently"}, {std::numeric_limits<std::int32_t>::max(), "frequently"}};
    // clang-format on
    for (const auto& [count, text] : counts)
        EXPECT_EQ(Parse(SlowInfoCacheRecord(0, 0, count)).usageText, text) << count;

    // Another locale's separators; the date's order stays month, day, year.
    locale.SetThousandsSeparator(".");
    locale.SetDecimalSeparator(",");
    locale.SetDateSeparator(".");
    EXPECT_EQ(CacheTexts(Parse(SlowInfoCacheRecord(1294467072, k2025March14Noon))),
              "1.234,50 MB|03.14.2025|rarely|");
}

TEST_F(SlowInfoCacheTest, LastUsedIsTheLocalDateNothingWhenZeroAndUnknownWhenAllOnes) {
    // clang-format off
    const std::tuple<int, std::uint64_t, const char*> cases[] = {
        {0, 0, ""}, {0, ~std::uint64_t{0}, "(Unknown)"},
        {0, 0xFFFFFFFF, "01/01/1601"},         // only the low half all ones
        {0, 0xFFFFFFFF00000000, "(Unknown)"},  // past the calendar's end
        {0, k1970, "01/01/1970"}, {-300, k2025March14At3, "03/13/2025"},
        {60, k2025March14At2330, "03/15/2025"}};
    // clang-format on
    for (const auto& [offset, time, text] : cases) {
        locale.SetTimeZoneOffsetMinutes(offset);
        EXPECT_EQ(Parse(SlowInfoCacheRecord(0, time)).lastUsedText, text) << time;
    }
}

TEST_F(SlowInfoCacheTest, LastUsedIsUnknownWhenTheCalendarHasNoValidDate) {
    // clang-format off
    const std::pair<std::optional<CalendarDate>, const char*> cases[] = {
        {std::nullopt, "(Unknown)"}, {CalendarDate{2025, 13, 1}, "(Unknown)"},
        {CalendarDate{2025, 2, 29}, "(Unknown)"}, {CalendarDate{2025, 4, 31}, "(Unknown)"},
        {CalendarDate{2025, 1, 0}, "(Unknown)"}, {CalendarDate{0, 1, 1}, "(Unknown)"},
        {CalendarDate{10000, 1, 1}, "(Unknown)"}, {CalendarDate{2024, 2, 29}, "02/29/2024"},
        {CalendarDate{987, 6, 5}, "06/05/0987"}, {CalendarDate{2000, 2, 29}, "02/29/2000"},
        {CalendarDate{1900, 2, 29}, "(Unknown)"}};
    // clang-format on
    for (const auto& [date, text] : cases) {
        const FixedDateLocale odd(date);
        EXPECT_EQ(ParseSlowInfoCache(SlowInfoCacheRecord(0, k1970), odd).lastUsedText, text)
            << (date ? date->year : -1) << "-" << (date ? date->month : -1);
    }
}

TEST_F(SlowInfoCacheTest, TrackedNameKeepsEveryCharacterUpToTheTerminatorOr260) {
    EXPECT_EQ(Parse(SlowInfoCacheRecord(0, 0, 0, u"C:\\\u00DF\\\u65E5\U0001F600.exe")).trackedName,
              "C:\\\u00DF\\\u65E5\U0001F600.exe");
    // No terminator: the name fills the field; the noise after it would read as U+A5A5.
    const std::u16string full = u"A" + std::u16string(258, u'n') + u"Z";
    EXPECT_EQ(Parse(SlowInfoCacheRecord(0, 0, 0, full)).trackedName, platform::Utf16ToUtf8(full));

    std::vector<std::uint8_t> bytes = SlowInfoCacheRecord(0, 0, 0, u"short");
    bytes[28 + 2 * 6] = 'x';  // after the terminator
    EXPECT_EQ(Parse(bytes).trackedName, "short");
}

// The readers see a read-only registry, so one that asks for more than reading finds nothing.
class ArpCacheRegistryTest : public ::testing::Test {
protected:
    void Seed(const std::string& path, const char* name, const RegData& data) {
        registry.SetReadOnly(false);
        registry.CreateKey(RegRoot::LocalMachine, path)->SetValue(name, data);
        registry.SetReadOnly(true);
    }
    void SeedCache(const std::string& key, const RegData& data,
                   const char* name = "SlowInfoCache") {
        Seed(std::string(kArpCache) + "\\" + key, name, data);
    }
    ArpCacheInfo Read(const std::vector<std::string>& names, const std::string& name) {
        return ReadArpCacheInfo(registry, names, name, locale);
    }
    std::vector<std::string> Values(const std::string& key) {
        std::vector<std::string> texts;
        for (const auto& value : ReadUninstallValues(registry, key))
            texts.push_back(value.Name + "=" + value.Value);
        return texts;
    }

    const std::vector<std::uint8_t> record =
        SlowInfoCacheRecord(13107200, k1970, 11, u"C:\\App\\app.exe");
    const std::string full = "12.50 MB|01/01/1970|frequently|C:\\App\\app.exe";
    platform::FakeRegistry registry;
    FakeLocale locale;
};

TEST_F(ArpCacheRegistryTest, RecordsAreFoundThroughTheListOfSubKeysIgnoringAsciiCaseOnly) {
    EXPECT_TRUE(ReadArpCacheKeyNames(registry).empty());
    SeedCache("MyApp", {RegType::Binary, record});
    SeedCache("\u00C4pp", {RegType::Binary, record});
    // Wrong records, a key without one and a refused key give nothing.
    SeedCache("Short", {RegType::Binary, {record.begin(), record.end() - 1}});
    SeedCache("Text", {RegType::String, record});
    SeedCache("NoValue", {RegType::Binary, record}, "Other");
    SeedCache("Refused", {RegType::Binary, record});
    registry.DenyAccess(RegRoot::LocalMachine, std::string(kArpCache) + "\\Refused");
    std::vector<std::string> names = ReadArpCacheKeyNames(registry);
    EXPECT_THAT(names, ElementsAre("MyApp", "NoValue", "Refused", "Short", "Text", "\u00C4pp"));
    names.push_back("Gone");  // listed at start-up, gone since
    for (const char* name : {"MYAPP", "\u00C4PP"}) EXPECT_EQ(CacheTexts(Read(names, name)), full);
    for (const char* name : {"\u00E4pp", "Short", "Text", "NoValue", "Refused", "Gone"})
        EXPECT_EQ(CacheTexts(Read(names, name)), "|||") << name;

    // The list decides before the registry is asked.
    const int opens = registry.OpenCount();
    EXPECT_EQ(CacheTexts(Read({"Other"}, "MyApp")), "|||");
    EXPECT_EQ(registry.OpenCount(), opens);
    registry.DenyAccess(RegRoot::LocalMachine, kArpCache);
    EXPECT_TRUE(ReadArpCacheKeyNames(registry).empty());
}

TEST_F(ArpCacheRegistryTest, UninstallValuesComeInStoredOrderButTheNameAndUninstallCommand) {
    const std::pair<const char*, RegData> values[] = {
        {"Publisher", MakeStringData("Quenfield \u00C6")},
        {"DisplayName", MakeStringData("App")},
        {"InstallLocation", MakeStringData("%ProgramFiles%\\App", RegType::ExpandString)},
        {"UninstallString", MakeStringData("uninstall.exe")},
        {"", MakeStringData("unnamed")},
        {"Comments", MakeStringData("")},
        {"EstimatedSize", {RegType::Dword, {0x20, 0x03, 0, 0}}},
        {"MinusOne", {RegType::Dword, {0xFF, 0xFF, 0xFF, 0xFF}}},  // DWORDs are signed
        {"ShortDword", {RegType::Dword, {1, 2, 3}}},
        {"Binary", {RegType::Binary, {'4', 0, '2', 0, 0, 0}}},  // other types have no text
        {"Qword", {RegType::Qword, {1, 0, 0, 0, 0, 0, 0, 0}}},
    };
    for (const auto& [name, data] : values) Seed(std::string(kUninstall) + "\\App", name, data);
    EXPECT_THAT(Values("app"),
                ElementsAre("Publisher=Quenfield \u00C6", "InstallLocation=%ProgramFiles%\\App",
                            "=unnamed", "Comments=", "EstimatedSize=800", "MinusOne=-1",
                            "ShortDword=", "Binary=", "Qword="));
    // Only the exact spellings of the two names are left out.
    Seed(std::string(kUninstall) + "\\Other", "displayname", MakeStringData("a"));
    Seed(std::string(kUninstall) + "\\Other", "UNINSTALLSTRING", MakeStringData("b"));
    EXPECT_THAT(Values("Other"), ElementsAre("displayname=a", "UNINSTALLSTRING=b"));

    // A missing, refused or unnamed key gives no values.
    EXPECT_THAT(Values("Missing"), IsEmpty());
    registry.DenyAccess(RegRoot::LocalMachine, std::string(kUninstall) + "\\App");
    EXPECT_THAT(Values("App"), IsEmpty());
    // An empty name does not read the Uninstall key itself.
    Seed(kUninstall, "Stray", MakeStringData("x"));
    EXPECT_THAT(Values(""), IsEmpty());
}

}  // namespace
}  // namespace glmx::info
