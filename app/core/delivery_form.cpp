#include "app/core/delivery_form.h"

#include <algorithm>
#include <cmath>

#include "app/core/list_editing.h"

std::string normalisedAmountText(std::string_view typed, ZeroAmount zero) {
    const double amount = typedAmount(typed);
    if (amount == 0.0 && zero == ZeroAmount::ShownAsNumber)
        return "0.00";
    return deliveryAmountText(amount);
}

std::string normalisedStartText(DeliveryBasis basis, std::string_view typed, ZeroAmount zero) {
    DeliverySchedule schedule;
    schedule.basis = basis;
    const double start = typedAmount(typed);
    // Whole items: a start that is cut to 0 counts as 0.
    const double shown = basis == DeliveryBasis::Items ? std::trunc(std::clamp(start, -1e15, 1e15)) : start;
    if (shown == 0.0 && zero == ZeroAmount::ShownAsNumber)
        return basis == DeliveryBasis::Items ? "0" : "0.00";
    return deliveryStartText(schedule, shown);
}
