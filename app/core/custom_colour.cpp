#include "app/core/custom_colour.h"

#include <cstdio>

std::string customColourText(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%2.2lx%2.2lx%2.2lx", static_cast<unsigned long>(colour.red),
                  static_cast<unsigned long>(colour.green), static_cast<unsigned long>(colour.blue));
    return text;
}
