#include "filesearch/local_drives.h"

#include <gtest/gtest.h>

namespace glmx::filesearch {
namespace {

std::uint32_t Bit(char letter) { return std::uint32_t{1} << (letter - 'A'); }

TEST(LocalHardDrivesTest, KeepsTheFixedDrivesOfTheMaskInLetterOrder) {
    const auto fixedExceptE = [](char letter) { return letter != 'E'; };
    const struct {
        std::uint32_t mask;
        const char* roots;
    } cases[] = {
        {Bit('C') | Bit('D'), "C:\\;D:\\"},
        {0, ""},
        {Bit('C') | Bit('E') | Bit('F'), "C:\\;F:\\"},  // E is removable
        {Bit('E'), ""},
        {Bit('A') | Bit('Z'), "A:\\;Z:\\"},
        {0xFC000000u, ""},  // bits above Z name no drive
    };
    for (const auto& test : cases)
        EXPECT_EQ(LocalHardDrives(test.mask, fixedExceptE), test.roots) << std::hex << test.mask;
}

}  // namespace
}  // namespace glmx::filesearch
