// The colour picker's arithmetic: both colour models, the typed limits, the
// wheel, the brightness strip and the RGB triangle, truncations included.
#include "app/core/colour_model.h"

#include <gtest/gtest.h>

namespace {

std::string shown(Rgb c) {
    return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}
std::string shown(Hsb c) {
    return std::to_string(c.hue) + "/" + std::to_string(c.saturation) + "/" + std::to_string(c.brightness);
}
std::string shown(PixelPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

TEST(ColourModel, HsbFromRgb) {
    struct Case {
        const char* name;
        Rgb in;
        Hsb want;
    };
    const Case cases[] = {
        {"pure red", {255, 0, 0}, {0, 255, 255}},
        {"grey", {128, 128, 128}, {0, 0, 128}},
        {"black", {0, 0, 0}, {0, 0, 0}},
        {"green", {0, 255, 0}, {120, 255, 255}},
        {"blue", {0, 0, 255}, {240, 255, 255}},
        {"negative hue turns once", {255, 0, 1}, {359, 255, 255}},
        {"hue 340.2 truncated", {100, 0, 33}, {340, 255, 100}},
        {"saturation 191.25 truncated", {200, 100, 50}, {20, 191, 200}},
        {"blue largest", {10, 20, 30}, {210, 170, 30}},
        {"darkest red", {1, 0, 0}, {0, 255, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(shown(hsbFromRgb(c.in)), shown(c.want));
    }
}

TEST(ColourModel, RgbFromHsb) {
    struct Case {
        const char* name;
        Hsb in;
        Rgb want;
    };
    const Case cases[] = {
        {"red", {0, 255, 255}, {255, 0, 0}},
        {"grey", {0, 0, 128}, {128, 128, 128}},
        {"hue 30 truncates 127.5", {30, 255, 255}, {255, 127, 0}},
        {"hue 60 still in the first sixth", {60, 255, 255}, {255, 255, 0}},
        {"hue 61", {61, 255, 255}, {250, 255, 0}},
        {"hue 90", {90, 255, 255}, {127, 255, 0}},
        {"green", {120, 255, 255}, {0, 255, 0}},
        {"partial saturation", {200, 128, 200}, {99, 166, 200}},
        {"blue", {240, 255, 255}, {0, 0, 255}},
        {"hue 300 still in the fifth sixth", {300, 255, 255}, {255, 0, 255}},
        {"hue 330", {330, 255, 255}, {255, 0, 127}},
        {"black whatever the hue", {200, 255, 0}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(shown(rgbFromHsb(c.in)), shown(c.want));
    }
}

TEST(ColourModel, TypedNumbersAreLimitedPerChannel) {
    struct Case {
        ColourChannel channel;
        int typed;
        int want;
    };
    const Case cases[] = {
        {ColourChannel::Hue, 400, 359},        {ColourChannel::Hue, 360, 359},
        {ColourChannel::Hue, 359, 359},        {ColourChannel::Hue, -1, 0},
        {ColourChannel::Red, 256, 255},        {ColourChannel::Green, 255, 255},
        {ColourChannel::Blue, -200, 0},        {ColourChannel::Saturation, 300, 255},
        {ColourChannel::Brightness, 359, 255}, {ColourChannel::Brightness, 17, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.channel)) + " typed " + std::to_string(c.typed));
        EXPECT_EQ(clampTyped(c.channel, c.typed), c.want);
    }
}

TEST(ColourModel, ColourValueHoldsRedInTheLowByte) {
    struct Case {
        Rgb colour;
        std::uint32_t value;
    };
    const Case cases[] = {
        {{255, 0, 0}, 255}, {{0, 255, 0}, 65280}, {{0, 0, 255}, 16711680}, {{1, 2, 3}, 197121},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(shown(c.colour));
        EXPECT_EQ(colourValue(c.colour), c.value);
        EXPECT_EQ(shown(colourFromValue(c.value)), shown(c.colour));
    }
    EXPECT_EQ(shown(colourFromValue(0xFF030201u)), "1,2,3") << "the top byte is not a colour";
}

TEST(ColourModel, WheelPositionOfAColour) {
    struct Case {
        int hue, saturation;
        PixelPoint want;
    };
    const Case cases[] = {
        {0, 0, {110, 120}},    // the centre
        {0, 255, {210, 120}},  // the rim to the right
        {90, 255, {110, 20}},  // straight up: screen y grows downward
        {45, 128, {145, 84}},  // 35.49 pixels each way, truncated
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.hue) + "/" + std::to_string(c.saturation));
        EXPECT_EQ(shown(wheelPosition(c.hue, c.saturation)), shown(c.want));
    }
}

// The angle is truncated after the turn, so a bearing that the arithmetic
// puts a hair below a whole degree shows the degree before it.
TEST(ColourModel, PickingOnTheWheel) {
    struct Case {
        const char* name;
        PixelPoint at;
        int hue, saturation;
    };
    const Case cases[] = {
        {"centre", {110, 120}, 0, 0},
        {"rim, right", {210, 120}, 0, 255},
        {"rim, top", {110, 20}, 90, 255},
        {"rim, left", {10, 120}, 180, 255},
        {"rim, bottom: -90.00000000000001 degrees", {110, 220}, 269, 255},
        {"beyond the rim keeps 255", {215, 120}, 0, 255},
        {"far beyond the rim", {400, 500}, 307, 255},
        {"just below the right: 359.4 degrees", {210, 121}, 359, 255},
        {"one pixel out: 2.55 truncated", {110, 119}, 90, 2},
        {"diagonal: a hair under 315 degrees", {111, 121}, 314, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Hsb picked = pickOnWheel(c.at, 77);
        EXPECT_EQ(shown(picked), shown(Hsb{c.hue, c.saturation, 77}));
    }
    EXPECT_TRUE(isOnWheel({210, 120}));
    EXPECT_FALSE(isOnWheel({211, 120}));
    EXPECT_FALSE(isOnStrip({215, 120}));
    EXPECT_TRUE(isOnStrip({wheel::kStripLeft, wheel::kStripTop}));
    EXPECT_FALSE(isOnStrip({wheel::kStripLeft + wheel::kStripWidth, wheel::kStripTop}));
}

TEST(ColourModel, BrightnessStrip) {
    struct Case {
        int y, want;
    };
    const Case cases[] = {
        {wheel::kStripBottom, 0},       {wheel::kStripTop, 255}, {wheel::kStripBottom - 100, 127},
        {wheel::kStripTop - 50, 255},  // dragged above the strip
        {wheel::kStripBottom + 40, 0},  // dragged below it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        EXPECT_EQ(stripBrightness(c.y), c.want);
    }
    EXPECT_EQ(stripRowBrightness(0), 0);
    EXPECT_EQ(stripRowBrightness(wheel::kStripHeight - 1), 253);
    EXPECT_EQ(stripRowBrightness(wheel::kStripHeight), 255);
}

TEST(ColourModel, TriangleAxes) {
    EXPECT_EQ(axisLength(RgbAxis::Red), 99);
    EXPECT_EQ(axisLength(RgbAxis::Green), 88);
    EXPECT_EQ(axisLength(RgbAxis::Blue), 88);

    struct Case {
        const char* name;
        RgbAxis axis;
        PixelPoint at;
        int want;
    };
    const Case cases[] = {
        {"red end", RgbAxis::Red, {102, 9}, 255},
        {"beyond the red end keeps 255", RgbAxis::Red, {102, 0}, 255},
        {"centre", RgbAxis::Red, {102, 108}, 0},
        {"behind the centre", RgbAxis::Red, {102, 150}, 0},
        {"49 of 99 pixels", RgbAxis::Red, {102, 59}, 126},
        {"sideways does not count", RgbAxis::Red, {150, 59}, 126},
        {"green end", RgbAxis::Green, {23, 147}, 255},
        {"beyond the green end keeps 255", RgbAxis::Green, {5, 156}, 255},
        {"blue halfway: 44.72 of 88 pixels", RgbAxis::Blue, {142, 128}, 129},
        {"beyond the blue end keeps 255", RgbAxis::Blue, {200, 160}, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(componentAt(c.axis, c.at), c.want);
    }
}

TEST(ColourModel, TriangleMarkers) {
    struct Case {
        RgbAxis axis;
        int value;
        PixelPoint want;
    };
    const Case cases[] = {
        {RgbAxis::Red, 0, {102, 108}},   {RgbAxis::Red, 255, {102, 9}},   {RgbAxis::Red, 128, {102, 58}},
        {RgbAxis::Green, 255, {23, 146}},  // 88 of 88.1 pixels: just short of the end
        {RgbAxis::Blue, 255, {180, 146}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.axis)) + " at " + std::to_string(c.value));
        EXPECT_EQ(shown(markerPosition(c.axis, c.value)), shown(c.want));
    }

    const Rgb colour{255, 0, 128};
    EXPECT_EQ(markerAt(colour, {104, 12}), RgbAxis::Red);
    EXPECT_EQ(markerAt(colour, markerPosition(RgbAxis::Blue, 128)), RgbAxis::Blue);
    EXPECT_EQ(markerAt(colour, {102, 108}), RgbAxis::Green) << "green rests on the centre";
    EXPECT_EQ(markerAt(colour, {0, 0}), std::nullopt);
}

TEST(ColourModel, ComponentsByAxis) {
    Rgb colour{1, 2, 3};
    colour = withComponent(colour, RgbAxis::Green, 300);
    EXPECT_EQ(shown(colour), "1,255,3");
    colour = withComponent(colour, RgbAxis::Blue, 9);
    EXPECT_EQ(component(colour, RgbAxis::Blue), 9);
    EXPECT_EQ(component(colour, RgbAxis::Red), 1);
}

}  // namespace
