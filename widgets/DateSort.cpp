#include "DateSort.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace relvo7::widgets {

namespace {

// Reads an optionally signed decimal number after optional blanks, like "%d".
bool readInt(std::string_view& s, long& out)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+')
        ++first;
    auto [ptr, ec] = std::from_chars(first, last, out);
    if (ec != std::errc())
        return false;
    s.remove_prefix(static_cast<std::size_t>(ptr - s.data()));
    return true;
}

bool readDot(std::string_view& s)
{
    if (s.empty() || s.front() != '.')
        return false;
    s.remove_prefix(1);
    return true;
}

} // namespace

std::optional<long> dateKey(std::string_view text)
{
    long day = 0, month = 0, year = 0;
    if (!readInt(text, day) || !readDot(text) || !readInt(text, month) || !readDot(text) || !readInt(text, year))
        return std::nullopt;
    if (day < 0 || day > 99 || month < 0 || month > 99 || year < 0 || year > 999999)
        return std::nullopt;
    return year * 10000 + month * 100 + day;
}

std::vector<int> newestFirstOrder(const std::vector<std::string_view>& dates)
{
    std::vector<std::optional<long>> keys;
    keys.reserve(dates.size());
    for (auto d : dates)
        keys.push_back(dateKey(d));
    std::vector<int> order(dates.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const auto& ka = keys[static_cast<std::size_t>(a)];
        const auto& kb = keys[static_cast<std::size_t>(b)];
        if (ka && kb)
            return *ka > *kb;
        return ka.has_value() && !kb.has_value();
    });
    return order;
}

} // namespace relvo7::widgets
