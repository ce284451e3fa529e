// The inventory list's fill and the "End Task", "Close" and "Switch To" actions.
#include "inventory/item_actions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_version_resources.h"

namespace glmx::inventory {
namespace {

using ::testing::ElementsAre;

class RecordingList final : public ProgramListView, public StatusLine {
public:
    struct Row {
        std::string caption;
        size_t record;
    };
    void BeginFill() override { ++fills; }
    void EndFill() override {}
    void AddProgramRow(const RunningProgramInfo& record, int, size_t recordIndex) override {
        rows.push_back({record.ProgramName, recordIndex});
    }
    int RowCount() const override { return static_cast<int>(rows.size()); }
    void SetRowRecord(int row, size_t recordIndex) override {
        rows.at(static_cast<size_t>(row)).record = recordIndex;
    }
    int SelectedRow() const override { return selected; }
    void SelectRow(int row) override { selected = row; }
    void DeleteRow(int row) override {
        rows.erase(rows.begin() + row);
        if (selected >= RowCount()) selected = -1;
    }
    void Focus() override { focused = true; }
    void SetStatusText(std::string_view text) override { status = text; }

    std::vector<Row> rows;
    int selected = -1;
    bool focused = false;
    int fills = 0;
    std::string status;
};

class RecordingMessages final : public platform::UserMessages {
public:
    void Information(std::string_view text) override { shown.emplace_back(text); }
    void Warning(std::string_view text) override { shown.emplace_back(text); }
    bool Confirm(std::string_view text) override {
        shown.emplace_back(text);
        return answer;
    }
    std::vector<std::string> shown;
    bool answer = true;
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
    void ListApplications() {
        list.rows.clear();
        FillProgramList(list, list, applications.Records(), shell, FillMode::Adding,
                        kApplicationsStatus);
    }
    std::vector<size_t> RowRecords() const {
        std::vector<size_t> records;
        for (const auto& row : list.rows) records.push_back(row.record);
        return records;
    }

    platform::FakeProcessSystem system;
    platform::FakeTopLevelWindows windows;
    platform::FakeShell shell;
    platform::FakeVersionResources versions;
    RecordingMessages messages;
    RecordingList list;
    TRunningProgramsInfoClass processes;
    TRunningApplicationsInfo applications;
    int refreshed = 0;
    ProgramActions actions{applications, processes, list,
                           list,         system,    windows,
                           messages,     shell,     [this] { ++refreshed; }};
};

TEST_F(ItemActionsTest, AddingFillSelectsTheFirstRowAndCloseEndsTheProcessAndReTiesTheRows) {
    EXPECT_EQ(list.rows[1].caption, "p12.exe");
    EXPECT_THAT(RowRecords(), ElementsAre(0, 1, 2));
    EXPECT_EQ(list.selected, 0);
    EXPECT_TRUE(list.focused);
    EXPECT_EQ(list.status, "3 runnig processes");

    list.selected = 1;
    ControlButtonClicked(vkRunningProcesses, actions);
    EXPECT_THAT(system.ended, ElementsAre(12));
    ASSERT_EQ(processes.Count(), 2u);
    EXPECT_EQ(processes.Records()[1].ProcessId, 13u);
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[1].caption, "p13.exe");
    EXPECT_THAT(RowRecords(), ElementsAre(0, 1));
    EXPECT_EQ(list.selected, 1);
    EXPECT_EQ(list.status, "2 runnig processes");
    EXPECT_EQ(refreshed, 1);
    EXPECT_TRUE(messages.shown.empty());

    // Closing the last row selects the new last; the only row leaves nothing selected.
    ControlButtonClicked(vkRunningProcesses, actions);
    EXPECT_EQ(list.selected, 0);
    ControlButtonClicked(vkRunningProcesses, actions);
    EXPECT_TRUE(list.rows.empty());
    EXPECT_EQ(list.selected, -1);
    EXPECT_EQ(list.status, "0 runnig processes");
}

TEST_F(ItemActionsTest, AnUnopenableOrRefusedEndKeepsTheRowAndSaysWhyButOneThatJustExitedGoes) {
    system.endable.erase(11);
    ControlButtonClicked(vkRunningProcesses, actions);
    system.endResults[12] = {platform::EndProcessStatus::TerminateFailed, "Access is denied."};
    list.selected = 1;
    ControlButtonClicked(vkRunningProcesses, actions);
    EXPECT_THAT(messages.shown, ElementsAre("Unable to get process Handle",
                                            "The process could not be ended: Access is denied."));
    EXPECT_EQ(processes.Count(), 3u);
    EXPECT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(refreshed, 0);

    system.endResults[12] = {platform::EndProcessStatus::AlreadyExited, ""};
    ControlButtonClicked(vkRunningProcesses, actions);
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(processes.Count(), 2u);
    EXPECT_EQ(list.rows.size(), 2u);
}

class EndingItselfTest : public ItemActionsTest,
                         public ::testing::WithParamInterface<std::tuple<ViewKind, bool>> {};

TEST_P(EndingItselfTest, BothButtonsAskFirstAndNoLeavesThisProgramAlone) {
    const auto [view, yes] = GetParam();
    system.currentProcessId = 12;  // the process of window 102
    if (view == vkRunningApplications) ListApplications();
    const size_t rows = list.rows.size();
    messages.answer = yes;
    list.selected = 1;
    ControlButtonClicked(view, actions);
    EXPECT_THAT(messages.shown, ElementsAre(kEndsGlimmerboxItself));
    EXPECT_EQ(list.rows.size(), yes ? rows - 1 : rows);
    const bool acted =
        view == vkRunningProcesses ? !system.ended.empty() : windows.windows.size() == 1;
    EXPECT_EQ(acted, yes);
}

INSTANTIATE_TEST_SUITE_P(Buttons, EndingItselfTest,
                         ::testing::Combine(::testing::Values(vkRunningProcesses,
                                                              vkRunningApplications),
                                            ::testing::Bool()));

TEST_F(ItemActionsTest, NothingHappensWithoutASelectedRowOrPastTheRecords) {
    list.selected = -1;
    ControlButtonClicked(vkRunningProcesses, actions);
    list.rows.push_back({"extra", 9});
    list.selected = 3;
    ControlButtonClicked(vkRunningProcesses, actions);
    ControlButtonClicked(vkAutoStart, actions);
    EXPECT_TRUE(system.ended.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ItemActionsTest, EndTaskClosesTheWindowAndARefusingOrHungWindowStays) {
    ListApplications();
    windows.closeReplies[101] = platform::WindowReply::AnsweredOne;
    windows.closeReplies[102] = platform::WindowReply::NoAnswer;
    list.selected = 0;
    ControlButtonClicked(vkRunningApplications, actions);
    list.selected = 1;
    ControlButtonClicked(vkRunningApplications, actions);
    EXPECT_EQ(applications.Count(), 2u);

    windows.closeReplies.clear();
    ControlButtonClicked(vkRunningApplications, actions);
    ASSERT_EQ(applications.Count(), 1u);
    EXPECT_EQ(applications.Records()[0].ProgramName, "one");
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(list.status, "1 runnig applications");
}

TEST_F(ItemActionsTest, SwitchToActivatesTheSelectedApplication) {
    list.rows.resize(2);
    list.selected = 1;
    SwitchToClicked(actions);
    EXPECT_THAT(windows.switchedTo, ElementsAre(102));
    list.selected = -1;
    SwitchToClicked(actions);
    EXPECT_EQ(windows.switchedTo.size(), 1u);
}

}  // namespace
}  // namespace glmx::inventory
