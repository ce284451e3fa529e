#include "platform/fake/fake_processes.h"

#include <algorithm>

namespace glmx::platform {

bool FakeProcessSystem::VisitModuleFileNames(
    std::uint32_t processId, size_t maxModules,
    const std::function<bool(const std::string&)>& visit) const {
    moduleLimitsAsked.push_back(maxModules);
    const auto found = modules.find(processId);
    if (found == modules.end()) return false;
    size_t visited = 0;
    for (const std::string& name : found->second) {
        if (++visited > maxModules) break;
        ++moduleNamesRead;
        if (!visit(name)) break;
    }
    return true;
}

EndProcessResult FakeProcessSystem::EndProcess(std::uint32_t processId) {
    if (!endable.contains(processId)) return {EndProcessStatus::OpenFailed, {}};
    const auto planned = endResults.find(processId);
    const EndProcessResult result = planned == endResults.end()
                                        ? EndProcessResult{EndProcessStatus::Ended, {}}
                                        : planned->second;
    if (result.status != EndProcessStatus::Ended &&
        result.status != EndProcessStatus::AlreadyExited)
        return result;
    endable.erase(processId);
    ended.push_back(processId);
    if (snapshot)
        std::erase_if(*snapshot,
                      [&](const SnapshotEntry& entry) { return entry.processId == processId; });
    return result;
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
