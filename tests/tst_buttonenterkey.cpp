#include "widgets/support/ButtonEnterKey.h"

#include <QCheckBox>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

// Keeps Return and Enter from its object, as a window that sees its keys first may.
class KeepsEnter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Return || key == Qt::Key_Enter;
    }
};

} // namespace

class TestButtonEnterKey : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ButtonEnterKey::install(); }

    // The focused button in a plain window or a dialog gets a key; the dialog also has a
    // default button, which the key must not press unless it is the focused one.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("repeats");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<int>("clicks");
        const Qt::KeyboardModifiers none;
        const Qt::KeyboardModifiers keypad(Qt::KeypadModifier);
        const int ret = Qt::Key_Return;
        QTest::newRow("push button, Return") << false << "push" << ret << none << 0 << false << 1;
        QTest::newRow("push button, keypad Enter")
            << false << "push" << int(Qt::Key_Enter) << keypad << 0 << false << 1;
        QTest::newRow("tool button, Return") << false << "tool" << ret << none << 0 << false << 1;
        QTest::newRow("push button, Space still")
            << false << "push" << int(Qt::Key_Space) << none << 0 << false << 1;
        QTest::newRow("push button, Ctrl+Return")
            << false << "push" << ret << Qt::KeyboardModifiers(Qt::ControlModifier) << 0 << false
            << 0;
        QTest::newRow("check box is no button to press")
            << false << "check" << ret << none << 0 << false << 0;
        QTest::newRow("held Return: one click")
            << false << "push" << ret << none << 3 << false << 1;
        QTest::newRow("window keeps Return") << false << "push" << ret << none << 0 << true << 0;
        QTest::newRow("dialog: its own auto-default button, once")
            << true << "push" << ret << none << 0 << false << 1;
        QTest::newRow("dialog: button that is no auto-default")
            << true << "plain push" << ret << none << 0 << false << 1;
        QTest::newRow("dialog: tool button, not the default")
            << true << "tool" << int(Qt::Key_Enter) << keypad << 0 << false << 1;
        QTest::newRow("dialog keeps Enter") << true << "tool" << ret << none << 0 << true << 0;
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(bool, dialog);
        QFETCH(QString, kind);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, repeats);
        QFETCH(bool, kept);
        QFETCH(int, clicks);

        std::unique_ptr<QWidget> window(dialog ? new QDialog : new QWidget);
        QAbstractButton* button = nullptr;
        if (kind == QLatin1String("tool"))
            button = new QToolButton(window.get());
        else if (kind == QLatin1String("check"))
            button = new QCheckBox(QStringLiteral("check"), window.get());
        else
            button = new QPushButton(QStringLiteral("button"), window.get());
        if (kind == QLatin1String("plain push"))
            static_cast<QPushButton*>(button)->setAutoDefault(false);
        button->setFocusPolicy(Qt::StrongFocus);
        button->setGeometry(10, 10, 80, 24);
        auto* other = new QPushButton(QStringLiteral("default"), window.get());
        other->setGeometry(10, 40, 80, 24);
        if (dialog)
            other->setDefault(true);
        KeepsEnter keeper;
        if (kept)
            button->installEventFilter(&keeper);

        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        button->setFocus();
        QTRY_VERIFY(button->hasFocus());
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        QSignalSpy otherClicked(other, &QAbstractButton::clicked);

        if (repeats == 0) {
            QTest::keyClick(button, Qt::Key(key), modifiers);
        } else {
            QKeyEvent press(QEvent::KeyPress, key, modifiers, QStringLiteral("\r"));
            QApplication::sendEvent(button, &press);
            for (int i = 0; i < repeats; ++i) {
                QKeyEvent repeat(QEvent::KeyPress, key, modifiers, QStringLiteral("\r"), true);
                QApplication::sendEvent(button, &repeat);
            }
            QKeyEvent release(QEvent::KeyRelease, key, modifiers, QStringLiteral("\r"));
            QApplication::sendEvent(button, &release);
        }
        QCOMPARE(clicked.count(), clicks);
        QCOMPARE(otherClicked.count(), 0);
        QVERIFY(window->isVisible());
    }
};

QTEST_MAIN(TestButtonEnterKey)
#include "tst_buttonenterkey.moc"
