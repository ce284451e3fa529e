#include "info/arp_cache.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "platform/fake/fake_locale.h"
#include "platform/fake/fake_registry.h"
#include "platform/text.h"

namespace glmx::info {
namespace {

using platform::CalendarDate;
using platform::FakeLocale;
using platform::FakeRegistry;
using platform::MakeStringData;
using platform::RegAccess;
using platform::RegData;
using platform::RegRoot;
using platform::RegType;
using ::testing::ElementsAre;

constexpr const char* kArpCache =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";
constexpr const char* kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// FILETIMEs of known UTC instants.
constexpr std::uint64_t k1970 = 116444736000000000;
constexpr std::uint64_t k2025March14Noon = 133864272000000000;
constexpr std::uint64_t k2025March14At3 = 133863948000000000;
constexpr std::uint64_t k2025March14At2330 = 133864686000000000;

// A 552-byte record with the fields at their places; the bytes the parser skips
// are filled with noise so that reading them would show.
struct Record {
    std::int64_t size = 0;
    std::uint32_t timeLow = 0;
    std::uint32_t timeHigh = 0;
    std::int32_t count = 0;
    std::u16string name;

    Record& Size(std::int64_t value) {
        size = value;
        return *this;
    }
    Record& Halves(std::uint32_t low, std::uint32_t high) {
        timeLow = low;
        timeHigh = high;
        return *this;
    }
    Record& Time(std::uint64_t fileTime) {
        return Halves(static_cast<std::uint32_t>(fileTime),
                      static_cast<std::uint32_t>(fileTime >> 32));
    }
    Record& Count(std::int32_t value) {
        count = value;
        return *this;
    }
    Record& Name(std::u16string value) {
        name = std::move(value);
        return *this;
    }

    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> bytes(552, 0);
        for (size_t i = 0; i < 8; ++i) bytes[i] = 0xA5;
        for (size_t i = 548; i < 552; ++i) bytes[i] = 0x5A;
        const auto put = [&](size_t offset, std::uint64_t value, size_t count) {
            for (size_t i = 0; i < count; ++i)
                bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
        };
        put(8, static_cast<std::uint64_t>(size), 8);
        put(16, timeLow, 4);
        put(20, timeHigh, 4);
        put(24, static_cast<std::uint32_t>(count), 4);
        for (size_t i = 0; i < name.size() && i < 260; ++i) put(28 + 2 * i, name[i], 2);
        return bytes;
    }
};

// A locale whose calendar answers what the test says, for dates no real calendar gives.
class FixedDateLocale final : public FakeLocale {
public:
    explicit FixedDateLocale(std::optional<CalendarDate> date) : date_(date) {}
    std::optional<CalendarDate> LocalDateOfFileTime(std::uint64_t) const override { return date_; }

private:
    std::optional<CalendarDate> date_;
};

// Passes everything to a FakeRegistry and notes how keys were asked for.
class RecordingRegistry final : public platform::Registry {
public:
    explicit RecordingRegistry(FakeRegistry& inner) : inner_(inner) {}
    std::unique_ptr<platform::RegistryKey> OpenKey(RegRoot root, std::string_view path,
                                                   RegAccess access) override {
        if (access != RegAccess::Read) ++writableOpens;
        openedPaths.emplace_back(path);
        return inner_.OpenKey(root, path, access);
    }
    std::unique_ptr<platform::RegistryKey> CreateKey(RegRoot root, std::string_view path) override {
        ++creates;
        return inner_.CreateKey(root, path);
    }
    bool DeleteKeyTree(RegRoot root, std::string_view path) override {
        ++deletes;
        return inner_.DeleteKeyTree(root, path);
    }

    std::vector<std::string> openedPaths;
    int writableOpens = 0;
    int creates = 0;
    int deletes = 0;

private:
    FakeRegistry& inner_;
};

// ---------------------------------------------------------------------------------------------
// The record

class SlowInfoCacheTest : public ::testing::Test {
protected:
    ArpCacheInfo Parse(const Record& record) { return ParseSlowInfoCache(record.Bytes(), locale); }

