#include "core/report/ReportFileName.h"

#include <QtTest>

class TestReportFileName : public QObject
{
    Q_OBJECT
private slots:
    void proposedName_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("expected");
        const QString tail = QStringLiteral(" — 10.12.2026.pdf");
        QTest::newRow("plain") << "Иван" << QStringLiteral("Иван") + tail;
        QTest::newRow("blanks inside stay")
            << "Иван Петров" << QStringLiteral("Иван Петров") + tail;
        QTest::newRow("slash") << "Иван/Пётр" << QStringLiteral("Иван_Пётр") + tail;
        QTest::newRow("every refused character")
            << "a/b\\c:d*e?f\"g<h>i|j" << QStringLiteral("a_b_c_d_e_f_g_h_i_j") + tail;
        QTest::newRow("control characters") << QStringLiteral("a\tb\nc\x7f") << "a_b_c_" + tail;
        QTest::newRow("hidden file on Linux") << "..Иван" << QStringLiteral("Иван") + tail;
        QTest::newRow("blanks and dots at the ends")
            << "  Иван .  " << QStringLiteral("Иван") + tail;
        QTest::newRow("only refused") << "///"
                                      << "___" + tail;
        QTest::newRow("empty") << "" << QStringLiteral("без имени") + tail;
        QTest::newRow("only dots") << "..." << QStringLiteral("без имени") + tail;
        QTest::newRow("device name") << "CON"
                                     << "_CON" + tail;
        QTest::newRow("device name with extension") << "lpt1.txt"
                                                    << "_lpt1.txt" + tail;
        QTest::newRow("device name inside") << "CONTRA"
                                            << "CONTRA" + tail;
    }
    void proposedName()
    {
        QFETCH(QString, profile);
        QFETCH(QString, expected);
        QCOMPARE(ReportFileName(profile, QDate(2026, 12, 10)), expected);
    }

    // However long the name, the file name stays within what file systems take, is cut at a
    // whole character and keeps its date and extension.
    void longNamesCut_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("Cyrillic") << QString(300, QChar(u'Ж')) << "pdf";
        QTest::newRow("outside the BMP") << QString::fromUtf8("😀").repeated(100) << "pdf";
        QTest::newRow("a blank at the cut") << QStringLiteral("Жж ").repeated(80) << "pdf";
        QTest::newRow("a longer suffix") << QString(300, QChar(u'Ж')) << "csv.backup";
    }
    void longNamesCut()
    {
        QFETCH(QString, profile);
        QFETCH(QString, suffix);
        const QString name = ReportFileName(profile, QDate(2026, 1, 2), suffix);
        const QString tail = QStringLiteral(" — 02.01.2026.") + suffix;
        QVERIFY(name.toUtf8().size() <= 255);
        QVERIFY(name.toUtf8().size() > 240);
        QVERIFY(name.endsWith(tail));
        QVERIFY(profile.startsWith(name.left(name.size() - tail.size())));
        QCOMPARE(QString::fromUtf8(name.toUtf8()), name); // no half of a surrogate pair
        QVERIFY(!name.contains(QStringLiteral("  —")));
    }
};

QTEST_GUILESS_MAIN(TestReportFileName)
#include "tst_reportfilename.moc"
