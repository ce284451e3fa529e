// Message boxes for tests: every text shown is kept, questions get a set answer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/user_messages.h"

namespace glmx::platform {

class FakeUserMessages final : public UserMessages {
public:
    void Information(std::string_view text) override { shown.emplace_back(text); }
    void Warning(std::string_view text) override { shown.emplace_back(text); }
    void Error(std::string_view text) override { shown.emplace_back(text); }
    bool Confirm(std::string_view text) override {
        shown.emplace_back(text);
        return answer;
    }
    bool ConfirmDefaultNo(std::string_view text) override {
        shown.emplace_back(text);
        return answer;
    }

    std::vector<std::string> shown;
    bool answer = true;  // to Confirm
};

}  // namespace glmx::platform
