#pragma once
// "Colour Picker": a colour chosen on an RGB triangle, an HSB wheel with its
// brightness strip, or typed as six numbers; the old colour beside the new.
#include <QDialog>
#include <optional>

#include "app/core/colour_model.h"

class QLabel;
class QSpinBox;
class RgbTriangle;
class HsbWheel;

class CColourPicker : public QDialog {
    Q_OBJECT
public:
    explicit CColourPicker(Rgb start, QWidget* parent = nullptr);

    // Shows the picker and returns the new colour after OK, nothing after Cancel.
    static std::optional<Rgb> pick(Rgb start, QWidget* parent);

    Rgb colour() const { return m_rgb; }
    void setColour(Rgb colour);

private:
    void setRgb(Rgb colour);
    void setHsb(Hsb colour);
    void typed(ColourChannel channel, int value);
    int current(ColourChannel channel) const;
    QSpinBox* box(ColourChannel channel) const;
    void showColour();

    Rgb m_old;
    Rgb m_rgb;
    Hsb m_hsb;
    RgbTriangle* m_triangle;
    HsbWheel* m_wheel;
    QSpinBox* m_boxes[6];
    QLabel* m_oldSwatch;
    QLabel* m_newSwatch;
    QLabel* m_hexValue;
};
