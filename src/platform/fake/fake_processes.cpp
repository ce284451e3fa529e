#include "platform/fake/fake_processes.h"

#include <algorithm>

namespace glmx::platform {

std::optional<std::vector<std::string>> FakeProcessSystem::ModuleFileNames(std::uint32_t processId,
                                                                           size_t maxModules) const {
    moduleLimitsAsked.push_back(maxModules);
    const auto found = modules.find(processId);
    if (found == modules.end()) return std::nullopt;
    return found->second;  // a real system may report more than asked; the caller limits
}

EndProcessResult FakeProcessSystem::EndProcess(std::uint32_t processId) {
    if (!endable.contains(processId)) return EndProcessResult::OpenFailed;
    endable.erase(processId);
    ended.push_back(processId);
    if (snapshot)
        std::erase_if(*snapshot, [&](const SnapshotEntry& entry) { return entry.processId == processId; });
    return EndProcessResult::TerminationRequested;
}

WindowReply FakeTopLevelWindows::SendClose(WindowId window) {
    const auto reply = closeReplies.find(window);
    const WindowReply answer = reply == closeReplies.end() ? WindowReply::Answered : reply->second;
    if (answer == WindowReply::Answered)
        std::erase_if(windows, [&](const TopLevelWindow& each) { return each.handle == window; });
    return answer;
}

bool FakeTopLevelWindows::SwitchTo(WindowId window) {
    switchedTo.push_back(window);
    return std::any_of(windows.begin(), windows.end(),
                       [&](const TopLevelWindow& each) { return each.handle == window; });
}

}  // namespace glmx::platform
