#include "widgets/controls/LineElement.h"
#include "widgets/controls/Panel3d.h"
#include "widgets/support/SystemColor.h"
#include "widgets/support/Twips.h"

#include <QAccessible>
#include <QtTest>

Q_DECLARE_METATYPE(Panel3d::Line)

namespace {

QString describe(const Panel3d::Line& l)
{
    return QStringLiteral("(%1, %2)-(%3, %4)").arg(l.x1).arg(l.y1).arg(l.x2).arg(l.y2);
}

} // namespace

class TestPanel3d : public QObject
{
    Q_OBJECT
private slots:
    void edgesFollowSize_data()
    {
        QTest::addColumn<QSize>("twips");
        QTest::addColumn<Panel3d::Line>("top");
        QTest::addColumn<Panel3d::Line>("right");
        QTest::addColumn<Panel3d::Line>("bottom");
        QTest::addColumn<Panel3d::Line>("left");
        QTest::newRow("horizontal separator")
            << QSize(4965, 30) << Panel3d::Line{15, 0, 4950, 0} << Panel3d::Line{4950, 0, 4950, 15}
            << Panel3d::Line{0, 15, 4965, 15} << Panel3d::Line{0, 0, 0, 0};
        QTest::newRow("vertical separator")
            << QSize(30, 510) << Panel3d::Line{15, 0, 15, 0} << Panel3d::Line{15, 0, 15, 495}
            << Panel3d::Line{0, 495, 30, 495} << Panel3d::Line{0, 0, 0, 480};
        QTest::newRow("slider groove")
            << QSize(5595, 45) << Panel3d::Line{15, 0, 5580, 0} << Panel3d::Line{5580, 0, 5580, 30}
            << Panel3d::Line{0, 30, 5595, 30} << Panel3d::Line{0, 0, 0, 15};
    }
    void edgesFollowSize()
    {
        QFETCH(QSize, twips);
        QFETCH(Panel3d::Line, top);
        QFETCH(Panel3d::Line, right);
        QFETCH(Panel3d::Line, bottom);
        QFETCH(Panel3d::Line, left);
        Panel3d panel;
        // Sized twice, so the lines must follow a resize and not only the first size.
        panel.resize(50, 50);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.resize(Twips::size(twips.width(), twips.height()));
        QTRY_COMPARE(panel.size(), Twips::size(twips.width(), twips.height()));
        QVERIFY2(panel.line1() == top, qPrintable(describe(panel.line1())));
        QVERIFY2(panel.line3() == right, qPrintable(describe(panel.line3())));
        QVERIFY2(panel.line2() == bottom, qPrintable(describe(panel.line2())));
        QVERIFY2(panel.line4() == left, qPrintable(describe(panel.line4())));
    }

    void drawsSunkenEdgesAndHostLines()
    {
        Panel3d panel;
        QPalette pal = panel.palette();
        pal.setColor(QPalette::Dark, Qt::darkGray);
        pal.setColor(QPalette::Light, Qt::white);
        panel.setPalette(pal);
        panel.resize(8, 3);
        auto* line = new LineElement(&panel);
        line->setPoints(45, 15, -15, 15);
        line->setColor(QColor(255, 128, 0));
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        const QImage img = panel.grab().toImage();
        const QColor shadow = SystemColor::system(16, panel.palette());
        const QColor light = SystemColor::system(20, panel.palette());
        QCOMPARE(img.pixelColor(0, 0), shadow); // left edge
        QCOMPARE(img.pixelColor(4, 0), shadow); // top edge
        QCOMPARE(img.pixelColor(7, 0), light);  // right edge
        QCOMPARE(img.pixelColor(7, 1), light);  // right edge
        QCOMPARE(img.pixelColor(0, 2), light);  // bottom edge spans the width
        QCOMPARE(img.pixelColor(7, 2), light);
        QCOMPARE(img.pixelColor(0, 1), QColor(255, 128, 0)); // host line over the left edge
        QCOMPARE(img.pixelColor(3, 1), QColor(255, 128, 0));
        QVERIFY(img.pixelColor(5, 1) != QColor(255, 128, 0));
    }

    void pressRaisesMouseDown_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("state");
        QTest::newRow("left") << Qt::LeftButton << 1;
        QTest::newRow("right") << Qt::RightButton << 2;
        QTest::newRow("middle") << Qt::MiddleButton << 4;
    }
    void pressRaisesMouseDown()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, state);
        Panel3d panel;
        panel.resize(100, 3);
        QSignalSpy down(&panel, &Panel3d::MouseDown);
        QTest::mousePress(&panel, button, {}, QPoint(10, 2));
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.at(0).at(0).toInt(), state);
        QCOMPARE(down.at(0).at(1).toFloat(), 150.0f);
        QCOMPARE(down.at(0).at(2).toFloat(), 30.0f);
    }

    void separatorToAssistiveTechnology()
    {
        Panel3d panel;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&panel);
        QVERIFY(a);
        QCOMPARE(a->role(), QAccessible::Separator);
    }
};

QTEST_MAIN(TestPanel3d)
#include "tst_panel3d.moc"
