// Which systems collect as 9x, and which snapshot entry is the idle pseudo-process.
#include <gtest/gtest.h>

#include "inventory/os_version.h"
#include "inventory/running_programs.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_version_resources.h"

namespace glmx::inventory {
namespace {

TEST(OsGroup, EveryTabled9xSystemCollectsAs9x) {
    for (const std::uint32_t minor : {0u, 10u, 90u})  // 95, 98, Me
        EXPECT_EQ(GroupOf({1, 4, minor}), OsGroup::Win9x) << minor;
    EXPECT_EQ(GroupOf({2, 3, 51}), OsGroup::NT);
}

// Wine's snapshot has no idle entry: its first entry is a running program.
TEST(CollectProcesses, OnlyAnIdentifier0HeadingTheSnapshotIsSkipped) {
    platform::FakeProcessSystem system;
    platform::FakeVersionResources versions;
    system.snapshot = {{4, "System"}, {0, "late.exe"}};
    TRunningProgramsInfoClass processes;
    processes.CollectProcesses(system, versions);
    ASSERT_EQ(processes.Count(), 2u);
    EXPECT_EQ(processes.Records()[1].FileName, "late.exe");
}

}  // namespace
}  // namespace glmx::inventory
