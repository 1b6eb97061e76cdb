#include "core/app/DisplayEnvironment.h"

#include <QtTest>

class TestDisplayEnvironment : public QObject
{
    Q_OBJECT
private slots:
    // Small repaints go on the connection, unless the user chose otherwise; once the display
    // is open, the environment is the user's again (the programs the links start inherit it).
    void sharedMemoryOffUnlessChosen_data()
    {
        QTest::addColumn<bool>("set");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("prepared");
        QTest::newRow("not set") << false << QByteArray() << QByteArray("1");
        QTest::newRow("set by the user, left as it is")
            << true << QByteArray("0") << QByteArray("0");
        QTest::newRow("user turned it off") << true << QByteArray("1") << QByteArray("1");
        QTest::newRow("set empty") << true << QByteArray() << QByteArray();
    }
    void sharedMemoryOffUnlessChosen()
    {
        QFETCH(bool, set);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, prepared);
        if (set)
            qputenv("QT_XCB_NO_MITSHM", before);
        else
            qunsetenv("QT_XCB_NO_MITSHM");
        const bool setHere = DisplayEnvironment::prepare();
        QCOMPARE(setHere, !set);
        QVERIFY(qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"));
        QCOMPARE(qgetenv("QT_XCB_NO_MITSHM"), prepared);
        DisplayEnvironment::release(setHere);
        QCOMPARE(qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"), set);
        QCOMPARE(qgetenv("QT_XCB_NO_MITSHM"), before);
    }
};

QTEST_GUILESS_MAIN(TestDisplayEnvironment)
#include "tst_displayenvironment.moc"
