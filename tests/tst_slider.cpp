#include "widgets/controls/LineElement.h"
#include "widgets/controls/Panel3d.h"
#include "widgets/controls/Slider.h"
#include "widgets/controls/SliderThumb.h"
#include "widgets/support/SystemColor.h"
#include "widgets/support/Twips.h"

#include <QAccessible>
#include <QtTest>

#include <climits>
#include <memory>

namespace {

// A shown slider as the main window sets one up: Max, then Min, then Value.
std::unique_ptr<Slider> makeSlider(int widthTwips, int min, int max, int value)
{
    auto slider = std::make_unique<Slider>();
    slider->resize(Twips::size(widthTwips, 285));
    slider->setMax(max);
    slider->setMin(min);
    slider->setValue(value);
    slider->show();
    if (!QTest::qWaitForWindowExposed(slider.get()))
        return nullptr;
    return slider;
}

SliderThumb* thumbOf(const Slider& s)
{
    return s.findChild<SliderThumb*>(QStringLiteral("Picture1"));
}

Panel3d* trackOf(const Slider& s)
{
    return s.findChild<Panel3d*>(QStringLiteral("Panel3d1"));
}

LineElement* fillOf(const Slider& s)
{
    return s.findChild<LineElement*>(QStringLiteral("Line1"));
}

// Window-level input goes through Qt's own routing: hit testing and the implicit grab.
void press(Slider& s, Qt::MouseButton button, QPoint at)
{
    QTest::mousePress(s.windowHandle(), button, {}, at);
}

void release(Slider& s, Qt::MouseButton button, QPoint at)
{
    QTest::mouseRelease(s.windowHandle(), button, {}, at);
}

void moveTo(Slider& s, QPoint at)
{
    QTest::mouseMove(s.windowHandle(), at);
}

QPoint thumbCentre(const Slider& s)
{
    return thumbOf(s)->geometry().center();
}

// Everything of the thumb's place that a user can see or a host can read.
void checkThumbAt(const Slider& s, float left)
{
    QCOMPARE(s.thumbLeft(), left);
    QCOMPARE(thumbOf(s)->x(), Twips::px(left));
    QCOMPARE(fillOf(s)->x1(), double(left));
}

} // namespace

class TestSlider : public QObject
{
    Q_OBJECT
private slots:
    void partsAreNamedAndInPlace()
    {
        auto s = makeSlider(5610, 5, 90, 20);
        QVERIFY(s);
        QVERIFY(thumbOf(*s));
        QCOMPARE(thumbOf(*s)->geometry(), Twips::rect(s->thumbLeft(), 60, 300, 150));
        QCOMPARE(trackOf(*s)->geometry(), Twips::rect(15, 120, 5595, 45));
        QCOMPARE(fillOf(*s)->parent(), trackOf(*s));
        QCOMPARE(fillOf(*s)->y1(), 15.0);
        QCOMPARE(fillOf(*s)->x2(), -15.0);
    }

