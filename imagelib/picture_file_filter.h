#pragma once
// What each program's picture dialog offers, in the dialogs' "label|patterns|" form.
#include <string_view>

enum class ImgDialogProgram { Generator, Editor };

std::string_view pictureFileFilter(ImgDialogProgram program);
