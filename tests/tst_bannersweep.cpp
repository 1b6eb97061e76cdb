#include "core/geometry/BannerSweep.h"
#include "widgets/controls/BannerPicture.h"

#include <QtTest>

// Records every paint of the objects it watches, with the region painted.
class PaintLog : public QObject
{
public:
    explicit PaintLog(QList<std::pair<QObject*, QRegion>>& paints) : m_paints(paints) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            m_paints.append({watched, static_cast<QPaintEvent*>(event)->region()});
        return false;
    }

private:
    QList<std::pair<QObject*, QRegion>>& m_paints;
};

class TestBannerSweep : public QObject
{
    Q_OBJECT
private slots:
    void tick_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<QRectF>("lit");
        QTest::addColumn<QRectF>("restored");
        QTest::addColumn<float>("next");
        QTest::newRow("first tick restores nothing")
            << 0.0f << QRectF(0, 0, 60, 780) << QRectF() << 60.0f;
        QTest::newRow("second tick restores the first strip")
            << 60.0f << QRectF(60, 0, 60, 780) << QRectF(0, 0, 60, 780) << 120.0f;
        QTest::newRow("landing exactly on the width does not wrap")
            << 3810.0f << QRectF(3810, 0, 60, 780) << QRectF(3750, 0, 60, 780) << 3870.0f;
        QTest::newRow("last, partial strip wraps to 0")
            << 3840.0f << QRectF(3840, 0, 60, 780) << QRectF(3780, 0, 60, 780) << 0.0f;
    }
    void tick()
    {
        QFETCH(float, x);
        QFETCH(QRectF, lit);
        QFETCH(QRectF, restored);
        QFETCH(float, next);
        const BannerSweep::Tick t = BannerSweep::advance(x);
        QCOMPARE(t.lit, lit);
        QCOMPARE(t.restored, restored);
        QCOMPARE(x, next);
    }

    void onePassIs65Ticks()
    {
        float x = 0;
        QList<float> lits;
        do {
            lits << static_cast<float>(BannerSweep::advance(x).lit.x());
        } while (x != 0 && lits.size() < 1000);
        QCOMPARE(lits.size(), 65);
        QCOMPARE(lits.last(), 3840.0f);
    }

    // The picture shows the lit strip, the previous one restored, the rest untouched.
    void pictureCopiesOnlyTheStrips()
    {
        QPixmap plain(258, 52), lit(258, 52);
        plain.fill(Qt::blue);
        lit.fill(Qt::red);
        BannerPicture picture;
        picture.resize(258, 52);
        picture.setPicture(plain);

        float x = 0;
        picture.sweepTick(x, lit, plain);
        QImage shown = picture.picture().toImage();
        QCOMPARE(shown.pixelColor(0, 10), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(3, 51), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(4, 10), QColor(Qt::blue));

        picture.sweepTick(x, lit, plain);
        shown = picture.picture().toImage();
        QCOMPARE(shown.pixelColor(3, 10), QColor(Qt::blue));
        QCOMPARE(shown.pixelColor(4, 10), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(7, 10), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(8, 10), QColor(Qt::blue));
        QCOMPARE(x, 120.0f);
    }

    // A missing picture is skipped; the band still moves on.
    void missingPictureStillAdvances()
    {
        QPixmap plain(258, 52);
        plain.fill(Qt::blue);
        BannerPicture picture;
        picture.setPicture(plain);
        float x = 0;
        picture.sweepTick(x, QPixmap(), plain);
        picture.sweepTick(x, QPixmap(), QPixmap());
        QCOMPARE(x, 120.0f);
        QCOMPARE(picture.picture().toImage().pixelColor(1, 1), QColor(Qt::blue));
    }

    // A tick paints the two strips at once and nothing else: not the rest of the banner, not
    // the window behind it.
    void tickRepaintsOnlyTheStrips_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<QRegion>("painted");
        QTest::newRow("first tick: the lit strip alone") << 0.0f << QRegion(0, 0, 4, 52);
        QTest::newRow("lit strip and the one restored") << 600.0f << QRegion(36, 0, 8, 52);
        QTest::newRow("last, partial strip") << 3840.0f << QRegion(252, 0, 8, 52);
    }
    void tickRepaintsOnlyTheStrips()
    {
        QFETCH(float, x);
        QFETCH(QRegion, painted);
        QPixmap plain(258, 52), lit(258, 52);
        plain.fill(Qt::blue);
        lit.fill(Qt::red);
        QWidget window;
        window.resize(300, 80);
        auto* picture = new BannerPicture(&window);
        picture->setGeometry(0, 0, 300, 52);
        picture->setPicture(plain);
        QList<std::pair<QObject*, QRegion>> paints;
        PaintLog log(paints);
        window.installEventFilter(&log);
        picture->installEventFilter(&log);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(!paints.isEmpty());
        QTest::qWait(50); // let the first paint of the window settle
        paints.clear();

        picture->sweepTick(x, lit, plain);
        QCOMPARE(paints.size(), 1); // painted before the tick returns
        QCOMPARE(paints.first().first, picture);
        QCOMPARE(paints.first().second, painted);
    }

    void stripsAreCrispAtDoubleDensity()
    {
        QPixmap plain(516, 104), lit(516, 104);
        plain.fill(Qt::blue);
        lit.fill(Qt::red);
        plain.setDevicePixelRatio(2);
        lit.setDevicePixelRatio(2);
        BannerPicture picture;
        picture.setPicture(plain);
        float x = 60;
        picture.sweepTick(x, lit, plain);
        const QImage shown = picture.picture().toImage();
        QCOMPARE(shown.pixelColor(7, 5), QColor(Qt::blue));
        QCOMPARE(shown.pixelColor(8, 5), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(15, 5), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(16, 5), QColor(Qt::blue));
    }
};

QTEST_MAIN(TestBannerSweep)
#include "tst_bannersweep.moc"
