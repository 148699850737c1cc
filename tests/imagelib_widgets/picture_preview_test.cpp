// The preview routine drawn for real: generated PNG, JPEG and GIF files in a
// frame placed inside a larger canvas, checked pixel by pixel.
#include <QPainter>
#include <QtTest>
#include <sys/stat.h>

#include "imagelib/widgets/image.h"
#include "imagelib/widgets/picture_preview.h"
#include "tests/imagelib_widgets/test_pictures.h"
#include "tests/support/temp_dir.h"

using namespace test_pictures;

namespace {

enum class Format { Png, Jpeg, Gif, IndexedPng };
const QColor kUntouched(255, 0, 255);
const QRect kFrame(10, 10, 200, 100);

// Each picture goes under another format's extension: the decoder must
// follow the content.
std::string writePicture(const TempDir& dir, Format format, int width, int height) {
    const std::string stem = "grid" + std::to_string(width) + "x" + std::to_string(height);
    switch (format) {
    case Format::Png: {
        const std::string path = (dir / (stem + "-png.gif")).string();
        gridPicture(width, height).save(QString::fromStdString(path), "PNG");
        return path;
    }
    case Format::Jpeg: {
        const std::string path = (dir / (stem + "-jpeg.png")).string();
        gridPicture(width, height).save(QString::fromStdString(path), "JPEG", 100);
        return path;
    }
    case Format::IndexedPng: {
        QList<QRgb> table;
        for (int row = 0; row < kCells; ++row)
            for (int column = 0; column < kCells; ++column)
                table << cellColour(column, row).rgb();
        const std::string path = (dir / (stem + "-indexed.jpg")).string();
        gridPicture(width, height).convertToFormat(QImage::Format_Indexed8, table).save(QString::fromStdString(path), "PNG");
        return path;
    }
    case Format::Gif:
        break;
    }
    const std::string path = (dir / (stem + "-gif.jpg")).string();
    writeFile(path, gridGif(width, height));
    return path;
}

QImage blankCanvas() {
    QImage canvas(kFrame.right() + 11, kFrame.bottom() + 11, QImage::Format_RGB32);
    canvas.fill(kUntouched);
    return canvas;
}

bool near(const QColor& got, const QColor& want, int tolerance) {
    return std::abs(got.red() - want.red()) <= tolerance && std::abs(got.green() - want.green()) <= tolerance &&
           std::abs(got.blue() - want.blue()) <= tolerance;
}

QString describe(const QColor& c) { return QStringLiteral("(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue()); }

// The cell a canvas coordinate of the target falls in, or -1 when it lies
// too close to a cell border to say.
int cellAt(int at, int start, int size) {
    const double cells = (at - start + 0.5) * kCells / size;
    const double within = cells - std::floor(cells);
    if (within < 0.2 || within > 0.8)
        return -1;
    return static_cast<int>(cells);
}

// Compares a lattice of canvas points with what they must show: outside the
// frame untouched, white around the target, the picture's cells within it.
// Points on an edge or a cell border are left out. Empty when all agree.
QString compareCanvas(const QImage& canvas, const QRect& target, int tolerance) {
    for (int y = 0; y < canvas.height(); y += 2)
        for (int x = 0; x < canvas.width(); x += 2) {
            QColor want;
            if (!kFrame.contains(x, y)) {
                want = kUntouched;
            } else if (!target.adjusted(-1, -1, 1, 1).contains(x, y)) {
                want = Qt::white;
            } else if (target.adjusted(1, 1, -1, -1).contains(x, y)) {
                const int column = cellAt(x, target.x(), target.width());
                const int row = cellAt(y, target.y(), target.height());
                if (column < 0 || row < 0)
                    continue;
                want = cellColour(column, row);
            } else {
                continue;
            }
            const QColor got = canvas.pixelColor(x, y);
            if (!near(got, want, tolerance))
                return QStringLiteral("at (%1,%2) got %3, want %4")
                    .arg(x)
                    .arg(y)
                    .arg(describe(got), describe(want));
        }
    return {};
}

}  // namespace

class PicturePreviewTest : public QObject {
    Q_OBJECT

private slots:
    void placesThePictureInItsFrame_data();
    void placesThePictureInItsFrame();
    void greysTheFrameForWhatIsNotAPicture_data();
    void greysTheFrameForWhatIsNotAPicture();
    void drawsAndStretchesPartsOfThePicture_data();
    void drawsAndStretchesPartsOfThePicture();

private:
    TempDir m_dir;
};

void PicturePreviewTest::placesThePictureInItsFrame_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("target");  // within the 200 x 100 frame
    struct Placement {
        const char* name;
        QSize picture;
        QRect target;
    };
    const Placement placements[] = {
        {"fits: centred, unscaled", {50, 40}, {75, 30, 50, 40}},
        {"the frame's size: unscaled at the corner", {200, 100}, {0, 0, 200, 100}},
        {"wider only: squeezed across, centred vertically", {300, 60}, {0, 20, 200, 60}},
        {"taller only: squeezed down, centred across", {80, 150}, {60, 0, 80, 100}},
        {"larger both ways: fills the frame", {400, 300}, {0, 0, 200, 100}},
    };
    const std::pair<Format, const char*> formats[] = {{Format::Png, "PNG"}, {Format::Jpeg, "JPEG"}, {Format::Gif, "GIF"}};
    for (const auto& [format, formatName] : formats)
        for (const Placement& p : placements)
            QTest::addRow("%s, %s", formatName, p.name) << static_cast<int>(format) << p.picture << p.target;
}

void PicturePreviewTest::placesThePictureInItsFrame() {
    QFETCH(int, format);
    QFETCH(QSize, picture);
    QFETCH(QRect, target);
    const CImage image(writePicture(m_dir, static_cast<Format>(format), picture.width(), picture.height()),
                       CImage::FromContent);
    QVERIFY(image.IsOK());
    QCOMPARE(image.GetWidth(), picture.width());
    QCOMPARE(image.GetHeight(), picture.height());

    QImage canvas = blankCanvas();
    {
        QPainter painter(&canvas);
        QCOMPARE(drawPicturePreview(painter, kFrame, image, EmptyPicture::LeaveFrame), PreviewShown::Picture);
    }
    const int tolerance = static_cast<Format>(format) == Format::Jpeg ? 24 : 0;
    const QString mismatch = compareCanvas(canvas, target.translated(kFrame.topLeft()), tolerance);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void PicturePreviewTest::greysTheFrameForWhatIsNotAPicture_data() {
    QTest::addColumn<QString>("path");
    auto add = [this](const char* name, const std::string& file) {
        QTest::newRow(name) << QString::fromStdString((m_dir / file).string());
    };
    writeFile(m_dir / "notes.png", "Not a picture at all\n");
    add("text under a picture's name", "notes.png");
    writeFile(m_dir / "empty.gif", "");
    add("empty file", "empty.gif");
    gridPicture(20, 20).save(QString::fromStdString((m_dir / "whole.png").string()), "PNG");
    writeFile(m_dir / "cut.png", readFile(m_dir / "whole.png").substr(0, 40));
    add("PNG cut after its header", "cut.png");
    std::string giant = gridGif(4, 4);
    giant.replace(6, 4, "\xff\xff\xff\xff");
    giant.replace(giant.find(',') + 5, 4, "\xff\xff\xff\xff");
    writeFile(m_dir / "giant.gif", giant);
    add("GIF claiming 65535 x 65535 pixels", "giant.gif");
    add("missing file", "nowhere.png");
    std::filesystem::create_directory(m_dir / "folder.png");
    add("folder", "folder.png");
    QCOMPARE(::mkfifo((m_dir / "fifo.png").c_str(), 0600), 0);
    add("FIFO, which must not block", "fifo.png");
}

void PicturePreviewTest::greysTheFrameForWhatIsNotAPicture() {
    QFETCH(QString, path);
    const CImage image(path.toStdString(), CImage::FromContent);
    QCOMPARE(image.IsOK(), 0);
    QVERIFY(!image.GetPalette());

    QImage canvas = blankCanvas();
    {
        QPainter painter(&canvas);
        QCOMPARE(drawPicturePreview(painter, kFrame, image, EmptyPicture::LeaveFrame), PreviewShown::NotAPicture);
        QCOMPARE(image.Draw(painter, 0, 0), -1);
        QCOMPARE(image.Stretch(painter, 0, 0, 10, 10), -1);
    }
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            QCOMPARE(canvas.pixelColor(x, y), kFrame.contains(x, y) ? kNoPictureGrey : kUntouched);
}

void PicturePreviewTest::drawsAndStretchesPartsOfThePicture_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("indexed");
    QTest::newRow("PNG: 32 bits, no palette") << static_cast<int>(Format::Png) << 32 << false;
    QTest::newRow("GIF: decoded to 32 bits") << static_cast<int>(Format::Gif) << 32 << false;
    QTest::newRow("PNG with a palette: indexed, the colours of its table")
        << static_cast<int>(Format::IndexedPng) << 8 << true;
}

void PicturePreviewTest::drawsAndStretchesPartsOfThePicture() {
    QFETCH(int, format);
    QFETCH(int, depth);
    QFETCH(bool, indexed);
    const int width = 40, height = 20;
    const CImage image(writePicture(m_dir, static_cast<Format>(format), width, height), CImage::FromContent);
    QVERIFY(image.IsOK());
    QCOMPARE(image.GetDepth(), depth);
    QVERIFY(image.GetEffWidth() >= width * depth / 8);
    QVERIFY(image.Inside(0, 0) && image.Inside(width - 1, height - 1));
    QVERIFY(!image.Inside(width, 0) && !image.Inside(0, height) && !image.Inside(-1, 0));
    const auto palette = image.GetPalette();
    QCOMPARE(palette.has_value(), indexed);
    if (indexed) {
        QCOMPARE(palette->size(), kCells * kCells);
        QCOMPARE(QColor(palette->at(kCells + 2)), cellColour(2, 1));
    }

    QImage canvas(100, 100, QImage::Format_RGB32);
    canvas.fill(kUntouched);
    {
        QPainter painter(&canvas);
        // The lower right quarter, unscaled, with the rest of the picture from there.
        QCOMPARE(image.Draw(painter, 0, 0, -1, -1, width / 2, height / 2), 0);
        // The top left cell alone, blown up to 30 x 30.
        QCOMPARE(image.Stretch(painter, 50, 50, 30, 30, 0, 0, width / kCells, height / kCells), 0);
    }
    QCOMPARE(canvas.pixelColor(0, 0), cellColour(2, 2));
    QCOMPARE(canvas.pixelColor(width / 2 - 1, height / 2 - 1), cellColour(3, 3));
    QCOMPARE(canvas.pixelColor(width / 2, 0), kUntouched);
    QCOMPARE(canvas.pixelColor(0, height / 2), kUntouched);
    QCOMPARE(canvas.pixelColor(50, 50), cellColour(0, 0));
    QCOMPARE(canvas.pixelColor(79, 79), cellColour(0, 0));
    QCOMPARE(canvas.pixelColor(80, 80), kUntouched);
}

QTEST_MAIN(PicturePreviewTest)
#include "picture_preview_test.moc"
