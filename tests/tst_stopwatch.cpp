#include "ModalProbe.h"
#include "WindowStores.h"
#include "widgets/support/AppFonts.h"
#include "windows/mainwindow/Form1.h"
#include "windows/stopwatch/Secundomer.h"
#include "windows/stopwatch/StopwatchDisplay.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

namespace {

constexpr qint64 Ms = 1000000;

// An open stopwatch window on a clock the test moves by hand.
struct Window
{
    qint64 now = 0;
    std::unique_ptr<Secundomer> owned;
    Secundomer& dialog;

    explicit Window(StopwatchTarget target = StopwatchTarget::None)
        : owned(new Secundomer), dialog(*owned)
    {
        dialog.counters().setClock([this] { return now; });
        dialog.setTarget(target);
        dialog.show();
    }
    // A window that someone else opened.
    explicit Window(Secundomer* open) : dialog(*open)
    {
        dialog.counters().setClock([this] { return now; });
    }

    QAction* action(int index) const
    {
        for (QAction* a : dialog.findChildren<QAction*>(QStringLiteral("Buttons")))
            if (a->property("index").toInt() == index)
                return a;
        return nullptr;
    }
    QWidget* buttonWidget(int index) const
    {
        return dialog.findChild<QToolBar*>(QStringLiteral("Toolbar1"))
            ->widgetForAction(action(index));
    }
    void click(int index) const { QTest::mouseClick(buttonWidget(index), Qt::LeftButton); }
    QPushButton* ok() const { return dialog.findChild<QPushButton*>(QStringLiteral("Command1")); }
    QString display() const
    {
        return dialog.findChild<StopwatchDisplay*>(QStringLiteral("Picture1"))->text();
    }
    // The three timers fire at this running time (as a blocked thread releases them).
    void tickAt(qint64 ms)
    {
        now = ms * Ms;
        dialog.Timer2_Timer();
        dialog.Timer3_Timer();
        dialog.Timer1_Timer();
    }
    // Start, run to ms, stop.
    void timeRun(qint64 ms)
    {
        click(2);
        tickAt(ms);
        click(3);
    }
    bool running() const { return dialog.counters().isRunning(); }
    int activeTimers() const
    {
        int active = 0;
        for (const char* name : {"Timer1", "Timer2", "Timer3"})
            active += dialog.findChild<QTimer*>(QString::fromLatin1(name))->isActive() ? 1 : 0;
        return active;
    }
};

// Counts the paints a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

class TestStopwatch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { AppFonts::registerTahoma(); }

    void designState()
    {
        Window w;
        QCOMPARE(w.dialog.windowTitle(), QStringLiteral("Секундомер"));
        QCOMPARE(w.dialog.size(), QSize(273, 131));
        QCOMPARE(w.dialog.minimumSize(), w.dialog.maximumSize());
        QCOMPARE(w.dialog.findChild<QWidget*>(QStringLiteral("Picture1"))->geometry(),
                 QRect(11, 10, 250, 75));
        QCOMPARE(w.dialog.findChild<QWidget*>(QStringLiteral("Toolbar1"))->geometry(),
                 QRect(1, 101, 279, 26));
        QCOMPARE(w.dialog.findChild<QWidget*>(QStringLiteral("Panel3d1"))->geometry(),
                 QRect(0, 99, 292, 2));
        QCOMPARE(w.display(), QStringLiteral("00:00:00"));
        QCOMPARE(w.dialog.nextButton(), 2);

        const struct
        {
            int index;
            bool button, visible;
            const char* tip;
        } buttons[] = {{1, false, true, ""},
                       {2, true, true, "Пуск"},
                       {3, true, false, "Стоп"},
                       {4, false, true, ""},
                       {5, true, true, "Обнулить"}};
        for (const auto& b : buttons) {
            QAction* a = w.action(b.index);
            QVERIFY2(a, qPrintable(QString::number(b.index)));
            QCOMPARE(a->isVisible(), b.visible);
            if (b.visible)
                QVERIFY(a->isEnabled());
            if (b.button) {
                QCOMPARE(a->toolTip(), QString::fromUtf8(b.tip));
                QCOMPARE(w.buttonWidget(b.index)->accessibleName(), QString::fromUtf8(b.tip));
                QVERIFY(!a->icon().isNull());
            }
        }
        QVERIFY(w.action(4)->isSeparator());

        QPushButton* ok = w.ok();
        QCOMPARE(ok->text(), QStringLiteral("Ok"));
        QVERIFY(ok->isFlat());
        QVERIFY(!ok->isEnabled());
        QVERIFY(!ok->isVisible());
        QCOMPARE(ok->geometry(), QRect(175, 1, 88, 23));

        for (const char* name : {"Timer1", "Timer2", "Timer3"}) {
            auto* timer = w.dialog.findChild<QTimer*>(QString::fromLatin1(name));
            QVERIFY2(timer, name);
            QCOMPARE(timer->timerType(), Qt::PreciseTimer);
            QVERIFY(!timer->isActive());
        }
    }

