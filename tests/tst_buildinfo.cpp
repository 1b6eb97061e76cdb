#include "core/app/BuildInfo.h"

#include <QRegularExpression>
#include <QtTest>

class TestBuildInfo : public QObject
{
    Q_OBJECT
private slots:
    // The version comes from the project's own declaration, written without leading zeros.
    void versionIsTheProjectsVersion()
    {
        const QString version = VersionString();
        QCOMPARE(version, QStringLiteral(VITALON_PROJECT_VERSION));
        const QRegularExpression plain(QStringLiteral("^(0|[1-9][0-9]*)(\\.(0|[1-9][0-9]*)){2}$"));
        QVERIFY2(plain.match(version).hasMatch(), qPrintable(version));
    }
};

QTEST_GUILESS_MAIN(TestBuildInfo)
#include "tst_buildinfo.moc"
