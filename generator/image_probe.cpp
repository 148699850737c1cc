#include "generator/image_probe.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "model/regular_file.h"

namespace {

// Sequential reads over an open file that never go past its end.
class ByteReader {
public:
    explicit ByteReader(std::FILE* file) : m_file(file) {
        if (std::fseek(file, 0, SEEK_END) == 0) {
            const long size = std::ftell(file);
            m_size = size > 0 ? static_cast<std::uint64_t>(size) : 0;
        }
        std::rewind(file);
    }

    std::uint64_t size() const { return m_size; }

    bool read(std::uint8_t* bytes, std::size_t count) {
        if (count > m_size - m_position)
            return false;
        if (std::fread(bytes, 1, count, m_file) != count)
            return false;
        m_position += count;
        return true;
    }

    // The next byte, or -1 at the end.
    int next() {
        std::uint8_t byte;
        return read(&byte, 1) ? byte : -1;
    }

    bool skip(std::uint64_t count) {
        if (count > m_size - m_position)
            return false;
        m_position += count;
        return std::fseek(m_file, static_cast<long>(m_position), SEEK_SET) == 0;
    }

    bool readLittle16(unsigned& value) {
        std::uint8_t b[2];
        if (!read(b, 2))
            return false;
        value = b[0] | (b[1] << 8);
        return true;
    }

    bool readBig16(unsigned& value) {
        std::uint8_t b[2];
        if (!read(b, 2))
            return false;
        value = (b[0] << 8) | b[1];
        return true;
    }

    bool readBig32(std::uint32_t& value) {
        std::uint8_t b[4];
        if (!read(b, 4))
            return false;
        value = (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3];
        return true;
    }

private:
    std::FILE* m_file;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
};

enum class ImageKind { None, Gif, Jpeg, Png };

ImageKind kindFromPath(const std::string& path) {
    const auto holds = [&](const char* a, const char* b) {
        return path.find(a) != std::string::npos || path.find(b) != std::string::npos;
    };
    if (holds(".gif", ".GIF"))
        return ImageKind::Gif;
    if (holds(".jpg", ".JPG"))
        return ImageKind::Jpeg;
    if (holds(".png", ".PNG"))
        return ImageKind::Png;
    return ImageKind::None;
}

// Extension blocks are walked by their sub-block sizes, so a comment or an
// animation block of any length is passed correctly. Any other byte before the
// image descriptor is passed as an 8-byte block.
bool probeGif(ByteReader& in, std::uint64_t& height, std::uint64_t& width) {
    std::uint8_t header[13];   // signature and version, screen width and height, packed, background, aspect
    if (!in.read(header, sizeof header) || std::memcmp(header, "GIF", 3) != 0)
        return false;
    const std::uint8_t packed = header[10];
    if (packed & 0x80) {
        if (!in.skip(3u << ((packed & 7) + 1)))
            return false;
    }
    for (;;) {
        const int byte = in.next();
        if (byte < 0)
            return false;
        if (byte == ',')
            break;
        if (byte == '!') {
            if (in.next() < 0)   // the extension's label
                return false;
            for (;;) {
                const int blockSize = in.next();
                if (blockSize < 0)
                    return false;
                if (blockSize == 0)
                    break;
                if (!in.skip(static_cast<unsigned>(blockSize)))
                    return false;
            }
        } else if (!in.skip(7)) {
            return false;
        }
    }
    unsigned left, top, w, h;
    if (!in.readLittle16(left) || !in.readLittle16(top) || !in.readLittle16(w) || !in.readLittle16(h))
        return false;
    width = w;
    height = h;
    return true;
}

bool isStartOfFrame(int marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool probeJpeg(ByteReader& in, std::uint64_t& height, std::uint64_t& width) {
    if (in.next() != 0xFF || in.next() != 0xD8)
        return false;
    for (;;) {
        int byte = in.next();
        while (byte >= 0 && byte != 0xFF)
            byte = in.next();
        while (byte == 0xFF)   // fill bytes
            byte = in.next();
        if (byte < 0)
            return false;
        const int marker = byte;
        if (marker == 0xD9 || marker == 0xDA)
            return false;
        unsigned length;
        if (!in.readBig16(length))
            return false;
        if (isStartOfFrame(marker)) {
            unsigned h, w;
            if (in.next() < 0 || !in.readBig16(h) || !in.readBig16(w))
                return false;
            height = h;
            width = w;
            return true;
        }
        if (length < 2 || length > in.size() || !in.skip(length - 2))
            return false;
    }
}

bool probePng(ByteReader& in, std::uint64_t& height, std::uint64_t& width) {
    static constexpr std::uint8_t kSignature[8] = {137, 'P', 'N', 'G', '\r', '\n', 26, '\n'};
    std::uint8_t signature[8];
    std::uint8_t type[4];
    std::uint32_t w, h;
    if (!in.read(signature, 8) || std::memcmp(signature, kSignature, 8) != 0 || !in.skip(4) ||
        !in.read(type, 4) || std::memcmp(type, "IHDR", 4) != 0 || !in.readBig32(w) || !in.readBig32(h))
        return false;
    // The whole values are kept: a side of 65536 pixels or more must not pass
    // the size limit by its low 16 bits.
    width = w;
    height = h;
    return true;
}

}  // namespace

bool probeImageSize(const std::string& path, ImageSize& size) {
    size = {};
    const ImageKind kind = kindFromPath(path);
    if (kind == ImageKind::None)
        return false;
    std::FILE* file = openRegularFile(path);
    if (!file)
        return false;
    ByteReader in(file);
    std::uint64_t height = 0, width = 0;
    bool ok = false;
    switch (kind) {
    case ImageKind::Gif: ok = probeGif(in, height, width); break;
    case ImageKind::Jpeg: ok = probeJpeg(in, height, width); break;
    case ImageKind::Png: ok = probePng(in, height, width); break;
    case ImageKind::None: break;
    }
    std::fclose(file);
    if (!ok || height > kMaxProbedImageSide || width > kMaxProbedImageSide)
        return false;
    size.height = static_cast<int>(height);
    size.width = static_cast<int>(width);
    return true;
}

std::string imageSizeText(const std::string& path) {
    ImageSize size;
    if (!probeImageSize(path, size))
        return {};
    return "HEIGHT=" + std::to_string(size.height) + " WIDTH=" + std::to_string(size.width) + " ";
}
