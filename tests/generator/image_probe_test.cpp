#include "generator/image_probe.h"

#include <gtest/gtest.h>
#include <string>

#include "tests/support/temp_dir.h"

namespace {

std::string le16(unsigned v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
std::string be16(unsigned v) { return {static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)}; }
std::string be32(std::uint32_t v) { return be16(v >> 16) + be16(v & 0xFFFF); }
std::string bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list)
        s += static_cast<char>(b);
    return s;
}

// A GIF whose logical screen differs from its image, so that reading the wrong
// field shows. colourBits < 0 leaves out the global colour table.
std::string gif(unsigned width, unsigned height, int colourBits, const std::string& beforeImage = "") {
    std::string s = "GIF89a" + le16(640) + le16(480);
    s += colourBits < 0 ? bytes({0x00}) : bytes({0x80 | colourBits});
    s += bytes({0, 0});
    if (colourBits >= 0)
        s += std::string(3u << (colourBits + 1), '\x11');
    s += beforeImage;
    s += "," + le16(1) + le16(2) + le16(width) + le16(height) + bytes({0});
    s += bytes({2, 2, 0x4C, 0x01, 0, 0x3B});
    return s;
}

const std::string kGraphicControl = bytes({0x21, 0xF9, 4, 1, 10, 0, 0, 0});
// A looping-animation block (19 bytes) and a comment: longer than 8 bytes.
const std::string kAnimation = bytes({0x21, 0xFF, 11}) + "NETSCAPE2.0" + bytes({3, 1, 0, 0, 0});
const std::string kComment = bytes({0x21, 0xFE, 5}) + "a,b,c" + bytes({0});

std::string segment(int marker, const std::string& body) {
    return bytes({0xFF, marker}) + be16(static_cast<unsigned>(body.size() + 2)) + body;
}

std::string frame(int marker, unsigned width, unsigned height) {
    return segment(marker, bytes({8}) + be16(height) + be16(width) + bytes({3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}));
}

const std::string kSoi = bytes({0xFF, 0xD8});
const std::string kApp0 = segment(0xE0, std::string("JFIF\0", 5) + bytes({1, 1, 0, 0, 1, 0, 1, 0, 0}));
const std::string kScan = segment(0xDA, bytes({1, 1, 0, 0, 63, 0})) + "\x12\x34" + bytes({0xFF, 0xD9});

std::string jpeg(int sof, unsigned width, unsigned height) {
    return kSoi + kApp0 + bytes({0xFF, 0xFF, 0xFF}) + segment(0xFE, "made by hand") +
           segment(0xC4, std::string(20, '\0')) + frame(sof, width, height) + kScan;
}

std::string png(std::uint32_t width, std::uint32_t height, const char* type = "IHDR") {
    return bytes({137, 'P', 'N', 'G', '\r', '\n', 26, '\n'}) + be32(13) + type + be32(width) + be32(height) +
           bytes({8, 2, 0, 0, 0}) + be32(0x12345678) + be32(0) + "IEND" + be32(0xAE426082);
}

struct Probe {
    bool ok;
    ImageSize size;
};

Probe probe(const TempDir& dir, const std::string& name, const std::string& content) {
    const auto path = dir / name;
    writeFile(path, content);
    Probe p{};
    p.size = {7, 7};
    p.ok = probeImageSize(path.string(), p.size);
    return p;
}

}  // namespace

