#include "imagelib/picture_file_filter.h"

std::string_view pictureFileFilter(ImgDialogProgram program) {
    switch (program) {
    case ImgDialogProgram::Editor:
        return "Image Files (*.jpg, *.png, *.gif) |*.gif;*.jpg;*.jpeg;*.png| All Files (*.*) |*.*||";
    case ImgDialogProgram::Generator:
        break;
    }
    return "Image Files (*.png, *.jpg, *.gif) |*.png;*.gif;*.jpg;*.jpeg| All Files (*.*) |*.*||";
}
