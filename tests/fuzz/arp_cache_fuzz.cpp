// The add/remove-programs cache record: a 552-byte binary any program may have
// written, read with any locale settings, and the uninstall entry beside it.
#include "fuzz/fuzz_values.h"
#include "info/arp_cache.h"
#include "platform/fake/fake_locale.h"
#include "platform/fake/fake_registry.h"

using glmx::platform::RegRoot;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size) {
    FuzzedDataProvider input(bytes, size);
    glmx::platform::FakeLocale locale;
    locale.SetThousandsSeparator(glmx::fuzz::Text(input, 4));
    locale.SetDecimalSeparator(glmx::fuzz::Text(input, 4));
    locale.SetDateSeparator(glmx::fuzz::Text(input, 4));
    locale.SetTimeZoneOffsetMinutes(input.ConsumeIntegral<int>());

    const std::string program = glmx::fuzz::Text(input, 16);
    glmx::platform::FakeRegistry registry;
    const std::string cacheKey =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\" + program;
    glmx::fuzz::FillKey(input, registry, RegRoot::LocalMachine, cacheKey, {"SlowInfoCache"}, 2);
    glmx::fuzz::FillKey(input, registry, RegRoot::LocalMachine,
                        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + program,
                        {"DisplayName", "UninstallString", "DisplayVersion", "Publisher"});

    const auto names = glmx::info::ReadArpCacheKeyNames(registry);
    glmx::info::ReadArpCacheInfo(registry, names, program, locale);
    glmx::info::ReadUninstallValues(registry, program);

    // The rest as a record of its own: full size when enough bytes are left.
    auto record = input.ConsumeRemainingBytes<std::uint8_t>();
    if (record.size() > 552) record.resize(552);
    glmx::info::ParseSlowInfoCache(record, locale);
    return 0;
}
