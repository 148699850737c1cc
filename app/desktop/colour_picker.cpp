#include "app/desktop/colour_picker.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <functional>

namespace {

constexpr ColourChannel kChannels[] = {ColourChannel::Red, ColourChannel::Green,      ColourChannel::Blue,
                                       ColourChannel::Hue, ColourChannel::Saturation, ColourChannel::Brightness};
constexpr RgbAxis kAxes[] = {RgbAxis::Red, RgbAxis::Green, RgbAxis::Blue};

QColor qColour(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }
QPoint qPoint(PixelPoint point) { return QPoint(point.x, point.y); }
PixelPoint pixelPoint(const QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    return PixelPoint{at.x(), at.y()};
}

const char* channelName(ColourChannel channel) {
    switch (channel) {
    case ColourChannel::Red: return "red";
    case ColourChannel::Green: return "green";
    case ColourChannel::Blue: return "blue";
    case ColourChannel::Hue: return "hue";
    case ColourChannel::Saturation: return "saturation";
    case ColourChannel::Brightness: return "brightness";
    }
    return "";
}

QColor axisColour(RgbAxis axis) {
    switch (axis) {
    case RgbAxis::Red: return Qt::red;
    case RgbAxis::Green: return Qt::green;
    case RgbAxis::Blue: return Qt::blue;
    }
    return Qt::black;
}

void drawMarker(QPainter& painter, PixelPoint at) {
    constexpr int half = triangle::kMarkerSize / 2;
    const QRect square(at.x - half, at.y - half, triangle::kMarkerSize, triangle::kMarkerSize);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
    painter.drawRect(square.adjusted(-1, -1, 1, 1));
    painter.setPen(Qt::white);
    painter.drawRect(square);
}

}  // namespace

// Three axes from one centre; a component's marker slides along its axis.
// Qt keeps the mouse with the widget that took the press until its release,
// so a drag goes on outside the picture.
class RgbTriangle : public QWidget {
public:
    explicit RgbTriangle(QWidget* parent) : QWidget(parent) {
        setObjectName("triangle");
        setFixedSize(triangle::kPictureWidth, triangle::kPictureHeight);
    }
    void setColour(Rgb colour) {
        m_colour = colour;
        update();
    }
    std::function<void(RgbAxis, int)> componentDragged;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        const QPoint centre = qPoint(triangle::kCentre);
        QPolygon joined;
        for (RgbAxis axis : kAxes) {
            painter.setPen(QPen(axisColour(axis), 2));
            painter.drawLine(centre, qPoint(axisEnd(axis)));
            joined << qPoint(markerPosition(axis, component(m_colour, axis)));
        }
        painter.setPen(Qt::white);
        painter.drawPolygon(joined);
        for (RgbAxis axis : kAxes)
            drawMarker(painter, markerPosition(axis, component(m_colour, axis)));
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            m_dragged = markerAt(m_colour, pixelPoint(event));
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (m_dragged && componentDragged)
            componentDragged(*m_dragged, componentAt(*m_dragged, pixelPoint(event)));
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        mouseMoveEvent(event);
        m_dragged.reset();
    }

private:
    Rgb m_colour;
    std::optional<RgbAxis> m_dragged;
};

