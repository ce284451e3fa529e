// Which row to select after a list is filled anew.
#pragma once

#include <string>
#include <vector>

namespace glmx::ui::lists {

// The row whose key cells equal those of the row selected before (the one nearest
// its old position, the earlier on a tie); when none does, the row now at the old
// position, or the last. -1 when nothing was selected or no rows are left.
int RowToKeepSelected(const std::vector<std::string>& oldKey, int oldRow,
                      const std::vector<std::vector<std::string>>& newKeys);

}  // namespace glmx::ui::lists
