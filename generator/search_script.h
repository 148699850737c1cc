#pragma once
// The shop's search script, made from its template by putting in the
// catalogue's look: a block of Perl assignments that the script's results
// page is built from.
#include <string>

struct GenerationRun;

// The assignments, one a line, for the run's settings and labels.
std::string searchConfigurationBlock(const GenerationRun& run);

// Copies the template to outputPath, the first line holding "<!" and
// "VIMRA START1" replaced by the block (appended when no line holds them).
// 1 when a path is empty or a file cannot be opened ("couldn't open <%s>\n"
// on the run's diagnostics), else 0. A script that could not be written
// whole counts as a file the run did not write.
int WriteSearchScript(GenerationRun& run, const std::string& templatePath, const std::string& outputPath);