    FakeLocale locale;
};

TEST_F(SlowInfoCacheTest, AFullRecordGivesAllFourTexts) {
    const ArpCacheInfo info =
        Parse(Record().Size(13107200).Time(k2025March14Noon).Count(5).Name(u"C:\\Tools\\tool.exe"));
    EXPECT_EQ(info.sizeText, "12.50 MB");
    EXPECT_EQ(info.lastUsedText, "03/14/2025");
    EXPECT_EQ(info.usageText, "occasionally");
    EXPECT_EQ(info.trackedName, "C:\\Tools\\tool.exe");
}

TEST_F(SlowInfoCacheTest, RecordsOfAnyOtherSizeGiveNothing) {
    std::vector<std::uint8_t> bytes =
        Record().Size(13107200).Count(5).Name(u"x.exe").Time(k1970).Bytes();
    std::vector<std::uint8_t> shorter(bytes.begin(), bytes.end() - 1);
    std::vector<std::uint8_t> longer = bytes;
    longer.push_back(0);
    for (const auto& wrong : {shorter, longer, std::vector<std::uint8_t>{}}) {
        const ArpCacheInfo info = ParseSlowInfoCache(wrong, locale);
        EXPECT_EQ(info.sizeText, "");
        EXPECT_EQ(info.lastUsedText, "");
        EXPECT_EQ(info.usageText, "");
        EXPECT_EQ(info.trackedName, "");
    }
}

TEST_F(SlowInfoCacheTest, SizeIsInMegabytesWithTwoDecimalsAndOnlyWhenPositive) {
    EXPECT_EQ(Parse(Record().Size(1048576)).sizeText, "1.00 MB");
    EXPECT_EQ(Parse(Record().Size(13107200)).sizeText, "12.50 MB");
    EXPECT_EQ(Parse(Record().Size(1)).sizeText, "0.00 MB");
    EXPECT_EQ(Parse(Record().Size(1294467072)).sizeText, "1,234.50 MB");
    EXPECT_EQ(Parse(Record().Size(std::numeric_limits<std::int64_t>::max())).sizeText,
              "8,796,093,022,208.00 MB");
    EXPECT_EQ(Parse(Record().Size(0)).sizeText, "");
    EXPECT_EQ(Parse(Record().Size(-1048576)).sizeText, "");
    EXPECT_EQ(Parse(Record().Size(std::numeric_limits<std::int64_t>::min())).sizeText, "");
}

TEST_F(SlowInfoCacheTest, LastUsedHasNoTextWhenZeroAndIsUnknownWhenAllOnes) {
    EXPECT_EQ(Parse(Record().Halves(0, 0)).lastUsedText, "");
    EXPECT_EQ(Parse(Record().Halves(0xFFFFFFFF, 0xFFFFFFFF)).lastUsedText, "(Unknown)");
    // Only one half zero or all ones is an ordinary time.
    EXPECT_EQ(Parse(Record().Halves(1, 0)).lastUsedText, "01/01/1601");
    EXPECT_EQ(Parse(Record().Halves(0xFFFFFFFF, 0)).lastUsedText, "01/01/1601");
    EXPECT_EQ(Parse(Record().Halves(0, 0xFFFFFFFF)).lastUsedText, "(Unknown)");
}

TEST_F(SlowInfoCacheTest, LastUsedReadsTheLowHalfFirstAndShowsTheLocalDate) {
    EXPECT_EQ(Parse(Record().Time(k1970)).lastUsedText, "01/01/1970");
    locale.SetTimeZoneOffsetMinutes(-300);
    EXPECT_EQ(Parse(Record().Time(k2025March14At3)).lastUsedText, "03/13/2025");
    locale.SetTimeZoneOffsetMinutes(60);
    EXPECT_EQ(Parse(Record().Time(k2025March14At2330)).lastUsedText, "03/15/2025");
}

TEST_F(SlowInfoCacheTest, LastUsedIsUnknownWhenTheCalendarHasNoValidDate) {
    const Record record = Record().Time(k1970);
    for (const std::optional<CalendarDate>& date :
         {std::optional<CalendarDate>{}, std::optional(CalendarDate{2025, 13, 1}),
          std::optional(CalendarDate{2025, 0, 1}), std::optional(CalendarDate{2025, 2, 29}),
          std::optional(CalendarDate{2025, 4, 31}), std::optional(CalendarDate{2025, 1, 0}),
          std::optional(CalendarDate{0, 1, 1}), std::optional(CalendarDate{10000, 1, 1})}) {
        FixedDateLocale odd(date);
        EXPECT_EQ(ParseSlowInfoCache(record.Bytes(), odd).lastUsedText, "(Unknown)")
            << (date ? date->year : -1) << "-" << (date ? date->month : -1);
    }
    FixedDateLocale leapDay(CalendarDate{2024, 2, 29});
    EXPECT_EQ(ParseSlowInfoCache(record.Bytes(), leapDay).lastUsedText, "02/29/2024");
    FixedDateLocale earlyYear(CalendarDate{987, 6, 5});
    EXPECT_EQ(ParseSlowInfoCache(record.Bytes(), earlyYear).lastUsedText, "06/05/0987");
}

TEST_F(SlowInfoCacheTest, UsageCountFallsIntoThreeBands) {
    EXPECT_EQ(Parse(Record().Count(-1)).usageText, "");
    EXPECT_EQ(Parse(Record().Count(std::numeric_limits<std::int32_t>::min())).usageText, "");
    EXPECT_EQ(Parse(Record().Count(0)).usageText, "rarely");
    EXPECT_EQ(Parse(Record().Count(2)).usageText, "rarely");
    EXPECT_EQ(Parse(Record().Count(3)).usageText, "occasionally");
    EXPECT_EQ(Parse(Record().Count(10)).usageText, "occasionally");
    EXPECT_EQ(Parse(Record().Count(11)).usageText, "frequently");
    EXPECT_EQ(Parse(Record().Count(std::numeric_limits<std::int32_t>::max())).usageText,
              "frequently");
}

TEST_F(SlowInfoCacheTest, TrackedNameKeepsEveryCharacter) {
    const std::u16string name = u"C:\\Programme\\Gr\u00FC\u00DFe\\\u65E5\u672C\\\U0001F600.exe";
    EXPECT_EQ(Parse(Record().Name(name)).trackedName,
              "C:\\Programme\\Gr\u00FC\u00DFe\\\u65E5\u672C\\\U0001F600.exe");
    EXPECT_EQ(Parse(Record().Name(u"")).trackedName, "");
}

TEST_F(SlowInfoCacheTest, TrackedNameStopsAtTheTerminatorOrAfter260Characters) {
    std::u16string full(260, u'n');
    full[0] = u'A';
    full[259] = u'Z';
    // No terminator: the name fills the field; the noise after it would read as U+5A5A.
    EXPECT_EQ(Parse(Record().Name(full)).trackedName, platform::Utf16ToUtf8(full));

    std::vector<std::uint8_t> bytes = Record().Name(u"short").Bytes();
    bytes[28 + 2 * 6] = 'x';  // after the terminator
    EXPECT_EQ(ParseSlowInfoCache(bytes, locale).trackedName, "short");
}

TEST_F(SlowInfoCacheTest, AnotherLocalesSeparatorsAreUsed) {
    locale.SetThousandsSeparator(".");
    locale.SetDecimalSeparator(",");
    locale.SetDateSeparator(".");
    const ArpCacheInfo info = Parse(Record().Size(1294467072).Time(k2025March14Noon));
    EXPECT_EQ(info.sizeText, "1.234,50 MB");
    EXPECT_EQ(info.lastUsedText, "03.14.2025");  // the order stays month, day, year
}

// ---------------------------------------------------------------------------------------------
// The fake locale itself, since the tests above rely on it

TEST(FakeLocaleNumbers, RoundHalfAwayFromZeroAsTheDecimalFormReads) {
    FakeLocale locale;
    EXPECT_EQ(locale.FormatTwoDecimals(0), "0.00");
    EXPECT_EQ(locale.FormatTwoDecimals(12.5), "12.50");
    EXPECT_EQ(locale.FormatTwoDecimals(0.125), "0.13");
    EXPECT_EQ(locale.FormatTwoDecimals(2.675), "2.68");  // 2.67499999... in binary
    EXPECT_EQ(locale.FormatTwoDecimals(0.124999), "0.12");
    EXPECT_EQ(locale.FormatTwoDecimals(999.995), "1,000.00");
    EXPECT_EQ(locale.FormatTwoDecimals(-1.005), "-1.01");
    EXPECT_EQ(locale.FormatTwoDecimals(-0.001), "0.00");
    EXPECT_EQ(locale.FormatTwoDecimals(1e-300), "0.00");
}

TEST(FakeLocaleNumbers, GroupTheIntegerPartByThrees) {
    FakeLocale locale;
    EXPECT_EQ(locale.FormatTwoDecimals(123), "123.00");
    EXPECT_EQ(locale.FormatTwoDecimals(1234), "1,234.00");
    EXPECT_EQ(locale.FormatTwoDecimals(-1234567.891), "-1,234,567.89");
    EXPECT_EQ(locale.FormatTwoDecimals(1e20), "100,000,000,000,000,000,000.00");
    locale.SetThousandsSeparator("\u00A0");
    locale.SetDecimalSeparator(",");
    EXPECT_EQ(locale.FormatTwoDecimals(1234.5), "1\u00A0234,50");
}

TEST(FakeLocaleNumbers, ExtremeValues) {
    FakeLocale locale;
    EXPECT_EQ(locale.FormatTwoDecimals(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(locale.FormatTwoDecimals(std::numeric_limits<double>::quiet_NaN()), "");
    // 309 digits, 102 separators, the decimals.
    EXPECT_EQ(locale.FormatTwoDecimals(std::numeric_limits<double>::max()).size(), 309u + 102 + 3);
    EXPECT_EQ(locale.FormatTwoDecimals(-std::numeric_limits<double>::denorm_min()), "0.00");
}

MATCHER_P3(IsDate, year, month, day, "") {
    return arg && arg->year == year && arg->month == month && arg->day == day;
}

TEST(FakeLocaleCalendar, KnownDates) {
    FakeLocale locale;
    EXPECT_THAT(locale.LocalDateOfFileTime(0), IsDate(1601, 1, 1));
    EXPECT_THAT(locale.LocalDateOfFileTime(314496000000000), IsDate(1601, 12, 31));
    EXPECT_THAT(locale.LocalDateOfFileTime(94405824000000000), IsDate(1900, 3, 1));
    EXPECT_THAT(locale.LocalDateOfFileTime(94405824000000000 - 1), IsDate(1900, 2, 28));
    EXPECT_THAT(locale.LocalDateOfFileTime(125962560000000000), IsDate(2000, 2, 29));
    EXPECT_THAT(locale.LocalDateOfFileTime(k1970), IsDate(1970, 1, 1));
    EXPECT_THAT(locale.LocalDateOfFileTime(k1970 - 1), IsDate(1969, 12, 31));
    EXPECT_THAT(locale.LocalDateOfFileTime(133536816000000000), IsDate(2024, 2, 29));
    EXPECT_THAT(locale.LocalDateOfFileTime(k2025March14Noon), IsDate(2025, 3, 14));
    EXPECT_THAT(locale.LocalDateOfFileTime(2650467743990000000), IsDate(9999, 12, 31));
}

TEST(FakeLocaleCalendar, EndsWithTheYear30827) {
    FakeLocale locale;
    constexpr std::uint64_t k30828 = 9223149888000000000;
    EXPECT_THAT(locale.LocalDateOfFileTime(k30828 - 1), IsDate(30827, 12, 31));
    EXPECT_EQ(locale.LocalDateOfFileTime(k30828), std::nullopt);
    EXPECT_EQ(locale.LocalDateOfFileTime(std::numeric_limits<std::uint64_t>::max()), std::nullopt);
}

TEST(FakeLocaleCalendar, TheTimeZoneOffsetMovesTheDate) {
    FakeLocale locale;
    locale.SetTimeZoneOffsetMinutes(-300);
    EXPECT_THAT(locale.LocalDateOfFileTime(k2025March14At3), IsDate(2025, 3, 13));
    EXPECT_THAT(locale.LocalDateOfFileTime(k2025March14Noon), IsDate(2025, 3, 14));
    EXPECT_THAT(locale.LocalDateOfFileTime(k1970), IsDate(1969, 12, 31));
    EXPECT_EQ(locale.LocalDateOfFileTime(0), std::nullopt);  // before the calendar starts
    locale.SetTimeZoneOffsetMinutes(14 * 60);
    EXPECT_THAT(locale.LocalDateOfFileTime(k2025March14Noon), IsDate(2025, 3, 15));
    EXPECT_EQ(locale.LocalDateOfFileTime(std::numeric_limits<std::uint64_t>::max()), std::nullopt);
}

// ---------------------------------------------------------------------------------------------
// The registry

class ArpCacheRegistryTest : public ::testing::Test {
protected:
    void SeedCache(const std::string& name, const RegData& data) {
        registry.CreateKey(RegRoot::LocalMachine, std::string(kArpCache) + "\\" + name)
            ->SetValue("SlowInfoCache", data);
    }
    static RegData Binary(std::vector<std::uint8_t> bytes) { return {RegType::Binary, bytes}; }
    static RegData GoodRecord() {
        return Binary(
            Record().Size(13107200).Count(11).Name(u"C:\\App\\app.exe").Time(k1970).Bytes());
    }
    static void ExpectEmpty(const ArpCacheInfo& info) {
        EXPECT_EQ(info.sizeText, "");
        EXPECT_EQ(info.lastUsedText, "");
        EXPECT_EQ(info.usageText, "");
        EXPECT_EQ(info.trackedName, "");
    }
    void ExpectNothingWritten() {
        EXPECT_EQ(recording.writableOpens, 0);
        EXPECT_EQ(recording.creates, 0);
        EXPECT_EQ(recording.deletes, 0);
    }

    FakeRegistry registry;
    RecordingRegistry recording{registry};
    FakeLocale locale;
};

TEST_F(ArpCacheRegistryTest, KeyNamesAreTheCachesSubKeysReadWithoutWriting) {
    SeedCache("{B-GUID}", GoodRecord());
    SeedCache("Alpha", GoodRecord());
    EXPECT_THAT(ReadArpCacheKeyNames(recording), ElementsAre("Alpha", "{B-GUID}"));
    ExpectNothingWritten();
}

TEST_F(ArpCacheRegistryTest, KeyNamesOfAMissingOrRefusedCacheAreEmptyAndNothingIsCreated) {
    EXPECT_TRUE(ReadArpCacheKeyNames(recording).empty());
    EXPECT_FALSE(registry.KeyExists(RegRoot::LocalMachine, kArpCache));
    registry.DenyAccess(RegRoot::LocalMachine, kArpCache);
    EXPECT_TRUE(ReadArpCacheKeyNames(recording).empty());
    ExpectNothingWritten();
}

TEST_F(ArpCacheRegistryTest, InfoIsFoundUnderAnotherCaseThroughTheStoredName) {
    SeedCache("MyApp", GoodRecord());
    const std::vector<std::string> names = ReadArpCacheKeyNames(registry);
    const ArpCacheInfo info = ReadArpCacheInfo(recording, names, "MYAPP", locale);
    EXPECT_THAT(recording.openedPaths, ElementsAre(std::string(kArpCache) + "\\MyApp"));
    EXPECT_EQ(info.sizeText, "12.50 MB");
    EXPECT_EQ(info.lastUsedText, "01/01/1970");
    EXPECT_EQ(info.usageText, "frequently");
    EXPECT_EQ(info.trackedName, "C:\\App\\app.exe");
    ExpectNothingWritten();
}

TEST_F(ArpCacheRegistryTest, InfoNeedsTheNameInTheList) {
    SeedCache("MyApp", GoodRecord());
    const int opens = registry.OpenCount();
    ExpectEmpty(ReadArpCacheInfo(recording, {"Other"}, "MyApp", locale));
    ExpectEmpty(ReadArpCacheInfo(recording, {}, "MyApp", locale));
    EXPECT_EQ(registry.OpenCount(), opens);  // the list decides before the registry is asked
}

TEST_F(ArpCacheRegistryTest, InfoMatchesOnlyAsciiLettersWithoutRegardToCase) {
    SeedCache("\u00C4pp", GoodRecord());
    ExpectEmpty(ReadArpCacheInfo(recording, {"\u00C4pp"}, "\u00E4pp", locale));
    EXPECT_EQ(ReadArpCacheInfo(recording, {"\u00C4pp"}, "\u00C4PP", locale).usageText,
              "frequently");
}

TEST_F(ArpCacheRegistryTest, InfoIgnoresRecordsOfTheWrongSizeOrType) {
    std::vector<std::uint8_t> bytes = GoodRecord().bytes;
    SeedCache("Short", Binary({bytes.begin(), bytes.end() - 1}));
    std::vector<std::uint8_t> longer = bytes;
    longer.push_back(0);
    SeedCache("Long", Binary(longer));
    SeedCache("Text", RegData{RegType::String, bytes});
    SeedCache("Unknown", RegData{static_cast<RegType>(0x1234), bytes});
    registry.CreateKey(RegRoot::LocalMachine, std::string(kArpCache) + "\\NoValue");
    const std::vector<std::string> names = ReadArpCacheKeyNames(registry);
    ASSERT_EQ(names.size(), 5u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ExpectEmpty(ReadArpCacheInfo(recording, names, name, locale));
    }
}

TEST_F(ArpCacheRegistryTest, InfoOfARefusedOrVanishedKeyIsEmpty) {
    SeedCache("Refused", GoodRecord());
    registry.DenyAccess(RegRoot::LocalMachine, std::string(kArpCache) + "\\Refused");
    ExpectEmpty(ReadArpCacheInfo(recording, {"Refused"}, "Refused", locale));
    // Listed at start-up, gone since.
    ExpectEmpty(ReadArpCacheInfo(recording, {"Gone"}, "Gone", locale));
    EXPECT_FALSE(registry.KeyExists(RegRoot::LocalMachine, std::string(kArpCache) + "\\Gone"));
    ExpectNothingWritten();
}

class UninstallValuesTest : public ::testing::Test {
protected:
    void Seed(const char* name, const RegData& data) {
        registry.CreateKey(RegRoot::LocalMachine, std::string(kUninstall) + "\\App")
            ->SetValue(name, data);
    }
    static std::vector<std::string> Texts(const TProgramInfoCache& values) {
        std::vector<std::string> texts;
        for (const auto& value : values) texts.push_back(value.Name + "=" + value.Value);
        return texts;
    }

    FakeRegistry registry;
    RecordingRegistry recording{registry};
};

TEST_F(UninstallValuesTest, ValuesComeInStoredOrderWithoutTheNameAndUninstallCommand) {
    Seed("Publisher", MakeStringData("Quenfield \u00C6"));
    Seed("DisplayName", MakeStringData("App"));
    Seed("InstallLocation", MakeStringData("%ProgramFiles%\\App", RegType::ExpandString));
    Seed("UninstallString", MakeStringData("uninstall.exe"));
    Seed("", MakeStringData("unnamed"));
    Seed("Comments", MakeStringData(""));
    EXPECT_THAT(Texts(ReadUninstallValues(recording, "app")),
                ElementsAre("Publisher=Quenfield \u00C6", "InstallLocation=%ProgramFiles%\\App",
                            "=unnamed", "Comments="));
    EXPECT_EQ(recording.writableOpens + recording.creates, 0);
}

TEST_F(UninstallValuesTest, OnlyTheExactSpellingsOfTheTwoNamesAreLeftOut) {
    Seed("displayname", MakeStringData("a"));
    Seed("UNINSTALLSTRING", MakeStringData("b"));
    Seed("DisplayName_", MakeStringData("c"));
    EXPECT_THAT(Texts(ReadUninstallValues(registry, "App")),
                ElementsAre("displayname=a", "UNINSTALLSTRING=b", "DisplayName_=c"));
}

TEST_F(UninstallValuesTest, DwordsAreSignedAndOtherTypesHaveNoText) {
    Seed("EstimatedSize", {RegType::Dword, {0x20, 0x03, 0, 0}});
    Seed("MinusOne", {RegType::Dword, {0xFF, 0xFF, 0xFF, 0xFF}});
    Seed("Smallest", {RegType::Dword, {0, 0, 0, 0x80}});
    Seed("ShortDword", {RegType::Dword, {1, 2, 3}});
    Seed("Binary", {RegType::Binary, {'4', 0, '2', 0, 0, 0}});
    Seed("Qword", {RegType::Qword, {1, 0, 0, 0, 0, 0, 0, 0}});
    Seed("Multi", {RegType::MultiString, {'a', 0, 0, 0, 0, 0}});
    Seed("BigEndian", {RegType::DwordBigEndian, {0, 0, 0, 1}});
    Seed("OddString", {RegType::String, {'x'}});
    EXPECT_THAT(
        Texts(ReadUninstallValues(registry, "App")),
        ElementsAre("EstimatedSize=800", "MinusOne=-1", "Smallest=-2147483648",
                    "ShortDword=", "Binary=", "Qword=", "Multi=", "BigEndian=", "OddString="));
}

TEST_F(UninstallValuesTest, AMissingOrRefusedKeyGivesNoValuesAndIsNotCreated) {
    EXPECT_TRUE(ReadUninstallValues(recording, "Missing").empty());
    EXPECT_FALSE(registry.KeyExists(RegRoot::LocalMachine, std::string(kUninstall) + "\\Missing"));

    Seed("Publisher", MakeStringData("Quenfield"));
    registry.DenyAccess(RegRoot::LocalMachine, std::string(kUninstall) + "\\App");
    EXPECT_TRUE(ReadUninstallValues(recording, "App").empty());
    EXPECT_EQ(recording.writableOpens + recording.creates + recording.deletes, 0);
}

TEST_F(UninstallValuesTest, AnEmptyNameDoesNotReadTheUninstallKeyItself) {
    registry.CreateKey(RegRoot::LocalMachine, kUninstall)
        ->SetValue("Stray", MakeStringData("not a program's"));
    EXPECT_TRUE(ReadUninstallValues(registry, "").empty());
}

}  // namespace
}  // namespace glmx::info
