// The inventory list's fill and the "End Task", "Close" and "Switch To" actions.
#include "inventory/item_actions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_user_messages.h"
#include "platform/fake/fake_version_resources.h"

namespace glmx::inventory {
namespace {

using ::testing::ElementsAre;

// Each row as "caption>record".
class RecordingList final : public ProgramListView, public StatusLine {
public:
    void BeginFill() override {}
    void EndFill() override {}
    void AddProgramRow(const RunningProgramInfo& record, int, size_t recordIndex) override {
        rows.push_back({record.ProgramName, recordIndex});
    }
    int RowCount() const override { return static_cast<int>(rows.size()); }
    long long RowRecord(int row) const override {
        return static_cast<long long>(rows.at(static_cast<size_t>(row)).second);
    }
    void SetRowRecord(int row, size_t recordIndex) override {
        rows.at(static_cast<size_t>(row)).second = recordIndex;
    }
    int SelectedRow() const override { return selected; }
    void SelectRow(int row) override { selected = row; }
    void DeleteRow(int row) override {
        rows.erase(rows.begin() + row);
        if (selected >= RowCount()) selected = -1;
    }
    void Focus() override { focused = true; }
    void SetStatusText(std::string_view text) override { status = text; }
    std::vector<std::string> Rows() const {
        std::vector<std::string> texts;
        for (const auto& [caption, record] : rows)
            texts.push_back(caption + ">" + std::to_string(record));
        return texts;
    }

    std::vector<std::pair<std::string, size_t>> rows;
    int selected = -1;
    bool focused = false;
    std::string status;
};

class ItemActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (std::uint32_t id : {11u, 12u, 13u}) {
            system.snapshot->push_back({id, "p" + std::to_string(id) + ".exe"});
            system.endable.insert(id);
        }
        processes.CollectProcesses(system, versions);
        FillProgramList(list, list, processes.Records(), shell, FillMode::Adding, kProcessesStatus);
        windows.windows = {{101, true, 0, false, "one", 11}, {102, true, 0, false, "two", 12}};
        applications.CollectApplications(windows, system, versions);
    }
    void Click(ViewKind view, int row) {
        list.selected = row;
        ControlButtonClicked(view, actions);
    }

    platform::FakeProcessSystem system;
    platform::FakeTopLevelWindows windows;
    platform::FakeShell shell;
    platform::FakeVersionResources versions;
    platform::FakeUserMessages messages;
    RecordingList list;
    TRunningProgramsInfoClass processes;
    TRunningApplicationsInfo applications;
    int refreshed = 0;
    ProgramActions actions{applications, processes, list,
                           list,         system,    windows,
                           messages,     shell,     [this] { ++refreshed; }};
};

TEST_F(ItemActionsTest, CloseEndsTheRowsOwnProcessAfterTheUserSortedAndReTiesTheRows) {
    EXPECT_THAT(list.Rows(), ElementsAre("p11.exe>0", "p12.exe>1", "p13.exe>2"));
    EXPECT_EQ(list.selected, 0);
    EXPECT_TRUE(list.focused);
    EXPECT_EQ(list.status, "3 runnig processes");

    std::reverse(list.rows.begin(), list.rows.end());
    Click(vkRunningProcesses, 0);
    EXPECT_THAT(system.ended, ElementsAre(13));
    EXPECT_THAT(list.Rows(), ElementsAre("p12.exe>1", "p11.exe>0"));
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(list.status, "2 runnig processes");
    Click(vkRunningProcesses, 1);  // the last row: the new last is selected
    EXPECT_THAT(system.ended, ElementsAre(13, 11));
    EXPECT_THAT(list.Rows(), ElementsAre("p12.exe>0"));
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(processes.Records()[0].ProcessId, 12u);
    EXPECT_EQ(refreshed, 2);
    Click(vkRunningProcesses, 0);  // the only row leaves nothing selected
    EXPECT_EQ(list.selected, -1);
    EXPECT_EQ(list.status, "0 runnig processes");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ItemActionsTest, AnUnopenableOrRefusedEndKeepsTheRowAndSaysWhyButOneThatJustExitedGoes) {
    system.endable.erase(11);
    Click(vkRunningProcesses, 0);
    system.endResults[12] = {platform::EndProcessStatus::TerminateFailed, "Access is denied."};
    Click(vkRunningProcesses, 1);
    EXPECT_THAT(messages.shown, ElementsAre("Unable to get process Handle",
                                            "The process could not be ended: Access is denied."));
    EXPECT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(refreshed, 0);

    system.endResults[12] = {platform::EndProcessStatus::AlreadyExited, ""};
    Click(vkRunningProcesses, 1);
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(processes.Count(), 2u);
    EXPECT_EQ(list.rows.size(), 2u);
}

class EndingItselfTest : public ItemActionsTest,
                         public ::testing::WithParamInterface<std::tuple<ViewKind, bool>> {};

TEST_P(EndingItselfTest, BothButtonsAskFirstAndNoLeavesThisProgramAlone) {
    const auto [view, yes] = GetParam();
    system.currentProcessId = 12;  // the process of window 102
    if (view == vkRunningApplications) {
        list.rows.clear();
        FillProgramList(list, list, applications.Records(), shell, FillMode::Adding,
                        kApplicationsStatus);
    }
    const size_t rows = list.rows.size();
    messages.answer = yes;
    Click(view, 1);
    EXPECT_THAT(messages.shown, ElementsAre(kEndsGlimmerboxItself));
    EXPECT_EQ(list.rows.size(), yes ? rows - 1 : rows);
    EXPECT_EQ(view == vkRunningProcesses ? !system.ended.empty() : windows.windows.size() == 1,
              yes);
}

INSTANTIATE_TEST_SUITE_P(Buttons, EndingItselfTest,
                         ::testing::Combine(::testing::Values(vkRunningProcesses,
                                                              vkRunningApplications),
                                            ::testing::Bool()));

TEST_F(ItemActionsTest, NothingHappensWithoutASelectedRowOrPastTheRecords) {
    Click(vkRunningProcesses, -1);
    list.rows.push_back({"extra", 9});
    Click(vkRunningProcesses, 3);
    Click(vkAutoStart, 0);
    EXPECT_TRUE(system.ended.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ItemActionsTest, EndTaskClosesTheWindowARefusingOrHungOneStaysAndSwitchToActivatesIt) {
    list.rows.clear();
    FillProgramList(list, list, applications.Records(), shell, FillMode::Adding,
                    kApplicationsStatus);
    for (int row : {1, -1}) {
        list.selected = row;
        SwitchToClicked(actions);
    }
    EXPECT_THAT(windows.switchedTo, ElementsAre(102));

    windows.closeReplies = {{101, platform::WindowReply::AnsweredOne},
                            {102, platform::WindowReply::NoAnswer}};
    Click(vkRunningApplications, 0);
    Click(vkRunningApplications, 1);
    EXPECT_EQ(applications.Count(), 2u);
    windows.closeReplies.clear();
    Click(vkRunningApplications, 1);
    ASSERT_EQ(applications.Count(), 1u);
    EXPECT_EQ(applications.Records()[0].ProgramName, "one");
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(list.status, "1 runnig applications");
}

}  // namespace
}  // namespace glmx::inventory
