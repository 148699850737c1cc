// The colour picker driven as a user would: typed numbers, drags on the
// wheel, the strip and the triangle, OK and Cancel.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QDialogButtonBox>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "app/desktop/colour_picker.h"

namespace {

QString shown(Rgb c) { return QStringLiteral("%1,%2,%3").arg(c.red).arg(c.green).arg(c.blue); }

}  // namespace

class ColourPickerTest : public QObject {
    Q_OBJECT

    // The six boxes as "red,green,blue hue/saturation/brightness".
    static QString boxes(const CColourPicker& picker) {
        auto value = [&picker](const char* name) {
            QSpinBox* box = picker.findChild<QSpinBox*>(name);
            return box ? QString::number(box->value()) : QStringLiteral("?");
        };
        return value("red") + "," + value("green") + "," + value("blue") + " " + value("hue") + "/" +
               value("saturation") + "/" + value("brightness");
    }
    static QString hexValue(const CColourPicker& picker) { return picker.findChild<QLabel*>("hexValue")->text(); }
    static QColor swatch(const CColourPicker& picker, const char* name) {
        return picker.findChild<QLabel*>(name)->palette().color(QPalette::Window);
    }
    static void drag(QWidget* widget, QPoint from, QPoint to) {
        QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(widget, (from + to) / 2);
        QTest::mouseMove(widget, to);
        QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, to);
    }
    static void shownAndExposed(CColourPicker& picker) {
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
    }

private slots:
    void opensOnTheStartColour() {
        struct Case {
            Rgb start;
            const char* boxes;
            const char* hex;
        };
        const Case cases[] = {
            {{255, 0, 0}, "255,0,0 0/255/255", "#ff0000"},
            {{10, 20, 30}, "10,20,30 210/170/30", "#0a141e"},
            {{128, 128, 128}, "128,128,128 0/0/128", "#808080"},
        };
        for (const Case& c : cases) {
            CColourPicker picker(c.start);
            QCOMPARE(picker.windowTitle(), QStringLiteral("Colour Picker"));
            QCOMPARE(boxes(picker), QString::fromLatin1(c.boxes));
            QCOMPARE(hexValue(picker), QString::fromLatin1(c.hex));
            QCOMPARE(swatch(picker, "oldColour"), QColor(c.start.red, c.start.green, c.start.blue));
            QCOMPARE(swatch(picker, "newColour"), QColor(c.start.red, c.start.green, c.start.blue));
        }
    }

    void typedNumbersAreLimitedAndRecomputeTheOtherModel() {
        CColourPicker picker({255, 0, 0});
        struct Step {
            const char* box;
            const char* typed;
            const char* boxes;
        };
        // Each step starts from the one before it.
        const Step steps[] = {
            {"hue", "400", "255,0,4 359/255/255"},
            {"red", "-5", "0,0,4 240/255/4"},
            {"green", "300", "0,255,4 120/255/255"},
            {"brightness", "128", "0,128,0 120/255/128"},
            {"saturation", "0", "128,128,128 120/0/128"},
        };
        for (const Step& step : steps) {
            QSpinBox* box = picker.findChild<QSpinBox*>(step.box);
            QVERIFY(box);
            box->selectAll();
            QTest::keyClicks(box, step.typed);
            QCOMPARE(boxes(picker), QString::fromLatin1(step.boxes));
        }
        QCOMPARE(hexValue(picker), QStringLiteral("#808080"));

        // The spin buttons stop at the limits too.
        QSpinBox* hue = picker.findChild<QSpinBox*>("hue");
        hue->setValue(359);
        hue->stepUp();
        QCOMPARE(hue->value(), 359);
    }

    void draggingOnTheWheelAndTheStrip() {
        CColourPicker picker({255, 0, 0});
        shownAndExposed(picker);
        QWidget* wheelPicture = picker.findChild<QWidget*>("wheel");
        QVERIFY(wheelPicture);
        const QPoint centre(wheel::kCentre.x, wheel::kCentre.y);

        // From the centre (white at full brightness) up past the rim.
        drag(wheelPicture, centre, centre - QPoint(0, wheel::kRadius + 15));
        QCOMPARE(boxes(picker), QStringLiteral("127,255,0 90/255/255"));
        QCOMPARE(hexValue(picker), QStringLiteral("#7fff00"));
        QCOMPARE(swatch(picker, "newColour"), QColor(127, 255, 0));
        QCOMPARE(swatch(picker, "oldColour"), QColor(255, 0, 0));

        // Half way down the strip, then below its bottom.
        const QPoint strip(wheel::kStripLeft + 5, wheel::kStripBottom - 100);
        drag(wheelPicture, strip, strip);
        QCOMPARE(boxes(picker), QStringLiteral("63,127,0 90/255/127"));
        drag(wheelPicture, strip, QPoint(strip.x(), wheel::kStripBottom + 30));
        QCOMPARE(boxes(picker), QStringLiteral("0,0,0 90/255/0"));

        // A press beside both does nothing.
        drag(wheelPicture, QPoint(wheel::kStripLeft - 5, 2), centre);
        QCOMPARE(boxes(picker), QStringLiteral("0,0,0 90/255/0"));
    }

    void draggingTriangleMarkers() {
        CColourPicker picker({255, 0, 0});
        shownAndExposed(picker);
        QWidget* trianglePicture = picker.findChild<QWidget*>("triangle");
        QVERIFY(trianglePicture);
        const QPoint centre(triangle::kCentre.x, triangle::kCentre.y);

        // Green rests on the centre; dragged out beyond its end it stays 255.
        drag(trianglePicture, centre, QPoint(5, 156));
        QCOMPARE(boxes(picker), QStringLiteral("255,255,0 60/255/255"));
        // Blue, now alone on the centre, out past its end.
        drag(trianglePicture, centre, QPoint(200, 160));
        QCOMPARE(boxes(picker), QStringLiteral("255,255,255 0/0/255"));
        // Red from its end back behind the centre.
        drag(trianglePicture, QPoint(102, 9), centre + QPoint(0, 20));
        QCOMPARE(boxes(picker), QStringLiteral("0,255,255 180/255/255"));
        // A press away from every marker moves nothing.
        drag(trianglePicture, QPoint(10, 10), centre);
        QCOMPARE(boxes(picker), QStringLiteral("0,255,255 180/255/255"));
    }

    void okReturnsTheColourCancelNothing() {
        struct Case {
            QDialogButtonBox::StandardButton button;
            std::optional<Rgb> want;
        };
        const Case cases[] = {{QDialogButtonBox::Ok, Rgb{1, 2, 3}}, {QDialogButtonBox::Cancel, std::nullopt}};
        for (const Case& c : cases) {
            QTimer::singleShot(0, this, [&c] {
                auto* picker = qobject_cast<CColourPicker*>(QApplication::activeModalWidget());
                QVERIFY(picker);
                picker->setColour({1, 2, 3});
                QCOMPARE(shown(picker->colour()), QStringLiteral("1,2,3"));
                picker->findChild<QDialogButtonBox*>()->button(c.button)->click();
            });
            const std::optional<Rgb> picked = CColourPicker::pick({200, 100, 50}, nullptr);
            QCOMPARE(picked.has_value(), c.want.has_value());
            if (picked)
                QCOMPARE(shown(*picked), shown(*c.want));
        }
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ColourPickerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "colour_picker_test.moc"
