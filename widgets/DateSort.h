#pragma once
// Ordering of database rows by their "day.month.year" text, newest first.
#include <optional>
#include <string_view>
#include <vector>

namespace relvo7::widgets {

// "31.12.2026" -> 20261231; nullopt when the text is not three dot-separated numbers.
std::optional<long> dateKey(std::string_view text);

// Row order (indexes into `dates`) newest first; rows with an unreadable date
// come last, in their original order. Rows of the same date keep their order.
std::vector<int> newestFirstOrder(const std::vector<std::string_view>& dates);

} // namespace relvo7::widgets
