#pragma once
// Decorations prepared once per run from the appearance block before the
// record walk: index bullets and links, item page decorations and the
// purchase block's buttons. Every image used is copied into the output folder.
#include <string>

struct GenerationRun;

struct PageDecorations {
};

void preparePageDecorations(GenerationRun& run);
