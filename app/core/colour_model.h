#pragma once
// The colour picker's arithmetic: hue, saturation and brightness beside red,
// green and blue, and the geometry of its HSB wheel, brightness strip and RGB
// triangle. Every result is truncated to whole numbers as the picker shows them.
#include <cstdint>
#include <optional>

#include "app/core/custom_colour.h"

struct Hsb {
    int hue = 0;         // degrees, 0 to 359
    int saturation = 0;  // 0 to 255
    int brightness = 0;  // 0 to 255
    bool operator==(const Hsb&) const = default;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

Hsb hsbFromRgb(Rgb colour);
Rgb rgbFromHsb(Hsb colour);

// The colour as one number: red in the low byte, then green, then blue.
std::uint32_t colourValue(Rgb colour);
Rgb colourFromValue(std::uint32_t value);

// The six numbers the user can type, each with its own limits.
enum class ColourChannel { Red, Green, Blue, Hue, Saturation, Brightness };

// A typed number brought into its channel's range: negative gives 0, a hue of
// 360 or more gives 359, anything else above 255 gives 255.
int clampTyped(ColourChannel channel, int typed);

// The HSB wheel and its brightness strip, in the coordinates of the picture
// that holds both.
namespace wheel {
inline constexpr PixelPoint kCentre{110, 120};
inline constexpr int kRadius = 100;
inline constexpr int kStripLeft = kCentre.x + kRadius + 20;
inline constexpr int kStripTop = kCentre.y - kRadius;
inline constexpr int kStripWidth = 20;
inline constexpr int kStripHeight = 2 * kRadius;
inline constexpr int kStripBottom = kStripTop + kStripHeight;
inline constexpr int kPictureWidth = kStripLeft + kStripWidth + 10;
inline constexpr int kPictureHeight = kStripBottom + 20;
}  // namespace wheel

// Where the wheel shows a hue and saturation.
PixelPoint wheelPosition(int hue, int saturation);
bool isOnWheel(PixelPoint point);
bool isOnStrip(PixelPoint point);

// Hue and saturation (brightness untouched) of a point of the wheel; beyond
// the rim the saturation stays 255.
Hsb pickOnWheel(PixelPoint point, int brightness);

// The brightness of a height on the strip, 0 at the bottom, 255 at the top.
int stripBrightness(int y);
// The brightness of a row of the strip counted from its bottom.
int stripRowBrightness(int rowFromBottom);

// The RGB triangle: three axes from one centre, one per component.
namespace triangle {
inline constexpr PixelPoint kCentre{102, 108};
inline constexpr int kPictureWidth = 205;
inline constexpr int kPictureHeight = 160;
inline constexpr int kMarkerSize = 10;
}  // namespace triangle

enum class RgbAxis { Red, Green, Blue };

PixelPoint axisEnd(RgbAxis axis);
// The axis's length in whole pixels (red 99, green and blue 88).
int axisLength(RgbAxis axis);
// The component a point gives when its marker is dragged there: its distance
// from the centre along the axis, limited to the axis, as a share of 255.
int componentAt(RgbAxis axis, PixelPoint point);
// Where the marker of a component value is drawn.
PixelPoint markerPosition(RgbAxis axis, int component);
// The axis whose marker (a square of kMarkerSize) lies under a point, if any.
std::optional<RgbAxis> markerAt(Rgb colour, PixelPoint point);

std::uint8_t component(Rgb colour, RgbAxis axis);
Rgb withComponent(Rgb colour, RgbAxis axis, int value);
