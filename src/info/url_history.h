// The pages a search has shown, oldest first, behind the Back and Forward menus
// (the browser keeps its own travel log for the buttons).
#pragma once

#include <string>
#include <vector>

namespace glmx::info {

struct TURLHistory {
    std::string title;
    std::string url;
};

class TURLHistoryListClass {
public:
    // The page becomes the current one; every page after the old current one is dropped.
    void Add(std::string title, std::string url);
    void Clear();
    // Makes an entry the current one (from the Back or Forward menu); false when out of range.
    bool MoveTo(int index);

    int Position() const { return position_; }
    const std::vector<TURLHistory>& Items() const { return items_; }

    // Menu entries as (index, page): the Back menu nearest first, then the Forward menu.
    std::vector<std::pair<int, const TURLHistory*>> BackEntries() const;
    std::vector<std::pair<int, const TURLHistory*>> ForwardEntries() const;

private:
    int position_ = -1;
    std::vector<TURLHistory> items_;
};

}  // namespace glmx::info
