#include "imagelib/preview_placement.h"

PreviewPlacement previewPlacement(int width, int height, int frameWidth, int frameHeight) {
    PreviewPlacement p;
    p.x = (frameWidth - width) / 2;
    p.y = (frameHeight - height) / 2;
    const bool wider = width > frameWidth;
    const bool taller = height > frameHeight;
    if (wider && taller) {
        p = {PreviewMode::Stretch, 0, 0, frameWidth, frameHeight};
    } else if (wider) {
        p = {PreviewMode::Stretch, 0, p.y, frameWidth, height};
    } else if (taller) {
        p = {PreviewMode::Stretch, p.x, 0, width, frameHeight};
    } else {
        p.mode = PreviewMode::Draw;
        p.width = width;
        p.height = height;
    }
    return p;
}

PreviewLabels previewLabels(long long fileSize, int width, int height) {
    return {"File size : " + std::to_string(fileSize) + " bytes", "Width : " + std::to_string(width),
            "Height : " + std::to_string(height)};
}
