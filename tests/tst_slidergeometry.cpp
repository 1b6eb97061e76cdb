#include "core/geometry/SliderGeometry.h"

#include <QtTest>

#include <climits>
#include <cmath>

namespace {

SliderGeometry make(double width, int min, int max, int value)
{
    SliderGeometry g;
    g.setWidth(width);
    g.setMax(max);
    g.setMin(min);
    g.setValue(value);
    return g;
}

void checkPlace(const SliderGeometry& g, double left)
{
    QVERIFY2(std::abs(g.thumbLeft() - left) < 0.005,
             qPrintable(QStringLiteral("thumb at %1, expected %2").arg(g.thumbLeft()).arg(left)));
    QCOMPARE(g.fillX1(), g.thumbLeft());
}

} // namespace

class TestSliderGeometry : public QObject
{
    Q_OBJECT
private slots:
    void placementForValue_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("value");
        QTest::addColumn<double>("left");
        QTest::newRow("age 20") << 5610.0 << 5 << 90 << 20 << 20 << 920.93;
        QTest::newRow("age at max stops short") << 5610.0 << 5 << 90 << 90 << 90 << 5218.60;
        QTest::newRow("above max stores max") << 5610.0 << 5 << 90 << 1000 << 90 << 5218.60;
        QTest::newRow("below min stores min") << 5610.0 << 5 << 90 << -3 << 5 << 30.0;
        QTest::newRow("min sits at 30") << 3450.0 << 5 << 300 << 5 << 5 << 30.0;
        QTest::newRow("min+1 sits at 30") << 3450.0 << 5 << 300 << 6 << 6 << 30.0;
        QTest::newRow("min+2 sits at 30") << 3450.0 << 5 << 300 << 7 << 7 << 30.0;
        QTest::newRow("min+3 leaves 30") << 3450.0 << 5 << 300 << 8 << 8 << 31.62;
        QTest::newRow("narrow but in limits: right end wins over 30")
            << 345.0 << 5 << 90 << 90 << 90 << 15.0;
    }
    void placementForValue()
    {
        QFETCH(double, width);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, set);
        QFETCH(int, value);
        QFETCH(double, left);
        const SliderGeometry g = make(width, min, max, set);
        QCOMPARE(g.value(), value);
        checkPlace(g, left);
    }

    void newThumbStandsAtDesignPlace()
    {
        const SliderGeometry g;
        QCOMPARE(g.thumbLeft(), 1755.0f);
        QCOMPARE(g.fillX1(), 645.0f);
    }

    void boundsAndWidthLeaveThumbAlone()
    {
        SliderGeometry g = make(5610, 5, 90, 90);
        g.setMax(50);
        g.setMin(60);
        g.setWidth(9000);
        QCOMPARE(g.value(), 90);
        checkPlace(g, 5218.60);
    }

    void dragStep_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<double>("pointerX");
        QTest::addColumn<bool>("handled");
        QTest::addColumn<int>("value");
        QTest::addColumn<double>("left");
        // Starting from value 20 (thumb at 920.93) on a 5610-wide control, range 5..90.
        QTest::newRow("to the right end") << 1 << 10000.0 << true << 90 << 5280.0;
        QTest::newRow("to the left end") << 1 << -10000.0 << true << 5 << 30.0;
        QTest::newRow("without moving: drag divisor gives one less")
            << 1 << 135.0 << true << 19 << 869.65;
        QTest::newRow("right button") << 2 << 10000.0 << false << 20 << 920.93;
        QTest::newRow("left and right") << 3 << 10000.0 << false << 20 << 920.93;
        QTest::newRow("middle") << 4 << 10000.0 << false << 20 << 920.93;
    }
    void dragStep()
    {
        QFETCH(int, buttons);
        QFETCH(double, pointerX);
        QFETCH(bool, handled);
        QFETCH(int, value);
        QFETCH(double, left);
        SliderGeometry g = make(5610, 5, 90, 20);
        QCOMPARE(g.dragStep(buttons, pointerX), handled);
        QCOMPARE(g.value(), value);
        checkPlace(g, left);
    }

    void dragReachesMaxAtRightEnd_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<float>("end");
        QTest::newRow("age") << 5610.0 << 5 << 90 << 5280.0f;
        QTest::newRow("mass") << 5610.0 << 10 << 200 << 5280.0f;
        QTest::newRow("systolic") << 3810.0 << 4 << 36 << 3480.0f;
        QTest::newRow("diastolic") << 3240.0 << 4 << 24 << 2910.0f;
        QTest::newRow("breath hold") << 3450.0 << 5 << 300 << 3120.0f;
        // 59 / 3120 * 3120 falls just short of 59 in double precision.
        QTest::newRow("balance") << 3450.0 << 1 << 60 << 3120.0f;
    }
    void dragReachesMaxAtRightEnd()
    {
        QFETCH(double, width);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(float, end);
        SliderGeometry g = make(width, min, max, min);
        QVERIFY(g.dragStep(1, 1e5));
        QCOMPARE(g.value(), max);
        QCOMPARE(g.thumbLeft(), end);
    }

    void stepAfterBoundsMoved_data()
    {
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("value");
        // Value 90 stays after Max drops to 50; the next step brings it into range.
        QTest::newRow("left") << -1 << 50;
        QTest::newRow("right") << 1 << 50;
    }
    void stepAfterBoundsMoved()
    {
        QFETCH(int, delta);
        QFETCH(int, value);
        SliderGeometry g = make(5610, 5, 90, 90);
        g.setMax(50);
        g.stepBy(delta);
        QCOMPARE(g.value(), value);
    }

    // Outside the working limits: nothing divides by zero, no infinity or NaN reaches a
    // conversion, no sum overflows; Value stays in [Min, Max] (Min when Min > Max) and the
    // thumb stands at its leftmost place.
    void outsideLimits_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("value");
        QTest::addColumn<double>("left");
        const double w = 5610;
        QTest::newRow("min = max, set") << w << 7 << 7 << 9 << "none" << 7 << 30.0;
        QTest::newRow("min = max, drag") << w << 7 << 7 << 7 << "drag" << 7 << 30.0;
        QTest::newRow("min = max + 1, set") << w << 8 << 7 << 0 << "none" << 8 << 30.0;
        QTest::newRow("min = max + 1, drag") << w << 8 << 7 << 0 << "drag" << 8 << 30.0;
        QTest::newRow("min = max + 1, right") << w << 8 << 7 << 0 << "right" << 8 << 30.0;
        QTest::newRow("min = max + 1, left") << w << 8 << 7 << 0 << "left" << 8 << 30.0;
        QTest::newRow("min far above max") << w << 100 << -100 << 0 << "drag" << 100 << 30.0;
        QTest::newRow("width 330, set") << 330.0 << 5 << 90 << 50 << "none" << 50 << 30.0;
        QTest::newRow("width 330, drag") << 330.0 << 5 << 90 << 50 << "drag" << 50 << 30.0;
        QTest::newRow("width 0, set") << 0.0 << 5 << 90 << 90 << "none" << 90 << 30.0;
        QTest::newRow("width 0, drag") << 0.0 << 5 << 90 << 90 << "drag" << 90 << 30.0;
        QTest::newRow("width 0, right") << 0.0 << 5 << 90 << 89 << "right" << 90 << 30.0;
        QTest::newRow("full 32-bit range, top")
            << w << INT_MIN << INT_MAX << INT_MAX << "right" << INT_MAX << 5280.0;
        QTest::newRow("full 32-bit range, bottom")
            << w << INT_MIN << INT_MAX << INT_MIN << "left" << INT_MIN << 30.0;
        QTest::newRow("full 32-bit range, drag right")
            << w << INT_MIN << INT_MAX << 0 << "drag" << INT_MAX << 5280.0;
        QTest::newRow("full 32-bit range, drag left")
            << w << INT_MIN << INT_MAX << 0 << "drag back" << INT_MIN << 30.0;
        QTest::newRow("top end, right")
            << w << INT_MAX - 1 << INT_MAX << INT_MAX << "right" << INT_MAX << 2640.0;
        QTest::newRow("bottom end, left")
            << w << INT_MIN << INT_MIN + 1 << INT_MIN << "left" << INT_MIN << 30.0;
    }
    void outsideLimits()
    {
        QFETCH(double, width);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, set);
        QFETCH(QString, op);
        QFETCH(int, value);
        QFETCH(double, left);
        SliderGeometry g = make(width, min, max, set);
        if (op == QLatin1String("drag"))
            QVERIFY(g.dragStep(1, 1e6));
        else if (op == QLatin1String("drag back"))
            QVERIFY(g.dragStep(1, -1e6));
        else if (op == QLatin1String("right"))
            g.stepBy(1);
        else if (op == QLatin1String("left"))
            g.stepBy(-1);
        QCOMPARE(g.value(), value);
        QVERIFY(std::isfinite(g.thumbLeft()));
        checkPlace(g, left);
    }
};

QTEST_APPLESS_MAIN(TestSliderGeometry)
#include "tst_slidergeometry.moc"
