// Turns fuzz bytes into the values the parsers meet from outside: texts that need
// not be UTF-8, registry data of any type number and size, keys full of such values.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace glmx::fuzz {

inline std::string Text(FuzzedDataProvider& input, size_t maxLength = 48) {
    return input.ConsumeRandomLengthString(maxLength);
}

// Mostly well-formed string data, DWORDs and QWORDs; otherwise any type number
// (also those Windows never defined) with bytes of any length, odd ones included.
inline platform::RegData Data(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return platform::MakeStringData(Text(input));
        case 1: {
            const auto type =
                input.ConsumeBool() ? platform::RegType::Dword : platform::RegType::Qword;
            return {type,
                    input.ConsumeBytes<std::uint8_t>(type == platform::RegType::Dword ? 4 : 8)};
        }
        default: {
            const auto type = static_cast<platform::RegType>(
                input.ConsumeBool() ? input.ConsumeIntegralInRange<std::uint32_t>(0, 12)
                                    : input.ConsumeIntegral<std::uint32_t>());
            return {type, input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(0, 600))};
        }
    }
}

// Creates the key and gives it up to maxValues values; names are sometimes one of
// the given names, in any case spelling, so the reader's own names come up.
inline void FillKey(FuzzedDataProvider& input, platform::Registry& registry, platform::RegRoot root,
                    std::string_view path, std::initializer_list<std::string_view> names,
                    int maxValues = 8) {
    const auto key = registry.CreateKey(root, path);
    if (!key) return;
    const int count = input.ConsumeIntegralInRange(0, maxValues);
    for (int i = 0; i < count && input.remaining_bytes() > 0; ++i) {
        std::string name;
        if (names.size() > 0 && input.ConsumeBool()) {
            name = *(names.begin() + input.ConsumeIntegralInRange<size_t>(0, names.size() - 1));
            for (char& c : name)
                if (input.ConsumeBool()) c ^= (c >= 'A' && c <= 'z') ? 0x20 : 0;
        } else {
            name = Text(input, 16);
        }
        key->SetValue(name, Data(input));
    }
}

}  // namespace glmx::fuzz
