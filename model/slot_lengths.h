#pragma once
// The longest text each program keeps in a field slot. The editor's entry
// form holds a shorter price and tax type than the generator reads; a value
// longer than its slot is cut.
#include "model/field_slots.h"

struct SlotLengths {
    int generator;
    int editor;
};

inline constexpr SlotLengths kSlotLengths[kSlotCount] = {
    //                    generator   editor
    /* 0 name          */ { 200,       200},
    /* 1 code          */ {  30,        30},
    /* 2 price         */ { 100,        80},
    /* 3 unit          */ {  20,        20},
    /* 4 (reserved)    */ {  20,        20},
    /* 5 picture       */ { 100,       100},
    /* 6 (reserved)    */ { 100,       100},
    /* 7 selection 1   */ { 600,       600},
    /* 8 selection 2   */ { 600,       600},
    /* 9 selection 3   */ { 600,       600},
    /* 10 selection 4  */ { 600,       600},
    /* 11 tax type     */ {  30,        10},
    /* 12 to 28: no field; they hold nothing */
    {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},
    /* 29 description  */ {4000,      4000},
};
static_assert(kSlotLengths[kDescriptionSlot].generator == 4000 && kSlotLengths[kDescriptionSlot].editor == 4000);

inline constexpr int generatorSlotLength(int slot) {
    return slot >= 0 && slot < kSlotCount ? kSlotLengths[slot].generator : 0;
}

inline constexpr int editorSlotLength(int slot) {
    return slot >= 0 && slot < kSlotCount ? kSlotLengths[slot].editor : 0;
}
