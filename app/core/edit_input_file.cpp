#include "app/core/edit_input_file.h"

#include <filesystem>
#include <system_error>

#include "model/paths.h"

EditInputFileStart editInputFileStart(std::string_view programDir, std::string_view inputFile) {
    EditInputFileStart start;
    const std::string editor = join(programDir, kEditorProgram);
    std::error_code ec;
    if (!std::filesystem::exists(editor, ec)) {
        start.kind = EditInputFileStart::Kind::OpenWithDefaultProgram;
        start.file = inputFile;
        return start;
    }
    start.program = editor;
    if (!inputFile.empty())
        start.arguments.emplace_back(inputFile);
    start.commandLine = editor + " " + std::string(inputFile);
    return start;
}
