// The preview's placement of a picture in its frame, for each way the
// picture can fit or overflow a 200 x 100 frame.
#include <gtest/gtest.h>

#include "imagelib/preview_placement.h"

TEST(PreviewPlacement, CentresWhatFitsAndSqueezesEachOverflowingDirection) {
    struct Case {
        const char* name;
        int width, height;
        PreviewPlacement want;
    };
    const Case cases[] = {
        {"fits: centred, unscaled", 50, 40, {PreviewMode::Draw, 75, 30, 50, 40}},
        {"the frame's own size: at the corner, unscaled", 200, 100, {PreviewMode::Draw, 0, 0, 200, 100}},
        {"wider only: the frame's width at its own height, centred vertically", 300, 60,
         {PreviewMode::Stretch, 0, 20, 200, 60}},
        {"taller only: its own width at the frame's height, centred across", 80, 150,
         {PreviewMode::Stretch, 60, 0, 80, 100}},
        {"larger both ways: fills the frame", 400, 300, {PreviewMode::Stretch, 0, 0, 200, 100}},
        {"wider and exactly as tall", 201, 100, {PreviewMode::Stretch, 0, 0, 200, 100}},
        {"odd margins round toward zero", 51, 41, {PreviewMode::Draw, 74, 29, 51, 41}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PreviewPlacement got = previewPlacement(c.width, c.height, 200, 100);
        EXPECT_EQ(got.mode, c.want.mode);
        EXPECT_EQ(got.x, c.want.x);
        EXPECT_EQ(got.y, c.want.y);
        EXPECT_EQ(got.width, c.want.width);
        EXPECT_EQ(got.height, c.want.height);
    }
}

TEST(PreviewPlacement, LabelsNameSizeWidthAndHeight) {
    const PreviewLabels labels = previewLabels(3000000000LL, 640, 480);
    EXPECT_EQ(labels.fileSize, "File size : 3000000000 bytes");
    EXPECT_EQ(labels.width, "Width : 640");
    EXPECT_EQ(labels.height, "Height : 480");
}
