#include "app/core/list_editing.h"

#include <algorithm>
#include <charconv>
#include <cmath>

int rowAfterRemoval(int removed, int remaining) {
    if (remaining <= 0)
        return -1;
    return std::clamp(removed, 0, remaining - 1);
}

double typedAmount(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return 0.0;
    text.remove_prefix(first);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    double amount = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), amount);
    return result.ec == std::errc() && std::isfinite(amount) ? amount : 0.0;
}
