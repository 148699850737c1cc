#pragma once
// What Edit Input File starts: the editor from the program directory on the
// input file, or, without an editor there, the input file's default program.
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kEditorProgram = "korvel";

struct EditInputFileStart {
    enum class Kind { StartEditor, OpenWithDefaultProgram };
    Kind kind = Kind::StartEditor;
    std::string program;                  // the editor (StartEditor)
    std::vector<std::string> arguments;   // the input file as its one argument; none when it is empty
    std::string file;                     // the input file (OpenWithDefaultProgram)
    std::string commandLine;              // program, one blank, the input file as stored
};

EditInputFileStart editInputFileStart(std::string_view programDir, std::string_view inputFile);
