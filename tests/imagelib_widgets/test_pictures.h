#pragma once
// Pictures for the preview tests: a 4 x 4 grid of distinct colours, so a
// sample of the drawn frame tells which part of the picture landed where.
#include <QColor>
#include <QImage>
#include <cstdint>
#include <string>

namespace test_pictures {

inline constexpr int kCells = 4;

inline QColor cellColour(int column, int row) { return QColor(40 + column * 60, 40 + row * 60, 128); }

// The cell of picture pixel (x, y) in a picture of width x height.
inline int cellOf(int at, int size) { return at * kCells / size; }

inline QImage gridPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, cellColour(cellOf(x, width), cellOf(y, height)));
    return image;
}

// Qt reads GIF but does not write it: an indexed GIF of the grid, its
// 16-colour table in cell order. The compressed stream restarts its code
// table every few pixels so every code stays five bits wide.
inline std::string gridGif(int width, int height) {
    std::string out = "GIF89a";
    auto put16 = [&out](int value) {
        out += static_cast<char>(value & 0xff);
        out += static_cast<char>((value >> 8) & 0xff);
    };
    put16(width);
    put16(height);
    out += "\xf3";  // a global table of 16 colours
    out += std::string("\0\0", 2);
    for (int row = 0; row < kCells; ++row)
        for (int column = 0; column < kCells; ++column) {
            const QColor c = cellColour(column, row);
            out += static_cast<char>(c.red());
            out += static_cast<char>(c.green());
            out += static_cast<char>(c.blue());
        }
    out += ',';
    put16(0);
    put16(0);
    put16(width);
    put16(height);
    out += '\0';
    constexpr int kMinCodeSize = 4, kClear = 16, kEnd = 17, kCodeBits = 5, kPixelsPerClear = 12;
    out += static_cast<char>(kMinCodeSize);
    std::string data;
    std::uint32_t bits = 0;
    int bitCount = 0;
    auto code = [&](int value) {
        bits |= static_cast<std::uint32_t>(value) << bitCount;
        bitCount += kCodeBits;
        while (bitCount >= 8) {
            data += static_cast<char>(bits & 0xff);
            bits >>= 8;
            bitCount -= 8;
        }
    };
    int sinceClear = kPixelsPerClear;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (sinceClear == kPixelsPerClear) {
                code(kClear);
                sinceClear = 0;
            }
            code(cellOf(y, height) * kCells + cellOf(x, width));
            ++sinceClear;
        }
    code(kEnd);
    if (bitCount > 0)
        data += static_cast<char>(bits & 0xff);
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::string block = data.substr(at, 255);
        out += static_cast<char>(block.size());
        out += block;
    }
    out += '\0';
    out += ';';
    return out;
}

}  // namespace test_pictures