    void okShownOnlyForATest_data()
    {
        QTest::addColumn<StopwatchTarget>("target");
        QTest::addColumn<bool>("shown");
        QTest::newRow("free use") << StopwatchTarget::None << false;
        QTest::newRow("breath-holding") << StopwatchTarget::BreathHold << true;
        QTest::newRow("balance") << StopwatchTarget::Balance << true;
    }
    void okShownOnlyForATest()
    {
        QFETCH(StopwatchTarget, target);
        QFETCH(bool, shown);
        Window w(target);
        QCOMPARE(w.ok()->isVisible(), shown);
        QVERIFY(!w.ok()->isEnabled());
    }

    void startStopResetAndResume()
    {
        Window w(StopwatchTarget::BreathHold);
        w.click(2);
        QVERIFY(w.running());
        QCOMPARE(w.dialog.nextButton(), 3);
        QVERIFY(!w.action(2)->isVisible());
        QVERIFY(w.action(3)->isVisible());
        QVERIFY(!w.action(5)->isEnabled());
        QVERIFY(!w.ok()->isEnabled());
        QCOMPARE(w.activeTimers(), 3);

        // "Обнулить" does nothing while running, even when triggered.
        w.tickAt(1230);
        w.action(5)->trigger();
        QCOMPARE(w.display(), QStringLiteral("00:01:23"));

        w.click(3);
        QVERIFY(!w.running());
        QCOMPARE(w.dialog.nextButton(), 2);
        QVERIFY(w.action(2)->isVisible());
        QVERIFY(!w.action(3)->isVisible());
        QVERIFY(w.action(5)->isEnabled());
        QVERIFY(w.ok()->isEnabled());
        QCOMPARE(w.activeTimers(), 0);

        // Stopped for 5 s, then resumed: the count goes on from 1.23 s.
        w.now += 5000 * Ms;
        w.click(2);
        QCOMPARE(w.display(), QStringLiteral("00:01:23"));
        w.tickAt(6230 + 770);
        w.click(3);
        QCOMPARE(w.display(), QStringLiteral("00:02:00"));

        w.click(5);
        QCOMPARE(w.display(), QStringLiteral("00:00:00"));
        QVERIFY(!w.ok()->isEnabled());
        QCOMPARE(w.dialog.counters().runningNs(), qint64(0));
    }

