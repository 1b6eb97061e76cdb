#include "widgets/controls/LinkLabel.h"
#include "widgets/support/HandCursor.h"

#include <QAccessible>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const QColor blue(0, 0, 255);
const QColor red(255, 0, 0);

// A shown link in a window of its own, and what it said.
struct Shown
{
    QWidget window;
    LinkLabel* link = new LinkLabel(QStringLiteral("О программе"), 1, &window);
    QStringList said;

    Shown()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(link);
        QObject::connect(link, &LinkLabel::hovered,
                         [this](int i) { said << QStringLiteral("hovered %1").arg(i); });
        QObject::connect(link, &LinkLabel::activated, [this](int i) {
            // What the link shows while the press is handled.
            said << QStringLiteral("activated %1, %2").arg(i).arg(link->color().name());
        });
        QObject::connect(link, &LinkLabel::released,
                         [this](int i) { said << QStringLiteral("released %1").arg(i); });
        window.show();
    }
    QString highlight() const { return link->palette().color(QPalette::Highlight).name(); }
};

} // namespace

class TestLinkLabel : public QObject
{
    Q_OBJECT
private slots:
    void startsAsALink()
    {
        LinkLabel link(QStringLiteral("kalder-vitalon.example.org"), 0);
        QCOMPARE(link.objectName(), QStringLiteral("Mail"));
        QCOMPARE(link.property("index").toInt(), 0);
        QCOMPARE(link.look(), LinkLabel::Look::Plain);
        QCOMPARE(link.color(), blue);
        QVERIFY(link.underlined());
        QVERIFY(link.focusPolicy() & Qt::TabFocus);
        QCOMPARE(link.cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(link.cursor().hotSpot(),
                 HandCursor::hotSpot(link.devicePixelRatioF(), QGuiApplication::platformName()));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&link);
        QVERIFY(a);
        QCOMPARE(a->role(), QAccessible::Link);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("kalder-vitalon.example.org"));
    }

    void hoveredUnderThePointer()
    {
        Shown s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        QTest::mouseMove(s.window.windowHandle(), s.link->geometry().center());
        QCOMPARE(s.link->look(), LinkLabel::Look::Hovered);
        QCOMPARE(s.link->color(), red);
        QCOMPARE(s.said, QStringList({"hovered 1"}));
        // Turning plain again is the window's rule.
        s.link->setLook(LinkLabel::Look::Plain);
        QCOMPARE(s.link->color(), blue);
    }

    // Any mouse button, Enter, Space and the press action of assistive technology activate it;
    // it shows the highlight colour from then on until its window makes it plain.
    void pressedAndActivated_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("left button") << "left";
        QTest::newRow("right button") << "right";
        QTest::newRow("middle button") << "middle";
        QTest::newRow("Enter") << "Return";
        QTest::newRow("keypad Enter") << "Enter";
        QTest::newRow("Space") << "Space";
        QTest::newRow("press action") << "action";
    }
    void pressedAndActivated()
    {
        QFETCH(QString, how);
        Shown s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        QWindow* window = s.window.windowHandle();
        const QPoint at = s.link->geometry().center();
        const QMap<QString, Qt::MouseButton> buttons = {
            {"left", Qt::LeftButton}, {"right", Qt::RightButton}, {"middle", Qt::MiddleButton}};
        const QMap<QString, Qt::Key> keys = {
            {"Return", Qt::Key_Return}, {"Enter", Qt::Key_Enter}, {"Space", Qt::Key_Space}};
        if (buttons.contains(how)) {
            QTest::mousePress(window, buttons.value(how), {}, at);
            QCOMPARE(s.said, QStringList({"activated 1, " + s.highlight()}));
            QTest::mouseRelease(window, buttons.value(how), {}, at);
        } else if (keys.contains(how)) {
            QTest::keyClick(s.link, keys.value(how));
        } else {
            QAccessible::queryAccessibleInterface(s.link)->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
        }
        QCOMPARE(s.said, QStringList({"activated 1, " + s.highlight(), "released 1"}));
        QCOMPARE(s.link->look(), LinkLabel::Look::Pressed);
    }

    void otherKeysDoNothing()
    {
        Shown s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        QTest::keyClick(s.link, Qt::Key_A);
        QTest::keyClick(s.link, Qt::Key_Tab);
        QVERIFY(s.said.isEmpty());
        QCOMPARE(s.link->look(), LinkLabel::Look::Plain);
    }
};

QTEST_MAIN(TestLinkLabel)
#include "tst_linklabel.moc"
