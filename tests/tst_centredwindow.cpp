#include "widgets/support/CentredWindow.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QtTest>

class TestCentredWindow : public QObject
{
    Q_OBJECT
private slots:
    // The frame, margins included, has as much room left as right and above as below (to the
    // pixel an odd remainder leaves).
    void frameCentredWithItsMargins_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QMargins>("margins");
        QTest::newRow("no frame") << QRect(0, 0, 1024, 768) << QSize(728, 562) << QMargins();
        QTest::newRow("title bar and borders")
            << QRect(0, 0, 1024, 768) << QSize(728, 562) << QMargins(1, 24, 1, 1);
        QTest::newRow("panel on top, wide borders")
            << QRect(0, 28, 1920, 1052) << QSize(728, 562) << QMargins(4, 30, 4, 4);
        QTest::newRow("odd sizes")
            << QRect(10, 0, 1365, 767) << QSize(729, 561) << QMargins(3, 21, 2, 5);
        QTest::newRow("frame larger than the screen")
            << QRect(0, 0, 800, 600) << QSize(900, 700) << QMargins(1, 24, 1, 1);
    }
    void frameCentredWithItsMargins()
    {
        QFETCH(QRect, available);
        QFETCH(QSize, client);
        QFETCH(QMargins, margins);
        const QPoint at = CentredWindow::framePosition(client, margins, available);
        const QRect frame(at, client.grownBy(margins));
        const int leftRoom = frame.left() - available.left();
        const int rightRoom = available.right() - frame.right();
        const int topRoom = frame.top() - available.top();
        const int bottomRoom = available.bottom() - frame.bottom();
        QVERIFY2(qAbs(leftRoom - rightRoom) <= 1,
                 qPrintable(QStringLiteral("%1 %2").arg(leftRoom).arg(rightRoom)));
        QVERIFY2(qAbs(topRoom - bottomRoom) <= 1,
                 qPrintable(QStringLiteral("%1 %2").arg(topRoom).arg(bottomRoom)));
        // The client sits inside the frame by the margins.
        const QRect clientRect(at + QPoint(margins.left(), margins.top()), client);
        QCOMPARE(clientRect.marginsAdded(margins), frame);
    }

    // Without a window manager the frame has no margins: the window itself is centred.
    void windowCentredOnThePrimaryScreen()
    {
        QWidget window;
        window.resize(300, 200);
        CentredWindow::centre(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(window.frameGeometry().center(), available.center());
    }
};

QTEST_MAIN(TestCentredWindow)
#include "tst_centredwindow.moc"
