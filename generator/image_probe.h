#pragma once
// The pixel size of GIF, JPEG and PNG files, for the HEIGHT and WIDTH
// attributes of the pages.
#include <string>

inline constexpr int kMaxProbedImageSide = 1500;

struct ImageSize {
    int height = 0;
    int width = 0;
};

// The format follows from ".gif"/".GIF", ".jpg"/".JPG" or ".png"/".PNG"
// anywhere in the path, tested in that order. True with the size when the
// file is a well-formed image of that format no side of which exceeds 1500
// pixels; false, with both sides 0, otherwise.
bool probeImageSize(const std::string& path, ImageSize& size);

// "HEIGHT=%d WIDTH=%d " when the size is known, else an empty text.
std::string imageSizeText(const std::string& path);
