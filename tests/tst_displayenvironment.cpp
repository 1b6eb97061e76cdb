#include "core/app/DisplayEnvironment.h"

#include <QtTest>

class TestDisplayEnvironment : public QObject
{
    Q_OBJECT
private slots:
    // Small repaints go on the connection, unless the user chose otherwise.
    void sharedMemoryOffUnlessChosen_data()
    {
        QTest::addColumn<bool>("set");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("not set") << false << QByteArray() << QByteArray("1");
        QTest::newRow("set by the user, left as it is")
            << true << QByteArray("0") << QByteArray("0");
        QTest::newRow("user turned it off") << true << QByteArray("1") << QByteArray("1");
    }
    void sharedMemoryOffUnlessChosen()
    {
        QFETCH(bool, set);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        if (set)
            qputenv("QT_XCB_NO_MITSHM", before);
        else
            qunsetenv("QT_XCB_NO_MITSHM");
        DisplayEnvironment::prepare();
        QCOMPARE(qgetenv("QT_XCB_NO_MITSHM"), after);
    }
};

QTEST_GUILESS_MAIN(TestDisplayEnvironment)
#include "tst_displayenvironment.moc"
