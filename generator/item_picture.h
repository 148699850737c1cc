#pragma once
// The picture field of an item: a small picture, or a small and a large one
// joined by "|" (the small one opens the large one when clicked).
#include <string>

struct GenerationRun;

struct ItemPicture {
    std::string small;
    std::string large;   // empty without a large picture
};

ItemPicture splitPicture(const std::string& field);

#include "generator/image_probe.h"

// The size of a picture of the source folder, probed once per run.
bool probePicture(GenerationRun& run, const std::string& picture, ImageSize& size);

// " HEIGHT=%d WIDTH=%d " for a picture of the source folder, or empty.
std::string pictureSizeText(GenerationRun& run, const std::string& picture);

// Copies a picture of the source folder into the output folder (once per
// run; every reference is listed in the file list); its base name.
std::string copyPicture(GenerationRun& run, const std::string& picture);
