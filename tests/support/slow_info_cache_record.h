// A record of the add/remove-programs cache as the system stores it, for the cache readers'
// tests: 552 bytes, the time a FILETIME low half first. The bytes the parser skips are
// noise, so that reading them would show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "info/arp_cache.h"

namespace glmx::testing {

inline std::vector<std::uint8_t> SlowInfoCacheRecord(std::int64_t size, std::uint64_t time = 0,
                                                     std::int32_t count = 0,
                                                     const std::u16string& name = u"") {
    std::vector<std::uint8_t> bytes(552, 0xA5);
    const auto put = [&](size_t offset, std::uint64_t value, size_t length) {
        for (size_t i = 0; i < length; ++i)
            bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put(8, static_cast<std::uint64_t>(size), 8);
    put(16, time, 8);
    put(24, static_cast<std::uint32_t>(count), 4);
    for (size_t i = 0; i < 260; ++i) put(28 + 2 * i, i < name.size() ? name[i] : 0, 2);
    return bytes;
}

// The four texts in one: size|last used|usage|tracked name.
inline std::string CacheTexts(const info::ArpCacheInfo& info) {
    return info.sizeText + "|" + info.lastUsedText + "|" + info.usageText + "|" + info.trackedName;
}

}  // namespace glmx::testing
