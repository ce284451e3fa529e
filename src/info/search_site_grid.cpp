#include "info/search_site_grid.h"

#include <algorithm>
#include <utility>

#include "platform/text.h"

namespace glmx::info {

using platform::EqualsIgnoringAsciiCase;

SearchSiteGrid::SearchSiteGrid(const TSearchSites& sites) : rows_(sites) {
    if (rows_.empty()) rows_.emplace_back();
}

void SearchSiteGrid::SetCurrent(int row) {
    if (Valid(row)) current_ = row;
}

bool SearchSiteGrid::HoldsNoSite() const {
    return rows_.size() == 1 && rows_.front() == TSearchSitesType{};
}

int SearchSiteGrid::Add() {
    if (!HoldsNoSite()) rows_.emplace_back();
    current_ = RowCount() - 1;
    return current_;
}

bool SearchSiteGrid::Delete() {
    if (HoldsNoSite()) return false;
    rows_.erase(rows_.begin() + current_);
    if (rows_.empty()) rows_.emplace_back();
    current_ = std::min(current_, RowCount() - 1);
    return true;
}

bool SearchSiteGrid::MoveUp() {
    if (current_ == 0) return false;
    std::swap(rows_[current_], rows_[current_ - 1]);
    return true;
}

bool SearchSiteGrid::MoveDown() {
    if (current_ + 1 >= RowCount()) return false;
    std::swap(rows_[current_], rows_[current_ + 1]);
    return true;
}

bool SearchSiteGrid::Move(int from, int to) {
    if (!Valid(from) || !Valid(to) || from == to) return false;
    TSearchSitesType moved = std::move(rows_[from]);
    rows_.erase(rows_.begin() + from);
    rows_.insert(rows_.begin() + to, std::move(moved));
    current_ = to;
    return true;
}

bool SearchSiteGrid::SetName(int row, std::string_view name, std::string* refusal) {
    if (!Valid(row)) return false;
    for (int other = 0; other < RowCount(); ++other) {
        if (other != row && !name.empty() && EqualsIgnoringAsciiCase(rows_[other].name, name)) {
            if (refusal)
                *refusal = "A key with the name of \"" + std::string(name) + "\" already exists";
            return false;
        }
    }
    rows_[row].name = name;
    return true;
}

void SearchSiteGrid::SetUrl(int row, std::string_view url) {
    if (Valid(row)) rows_[row].url = url;
}

TSearchSites SearchSiteGrid::ResultSites() const {
    TSearchSites sites;
    sites.reserve(rows_.size());
    for (const TSearchSitesType& row : rows_) {
        const auto first = std::find_if(rows_.begin(), rows_.end(), [&](const auto& candidate) {
            return EqualsIgnoringAsciiCase(candidate.name, row.name);
        });
        sites.push_back({row.name, first->url});
    }
    return sites;
}

}  // namespace glmx::info
