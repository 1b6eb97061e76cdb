#include "widgets/support/WindowActivation.h"

#include <QWidget>
#include <QtTest>

class TestWindowActivation : public QObject
{
    Q_OBJECT
private slots:
    void bringToFrontRestoresMinimised()
    {
        QWidget window;
        window.showMinimized();
        QVERIFY(window.isMinimized());
        WindowActivation::bringToFront(&window);
        QVERIFY(!window.isMinimized());
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(TestWindowActivation)
#include "tst_windowactivation.moc"