// The hue and saturation disc at the current brightness, and beside it the
// brightness strip of the current hue and saturation.
class HsbWheel : public QWidget {
public:
    explicit HsbWheel(QWidget* parent) : QWidget(parent) {
        setObjectName("wheel");
        setFixedSize(wheel::kPictureWidth, wheel::kPictureHeight);
    }
    void setColour(Hsb colour) {
        m_colour = colour;
        update();
    }
    std::function<void(Hsb)> wheelDragged;
    std::function<void(int)> brightnessDragged;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(wheel::kCentre.x - wheel::kRadius, wheel::kCentre.y - wheel::kRadius, disc());
        for (int row = 0; row < wheel::kStripHeight; ++row) {
            const Rgb shade = rgbFromHsb({m_colour.hue, m_colour.saturation, stripRowBrightness(row)});
            painter.setPen(qColour(shade));
            const int y = wheel::kStripBottom - 1 - row;
            painter.drawLine(wheel::kStripLeft, y, wheel::kStripLeft + wheel::kStripWidth - 1, y);
        }
        drawMarker(painter, wheelPosition(m_colour.hue, m_colour.saturation));
        const int level = wheel::kStripBottom - m_colour.brightness * wheel::kStripHeight / 255;
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawLine(wheel::kStripLeft - 6, level, wheel::kStripLeft - 2, level);
        painter.drawLine(wheel::kStripLeft + wheel::kStripWidth + 1, level,
                         wheel::kStripLeft + wheel::kStripWidth + 5, level);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton)
            return;
        const PixelPoint at = pixelPoint(event);
        m_drag = isOnWheel(at) ? Drag::Wheel : isOnStrip(at) ? Drag::Strip : Drag::None;
        mouseMoveEvent(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const PixelPoint at = pixelPoint(event);
        if (m_drag == Drag::Wheel && wheelDragged)
            wheelDragged(pickOnWheel(at, m_colour.brightness));
        else if (m_drag == Drag::Strip && brightnessDragged)
            brightnessDragged(stripBrightness(at.y));
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        mouseMoveEvent(event);
        m_drag = Drag::None;
    }

private:
    enum class Drag { None, Wheel, Strip };

    const QImage& disc() {
        if (m_discBrightness != m_colour.brightness) {
            const int size = 2 * wheel::kRadius + 1;
            const int left = wheel::kCentre.x - wheel::kRadius;
            const int top = wheel::kCentre.y - wheel::kRadius;
            m_disc = QImage(size, size, QImage::Format_ARGB32);
            m_disc.fill(Qt::transparent);
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const PixelPoint at{left + x, top + y};
                    if (isOnWheel(at))
                        m_disc.setPixelColor(x, y, qColour(rgbFromHsb(pickOnWheel(at, m_colour.brightness))));
                }
            }
            m_discBrightness = m_colour.brightness;
        }
        return m_disc;
    }

    Hsb m_colour;
    Drag m_drag = Drag::None;
    QImage m_disc;
    int m_discBrightness = -1;
};

CColourPicker::CColourPicker(Rgb start, QWidget* parent)
    : QDialog(parent), m_old(start), m_rgb(start), m_hsb(hsbFromRgb(start)) {
    setWindowTitle(tr("Colour Picker"));
    m_triangle = new RgbTriangle(this);
    m_triangle->componentDragged = [this](RgbAxis axis, int value) {
        if (value != component(m_rgb, axis))
            setRgb(withComponent(m_rgb, axis, value));
    };
    m_wheel = new HsbWheel(this);
    m_wheel->wheelDragged = [this](Hsb picked) { setHsb(picked); };
    m_wheel->brightnessDragged = [this](int brightness) {
        setHsb({m_hsb.hue, m_hsb.saturation, brightness});
    };

    for (ColourChannel channel : kChannels) {
        auto* spin = new QSpinBox(this);
        spin->setObjectName(channelName(channel));
        // Any number may be typed; it is limited to its channel's range as it
        // arrives, so the spin buttons stop at the limits too.
        spin->setRange(-99999, 99999);
        m_boxes[static_cast<int>(channel)] = spin;
        connect(spin, &QSpinBox::valueChanged, this, [this, channel](int value) { typed(channel, value); });
    }

    auto* rgbGroup = new QGroupBox(tr("RGB"), this);
    auto* rgbBoxes = new QFormLayout;
    rgbBoxes->addRow(tr("Red"), box(ColourChannel::Red));
    rgbBoxes->addRow(tr("Green"), box(ColourChannel::Green));
    rgbBoxes->addRow(tr("Blue"), box(ColourChannel::Blue));
    auto* rgbLayout = new QHBoxLayout(rgbGroup);
    rgbLayout->addWidget(m_triangle);
    rgbLayout->addLayout(rgbBoxes);

    auto* hsbGroup = new QGroupBox(tr("HSB"), this);
    auto* hsbBoxes = new QFormLayout;
    hsbBoxes->addRow(tr("Hue"), box(ColourChannel::Hue));
    hsbBoxes->addRow(tr("Saturation"), box(ColourChannel::Saturation));
    hsbBoxes->addRow(tr("Brightness"), box(ColourChannel::Brightness));
    auto* hsbLayout = new QHBoxLayout(hsbGroup);
    hsbLayout->addWidget(m_wheel);
    hsbLayout->addLayout(hsbBoxes);

    auto swatch = [this](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setFixedSize(60, 30);
        label->setFrameShape(QFrame::Box);
        label->setAutoFillBackground(true);
        return label;
    };
    m_oldSwatch = swatch("oldColour");
    m_newSwatch = swatch("newColour");
    m_hexValue = new QLabel(this);
    m_hexValue->setObjectName("hexValue");
    m_hexValue->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(tr("Old"), this));
    bottom->addWidget(m_oldSwatch);
    bottom->addWidget(new QLabel(tr("New"), this));
    bottom->addWidget(m_newSwatch);
    bottom->addWidget(m_hexValue);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* groups = new QHBoxLayout;
    groups->addWidget(rgbGroup);
    groups->addWidget(hsbGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QPalette old = m_oldSwatch->palette();
    old.setColor(QPalette::Window, qColour(m_old));
    m_oldSwatch->setPalette(old);
    showColour();
}

