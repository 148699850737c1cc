#pragma once
// The data-file subcommands parse their arguments with CLI11: one App per
// command, subcommands for its actions, generated usage and --help.
#include <CLI/CLI.hpp>
#include <string>

// Parses the arguments after the command's name. -1 when the command goes
// on; otherwise its exit code: 0 after --help (printed on stdout), 2 after a
// usage error (printed on stderr with the usage).
int parseArguments(CLI::App& app, int argc, char** argv);

// A number that is a finite decimal ("nan" and "inf" are no amounts).
extern const CLI::Validator kFiniteNumber;

// Prints "vimra-cli: <text>" on stderr and gives 1, the exit code of a
// request that was understood but cannot be done.
int failure(const std::string& text);
