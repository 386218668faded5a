#include "CXDBListCtrl.h"

#include "DateSort.h"

#include <string>
#include <string_view>
#include <vector>

void CXDBListCtrl::SortByDate()
{
    const int rows = rowCount();
    const int columns = columnCount();
    if (rows < 2 || columns < 2)
        return;
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r)
        texts.push_back(GetItemText(r, 1).toStdString());
    std::vector<std::string_view> views(texts.begin(), texts.end());
    const std::vector<int> order = relvo7::widgets::newestFirstOrder(views);

    // Take every cell out and put the rows back in their new order; the item
    // data travels with the first cell.
    std::vector<std::vector<QTableWidgetItem*>> taken(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            taken[static_cast<std::size_t>(r)].push_back(takeItem(r, c));
    const bool sorting = isSortingEnabled();
    setSortingEnabled(false);
    for (int r = 0; r < rows; ++r) {
        auto& row = taken[static_cast<std::size_t>(order[static_cast<std::size_t>(r)])];
        for (int c = 0; c < columns; ++c)
            setItem(r, c, row[static_cast<std::size_t>(c)]);
    }
    setSortingEnabled(sorting);
}
