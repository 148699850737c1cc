#pragma once
// A picture file decoded for drawing: what the preview needs of it. Never
// throws; a file that is missing, not a regular file, too large or not a
// picture gives an object whose IsOK is 0.
#include <QImage>
#include <QList>
#include <QRgb>
#include <optional>
#include <string>

class QPainter;

// The colour table of an indexed picture.
using CImagePalette = QList<QRgb>;

class CImage {
public:
    // Which decoder reads the file; the programs always pass FromContent.
    enum Type { FromContent = -1, Png = 0, Jpeg = 1, Gif = 2 };

    // A picture with more pixels than this is refused before it is decoded.
    static constexpr long long kMaxPixels = 40'000'000;

    CImage(const std::string& path, int type);
    virtual ~CImage() = default;

    int IsOK() const { return m_image.isNull() ? 0 : 1; }
    int GetWidth() const { return m_image.width(); }
    int GetHeight() const { return m_image.height(); }
    int GetDepth() const { return m_image.depth(); }
    int GetEffWidth() const { return static_cast<int>(m_image.bytesPerLine()); }
    bool Inside(int x, int y) const { return m_image.valid(x, y); }
    std::optional<CImagePalette> GetPalette() const;

    // Copies the picture's part from (sourceX, sourceY) of width x height
    // unscaled to (x, y); -1 for width or height takes the rest of the picture.
    // 0 when drawn, -1 when there is nothing to draw.
    int Draw(QPainter& painter, int x, int y, int width = -1, int height = -1, int sourceX = 0,
             int sourceY = 0) const;

    // Scales the picture's part at (sourceX, sourceY) of sourceWidth x
    // sourceHeight into the rectangle at (x, y) of width x height; -1 for a
    // source size takes the rest of the picture.
    int Stretch(QPainter& painter, int x, int y, int width, int height, int sourceX = 0, int sourceY = 0,
                int sourceWidth = -1, int sourceHeight = -1) const;

private:
    QRect sourceRect(int sourceX, int sourceY, int sourceWidth, int sourceHeight) const;

    QImage m_image;
};
