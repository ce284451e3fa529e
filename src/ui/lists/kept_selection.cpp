#include "ui/lists/kept_selection.h"

#include <cstdlib>

namespace glmx::ui::lists {

int RowToKeepSelected(const std::vector<std::string>& oldKey, int oldRow,
                      const std::vector<std::vector<std::string>>& newKeys) {
    const int rows = static_cast<int>(newKeys.size());
    if (oldRow < 0 || rows == 0) return -1;
    int best = -1;
    for (int row = 0; row < rows; ++row) {
        if (newKeys[static_cast<size_t>(row)] != oldKey) continue;
        if (best < 0 || std::abs(row - oldRow) < std::abs(best - oldRow)) best = row;
    }
    if (best >= 0) return best;
    return oldRow < rows ? oldRow : rows - 1;
}

}  // namespace glmx::ui::lists
