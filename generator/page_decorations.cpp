#include "generator/page_decorations.h"

#include "generator/generation_run.h"

void preparePageDecorations(GenerationRun&) {}
