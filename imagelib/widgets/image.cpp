#include "imagelib/widgets/image.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <cstdio>

#include "model/regular_file.h"

namespace {

const char* decoderFormat(int type) {
    switch (type) {
    case CImage::Png: return "png";
    case CImage::Jpeg: return "jpeg";
    case CImage::Gif: return "gif";
    default: return nullptr;
    }
}

QImage readPicture(std::FILE* file, int type) {
    QFile device;
    if (!device.open(file, QIODevice::ReadOnly))
        return {};
    QImageReader reader(&device);
    if (type != CImage::FromContent) {
        const char* format = decoderFormat(type);
        if (!format)
            return {};
        reader.setFormat(format);
    }
    reader.setDecideFormatFromContent(true);
    // The header's size is checked before any pixel memory is taken, so a
    // damaged or hostile file cannot ask for gigabytes.
    const QSize size = reader.size();
    if (size.isValid() && static_cast<long long>(size.width()) * size.height() > CImage::kMaxPixels)
        return {};
    QImage image;
    if (!reader.read(&image) || image.width() <= 0 || image.height() <= 0 ||
        static_cast<long long>(image.width()) * image.height() > CImage::kMaxPixels)
        return {};
    return image;
}

}  // namespace

CImage::CImage(const std::string& path, int type) {
    std::FILE* file = openRegularFile(path);
    if (!file)
        return;
    m_image = readPicture(file, type);
    std::fclose(file);
}

std::optional<CImagePalette> CImage::GetPalette() const {
    if (m_image.isNull() || m_image.colorCount() == 0)
        return std::nullopt;
    return m_image.colorTable();
}

QRect CImage::sourceRect(int sourceX, int sourceY, int sourceWidth, int sourceHeight) const {
    const int width = sourceWidth < 0 ? m_image.width() - sourceX : sourceWidth;
    const int height = sourceHeight < 0 ? m_image.height() - sourceY : sourceHeight;
    return QRect(sourceX, sourceY, width, height).intersected(m_image.rect());
}

int CImage::Draw(QPainter& painter, int x, int y, int width, int height, int sourceX, int sourceY) const {
    const QRect source = sourceRect(sourceX, sourceY, width, height);
    if (source.isEmpty())
        return -1;
    painter.drawImage(QPoint(x, y), m_image, source);
    return 0;
}

int CImage::Stretch(QPainter& painter, int x, int y, int width, int height, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight) const {
    const QRect source = sourceRect(sourceX, sourceY, sourceWidth, sourceHeight);
    if (source.isEmpty() || width <= 0 || height <= 0)
        return -1;
    painter.drawImage(QRect(x, y, width, height), m_image, source);
    return 0;
}
