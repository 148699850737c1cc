#pragma once
// Rules shared by the dialogs that edit a list beside the settings record
// (alternate currencies, tax types, delivery schedules).
#include <string_view>

// The row selected after row removed was deleted and remaining rows are
// left: the row that took its place, or the new last one; -1 when none is left.
int rowAfterRemoval(int removed, int remaining);

// An amount as typed: its leading decimal number after any blanks, read
// the same in every locale; 0 when the text does not start with a finite one.
double typedAmount(std::string_view text);
