#include "app/core/colour_model.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kPi = 3.14159265358;
constexpr double kOneOverPi = 0.31830988618478295;

std::uint8_t byteOf(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

// Components are truncated toward zero; the clamp only guards the byte
// against rounding just outside 0..255.
std::uint8_t truncatedByte(double value) { return byteOf(static_cast<int>(value)); }

double distance(PixelPoint from, PixelPoint to) {
    return std::hypot(static_cast<double>(to.x - from.x), static_cast<double>(to.y - from.y));
}

}  // namespace

Hsb hsbFromRgb(Rgb colour) {
    const int red = colour.red;
    const int green = colour.green;
    const int blue = colour.blue;
    const int max = std::max({red, green, blue});
    const int min = std::min({red, green, blue});
    const int d = max - min;
    Hsb hsb;
    hsb.brightness = max;
    if (d == 0)
        return hsb;
    hsb.saturation = static_cast<int>(static_cast<double>(d) / max * 255);
    double hue;
    if (red == max)
        hue = static_cast<double>(green - blue) / d;
    else if (green == max)
        hue = static_cast<double>(blue - red) / d + 2;
    else
        hue = static_cast<double>(red - green) / d + 4;
    hue *= 60;
    if (hue < 0)
        hue += 360;
    if (hue == 360)
        hue = 0;
    hsb.hue = static_cast<int>(hue);
    return hsb;
}

Rgb rgbFromHsb(Hsb colour) {
    const double v = colour.brightness;
    const double k = v * colour.saturation / 255;
    const double m = v - k;
    const double h = colour.hue / 60.0;
    double red, green, blue;
    if (colour.hue <= 60) {
        red = v, green = m + k * h, blue = m;
    } else if (colour.hue < 120) {
        red = m + k * (2 - h), green = v, blue = m;
    } else if (colour.hue < 180) {
        red = m, green = v, blue = m + k * (h - 2);
    } else if (colour.hue < 240) {
        red = m, green = m + k * (4 - h), blue = v;
    } else if (colour.hue <= 300) {
        red = m + k * (h - 4), green = m, blue = v;
    } else {
        red = v, green = m, blue = m + k * (6 - h);
    }
    return Rgb{truncatedByte(red), truncatedByte(green), truncatedByte(blue)};
}

std::uint32_t colourValue(Rgb colour) {
    return colour.red + 256u * colour.green + 65536u * colour.blue;
}

Rgb colourFromValue(std::uint32_t value) {
    return Rgb{static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
               static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}

int clampTyped(ColourChannel channel, int typed) {
    if (typed < 0)
        return 0;
    if (channel == ColourChannel::Hue)
        return typed >= 360 ? 359 : typed;
    return std::min(typed, 255);
}

PixelPoint wheelPosition(int hue, int saturation) {
    const double angle = hue * kPi / 180;
    const double reach = saturation * 100.0 / 255;
    return PixelPoint{static_cast<int>(wheel::kCentre.x + std::cos(angle) * reach),
                      static_cast<int>(wheel::kCentre.y - std::sin(angle) * reach)};
}

bool isOnWheel(PixelPoint point) { return distance(wheel::kCentre, point) <= wheel::kRadius; }

bool isOnStrip(PixelPoint point) {
    return point.x >= wheel::kStripLeft && point.x < wheel::kStripLeft + wheel::kStripWidth &&
           point.y >= wheel::kStripTop && point.y < wheel::kStripBottom;
}

Hsb pickOnWheel(PixelPoint point, int brightness) {
    double hue = std::atan2(static_cast<double>(wheel::kCentre.y - point.y),
                            static_cast<double>(point.x - wheel::kCentre.x)) *
                 180 * kOneOverPi;
    if (hue < 0)
        hue += 360;
    Hsb hsb;
    // A hair below zero comes back as 360 after the turn; the wheel has no 360.
    hsb.hue = static_cast<int>(hue) % 360;
    hsb.saturation = std::min(static_cast<int>(distance(wheel::kCentre, point) * 255 * 0.01), 255);
    hsb.brightness = brightness;
    return hsb;
}

int stripBrightness(int y) {
    return std::clamp((wheel::kStripBottom - y) * 255 / wheel::kStripHeight, 0, 255);
}

int stripRowBrightness(int rowFromBottom) { return rowFromBottom * 255 / wheel::kStripHeight; }

PixelPoint axisEnd(RgbAxis axis) {
    switch (axis) {
    case RgbAxis::Red: return {102, 9};
    case RgbAxis::Green: return {23, 147};
    case RgbAxis::Blue: return {181, 147};
    }
    return triangle::kCentre;
}

int axisLength(RgbAxis axis) { return static_cast<int>(distance(triangle::kCentre, axisEnd(axis))); }

int componentAt(RgbAxis axis, PixelPoint point) {
    const PixelPoint end = axisEnd(axis);
    const double axisX = end.x - triangle::kCentre.x;
    const double axisY = end.y - triangle::kCentre.y;
    const double along = ((point.x - triangle::kCentre.x) * axisX + (point.y - triangle::kCentre.y) * axisY) /
                         std::hypot(axisX, axisY);
    const int length = axisLength(axis);
    const double limited = std::clamp(along, 0.0, static_cast<double>(length));
    return static_cast<int>(limited / length * 255);
}

PixelPoint markerPosition(RgbAxis axis, int value) {
    const PixelPoint end = axisEnd(axis);
    const double share = static_cast<double>(value) * axisLength(axis) / 255 / distance(triangle::kCentre, end);
    return PixelPoint{static_cast<int>(triangle::kCentre.x + (end.x - triangle::kCentre.x) * share),
                      static_cast<int>(triangle::kCentre.y + (end.y - triangle::kCentre.y) * share)};
}

std::optional<RgbAxis> markerAt(Rgb colour, PixelPoint point) {
    constexpr int half = triangle::kMarkerSize / 2;
    for (RgbAxis axis : {RgbAxis::Red, RgbAxis::Green, RgbAxis::Blue}) {
        const PixelPoint marker = markerPosition(axis, component(colour, axis));
        if (std::abs(point.x - marker.x) <= half && std::abs(point.y - marker.y) <= half)
            return axis;
    }
    return std::nullopt;
}

std::uint8_t component(Rgb colour, RgbAxis axis) {
    switch (axis) {
    case RgbAxis::Red: return colour.red;
    case RgbAxis::Green: return colour.green;
    case RgbAxis::Blue: return colour.blue;
    }
    return 0;
}

Rgb withComponent(Rgb colour, RgbAxis axis, int value) {
    switch (axis) {
    case RgbAxis::Red: colour.red = byteOf(value); break;
    case RgbAxis::Green: colour.green = byteOf(value); break;
    case RgbAxis::Blue: colour.blue = byteOf(value); break;
    }
    return colour;
}
