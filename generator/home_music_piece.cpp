#include "generator/generation_run.h"
#include "generator/home_page_pieces.h"

std::string musicPieceRefusal(GenerationRun& run) {
    if ((run.general.musicFlags & 4) == 0)
        return {};
    return "background music is not written yet";
}

void writeMusicScript(GenerationRun&, PageWriter&, const HomeFacts&) {}
