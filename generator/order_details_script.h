#pragma once
// The basket handed to an order page or a payment provider as two texts of
// backslash-ended fields: f1, the order's summary (totals, delivery, tax,
// the extra columns and their labels), and f2, every basket line in turn,
// emptied lines included. The receiving page splits them at the backslashes.
#include <string>

struct HomeFacts;

enum class OrderDetailsFor {
    OrderForm,      // OrderForm() in the home page
    OrderString,    // OrderString(): the tax rate without its "%"
    SecureTrading,  // CallSecureTrading() in the basket frame: values through parent,
                    // "????" for the "10" field and no empty field after it
};

// Script statements that fill the variables f1 and f2 (declared by the
// caller, f2 empty, with n and p free for the loop).
std::string orderDetailsScript(OrderDetailsFor use, const HomeFacts& facts);
