#include "MainWindowProbe.h"
#include "ModalProbe.h"
#include "ScriptedMessageBoxes.h"
#include "StoreFolder.h"
#include "WindowStores.h"
#include "widgets/controls/BannerPicture.h"
#include "widgets/controls/LinkLabel.h"
#include "widgets/controls/Slider.h"
#include "widgets/controls/StatementCheckBox.h"
#include "widgets/support/AppFonts.h"
#include "windows/mainwindow/Form1.h"
#include "windows/stopwatch/Secundomer.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

QObject* member(const QObject* root, const QString& name, int index)
{
    for (QObject* o : root->findChildren<QObject*>(name)) {
        if (o->property("index").toInt() == index)
            return o;
    }
    return nullptr;
}

// A control as the tests name it: "Slider4", "Check1(3)", "Toolbar1/save"; a part of a
// control (the profile box's field) by the control.
QString describe(const QWidget* w)
{
    if (!w)
        return QStringLiteral("nothing");
    if (auto* tool = qobject_cast<const QToolButton*>(w); tool && tool->defaultAction())
        return w->parentWidget()->objectName() + QLatin1Char('/') +
               tool->defaultAction()->objectName();
    if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
        return describe(w->parentWidget());
    const QVariant index = w->property("index");
    return index.isValid() ? QStringLiteral("%1(%2)").arg(w->objectName()).arg(index.toInt())
                           : w->objectName();
}

// Every window other than the main one that shows while it is installed: its title (and a
// stopwatch's target), and it is closed again at once, so the exec() that opened it returns.
class WindowsShown : public QObject
{
public:
    explicit WindowsShown(const QWidget* main) : m_main(main) { qApp->installEventFilter(this); }
    QStringList seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* w = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && w && w->isWindow() && w != m_main) {
            QString title = w->windowTitle();
            if (auto* stopwatch = qobject_cast<Secundomer*>(w))
                title += QStringLiteral(": ") + QString::number(int(stopwatch->target()));
            seen << title;
            QTimer::singleShot(0, w, &QWidget::close);
        }
        return false;
    }

private:
    const QWidget* m_main;
};

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

    std::unique_ptr<StoreFolder> store;
    std::unique_ptr<WindowStores> stores;
    std::unique_ptr<Form1> form;

    template <typename T> T* child(const QString& name) const
    {
        T* found = form->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QString text(const QString& label) const { return child<QLabel>(label)->text(); }
    QRadioButton* option(int index) const
    {
        return qobject_cast<QRadioButton*>(member(form.get(), QStringLiteral("Option1"), index));
    }
    QCheckBox* check(int index) const
    {
        return qobject_cast<QCheckBox*>(member(form.get(), QStringLiteral("Check1"), index));
    }
    // A user's steps on a slider: arrow keys pressed on it, each one raising Scroll.
    void step(const QString& name, int value)
    {
        Slider* slider = child<Slider>(name);
        QVERIFY2(slider->isEnabled(), qPrintable(name));
        QSignalSpy scroll(slider, &Slider::Scroll);
        const int steps = qAbs(value - slider->value());
        MainWindowProbe::stepTo(slider, value);
        QCOMPARE(slider->value(), value);
        QCOMPARE(scroll.count(), steps);
    }
    QAction* stopwatchButton(const QString& bar) const
    {
        return child<QToolBar>(bar)->actions().value(0);
    }
    // Presses "Рассчитать" and reads the results window the way a user sees it.
    QStringList calculate()
    {
        QStringList seen;
        onNextModal([&seen](QWidget* w) {
            if (!w)
                return;
            seen << w->windowTitle();
            for (const char* name : {"Label2", "Label6", "Label3"})
                seen << w->findChild<QLabel*>(QString::fromLatin1(name))->text();
            seen << w->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))
                        ->toPlainText()
                        .split(QLatin1Char('\n'));
        });
        QTest::mouseClick(child<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        return seen;
    }

