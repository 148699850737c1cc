#pragma once
// Where a picture preview is drawn in its frame: centred and unscaled when
// it fits, squeezed to the frame along each direction it overflows (its
// proportions are not kept), so the whole picture is always seen.
#include <string>

enum class PreviewMode { Draw, Stretch };

struct PreviewPlacement {
    PreviewMode mode = PreviewMode::Draw;
    int x = 0;
    int y = 0;
    int width = 0;    // of the target rectangle; the picture's own with Draw
    int height = 0;
};

// For a picture of width x height in a frame of frameWidth x frameHeight
// (all above zero).
PreviewPlacement previewPlacement(int width, int height, int frameWidth, int frameHeight);

// The preview dialog's three labels.
struct PreviewLabels {
    std::string fileSize;   // "File size : <n> bytes"
    std::string width;      // "Width : <n>"
    std::string height;     // "Height : <n>"
};
PreviewLabels previewLabels(long long fileSize, int width, int height);
