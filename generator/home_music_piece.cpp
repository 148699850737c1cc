#include "generator/generation_run.h"
#include "generator/home_page_pieces.h"

std::string musicPieceRefusal(GenerationRun& run) {
    constexpr int kIncludeMusic = 4;   // musicFlags bit 2
    if ((run.general.musicFlags & kIncludeMusic) == 0)
        return {};
    return "background music is not written yet";
}

void writeMusicScript(GenerationRun&, PageWriter&, const HomeFacts&) {}
