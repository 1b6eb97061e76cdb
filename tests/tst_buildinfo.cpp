#include "core/app/BuildInfo.h"

#include <QtTest>

class TestBuildInfo : public QObject
{
    Q_OBJECT
private slots:
    void versionStringHasNoLeadingZeros() { QCOMPARE(VersionString(), QStringLiteral("2.0.75")); }
};

QTEST_GUILESS_MAIN(TestBuildInfo)
#include "tst_buildinfo.moc"
