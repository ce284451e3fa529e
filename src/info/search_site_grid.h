// The rows of the "Customize Search Sites" dialog and what its buttons and edits do
// to them; the dialog only shows them.
#pragma once

#include <string>
#include <string_view>

#include "info/search_sites.h"

namespace glmx::info {

class SearchSiteGrid {
public:
    // One row per site, in order; the grid always shows at least one row, so a list
    // without sites gives one empty row. The first row is current.
    explicit SearchSiteGrid(const TSearchSites& sites);

    const TSearchSites& Rows() const { return rows_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int Current() const { return current_; }
    // Out of range leaves the current row as it is.
    void SetCurrent(int row);
    // True when the grid shows only its one empty row.
    bool HoldsNoSite() const;

    // Appends an empty row and makes it current; the lone empty row of a grid without
    // sites is taken as that row instead of adding a second. Gives its index.
    int Add();
    // Deletes the current row; the cursor keeps its position (or goes to the new last
    // row). False, and nothing changes, when the grid holds no site.
    bool Delete();
    // Exchange the current row with its neighbour; the cursor keeps its position, so it
    // stands on the row that came there. False at the top or bottom.
    bool MoveUp();
    bool MoveDown();
    // A row dragged to another place; it becomes current there.
    bool Move(int from, int to);

    // Refuses a name that another row already has (ASCII case ignored, like every name
    // comparison of the program) and gives the message to show in refusal. An empty
    // name is never refused: it is what a new row starts with.
    bool SetName(int row, std::string_view name, std::string* refusal = nullptr);
    void SetUrl(int row, std::string_view url);

    // The sites to keep, one per row in grid order: the row's name with the template
    // of the first row of that name (two rows of one name can come from the file).
    TSearchSites ResultSites() const;

private:
    bool Valid(int row) const { return row >= 0 && row < RowCount(); }

    TSearchSites rows_;
    int current_ = 0;
};

}  // namespace glmx::info
