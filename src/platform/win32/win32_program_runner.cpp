#include "platform/win32/win32_program_runner.h"

#include <windows.h>

#include <vector>

#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

namespace {

constexpr DWORD kWakeFor = QS_PAINT | QS_SENDMESSAGE;
// How often the job is asked whether anything in it still runs.
constexpr DWORD kJobPollMilliseconds = 100;
// A window that never validates would hand out the same WM_PAINT for ever.
constexpr int kMostPaintsPerWake = 64;

bool Start(const std::wstring& program, const std::wstring& commandLine, DWORD flags,
           PROCESS_INFORMATION& info) {
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    return CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, flags, nullptr,
                          nullptr, &startup, &info) != FALSE;
}

// Sent messages were delivered by the wait itself.
void PaintWaitingWindows() {
    MSG message{};
    for (int i = 0;
         i < kMostPaintsPerWake && PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
         ++i)
        DispatchMessageW(&message);
}

bool WaitForProcess(HANDLE process) {
    for (;;) {
        const DWORD result = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, kWakeFor);
        if (result == WAIT_OBJECT_0) return true;
        if (result != WAIT_OBJECT_0 + 1) return false;
        PaintWaitingWindows();
    }
}

// The job has no event for its last process ending (a completion port would tie the
// wait to a thread), so it is asked between waits.
bool WaitForJob(HANDLE job, HANDLE process) {
    bool processEnded = false;
    for (;;) {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
        if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting,
                                       sizeof(accounting), nullptr))
            return processEnded || WaitForProcess(process);
        if (accounting.ActiveProcesses == 0) return true;
        const DWORD count = processEnded ? 0 : 1;
        const DWORD result =
            MsgWaitForMultipleObjects(count, &process, FALSE, kJobPollMilliseconds, kWakeFor);
        if (count == 1 && result == WAIT_OBJECT_0)
            processEnded = true;
        else if (result == WAIT_OBJECT_0 + count)
            PaintWaitingWindows();
        else if (result != WAIT_TIMEOUT)
            return false;
    }
}

}  // namespace

RunOutcome Win32ProgramRunner::RunAndWait(const std::string& program,
                                          const std::string& commandLine) {
    const std::wstring wideProgram = Wide(program);
    const std::wstring wideLine = Wide(commandLine);
    PROCESS_INFORMATION info{};
    // Before Windows 8 a process belongs to one job at most: one started from inside
    // another job (a terminal's, a scheduler's) must leave it to enter ours. Where
    // that job forbids leaving, it starts inside it and only it is waited for.
    if (!Start(wideProgram, wideLine, CREATE_SUSPENDED | CREATE_BREAKAWAY_FROM_JOB, info)) {
        const DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED || !Start(wideProgram, wideLine, CREATE_SUSPENDED, info))
            return {RunStatus::NotStarted,
                    SystemErrorText(error != ERROR_ACCESS_DENIED ? error : GetLastError()), false};
    }
    UniqueKernelHandle process(info.hProcess);
    UniqueKernelHandle thread(info.hThread);

    UniqueKernelHandle job(CreateJobObjectW(nullptr, nullptr));
    bool wholeTree = false;
    if (job) {
        // A process of the uninstaller's that asks to leave the job may: it would fail
        // to start otherwise.
        JOBOBJECT_BASIC_LIMIT_INFORMATION limits{};
        limits.LimitFlags = JOB_OBJECT_LIMIT_BREAKAWAY_OK;
        SetInformationJobObject(job.get(), JobObjectBasicLimitInformation, &limits, sizeof(limits));
        wholeTree = AssignProcessToJobObject(job.get(), process.get()) != FALSE;
    }
    if (ResumeThread(thread.get()) == static_cast<DWORD>(-1)) {
        const DWORD error = GetLastError();
        TerminateProcess(process.get(), 1);  // it never ran
        return {RunStatus::NotStarted, SystemErrorText(error), false};
    }
    thread.reset();
    const bool ended =
        wholeTree ? WaitForJob(job.get(), process.get()) : WaitForProcess(process.get());
    if (!ended) return {RunStatus::WaitFailed, SystemErrorText(GetLastError()), wholeTree};
    return {RunStatus::Ended, "", wholeTree};
}

}  // namespace glmx::platform::win32