    // Space clicks the start or stop button wherever the key arrives, and the widget it
    // arrives at does not act on it as well.
    void spaceStartsAndStopsNeverResets_data()
    {
        QTest::addColumn<QString>("receiver");
        QTest::newRow("window") << QStringLiteral("window");
        QTest::newRow("focused Ok button") << QStringLiteral("ok");
        QTest::newRow("reset button") << QStringLiteral("reset");
        QTest::newRow("display") << QStringLiteral("display");
    }
    void spaceStartsAndStopsNeverResets()
    {
        QFETCH(QString, receiver);
        Window w(StopwatchTarget::BreathHold);
        QSignalSpy handBack(&w.dialog, &Secundomer::handBack);
        w.timeRun(2500);
        QWidget* target = &w.dialog;
        if (receiver == QLatin1String("ok"))
            target = w.ok();
        else if (receiver == QLatin1String("reset"))
            target = w.buttonWidget(5);
        else if (receiver == QLatin1String("display"))
            target = w.dialog.findChild<QWidget*>(QStringLiteral("Picture1"));
        target->setFocus();

        QTest::keyClick(target, Qt::Key_Space);
        QVERIFY(w.running());
        QCOMPARE(w.display(), QStringLiteral("00:02:50"));
        w.tickAt(3000);
        QTest::keyClick(target, Qt::Key_Space);
        QVERIFY(!w.running());
        QCOMPARE(w.display(), QStringLiteral("00:03:00"));
        QVERIFY(w.dialog.isVisible());
        QCOMPARE(handBack.count(), 0);

        // A held key repeats: the repeats are not further clicks.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "),
                         true);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &repeat);
        QApplication::sendEvent(target, &repeat);
        QVERIFY(w.running());
    }

    // Every key but Space does nothing: not Esc, not Enter unless it presses a focused Ok.
    // Enter with Ok hidden (free use), disabled (before a run, while running) or with the
    // focus elsewhere leaves the window as it was.
    void otherKeysDoNothing_data()
    {
        QTest::addColumn<StopwatchTarget>("target");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("state");
        const auto breath = StopwatchTarget::BreathHold;
        const int ret = Qt::Key_Return, esc = Qt::Key_Escape;
        QTest::newRow("Esc, stopped") << breath << esc << "window"
                                      << "stopped";
        QTest::newRow("Esc, running") << breath << esc << "window"
                                      << "running";
        QTest::newRow("Esc, focus on Ok") << breath << esc << "ok"
                                          << "stopped";
        QTest::newRow("Esc, free use, never started") << StopwatchTarget::None << esc << "window"
                                                      << "new";
        QTest::newRow("Return, window") << breath << ret << "window"
                                        << "stopped";
        QTest::newRow("keypad Enter, window") << breath << int(Qt::Key_Enter) << "window"
                                              << "stopped";
        QTest::newRow("Return, focus on reset") << breath << ret << "reset"
                                                << "stopped";
        QTest::newRow("Return, Ok disabled before a run") << breath << ret << "window"
                                                          << "new";
        QTest::newRow("Return, Ok disabled while running") << breath << ret << "window"
                                                           << "running";
        QTest::newRow("Return, Ok hidden: free use") << StopwatchTarget::None << ret << "window"
                                                     << "stopped";
        QTest::newRow("S") << breath << int(Qt::Key_S) << "window"
                           << "stopped";
        QTest::newRow("Delete") << breath << int(Qt::Key_Delete) << "window"
                                << "stopped";
        QTest::newRow("R, focus on Ok") << breath << int(Qt::Key_R) << "ok"
                                        << "stopped";
    }
    void otherKeysDoNothing()
    {
        QFETCH(StopwatchTarget, target);
        QFETCH(int, key);
        QFETCH(QString, focus);
        QFETCH(QString, state);
        Window w(target);
        QSignalSpy handBack(&w.dialog, &Secundomer::handBack);
        if (state != QLatin1String("new"))
            w.timeRun(1500);
        if (state == QLatin1String("running"))
            w.click(2);
        QApplication::setActiveWindow(&w.dialog);
        QVERIFY(QTest::qWaitForWindowActive(&w.dialog));
        QWidget* receiver = &w.dialog;
        if (focus == QLatin1String("ok"))
            receiver = w.ok();
        else if (focus == QLatin1String("reset"))
            receiver = w.buttonWidget(5);
        receiver->setFocus();
        if (receiver != &w.dialog)
            QTRY_COMPARE(QApplication::focusWidget(), receiver);
        const bool running = w.running();
        const bool okEnabled = w.ok()->isEnabled();
        const QString shown = w.display();

        QTest::keyClick(receiver, Qt::Key(key));
        QCOMPARE(w.running(), running);
        QCOMPARE(w.display(), shown);
        QCOMPARE(w.ok()->isEnabled(), okEnabled);
        QVERIFY(w.dialog.isVisible());
        QCOMPARE(handBack.count(), 0);
    }

    // Alt+F4 is the close box's key: the window leaves it to the platform (on some it becomes
    // the close request only when no widget takes it); other keys it keeps to itself.
    void altF4IsLeftToThePlatform_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("left");
        QTest::newRow("Alt+F4") << int(Qt::Key_F4) << Qt::KeyboardModifiers(Qt::AltModifier)
                                << true;
        QTest::newRow("F4") << int(Qt::Key_F4) << Qt::KeyboardModifiers() << false;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << Qt::KeyboardModifiers() << false;
    }
    void altF4IsLeftToThePlatform()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, left);
        Window w(StopwatchTarget::BreathHold);
        w.click(2);
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&w.dialog, &press);
        QCOMPARE(!press.isAccepted(), left);
        QVERIFY(w.dialog.isVisible());
        QVERIFY(w.running());
    }

    // Tab reaches Ok once a reading can be handed back, and Enter there hands it back.
    void tabThenEnterHandsBack()
    {
        Window w(StopwatchTarget::Balance);
        w.dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.dialog));
        QSignalSpy handBack(&w.dialog, &Secundomer::handBack);
        QTest::keyClick(&w.dialog, Qt::Key_Space);
        w.tickAt(7000);
        QTest::keyClick(&w.dialog, Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w.dialog,
                        Qt::Key_Tab);
        QTRY_VERIFY(w.ok()->hasFocus());
        QTest::keyClick(w.ok(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(handBack.count(), 1);
        QCOMPARE(handBack.at(0).at(1).toInt(), 7);
        QVERIFY(!w.dialog.isVisible());
    }

    // Opened from the main window's buttons: Ok hands the reading to that test's slider,
    // which clamps it to its scale, and the value label shows what the slider holds.
    void okHandsTheReadingToTheMainWindow_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<int>("ms");
        QTest::addColumn<bool>("keyboard");
        QTest::addColumn<int>("handed");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("shown");
        QTest::newRow("breath 00:42:37") << "Toolbar2" << 42370 << false << 42 << "Label7"
                                         << "42 сек";
        QTest::newRow("breath 3 s, below the scale") << "Toolbar2" << 3000 << false << 3 << "Label7"
                                                     << "5 сек";
        QTest::newRow("balance 75 s, above the scale")
            << "Toolbar3" << 75000 << false << 75 << "Label5"
            << "60 сек";
        QTest::newRow("balance 12.50, Enter on Ok") << "Toolbar3" << 12500 << true << 12 << "Label5"
                                                    << "12 сек";
    }
    void okHandsTheReadingToTheMainWindow()
    {
        QFETCH(QString, opener);
        QFETCH(int, ms);
        QFETCH(bool, keyboard);
        QFETCH(int, handed);
        QFETCH(QString, label);
        QFETCH(QString, shown);
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        QList<int> readings;
        QList<StopwatchTarget> targets;
        bool closedByOk = false;
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<Secundomer*>(modal);
            if (!dialog)
                return;
            QObject::connect(dialog, &Secundomer::handBack,
                             [&](StopwatchTarget target, int reading) {
                                 targets << target;
                                 readings << reading;
                             });
            Window w(dialog);
            w.timeRun(ms);
            if (keyboard) {
                w.ok()->setFocus();
                QTest::keyClick(w.ok(), Qt::Key_Return);
            } else {
                QTest::mouseClick(w.ok(), Qt::LeftButton);
            }
            closedByOk = !dialog->isVisible() && dialog->result() == QDialog::Accepted;
        });
        form.findChild<QToolBar*>(opener)->actions().value(0)->trigger();
        QVERIFY(closedByOk);
        QCOMPARE(readings, QList<int>{handed});
        QCOMPARE(targets, QList<StopwatchTarget>{opener == QLatin1String("Toolbar2")
                                                     ? StopwatchTarget::BreathHold
                                                     : StopwatchTarget::Balance});
        QCOMPARE(form.findChild<QLabel*>(label)->text(), shown);
    }

    // The close box closes the window, also while it runs; nothing is handed back.
    void closingHandsNothingBack_data()
    {
        QTest::addColumn<StopwatchTarget>("target");
        QTest::newRow("free use") << StopwatchTarget::None;
        QTest::newRow("breath-holding") << StopwatchTarget::BreathHold;
        QTest::newRow("balance") << StopwatchTarget::Balance;
    }
    void closingHandsNothingBack()
    {
        QFETCH(StopwatchTarget, target);
        Window w(target);
        QSignalSpy handBack(&w.dialog, &Secundomer::handBack);
        w.timeRun(42000);
        w.click(2); // closed while running
        w.dialog.close();
        QVERIFY(!w.dialog.isVisible());
        QCOMPARE(w.dialog.result(), int(QDialog::Rejected));
        QCOMPARE(handBack.count(), 0);
        QCOMPARE(w.activeTimers(), 0);
    }

    // Stopped in the moment after the last tenth of a second was lifted to 100 and before
    // the second was counted: the display keeps its last text, the reading has the second.
    // Ticks that come faster than the screen shows frames paint at most once a frame; the
    // stop shows the last tick's reading all the same.
    void runningDisplayPaintsOnceAFrame()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.dialog));
        auto* display = w.dialog.findChild<StopwatchDisplay*>(QStringLiteral("Picture1"));
        PaintCounter paints(display);
        auto* timer1 = w.dialog.findChild<QTimer*>(QStringLiteral("Timer1"));
        w.click(2);
        for (int ms = 10; ms <= 90; ms += 10) {
            w.now = ms * Ms;
            w.dialog.Timer1_Timer();
            // The tick after a paint falls within the frame and would show nothing: the
            // timer sleeps through it.
            if (ms == 10)
                QVERIFY2(timer1->interval() > 10, qPrintable(QString::number(timer1->interval())));
        }
        // Nine ticks within far less than a frame of real time.
        QVERIFY2(paints.count <= 1, qPrintable(QString::number(paints.count)));
        const int beforeStop = paints.count;
        w.click(3);
        QCOMPARE(paints.count, beforeStop + 1);

        StopwatchDisplay expected;
        expected.resize(display->size());
        expected.setText(QStringLiteral("00:00:09"));
        QCOMPARE(display->grab().toImage(), expected.grab().toImage());
    }

    // The ticks may lag the press: the display's frame puts off the 10 ms ticks, a busy thread
    // the 1000 ms one. The stop reads the time of the press, counting each whole second due
    // once (a count of 100 hundredths included) and never more than the time measured, and
    // the display shows what Ok then hands back.
    void stopReadsTheTimeOfThePress_data()
    {
        QTest::addColumn<int>("secondTicks"); // 1000 ms ticks run on time
        QTest::addColumn<qint64>("tickedMs"); // the last 100 ms and 10 ms ticks
        QTest::addColumn<qint64>("pressMs");
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("handedBack");
        QTest::newRow("10 ms ticks put off")
            << 1 << qint64(1010) << qint64(1047) << "00:01:04" << 1;
        QTest::newRow("1000 ms tick overdue")
            << 0 << qint64(990) << qint64(1600) << "00:01:60" << 2;
        QTest::newRow("100 hundredths, second not yet counted")
            << 0 << qint64(1000) << qint64(1000) << "00:01:00" << 1;
        QTest::newRow("100 hundredths, then past the second")
            << 0 << qint64(1000) << qint64(1004) << "00:01:00" << 1;
        QTest::newRow("three seconds overdue")
            << 2 << qint64(2500) << qint64(5570) << "00:05:57" << 6;
        QTest::newRow("on time") << 3 << qint64(3420) << qint64(3420) << "00:03:42" << 3;
    }
    void stopReadsTheTimeOfThePress()
    {
        QFETCH(int, secondTicks);
        QFETCH(qint64, tickedMs);
        QFETCH(qint64, pressMs);
        QFETCH(QString, display);
        QFETCH(int, handedBack);
        Window w(StopwatchTarget::Balance);
        QSignalSpy handBack(&w.dialog, &Secundomer::handBack);
        w.click(2);
        for (int s = 1; s <= secondTicks; ++s) {
            w.now = s * 1000 * Ms;
            w.dialog.Timer2_Timer();
        }
        w.now = (tickedMs - 10) * Ms;
        w.dialog.Timer1_Timer();
        w.now = tickedMs * Ms;
        w.dialog.Timer3_Timer();
        w.dialog.Timer1_Timer();
        w.now = pressMs * Ms;
        w.click(3);
        QCOMPARE(w.display(), display);
        const StopwatchCounters& counters = w.dialog.counters();
        QVERIFY(qRound64(counters.exactReading() * 1000) * Ms <= counters.runningNs());
        w.now = (pressMs + 3000) * Ms;
        QCOMPARE(w.display(), display);
        QTest::mouseClick(w.ok(), Qt::LeftButton);
        QCOMPARE(handBack.count(), 1);
        QCOMPARE(handBack.at(0).at(1).toInt(), handedBack);
    }
};

QTEST_MAIN(TestStopwatch)
#include "tst_stopwatch.moc"
