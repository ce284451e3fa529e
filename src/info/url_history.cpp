#include "info/url_history.h"

namespace glmx::info {

void TURLHistoryListClass::Add(std::string title, std::string url) {
    ++position_;
    items_.resize(static_cast<size_t>(position_));
    items_.push_back({std::move(title), std::move(url)});
}

void TURLHistoryListClass::Clear() {
    items_.clear();
    position_ = -1;
}

bool TURLHistoryListClass::MoveTo(int index) {
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) return false;
    position_ = index;
    return true;
}

std::vector<std::pair<int, const TURLHistory*>> TURLHistoryListClass::BackEntries() const {
    std::vector<std::pair<int, const TURLHistory*>> entries;
    for (int i = position_ - 1; i >= 0; --i)
        entries.emplace_back(i, &items_[static_cast<size_t>(i)]);
    return entries;
}

std::vector<std::pair<int, const TURLHistory*>> TURLHistoryListClass::ForwardEntries() const {
    std::vector<std::pair<int, const TURLHistory*>> entries;
    for (int i = position_ + 1; i < static_cast<int>(items_.size()); ++i)
        entries.emplace_back(i, &items_[static_cast<size_t>(i)]);
    return entries;
}

}  // namespace glmx::info
