#pragma once
// How the delivery details form shows its amounts once the user leaves a box.
#include <string>
#include <string_view>

#include "generator/delivery_file.h"

// The factor, the first charge and the first starting amount show a 0;
// every other box shows 0 as an empty box.
enum class ZeroAmount { ShownEmpty, ShownAsNumber };

// A charge or formula value as typed, shown again as "%.2f".
std::string normalisedAmountText(std::string_view typed, ZeroAmount zero);
// A starting amount as typed: "%ld" for the items basis, "%.2f" for the others.
std::string normalisedStartText(DeliveryBasis basis, std::string_view typed, ZeroAmount zero);