    void pointerOverTheControl_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<Qt::CursorShape>("shape");
        QTest::newRow("hand") << Slider::HandCursorCode << Qt::BitmapCursor;
        QTest::newRow("default") << 0 << Qt::ArrowCursor;
        QTest::newRow("arrow") << 1 << Qt::ArrowCursor;
        QTest::newRow("I-beam") << 3 << Qt::IBeamCursor;
        QTest::newRow("hourglass") << 11 << Qt::WaitCursor;
    }
    void pointerOverTheControl()
    {
        QFETCH(int, code);
        QFETCH(Qt::CursorShape, shape);
        Slider s;
        QCOMPARE(s.property("Cursor").toInt(), Slider::HandCursorCode);
        s.setProperty("Cursor", code);
        QCOMPARE(s.property("Cursor").toInt(), code);
        QCOMPARE(s.cursor().shape(), shape);
        // The parts show the control's pointer.
        QCOMPARE(thumbOf(s)->cursor().shape(), shape);
        if (shape == Qt::BitmapCursor) {
            const QPixmap hand = s.cursor().pixmap();
            QCOMPARE(hand.deviceIndependentSize(), QSizeF(32, 32));
            QCOMPARE(s.cursor().hotSpot(), QPoint(6, 0));
            // The finger tip is drawn at the hot spot.
            QCOMPARE(hand.toImage().pixelColor(6, 0).alpha(), 255);
        }
    }

    void valueByCodeNeverScrolls_data()
    {
        QTest::addColumn<QVariant>("assigned");
        QTest::addColumn<int>("value");
        QTest::newRow("number") << QVariant(42) << 42;
        QTest::newRow("text") << QVariant(QStringLiteral("42")) << 42;
        QTest::newRow("text above max") << QVariant(QStringLiteral("500")) << 90;
        QTest::newRow("text below min") << QVariant(QStringLiteral("-7")) << 5;
        QTest::newRow("not a number") << QVariant(QStringLiteral("сорок")) << 20;
    }
    void valueByCodeNeverScrolls()
    {
        QFETCH(QVariant, assigned);
        QFETCH(int, value);
        auto s = makeSlider(5610, 5, 90, 20);
        QVERIFY(s);
        QSignalSpy scroll(s.get(), &Slider::Scroll);
        s->setProperty("Value", assigned);
        QCOMPARE(s->property("Value").toInt(), value);
        QCOMPARE(scroll.count(), 0);
    }

    void placesForValue_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");
        QTest::addColumn<float>("left");
        QTest::newRow("age 20") << 5610 << 5 << 90 << 20 << float(5280.0 * 15 / 86);
        QTest::newRow("age 90") << 5610 << 5 << 90 << 90 << float(5280.0 * 85 / 86);
        QTest::newRow("breath 7") << 3450 << 5 << 300 << 7 << 30.0f;
        QTest::newRow("breath 8") << 3450 << 5 << 300 << 8 << float(3120.0 * 3 / 296);
    }
    void placesForValue()
    {
        QFETCH(int, width);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, value);
        QFETCH(float, left);
        auto s = makeSlider(width, min, max, value);
        QVERIFY(s);
        checkThumbAt(*s, left);
    }

    void boundsAndResizeLeaveThumbAlone()
    {
        auto s = makeSlider(5610, 5, 90, 90);
        QVERIFY(s);
        const float before = s->thumbLeft();
        s->setMax(50);
        s->setMin(60);
        s->resize(Twips::size(8010, 285));
        QCOMPARE(s->value(), 90);
        checkThumbAt(*s, before);
        QTRY_COMPARE(trackOf(*s)->width(), Twips::px(8010 - 15));
    }

    // Left and Right step by one, Home and End go to the bounds, Page Up and Page Down step by
    // a tenth of the range (at least one); every one of them raises Scroll, also at a bound.
    void keySteps_data()
    {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("scrolls");
        const Qt::KeyboardModifiers none;
        QTest::newRow("right") << 5 << 90 << 20 << int(Qt::Key_Right) << none << 21 << true;
        QTest::newRow("left") << 5 << 90 << 20 << int(Qt::Key_Left) << none << 19 << true;
        QTest::newRow("shift does not matter")
            << 5 << 90 << 20 << int(Qt::Key_Right) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 21
            << true;
        QTest::newRow("right at max") << 5 << 90 << 90 << int(Qt::Key_Right) << none << 90 << true;
        QTest::newRow("left at min") << 5 << 90 << 5 << int(Qt::Key_Left) << none << 5 << true;
        QTest::newRow("up is not a step")
            << 5 << 90 << 20 << int(Qt::Key_Up) << none << 20 << false;
        QTest::newRow("down is not a step")
            << 5 << 90 << 20 << int(Qt::Key_Down) << none << 20 << false;
        QTest::newRow("home") << 5 << 90 << 20 << int(Qt::Key_Home) << none << 5 << true;
        QTest::newRow("end") << 5 << 90 << 20 << int(Qt::Key_End) << none << 90 << true;
        QTest::newRow("home at min") << 5 << 90 << 5 << int(Qt::Key_Home) << none << 5 << true;
        QTest::newRow("end at max") << 5 << 90 << 90 << int(Qt::Key_End) << none << 90 << true;
        QTest::newRow("keypad home") << 5 << 90 << 20 << int(Qt::Key_Home)
                                     << Qt::KeyboardModifiers(Qt::KeypadModifier) << 5 << true;
        QTest::newRow("page up: age, range 85")
            << 5 << 90 << 20 << int(Qt::Key_PageUp) << none << 28 << true;
        QTest::newRow("page down: age")
            << 5 << 90 << 20 << int(Qt::Key_PageDown) << none << 12 << true;
        QTest::newRow("page up: breath, range 295")
            << 5 << 300 << 10 << int(Qt::Key_PageUp) << none << 39 << true;
        QTest::newRow("page up: systolic, range 32")
            << 4 << 36 << 11 << int(Qt::Key_PageUp) << none << 14 << true;
        QTest::newRow("page up: range of 9 steps by one")
            << 1 << 10 << 3 << int(Qt::Key_PageUp) << none << 4 << true;
        QTest::newRow("page up stops at max")
            << 5 << 90 << 85 << int(Qt::Key_PageUp) << none << 90 << true;
        QTest::newRow("page down stops at min")
            << 5 << 90 << 8 << int(Qt::Key_PageDown) << none << 5 << true;
        QTest::newRow("page down at min")
            << 5 << 90 << 5 << int(Qt::Key_PageDown) << none << 5 << true;
    }
    void keySteps()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, value);
        QFETCH(bool, scrolls);
        auto s = makeSlider(5610, min, max, start);
        QVERIFY(s);
        QSignalSpy scroll(s.get(), &Slider::Scroll);
        QTest::keyClick(s.get(), Qt::Key(key), modifiers);
        QCOMPARE(s->value(), value);
        QCOMPARE(scroll.count(), scrolls ? 1 : 0);
        if (scrolls) {
            QCOMPARE(scroll.at(0).at(0).toInt(), value);
            // Keys place the thumb like code does.
            Slider byCode;
            byCode.resize(s->size());
            byCode.setMax(max);
            byCode.setMin(min);
            byCode.setValue(value);
            checkThumbAt(*s, byCode.thumbLeft());
        }
    }

    // A wheel notch (120 eighths of a degree) steps by one, up and right counting up; finer
    // wheels send parts of a notch, which add up; each step raises Scroll like a key step.
    void wheelSteps_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<QPoint>>("turns");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<int>("value");
        QTest::addColumn<QList<int>>("scrolls");
        using Turns = QList<QPoint>;
        using Scrolls = QList<int>;
        QTest::newRow("up") << 20 << Turns{{0, 120}} << false << 21 << Scrolls{21};
        QTest::newRow("down") << 20 << Turns{{0, -120}} << false << 19 << Scrolls{19};
        QTest::newRow("right (negative x)") << 20 << Turns{{-120, 0}} << false << 21 << Scrolls{21};
        QTest::newRow("left (positive x)") << 20 << Turns{{120, 0}} << false << 19 << Scrolls{19};
        QTest::newRow("two notches in one event")
            << 20 << Turns{{0, 240}} << false << 22 << Scrolls{21, 22};
        QTest::newRow("four quarter notches")
            << 20 << Turns{{0, 30}, {0, 30}, {0, 30}, {0, 30}} << false << 21 << Scrolls{21};
        QTest::newRow("three quarter notches")
            << 20 << Turns{{0, 30}, {0, 30}, {0, 30}} << false << 20 << Scrolls{};
        QTest::newRow("a turn back starts its own count")
            << 20 << Turns{{0, 90}, {0, -60}, {0, -60}} << false << 19 << Scrolls{19};
        QTest::newRow("inverted by the platform: the wheel went down")
            << 20 << Turns{{0, 120}} << true << 19 << Scrolls{19};
        QTest::newRow("up at max") << 90 << Turns{{0, 120}} << false << 90 << Scrolls{90};
        QTest::newRow("down at min") << 5 << Turns{{0, -120}} << false << 5 << Scrolls{5};
        QTest::newRow("no turn") << 20 << Turns{{0, 0}} << false << 20 << Scrolls{};
    }
    void wheelSteps()
    {
        QFETCH(int, start);
        QFETCH(QList<QPoint>, turns);
        QFETCH(bool, inverted);
        QFETCH(int, value);
        QFETCH(QList<int>, scrolls);
        auto s = makeSlider(5610, 5, 90, start);
        QVERIFY(s);
        QSignalSpy scroll(s.get(), &Slider::Scroll);
        for (const QPoint& turn : turns) {
            const QPointF at(20, 9);
            QWheelEvent wheel(at, s->mapToGlobal(at), QPoint(), turn, Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, inverted);
            QApplication::sendEvent(s.get(), &wheel);
        }
        QCOMPARE(s->value(), value);
        QList<int> scrolled;
        for (const QList<QVariant>& args : scroll)
            scrolled << args.at(0).toInt();
        QCOMPARE(scrolled, scrolls);
    }

    void keyStepsAtThe32BitEnds_data()
    {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("value");
        QTest::newRow("top") << INT_MIN << INT_MAX << int(Qt::Key_Right) << INT_MAX;
        QTest::newRow("bottom") << INT_MIN << INT_MAX << int(Qt::Key_Left) << INT_MIN;
    }
    void keyStepsAtThe32BitEnds()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, key);
        QFETCH(int, value);
        auto s = makeSlider(5610, min, max, value);
        QVERIFY(s);
        QSignalSpy scroll(s.get(), &Slider::Scroll);
        QTest::keyClick(s.get(), Qt::Key(key));
        QCOMPARE(s->value(), value);
        QCOMPARE(scroll.count(), 1);
    }

    void dragFollowsLeftButtonAlone_data()
    {
        QTest::addColumn<QList<Qt::MouseButton>>("buttons");
        QTest::addColumn<int>("value");
        QTest::addColumn<float>("left");
        QTest::addColumn<int>("scrolls");
        using Buttons = QList<Qt::MouseButton>;
        QTest::newRow("left") << Buttons{Qt::LeftButton} << 90 << 5280.0f << 2;
        QTest::newRow("right") << Buttons{Qt::RightButton} << 20 << float(5280.0 * 15 / 86) << 0;
        QTest::newRow("left and right")
            << Buttons{Qt::LeftButton, Qt::RightButton} << 20 << float(5280.0 * 15 / 86) << 0;
    }
    void dragFollowsLeftButtonAlone()
    {
        QFETCH(QList<Qt::MouseButton>, buttons);
        QFETCH(int, value);
        QFETCH(float, left);
        QFETCH(int, scrolls);
        auto s = makeSlider(5610, 5, 90, 20);
        QVERIFY(s);
        QSignalSpy scroll(s.get(), &Slider::Scroll);
        const QPoint grab = thumbCentre(*s);
        for (Qt::MouseButton b : buttons)
            press(*s, b, grab);
        // The press alone leaves the thumb where it is.
        QCOMPARE(s->value(), 20);
        QCOMPARE(scroll.count(), 0);
        // Held past the thumb to the right edge: the thumb keeps receiving the moves.
        const QPoint edge(s->width() - 1, grab.y());
        moveTo(*s, grab + QPoint(150, 0));
        moveTo(*s, edge);
        for (Qt::MouseButton b : buttons)
            release(*s, b, edge);
        QCOMPARE(s->value(), value);
        checkThumbAt(*s, left);
        QCOMPARE(scroll.count(), scrolls);
        if (scrolls)
            QCOMPARE(scroll.last().at(0).toInt(), value);
    }

    void pressJumpsOnce_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("scrolls");
        // Track: x is the track's own (one pixel in), so the thumb centres on the pointer.
        QTest::newRow("track, left") << Qt::LeftButton << QPoint(200, 9) << 50 << 1;
        QTest::newRow("track, right") << Qt::RightButton << QPoint(200, 9) << 20 << 0;
        QTest::newRow("track, middle") << Qt::MiddleButton << QPoint(200, 9) << 20 << 0;
        // Background above the thumb: x is the control's own.
        QTest::newRow("background, left") << Qt::LeftButton << QPoint(200, 1) << 51 << 1;
        QTest::newRow("background, right") << Qt::RightButton << QPoint(200, 1) << 20 << 0;
    }
    void pressJumpsOnce()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, at);
        QFETCH(int, value);
        QFETCH(int, scrolls);
        auto s = makeSlider(5610, 5, 90, 20);
        QVERIFY(s);
        QSignalSpy scroll(s.get(), &Slider::Scroll);
        press(*s, button, at);
        QCOMPARE(s->value(), value);
        QCOMPARE(scroll.count(), scrolls);
        const float jumped = s->thumbLeft();
        // The thumb now lies under the pointer, yet moves with the button held do not drag it.
        moveTo(*s, at + QPoint(60, 0));
        moveTo(*s, at + QPoint(-120, 0));
        release(*s, button, at + QPoint(-120, 0));
        QCOMPARE(s->value(), value);
        QCOMPARE(s->thumbLeft(), jumped);
        QCOMPARE(scroll.count(), scrolls);
    }

    void clickOnThumbFocusesSlider()
    {
        auto s = makeSlider(5610, 5, 90, 20);
        QVERIFY(s);
        QVERIFY(QTest::qWaitForWindowActive(s.get()));
        s->clearFocus();
        QCOMPARE(s->look(), Slider::Look::Normal);
        const float before = s->thumbLeft();
        QTest::mouseClick(s->windowHandle(), Qt::LeftButton, {}, thumbCentre(*s));
        QTRY_VERIFY(s->hasFocus());
        QCOMPARE(s->look(), Slider::Look::Focused);
        QCOMPARE(s->thumbLeft(), before);
        QSignalSpy scroll(s.get(), &Slider::Scroll);
        QTest::keyClick(s.get(), Qt::Key_Right);
        QCOMPARE(s->value(), 21);
        QCOMPARE(scroll.count(), 1);
    }

    void looks_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<Slider::Look>("look");
        QTest::addColumn<QString>("tone");
        QTest::newRow("new") << "none" << Slider::Look::Normal << "blue";
        QTest::newRow("focused") << "focus" << Slider::Look::Focused << "orange";
        QTest::newRow("focus left") << "focus, blur" << Slider::Look::Normal << "blue";
        QTest::newRow("disabled") << "disable" << Slider::Look::Disabled << "grey";
        QTest::newRow("focused, then disabled")
            << "focus, disable" << Slider::Look::Disabled << "grey";
        QTest::newRow("enabled again") << "disable, enable" << Slider::Look::Normal << "blue";
        QTest::newRow("told of the focus") << "got" << Slider::Look::Focused << "orange";
        QTest::newRow("told of its loss") << "got, lost" << Slider::Look::Normal << "blue";
    }
    void looks()
    {
        QFETCH(QString, action);
        QFETCH(Slider::Look, look);
        QFETCH(QString, tone);
        auto s = makeSlider(5610, 5, 90, 20);
        QVERIFY(s);
        QVERIFY(QTest::qWaitForWindowActive(s.get()));
        s->clearFocus();
        for (const QString& step : action.split(QStringLiteral(", "))) {
            if (step == QLatin1String("focus"))
                s->setFocus();
            else if (step == QLatin1String("blur"))
                s->clearFocus();
            else if (step == QLatin1String("disable"))
                s->setProperty("Enable", false);
            else if (step == QLatin1String("enable"))
                s->setProperty("Enable", true);
            else if (step == QLatin1String("got"))
                s->UserControl_GotFocus();
            else if (step == QLatin1String("lost"))
                s->UserControl_LostFocus();
        }
        QCOMPARE(s->look(), look);
        QCOMPARE(s->property("Enable").toBool(), look != Slider::Look::Disabled);

        const QColor expectedFill = look == Slider::Look::Focused ? QColor(255, 128, 0)
                                    : look == Slider::Look::Normal
                                        ? SystemColor::system(3, s->palette())
                                        : SystemColor::system(15, s->palette());
        QCOMPARE(s->fillLineColor(), expectedFill);

        // The picture really shown: sample the thumb's face beside its grip.
        const QImage shown = thumbOf(*s)->grab().toImage();
        const QColor face = shown.pixelColor(shown.width() / 5, shown.height() / 2);
        if (tone == QLatin1String("blue"))
            QVERIFY2(face.blue() > face.red() + 40, qPrintable(face.name()));
        else if (tone == QLatin1String("orange"))
            QVERIFY2(face.red() > face.blue() + 80 && face.green() > face.blue(),
                     qPrintable(face.name()));
        else
            QVERIFY2(qAbs(face.red() - face.blue()) < 10 && qAbs(face.green() - face.blue()) < 10,
                     qPrintable(face.name()));
    }

    void disabledTakesNoInput()
    {
        auto s = makeSlider(5610, 5, 90, 20);
        QVERIFY(s);
        s->setEnable(false);
        QSignalSpy scroll(s.get(), &Slider::Scroll);
        press(*s, Qt::LeftButton, QPoint(200, 9));
        release(*s, Qt::LeftButton, QPoint(200, 9));
        QTest::keyClick(s.get(), Qt::Key_Right);
        QTest::keyClick(s.get(), Qt::Key_End);
        QWheelEvent wheel(QPointF(20, 9), s->mapToGlobal(QPointF(20, 9)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(s.get(), &wheel);
        QAccessible::queryAccessibleInterface(s.get())->valueInterface()->setCurrentValue(50);
        QCOMPARE(s->value(), 20);
        QCOMPARE(scroll.count(), 0);
        s->setValue(30);
        QCOMPARE(s->value(), 30);
    }

    // Outside the working limits the control stays usable: no crash, Value in range (Min when
    // Min > Max), the thumb at its leftmost place.
    void outsideLimits_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");
        QTest::newRow("min = max") << 5610 << 7 << 7 << 7;
        QTest::newRow("min = max + 1") << 5610 << 8 << 7 << 8;
        QTest::newRow("width 330") << 330 << 5 << 90 << 50;
        QTest::newRow("width 15") << 15 << 5 << 90 << 50;
    }
    void outsideLimits()
    {
        QFETCH(int, width);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, value);
        auto s = makeSlider(width, min, max, value);
        QVERIFY(s);
        QSignalSpy scroll(s.get(), &Slider::Scroll);
        press(*s, Qt::LeftButton, QPoint(0, 1));
        release(*s, Qt::LeftButton, QPoint(0, 1));
        QTest::keyClick(s.get(), Qt::Key_Right);
        QTest::keyClick(s.get(), Qt::Key_Left);
        QCOMPARE(scroll.count(), 3);
        QCOMPARE(s->value(), value);
        checkThumbAt(*s, 30.0f);
    }

    void accessibleAsSlider()
    {
        auto s = makeSlider(5610, 5, 90, 20);
        QVERIFY(s);
        s->setAccessibleName(QStringLiteral("Возраст"));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(s.get());
        QVERIFY(a);
        QCOMPARE(a->role(), QAccessible::Slider);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Возраст"));
        QCOMPARE(a->text(QAccessible::Value), QStringLiteral("20"));
        QCOMPARE(a->childCount(), 0);
        QAccessibleValueInterface* v = a->valueInterface();
        QVERIFY(v);
        QCOMPARE(v->minimumValue().toInt(), 5);
        QCOMPARE(v->maximumValue().toInt(), 90);
        QCOMPARE(v->currentValue().toInt(), 20);

        QSignalSpy scroll(s.get(), &Slider::Scroll);
        a->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
        QCOMPARE(s->value(), 19);
        QCOMPARE(scroll.count(), 1);
        QCOMPARE(scroll.last().at(0).toInt(), 19);
    }

    void valueSetThroughAssistiveTechnology_data()
    {
        QTest::addColumn<QVariant>("wanted");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("in range") << QVariant(42) << 42 << true;
        QTest::newRow("fraction") << QVariant(42.6) << 43 << true;
        QTest::newRow("above max") << QVariant(200) << 90 << true;
        QTest::newRow("far below") << QVariant(-1e300) << 5 << true;
        QTest::newRow("not a number") << QVariant(qQNaN()) << 20 << false;
        QTest::newRow("infinite") << QVariant(qInf()) << 20 << false;
        QTest::newRow("text") << QVariant(QStringLiteral("x")) << 20 << false;
    }
    void valueSetThroughAssistiveTechnology()
    {
        QFETCH(QVariant, wanted);
        QFETCH(int, value);
        QFETCH(bool, scrolls);
        auto s = makeSlider(5610, 5, 90, 20);
        QVERIFY(s);
        QSignalSpy scroll(s.get(), &Slider::Scroll);
        QAccessible::queryAccessibleInterface(s.get())->valueInterface()->setCurrentValue(wanted);
        QCOMPARE(s->value(), value);
        QCOMPARE(scroll.count(), scrolls ? 1 : 0);
    }

    // A host that shows the value scaled (the pressures: tens of mmHg shown as mmHg) has
    // assistive technology read and set it in the shown unit, as the label reads.
    void shownFactorForAssistiveTechnology_data()
    {
        QTest::addColumn<int>("factor");
        QTest::addColumn<QVariant>("wanted");
        QTest::addColumn<int>("value");
        QTest::newRow("plain, 25") << 1 << QVariant(25) << 25;
        QTest::newRow("mmHg, 150") << 10 << QVariant(150) << 15;
        QTest::newRow("mmHg, 114 rounds to 110") << 10 << QVariant(114) << 11;
        QTest::newRow("mmHg, 125 rounds up") << 10 << QVariant(125) << 13;
        QTest::newRow("mmHg, above the scale") << 10 << QVariant(900) << 36;
    }
    void shownFactorForAssistiveTechnology()
    {
        QFETCH(int, factor);
        QFETCH(QVariant, wanted);
        QFETCH(int, value);
        auto s = makeSlider(3810, 4, 36, 11);
        QVERIFY(s);
        s->setShownFactor(factor);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(s.get());
        QAccessibleValueInterface* v = a->valueInterface();
        QCOMPARE(a->text(QAccessible::Value), QString::number(11 * factor));
        QCOMPARE(v->currentValue().toInt(), 11 * factor);
        QCOMPARE(v->minimumValue().toInt(), 4 * factor);
        QCOMPARE(v->maximumValue().toInt(), 36 * factor);
        QCOMPARE(v->minimumStepSize().toInt(), factor);

        QSignalSpy scroll(s.get(), &Slider::Scroll);
        v->setCurrentValue(wanted);
        QCOMPARE(s->value(), value);
        QCOMPARE(v->currentValue().toInt(), value * factor);
        QCOMPARE(a->text(QAccessible::Value), QString::number(value * factor));
        // The increase action is one key step: one position, the factor in the shown unit.
        a->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
        QCOMPARE(s->value(), value - 1);
        QCOMPARE(scroll.count(), 2);
        QCOMPARE(scroll.last().at(0).toInt(), value - 1);
    }

    void valueChangesAreAnnounced_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("factor");
        QTest::addColumn<int>("announced");
        QTest::newRow("code") << "code" << 1 << 42;
        QTest::newRow("key") << "key" << 1 << 21;
        QTest::newRow("key at max changes nothing") << "key at max" << 1 << -1;
        QTest::newRow("track press") << "press" << 1 << 50;
        QTest::newRow("page up") << "page up" << 1 << 28;
        QTest::newRow("key, shown ten times") << "key" << 10 << 210;
    }
    void valueChangesAreAnnounced()
    {
        QFETCH(QString, how);
        QFETCH(int, factor);
        QFETCH(int, announced);
        auto s = makeSlider(5610, 5, 90, how == QLatin1String("key at max") ? 90 : 20);
        QVERIFY(s);
        s->setShownFactor(factor);
        static QList<QVariant> heard;
        heard.clear();
        QAccessible::installUpdateHandler([](QAccessibleEvent* e) {
            if (e->type() == QAccessible::ValueChanged)
                heard << static_cast<QAccessibleValueChangeEvent*>(e)->value();
        });
        if (!QAccessible::isActive()) {
            QAccessible::installUpdateHandler(nullptr);
            QSKIP("No assistive-technology bridge is active on this platform");
        }
        if (how == QLatin1String("code"))
            s->setValue(42);
        else if (how == QLatin1String("press"))
            press(*s, Qt::LeftButton, QPoint(200, 9));
        else if (how == QLatin1String("page up"))
            QTest::keyClick(s.get(), Qt::Key_PageUp);
        else
            QTest::keyClick(s.get(), Qt::Key_Right);
        QAccessible::installUpdateHandler(nullptr);
        if (announced < 0)
            QVERIFY(heard.isEmpty());
        else
            QCOMPARE(heard, QList<QVariant>{announced});
    }
};

QTEST_MAIN(TestSlider)
#include "tst_slider.moc"