std::optional<Rgb> CColourPicker::pick(Rgb start, QWidget* parent) {
    CColourPicker picker(start, parent);
    if (picker.exec() != QDialog::Accepted)
        return std::nullopt;
    return picker.colour();
}

void CColourPicker::setColour(Rgb colour) { setRgb(colour); }

void CColourPicker::setRgb(Rgb colour) {
    m_rgb = colour;
    m_hsb = hsbFromRgb(colour);
    showColour();
}

// Hue, saturation and brightness stay as chosen; only red, green and blue
// follow from them.
void CColourPicker::setHsb(Hsb colour) {
    m_hsb = colour;
    m_rgb = rgbFromHsb(colour);
    showColour();
}

void CColourPicker::typed(ColourChannel channel, int value) {
    if (value == current(channel))
        return;
    const int limited = clampTyped(channel, value);
    switch (channel) {
    case ColourChannel::Red: setRgb(withComponent(m_rgb, RgbAxis::Red, limited)); break;
    case ColourChannel::Green: setRgb(withComponent(m_rgb, RgbAxis::Green, limited)); break;
    case ColourChannel::Blue: setRgb(withComponent(m_rgb, RgbAxis::Blue, limited)); break;
    case ColourChannel::Hue: setHsb({limited, m_hsb.saturation, m_hsb.brightness}); break;
    case ColourChannel::Saturation: setHsb({m_hsb.hue, limited, m_hsb.brightness}); break;
    case ColourChannel::Brightness: setHsb({m_hsb.hue, m_hsb.saturation, limited}); break;
    }
}

int CColourPicker::current(ColourChannel channel) const {
    switch (channel) {
    case ColourChannel::Red: return m_rgb.red;
    case ColourChannel::Green: return m_rgb.green;
    case ColourChannel::Blue: return m_rgb.blue;
    case ColourChannel::Hue: return m_hsb.hue;
    case ColourChannel::Saturation: return m_hsb.saturation;
    case ColourChannel::Brightness: return m_hsb.brightness;
    }
    return 0;
}

QSpinBox* CColourPicker::box(ColourChannel channel) const { return m_boxes[static_cast<int>(channel)]; }

void CColourPicker::showColour() {
    for (ColourChannel channel : kChannels) {
        QSpinBox* spin = box(channel);
        // A box that already shows its number is left alone, so typing in it
        // is not disturbed.
        if (spin->value() != current(channel)) {
            const QSignalBlocker quiet(spin);
            spin->setValue(current(channel));
        }
    }
    QPalette swatch = m_newSwatch->palette();
    swatch.setColor(QPalette::Window, qColour(m_rgb));
    m_newSwatch->setPalette(swatch);
    m_hexValue->setText(QString::fromLatin1(customColourText(m_rgb)));
    m_triangle->setColour(m_rgb);
    m_wheel->setColour(m_hsb);
}