TEST(ImageProbe, ReadsTheSizeOfEachFormat) {
    struct Case { const char* name; const char* file; std::string content; bool ok; int height, width; };
    const Case cases[] = {
        {"gif with colour table", "a.gif", gif(120, 80, 7), true, 80, 120},
        {"gif without colour table", "a.GIF", gif(120, 80, -1), true, 80, 120},
        {"gif with small colour table", "a.gif", gif(3, 300, 0), true, 300, 3},
        {"gif with graphic control block", "a.gif", gif(50, 60, 1, kGraphicControl), true, 60, 50},
        {"gif with animation and comment blocks", "a.gif", gif(50, 60, 1, kAnimation + kComment + kGraphicControl),
         true, 60, 50},
        {"gif other byte passes eight", "a.gif", gif(50, 60, -1, "#1234567"), true, 60, 50},
        {"gif without image", "a.gif", gif(50, 60, -1).substr(0, 13) + bytes({0x3B}), false, 0, 0},
        {"gif bad signature", "a.gif", "GIT" + gif(5, 5, -1).substr(3), false, 0, 0},
        {"gif cut extension", "a.gif", gif(5, 5, -1).substr(0, 13) + bytes({0x21, 0xFE, 40, 'x'}), false, 0, 0},
        {"jpeg baseline", "a.jpg", jpeg(0xC0, 640, 480), true, 480, 640},
        {"jpeg progressive", "a.JPG", jpeg(0xC2, 200, 1500), true, 1500, 200},
        {"jpeg arithmetic frame", "a.jpg", jpeg(0xC9, 10, 20), true, 20, 10},
        {"jpeg junk before a marker", "a.jpg", kSoi + "junk" + frame(0xC1, 9, 8), true, 8, 9},
        {"jpeg scan before frame", "a.jpg", kSoi + kApp0 + kScan + frame(0xC0, 9, 8), false, 0, 0},
        {"jpeg end before frame", "a.jpg", kSoi + bytes({0xFF, 0xD9}) + frame(0xC0, 9, 8), false, 0, 0},
        {"jpeg no frame", "a.jpg", kSoi + kApp0, false, 0, 0},
        {"jpeg length below two", "a.jpg", kSoi + bytes({0xFF, 0xE1, 0, 1}) + frame(0xC0, 9, 8), false, 0, 0},
        {"jpeg length above file size", "a.jpg", kSoi + bytes({0xFF, 0xE1, 0x7F, 0xFF}) + frame(0xC0, 9, 8), false,
         0, 0},
        {"jpeg without start marker", "a.jpg", jpeg(0xC0, 640, 480).substr(2), false, 0, 0},
        {"png", "a.png", png(300, 200), true, 200, 300},
        {"png upper case name", "a.PNG", png(1, 1), true, 1, 1},
        {"png 2000 x 100", "a.png", png(2000, 100), false, 0, 0},
        {"png wide beyond 16 bits", "a.png", png(65536 + 100, 100), false, 0, 0},
        {"png first chunk not header", "a.png", png(300, 200, "IDAT"), false, 0, 0},
        {"png bad signature", "a.png", "\x88" + png(300, 200).substr(1), false, 0, 0},
        {"limit is inclusive", "a.gif", gif(1500, 1500, -1), true, 1500, 1500},
        {"height above limit", "a.gif", gif(10, 1501, -1), false, 0, 0},
        {"width above limit", "a.jpg", jpeg(0xC0, 1501, 10), false, 0, 0},
        {"empty file", "a.png", "", false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const Probe p = probe(dir, c.file, c.content);
        EXPECT_EQ(p.ok, c.ok);
        EXPECT_EQ(p.size.height, c.height);
        EXPECT_EQ(p.size.width, c.width);
    }
}

TEST(ImageProbe, FormatFollowsTheName) {
    struct Case { const char* file; std::string content; bool ok; };
    const Case cases[] = {
        {"photo.gif.bak", gif(4, 5, -1), true},
        {"pics.jpg.png", jpeg(0xC0, 4, 5), true},       // ".jpg" is found anywhere in the path
        {"logo.gif.png", png(4, 5), false},             // tested as GIF first
        {"photo.Gif", gif(4, 5, -1), false},            // names are case-sensitive
        {"photo.jpeg", jpeg(0xC0, 4, 5), false},
        {"photo", png(4, 5), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TempDir dir;
        EXPECT_EQ(probe(dir, c.file, c.content).ok, c.ok);
    }
    TempDir dir;
    std::filesystem::create_directory(dir / "shop.gif");
    EXPECT_TRUE(probe(dir, "shop.gif/Logo", gif(4, 5, -1)).ok);
}

TEST(ImageProbe, UnreadablePathGivesNoSize) {
    TempDir dir;
    std::filesystem::create_directory(dir / "folder.jpg");
    for (const char* name : {"none.gif", "folder.jpg"}) {
        SCOPED_TRACE(name);
        ImageSize size{3, 3};
        EXPECT_FALSE(probeImageSize((dir / name).string(), size));
        EXPECT_EQ(size.height, 0);
        EXPECT_EQ(size.width, 0);
    }
    EXPECT_EQ(imageSizeText((dir / "none.gif").string()), "");
}

TEST(ImageProbe, SizeTextForPages) {
    TempDir dir;
    writeFile(dir / "a.jpg", jpeg(0xC0, 640, 480));
    writeFile(dir / "big.png", png(2000, 100));
    EXPECT_EQ(imageSizeText((dir / "a.jpg").string()), "HEIGHT=480 WIDTH=640 ");
    EXPECT_EQ(imageSizeText((dir / "big.png").string()), "");
}

// Every prefix of a valid file either still holds the size or fails; none
// reads beyond the end (the sanitizers watch).
TEST(ImageProbe, TruncatedFilesNeverMisreport) {
    struct Case { const char* file; std::string content; int height, width; };
    const Case cases[] = {
        {"t.gif", gif(120, 80, 2, kAnimation + kGraphicControl), 80, 120},
        {"t.jpg", jpeg(0xC2, 640, 480), 480, 640},
        {"t.png", png(300, 200), 200, 300},
    };
    TempDir dir;
    for (const auto& c : cases) {
        for (std::size_t n = 0; n <= c.content.size(); ++n) {
            SCOPED_TRACE(std::string(c.file) + " cut to " + std::to_string(n));
            const Probe p = probe(dir, c.file, c.content.substr(0, n));
            if (p.ok) {
                EXPECT_EQ(p.size.height, c.height);
                EXPECT_EQ(p.size.width, c.width);
            } else {
                EXPECT_EQ(p.size.height, 0);
                EXPECT_EQ(p.size.width, 0);
            }
        }
        EXPECT_TRUE(probe(dir, c.file, c.content).ok) << c.file;
    }
}
