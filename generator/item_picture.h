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

// " HEIGHT=%d WIDTH=%d " for a picture of the source folder, or empty.
std::string pictureSizeText(const GenerationRun& run, const std::string& picture);

// Copies a picture of the source folder into the output folder; its base name.
std::string copyPicture(GenerationRun& run, const std::string& picture);