private slots:
    void initTestCase()
    {
        // The window opens the profile store: keep it away from the real user's settings.
        QStandardPaths::setTestModeEnabled(true);
        AppFonts::registerTahoma();
    }
    void init()
    {
        // Every test starts with an empty store of its own.
        store = std::make_unique<StoreFolder>();
        QVERIFY(store->isValid());
        store->useForNativeStore();
        stores = std::make_unique<WindowStores>();
        form = std::make_unique<Form1>(stores->settings, stores->history);
        child<QTimer>(QStringLiteral("Timer1"))->stop();
    }
    void cleanup()
    {
        form.reset();
        stores.reset();
        store.reset();
    }

    void freshStart()
    {
        QCOMPARE(form->windowTitle(),
                 QStringLiteral("Kalder Vitalon - Расчет биологического возраста 2.0.75"));
        QCOMPARE(form->size(), QSize(728, 562));
        QVERIFY(option(0)->isChecked());
        QVERIFY(!option(1)->isChecked());
        QCOMPARE(text(QStringLiteral("Label12")), QStringLiteral("20 лет"));
        QCOMPARE(text(QStringLiteral("Label13")), QStringLiteral("65 кг"));
        QVERIFY(!child<QLabel>(QStringLiteral("Label13"))->isEnabled());
        QVERIFY(!child<Slider>(QStringLiteral("Slider3"))->enable());
        QCOMPARE(text(QStringLiteral("Label15")), QStringLiteral("110 / 80"));
        QCOMPARE(text(QStringLiteral("Label7")), QStringLiteral("10 сек"));
        QCOMPARE(text(QStringLiteral("Label5")), QStringLiteral("3 сек"));
        QCOMPARE(child<QComboBox>(QStringLiteral("Combo1"))->currentText(),
                 QStringLiteral("удовлетворительное"));
        for (int i = 0; i < 27; ++i)
            QCOMPARE(check(i)->checkState(), Qt::Unchecked);
        for (const char* key : {"save", "del"})
            QVERIFY(!form->findChild<QAction*>(QString::fromLatin1(key))->isEnabled());
    }

    // Each slider's range and start position.
    void slidersTakeTheirRanges_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("start");
        QTest::newRow("age") << "Slider2" << 5 << 90 << 20;
        QTest::newRow("body mass") << "Slider3" << 10 << 200 << 65;
        QTest::newRow("systolic") << "Slider4" << 4 << 36 << 11;
        QTest::newRow("diastolic") << "Slider5" << 4 << 24 << 8;
        QTest::newRow("breath-holding") << "Slider6" << 5 << 300 << 10;
        QTest::newRow("balance") << "Slider7" << 1 << 60 << 3;
    }
    void slidersTakeTheirRanges()
    {
        QFETCH(QString, slider);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, start);
        const Slider* s = child<Slider>(slider);
        QCOMPARE(s->min(), minimum);
        QCOMPARE(s->max(), maximum);
        QCOMPARE(s->value(), start);
    }

    // Positions set by code and not shown yet: the record, the profile's inputs and the
    // results' age line all come from the sliders, so they cannot differ.
    void oneSnapshotOfTheInputs()
    {
        child<Slider>(QStringLiteral("Slider2"))->setValue(33);
        child<Slider>(QStringLiteral("Slider4"))->setValue(15);
        child<Slider>(QStringLiteral("Slider7"))->setValue(42);
        QCOMPARE(form->profileInputs().calendarAge, 33);
        const AssessmentRecord record = form->currentRecord();
        QCOMPARE(record.calendarAge, 33);
        QCOMPARE(record.systolicPressure, 150);
        QCOMPARE(record.balance, 42);
        QCOMPARE(calculate().value(1), QStringLiteral("33 года"));
        QCOMPARE(text(QStringLiteral("Label15")), QStringLiteral("150 / 80"));
    }

    void statementRowsStackFromTheirHeads()
    {
        for (int i = 0; i < 27; ++i) {
            const int row = i < 14 ? i : i - 14;
            QCOMPARE(check(i)->y(), check(i < 14 ? 0 : 14)->y() + 18 * row);
            QCOMPARE(check(i)->height(), i == 26 ? 36 : 18);
        }
        QCOMPARE(check(14)->y(), check(0)->y());
        QVERIFY(check(14)->x() > check(0)->x() + check(0)->width() - 1);
    }

    void sexSwitch_data()
    {
        QTest::addColumn<bool>("male");
        QTest::addColumn<bool>("female");
        QTest::newRow("woman") << false << true;
        QTest::newRow("man again") << true << false;
        QTest::newRow("neither, as a stored profile may leave it") << false << false;
    }
    void sexSwitch()
    {
        QFETCH(bool, male);
        QFETCH(bool, female);
        // The man's breath-holding, then over to "Женский" and her mass; the row then sets the
        // state under test.
        step(QStringLiteral("Slider6"), 55);
        QTest::mouseClick(option(1), Qt::LeftButton);
        QVERIFY(option(1)->isChecked() && !option(0)->isChecked());
        step(QStringLiteral("Slider3"), 80);
        if (male)
            QTest::mouseClick(option(0), Qt::LeftButton);
        if (!male && !female)
            form->setOptionValue(1, false);
        QCOMPARE(option(0)->isChecked(), male);
        QCOMPARE(option(1)->isChecked(), female);

        QCOMPARE(child<Slider>(QStringLiteral("Slider6"))->enable(), male);
        QCOMPARE(child<QLabel>(QStringLiteral("Label13"))->isEnabled(), female);
        QCOMPARE(child<QLabel>(QStringLiteral("Label2"))->isEnabled(), female);
        QCOMPARE(child<Slider>(QStringLiteral("Slider3"))->enable(), !male);
        QCOMPARE(child<QLabel>(QStringLiteral("Label6"))->isEnabled(), male);
        QCOMPARE(child<QLabel>(QStringLiteral("Label7"))->isEnabled(), male);
        QCOMPARE(stopwatchButton(QStringLiteral("Toolbar2"))->isEnabled(), male);
        QVERIFY(stopwatchButton(QStringLiteral("Toolbar3"))->isEnabled());
        QVERIFY(child<Slider>(QStringLiteral("Slider7"))->enable());

        QCOMPARE(text(QStringLiteral("Label13")), QStringLiteral("80 кг"));
        QCOMPARE(text(QStringLiteral("Label7")), QStringLiteral("55 сек"));
        QCOMPARE(form->currentRecord().sex, male ? Sex::Male : Sex::Female);
    }

    void codeSelectsTheOtherOption()
    {
        form->setOptionValue(1, true);
        QVERIFY(!option(0)->isChecked());
        QVERIFY(child<Slider>(QStringLiteral("Slider3"))->enable());
        form->setOptionValue(0, true);
        QVERIFY(!option(1)->isChecked());
        QVERIFY(!child<Slider>(QStringLiteral("Slider3"))->enable());
    }

    void labelsFollowUserSteps_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("shown");
        QTest::newRow("age, one") << "Slider2" << 21 << "Label12"
                                  << "21 год";
        QTest::newRow("age, few") << "Slider2" << 44 << "Label12"
                                  << "44 года";
        QTest::newRow("mass, a woman's") << "Slider3" << 200 << "Label13"
                                         << "200 кг";
        QTest::newRow("systolic") << "Slider4" << 36 << "Label15"
                                  << "360 / 80";
        QTest::newRow("diastolic") << "Slider5" << 4 << "Label15"
                                   << "110 / 40";
        QTest::newRow("breath") << "Slider6" << 300 << "Label7"
                                << "300 сек";
        QTest::newRow("balance") << "Slider7" << 1 << "Label5"
                                 << "1 сек";
    }
    void labelsFollowUserSteps()
    {
        QFETCH(QString, slider);
        QFETCH(int, value);
        QFETCH(QString, label);
        QFETCH(QString, shown);
        if (slider == QLatin1String("Slider3"))
            QTest::mouseClick(option(1), Qt::LeftButton);
        step(slider, value);
        QCOMPARE(text(label), shown);
    }

    void highestPressures()
    {
        step(QStringLiteral("Slider4"), 36);
        step(QStringLiteral("Slider5"), 24);
        QCOMPARE(text(QStringLiteral("Label15")), QStringLiteral("360 / 240"));
        const AssessmentRecord record = form->currentRecord();
        QCOMPARE(record.systolicPressure, 360);
        QCOMPARE(record.diastolicPressure, 240);
    }

    void refreshRewritesEveryLabel()
    {
        // As a profile load does: positions set by code, then the updates.
        child<Slider>(QStringLiteral("Slider2"))->setValue(33);
        child<Slider>(QStringLiteral("Slider5"))->setValue(9);
        child<Slider>(QStringLiteral("Slider7"))->setValue(42);
        QCOMPARE(text(QStringLiteral("Label12")), QStringLiteral("20 лет"));
        form->refreshSliders();
        QCOMPARE(text(QStringLiteral("Label12")), QStringLiteral("33 года"));
        QCOMPARE(text(QStringLiteral("Label15")), QStringLiteral("110 / 90"));
        QCOMPARE(text(QStringLiteral("Label5")), QStringLiteral("42 сек"));
    }

    void recordComesFromTheControls()
    {
        step(QStringLiteral("Slider2"), 47);
        QTest::mouseClick(option(1), Qt::LeftButton);
        step(QStringLiteral("Slider3"), 70);
        check(3)->setChecked(true);
        check(25)->setCheckState(Qt::PartiallyChecked);
        child<QComboBox>(QStringLiteral("Combo1"))->setCurrentIndex(3);
        const AssessmentRecord r = form->currentRecord();
        QCOMPARE(r.sex, Sex::Female);
        QCOMPARE(r.calendarAge, 47);
        QCOMPARE(r.bodyMass, 70);
        QCOMPARE(r.breathHold, 10);
        QCOMPARE(r.balance, 3);
        QCOMPARE(r.statements[3], 1);
        QCOMPARE(r.statements[25], 2);
        QCOMPARE(r.statements[0], 0);
        QCOMPARE(r.healthRating, 3);
    }

    void greyedStatementClicksToMarked()
    {
        auto* statement = qobject_cast<StatementCheckBox*>(check(5));
        QVERIFY(statement);
        statement->setValue(2);
        QCOMPARE(check(5)->checkState(), Qt::PartiallyChecked);
        QCOMPARE(statement->value(), 2);
        QTest::mouseClick(check(5), Qt::LeftButton);
        QCOMPARE(check(5)->checkState(), Qt::Checked);
        QTest::mouseClick(check(5), Qt::LeftButton);
        QCOMPARE(check(5)->checkState(), Qt::Unchecked);
        QTest::mouseClick(check(5), Qt::LeftButton);
        QCOMPARE(check(5)->checkState(), Qt::Checked);
    }

    void calculateWithDefaults()
    {
        QCOMPARE(calculate(),
                 (QStringList{QStringLiteral("Результаты"), QStringLiteral("20 лет"),
                              QStringLiteral("31 год"), QStringLiteral("51 год"),
                              QStringLiteral("Ускоренное старение."),
                              QStringLiteral("Физически Вы чувствуете себя гораздо старше, чем "
                                             "есть на самом деле. Уделите внимание своему "
                                             "здоровью, ему еще рано подводить Вас столь "
                                             "заметно.")}));
    }

    void calculateImplausibleInput()
    {
        step(QStringLiteral("Slider2"), 40);
        step(QStringLiteral("Slider4"), 23);
        step(QStringLiteral("Slider6"), 37);
        QCOMPARE(calculate(),
                 (QStringList{QStringLiteral("Результаты"), QStringLiteral("40 лет"),
                              QStringLiteral("43 года"), QStringLiteral("73 года"),
                              QStringLiteral("Нет описания."),
                              QStringLiteral("Вы уверены, что правильно ввели данные?")}));
    }

    void stopwatchOpensForItsTarget_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<StopwatchTarget>("target");
        QTest::newRow("breath-hold button") << "Toolbar2" << StopwatchTarget::BreathHold;
        QTest::newRow("balance button") << "Toolbar3" << StopwatchTarget::Balance;
        QTest::newRow("free use") << "Command2" << StopwatchTarget::None;
    }
    void stopwatchOpensForItsTarget()
    {
        QFETCH(QString, opener);
        QFETCH(StopwatchTarget, target);
        std::optional<StopwatchTarget> seen;
        onNextModal([&seen](QWidget* w) {
            if (auto* stopwatch = qobject_cast<Secundomer*>(w))
                seen = stopwatch->target();
        });
        if (opener == QLatin1String("Command2"))
            QTest::mouseClick(child<QPushButton>(opener), Qt::LeftButton);
        else
            stopwatchButton(opener)->trigger();
        QVERIFY2(seen, "no stopwatch shown");
        QCOMPARE(*seen, target);
    }

    void stopwatchHandsBack_data()
    {
        QTest::addColumn<StopwatchTarget>("target");
        QTest::addColumn<int>("reading");
        QTest::addColumn<QString>("breath");
        QTest::addColumn<QString>("balance");
        QTest::newRow("breath-hold") << StopwatchTarget::BreathHold << 42 << "42 сек"
                                     << "3 сек";
        QTest::newRow("breath-hold beyond the scale")
            << StopwatchTarget::BreathHold << 480 << "300 сек"
            << "3 сек";
        QTest::newRow("balance") << StopwatchTarget::Balance << 17 << "10 сек"
                                 << "17 сек";
        QTest::newRow("free use") << StopwatchTarget::None << 25 << "10 сек"
                                  << "3 сек";
    }
    void stopwatchHandsBack()
    {
        QFETCH(StopwatchTarget, target);
        QFETCH(int, reading);
        QFETCH(QString, breath);
        QFETCH(QString, balance);
        form->stopwatchHandBack(target, reading);
        QCOMPARE(text(QStringLiteral("Label7")), breath);
        QCOMPARE(text(QStringLiteral("Label5")), balance);
    }

    void sweepLightsThenRestores()
    {
        auto* banner = child<BannerPicture>(QStringLiteral("Picture5"));
        const QImage lit = form->litBanner().toImage();
        const QImage plain = form->plainBanner().toImage();
        QVERIFY(!lit.isNull() && !plain.isNull());
        QVERIFY(lit.pixelColor(1, 1) != plain.pixelColor(1, 1));
        const qreal dpr = form->plainBanner().devicePixelRatio();
        const auto shownAt = [&](int x) {
            return banner->picture().toImage().pixelColor(qRound(x * dpr), qRound(dpr));
        };
        form->sweepTick();
        QCOMPARE(shownAt(1), lit.pixelColor(qRound(dpr), qRound(dpr)));
        QCOMPARE(shownAt(5), plain.pixelColor(qRound(5 * dpr), qRound(dpr)));
        form->sweepTick();
        QCOMPARE(shownAt(1), plain.pixelColor(qRound(dpr), qRound(dpr)));
        QCOMPARE(shownAt(5), lit.pixelColor(qRound(5 * dpr), qRound(dpr)));
        QCOMPARE(form->sweepPosition(), 120.0f);
        for (int tick = 2; tick < 65; ++tick)
            form->sweepTick();
        QCOMPARE(form->sweepPosition(), 0.0f);
    }

    // The sliders show the focus by themselves, wherever it goes: Tab, a click elsewhere,
    // another window and back.
    void focusedLookFollowsTheFocus()
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto* systolic = child<Slider>(QStringLiteral("Slider4"));
        auto* diastolic = child<Slider>(QStringLiteral("Slider5"));
        systolic->setFocus();
        QTRY_COMPARE(systolic->look(), Slider::Look::Focused);
        QCOMPARE(diastolic->look(), Slider::Look::Normal);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_COMPARE(diastolic->look(), Slider::Look::Focused);
        QCOMPARE(systolic->look(), Slider::Look::Normal);

        QTest::mouseClick(check(3), Qt::LeftButton);
        QTRY_VERIFY(check(3)->hasFocus());
        QCOMPARE(diastolic->look(), Slider::Look::Normal);

        diastolic->setFocus();
        QTRY_COMPARE(diastolic->look(), Slider::Look::Focused);
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_COMPARE(diastolic->look(), Slider::Look::Normal);
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTRY_COMPARE(diastolic->look(), Slider::Look::Focused);
    }

    // Focus moves while the window's controls are destroyed.
    void closesWithAFocusedSlider()
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto* slider = child<Slider>(QStringLiteral("Slider4"));
        slider->setFocus();
        QTRY_VERIFY(slider->hasFocus() || slider->isAncestorOf(QApplication::focusWidget()));
        form.reset();
        QCOMPARE(QApplication::focusWidget(), nullptr);
    }

    void linkColours()
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* link = qobject_cast<LinkLabel*>(member(form.get(), QStringLiteral("Mail"), 1));
        QVERIFY(link);
        const QColor blue(0, 0, 255), red(255, 0, 0);
        QCOMPARE(link->color(), blue);

        // Moves made through the window, as the pointer makes them; each is handled before the
        // call returns.
        const auto move = [this](QWidget* w, QPoint at) {
            QTest::mouseMove(form->windowHandle(), w->mapTo(form.get(), at));
        };
        const auto moveOnto = [this, &move](const QString& name) {
            auto* w = child<QWidget>(name);
            move(w, QPoint(3, w->height() - 3));
        };
        move(link, link->rect().center());
        QCOMPARE(link->color(), red);
        // A framed group is not the link's surroundings.
        moveOnto(QStringLiteral("Frame1"));
        QCOMPARE(link->color(), red);
        moveOnto(QStringLiteral("Picture5"));
        QCOMPARE(link->color(), blue);

        move(link, link->rect().center());
        QCOMPARE(link->color(), red);
        moveOnto(QStringLiteral("Picture6"));
        QCOMPARE(link->color(), blue);

        // Background: the strip between the separator and the first group.
        move(link, link->rect().center());
        QCOMPARE(link->color(), red);
        move(form.get(), QPoint(300, 53));
        QCOMPARE(link->color(), blue);

        QColor whilePressed;
        QString opened;
        onNextModal([&](QWidget* w) {
            whilePressed = link->color();
            opened = w ? w->windowTitle() : QString();
        });
        QTest::mousePress(link, Qt::LeftButton, {}, link->rect().center());
        QCOMPARE(opened, QStringLiteral("О программе \"Kalder Vitalon\""));
        QCOMPARE(whilePressed, form->palette().color(QPalette::Highlight));
        // The About window took the release; the button counts as held, so the move goes
        // straight to the banner.
        QTest::mouseMove(child<QWidget>(QStringLiteral("Picture5")), QPoint(3, 3));
        QCOMPARE(link->color(), blue);
    }

    // Toolbar buttons take no focus by default; here they are the only way to their commands.
    // The two stopwatch buttons share a tool tip; a screen reader tells them apart by name.
    void toolbarButtonsFromKeyboard_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<StopwatchTarget>("target");
        QTest::addColumn<QString>("name");
        QTest::newRow("breath-holding") << QStringLiteral("Toolbar2") << StopwatchTarget::BreathHold
                                        << QStringLiteral("Замерить секундомером задержку дыхания");
        QTest::newRow("balance") << QStringLiteral("Toolbar3") << StopwatchTarget::Balance
                                 << QStringLiteral("Замерить секундомером время на одной ноге");
    }
    void toolbarButtonsFromKeyboard()
    {
        QFETCH(QString, bar);
        QFETCH(StopwatchTarget, target);
        QFETCH(QString, name);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* toolbar = child<QToolBar>(bar);
        QWidget* button = toolbar->widgetForAction(toolbar->actions().value(0));
        QVERIFY(button);
        QVERIFY(button->focusPolicy() & Qt::TabFocus);
        QCOMPARE(button->accessibleName(), name);
        QCOMPARE(toolbar->actions().value(0)->toolTip(), QStringLiteral("Замерить секундомером"));
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(button);
        QVERIFY(read);
        QCOMPARE(read->text(QAccessible::Name), name);

        std::optional<StopwatchTarget> opened;
        onNextModal([&](QWidget* w) {
            if (auto* stopwatch = qobject_cast<Secundomer*>(w))
                opened = stopwatch->target();
        });
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
        QVERIFY2(opened, "no stopwatch shown");
        QCOMPARE(*opened, target);

        auto* profiles = child<QToolBar>(QStringLiteral("Toolbar1"));
        for (const char* key : {"save", "del"}) {
            QWidget* profileButton =
                profiles->widgetForAction(profiles->findChild<QAction*>(QLatin1String(key)));
            QVERIFY(profileButton);
            QVERIFY(profileButton->focusPolicy() & Qt::TabFocus);
        }
    }

    // The link is reachable without a mouse: by Tab and Enter or Space, and through
    // assistive technology, where it reads as a link and the window as a window.
    void linkFromKeyboardAndAssistiveTechnology_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("press action") << 0;
    }
    void linkFromKeyboardAndAssistiveTechnology()
    {
        QFETCH(int, key);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* link = qobject_cast<LinkLabel*>(member(form.get(), QStringLiteral("Mail"), 1));
        QVERIFY(link);
        QVERIFY(link->focusPolicy() & Qt::TabFocus);

        QAccessibleInterface* linkInterface = QAccessible::queryAccessibleInterface(link);
        QVERIFY(linkInterface);
        QCOMPARE(linkInterface->role(), QAccessible::Link);
        QCOMPARE(linkInterface->text(QAccessible::Name), QStringLiteral("О программе"));
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.get());
        QVERIFY(window);
        QCOMPARE(window->role(), QAccessible::Window);

        QString opened;
        onNextModal([&](QWidget* w) { opened = w ? w->windowTitle() : QString(); });
        if (key) {
            link->setFocus();
            QTest::keyClick(link, Qt::Key(key));
        } else {
            linkInterface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
        QCOMPARE(opened, QStringLiteral("О программе \"Kalder Vitalon\""));
        QCOMPARE(link->color(), QColor(0, 0, 255));
    }

    // Tab goes through the inputs in reading order, then the bottom strip, then the link, and
    // round to the start; Shift+Tab goes back. Switched-off inputs are passed over.
    void tabChain_data()
    {
        QTest::addColumn<bool>("female");
        QTest::addColumn<QString>("profileName");
        QTest::addColumn<QStringList>("chain");
        QStringList statements;
        for (int i = 0; i < 27; ++i)
            statements << QStringLiteral("Check1(%1)").arg(i);
        // After the profile buttons, the data menu's button ("data").
        const auto chain = [&](const QStringList& sex, const QStringList& timed,
                               const QStringList& profile) {
            return sex + timed + statements + QStringList{"Combo1", "Command2", "Combo2"} +
                   profile + QStringList{"data", "Command1", "Mail(1)"};
        };
        // One stop for the sex, on the option that is selected; the arrows switch it.
        const QStringList male{"Option1(0)", "Slider2", "Slider4", "Slider5"};
        const QStringList female{"Option1(1)", "Slider2", "Slider3", "Slider4", "Slider5"};
        const QStringList maleTimed{"Slider6", "Toolbar2/stopwatch", "Slider7",
                                    "Toolbar3/stopwatch"};
        const QStringList femaleTimed{"Slider7", "Toolbar3/stopwatch"};
        QTest::newRow("at the start") << false << QString() << chain(male, maleTimed, {});
        QTest::newRow("female") << true << QString() << chain(female, femaleTimed, {});
        QTest::newRow("a name typed: save")
            << false << QStringLiteral("Анна") << chain(male, maleTimed, {"Toolbar1/save"});
    }
    void tabChain()
    {
        QFETCH(bool, female);
        QFETCH(QString, profileName);
        QFETCH(QStringList, chain);
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTRY_COMPARE(describe(QApplication::focusWidget()), QStringLiteral("Option1(0)"));
        if (!profileName.isEmpty())
            MainWindowProbe::type(child<QComboBox>(QStringLiteral("Combo2"))->lineEdit(),
                                  profileName);
        if (female) {
            QTest::mouseClick(option(1), Qt::LeftButton);
            QTRY_VERIFY(option(1)->hasFocus());
        }
        QWidget* first = female ? static_cast<QWidget*>(option(1)) : option(0);
        first->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), first);

        QStringList forward{describe(QApplication::focusWidget())};
        for (int i = 0; i < chain.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            forward << describe(QApplication::focusWidget());
        }
        QCOMPARE(forward, chain + QStringList{chain.first()});

        QStringList backward{describe(QApplication::focusWidget())};
        for (int i = 0; i < chain.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            backward << describe(QApplication::focusWidget());
        }
        std::reverse(backward.begin(), backward.end());
        QCOMPARE(backward, chain + QStringList{chain.first()});
    }

    // Right after the start the focus is on the sex, not on the link: Enter or Space there
    // opens nothing.
    void firstKeyOpensNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
        QTest::newRow("keypad Enter")
            << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
        QTest::newRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers();
    }
    void firstKeyOpensNothing()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(option(0)));
        auto* link = qobject_cast<LinkLabel*>(member(form.get(), QStringLiteral("Mail"), 1));
        QSignalSpy linkActivated(link, &LinkLabel::activated);
        WindowsShown shown(form.get());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        QCOMPARE(shown.seen, QStringList());
        QCOMPARE(linkActivated.count(), 0);
        QVERIFY(option(0)->isChecked());
    }

    // Enter presses whichever push or tool button has the focus, as a click would.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("opens");
        QTest::addColumn<QString>("asks");
        const int ret = Qt::Key_Return, enter = Qt::Key_Enter;
        const QString stopwatch = QStringLiteral("Секундомер: %1");
        QTest::newRow("Рассчитать") << "Command1" << ret << QStringList{"Результаты"} << QString();
        QTest::newRow("Рассчитать, keypad Enter")
            << "Command1" << enter << QStringList{"Результаты"} << QString();
        QTest::newRow("Секундомер")
            << "Command2" << ret << QStringList{stopwatch.arg(int(StopwatchTarget::None))}
            << QString();
        QTest::newRow("stopwatch for breath-holding")
            << "Toolbar2/stopwatch" << ret
            << QStringList{stopwatch.arg(int(StopwatchTarget::BreathHold))} << QString();
        QTest::newRow("stopwatch for balance, keypad Enter")
            << "Toolbar3/stopwatch" << enter
            << QStringList{stopwatch.arg(int(StopwatchTarget::Balance))} << QString();
        QTest::newRow("save") << "Toolbar1/save" << ret << QStringList()
                              << QStringLiteral("Профиль 'Тест' сохранен.");
        QTest::newRow("del") << "Toolbar1/del" << enter << QStringList()
                             << QStringLiteral("Вы действительно хотите удалить профиль 'Тест'?");
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(QStringList, opens);
        QFETCH(QString, asks);
        ScriptedMessageBoxes boxes;
        MainWindowProbe probe(*form);
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        if (button.startsWith(QLatin1String("Toolbar1/"))) {
            MainWindowProbe::type(probe.profileBox()->lineEdit(), QStringLiteral("Тест"));
            if (button.endsWith(QLatin1String("del"))) {
                probe.profileButton("save")->trigger();
                probe.pick(QStringLiteral("Тест"));
                boxes.clear();
            }
        }
        QWidget* target = nullptr;
        for (QWidget* w : form->findChildren<QWidget*>()) {
            if (describe(w) == button && w->focusPolicy() != Qt::NoFocus)
                target = w;
        }
        QVERIFY2(target && target->isEnabled(), qPrintable(button));
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);

        WindowsShown shown(form.get());
        QTest::keyClick(target, Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(shown.seen, opens);
        QStringList asked;
        for (const ScriptedMessageBoxes::Shown& box : boxes.shown())
            asked << box.text;
        QCOMPARE(asked, asks.isEmpty() ? QStringList() : QStringList{asks});
    }

    // The pressure sliders read as their label does, in mmHg; a value set through assistive
    // technology is taken in the same unit.
    void pressuresReadInMmHg_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("reads");
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("label");
        QTest::newRow("systolic") << "Slider4" << 110 << 150 << "150 / 80";
        QTest::newRow("diastolic") << "Slider5" << 80 << 240 << "110 / 240";
        QTest::newRow("age stays in years") << "Slider2" << 20 << 45 << "110 / 80";
    }
    void pressuresReadInMmHg()
    {
        QFETCH(QString, slider);
        QFETCH(int, reads);
        QFETCH(int, set);
        QFETCH(QString, label);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(child<Slider>(slider));
        QVERIFY(a);
        QCOMPARE(a->text(QAccessible::Value), QString::number(reads));
        QCOMPARE(a->valueInterface()->currentValue().toInt(), reads);
        a->valueInterface()->setCurrentValue(set);
        QCOMPARE(a->text(QAccessible::Value), QString::number(set));
        QCOMPARE(text(QStringLiteral("Label15")), label);
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
