#include "core/app/DisplayLocale.h"
#include "core/app/QtTranslation.h"
#include "widgets/charts/AgeDifferenceScale.h"
#include "widgets/charts/AgeDifferenceScaleWidget.h"
#include "widgets/charts/ChartStyle.h"
#include "widgets/charts/HistoryChart.h"
#include "widgets/charts/HistoryChartWidget.h"
#include "widgets/support/AppFonts.h"

#include <QAccessible>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>
#include <QtTest>

Q_DECLARE_METATYPE(QVector<HistoryPoint>)

namespace {

const QString Minus = QStringLiteral("\u2212");

QPalette testPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0xf0, 0xf0, 0xf0));
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Highlight, QColor(0x30, 0x78, 0xc8));
    return p;
}

// A painting of `draw` into an image of `size` logical pixels at a device-pixel ratio, on the
// palette's window colour, with the interface font.
template <typename Draw> QImage painted(QSize size, double ratio, Draw draw)
{
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(testPalette().color(QPalette::Window));
    QPainter painter(&image);
    painter.setFont(AppFonts::tahoma());
    draw(painter);
    return image;
}

QFontMetricsF interfaceMetrics(const QImage& image)
{
    return QFontMetricsF(AppFonts::tahoma(), &image);
}

// The pixel at a logical point, read at the image's device pixels.
QColor at(const QImage& image, double x, double y)
{
    const double r = image.devicePixelRatio();
    return image.pixelColor(static_cast<int>(std::floor(x * r)),
                            static_cast<int>(std::floor(y * r)));
}

HistoryPoint point(const QDateTime& when, double ba, double pba, int age)
{
    return HistoryPoint{when, FixedPoint::fromDouble(ba), FixedPoint::fromDouble(pba), age};
}

const QDateTime Start(QDate(2026, 2, 1), QTime(10, 0));

void ratioRows()
{
    QTest::addColumn<double>("ratio");
    QTest::newRow("1") << 1.0;
    QTest::newRow("2") << 2.0;
}

} // namespace

class TestCharts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(AppFonts::registerTahoma()); }

    void scaleText_data()
    {
        QTest::addColumn<qint64>("difference");
        QTest::addColumn<QString>("text");
        QTest::newRow("faster") << qint64(202300)
                                << QStringLiteral("Разница 20,23 года: ускоренное старение");
        QTest::newRow("−3 is slower")
            << qint64(-30000) << "Разница " + Minus + "3 года: замедленное старение";
        QTest::newRow("just below 3")
            << qint64(29999)
            << QStringLiteral(
                   "Разница 2,9999 года: соответствие биологического возраста календарному");
        QTest::newRow("−30 is on the scale")
            << qint64(-300000) << "Разница " + Minus + "30 лет: замедленное старение";
        QTest::newRow("30 is off it")
            << qint64(300000) << QStringLiteral("Разница 30 лет, за краем шкалы: нет описания");
        QTest::newRow("far below")
            << qint64(-920000) << "Разница " + Minus + "92 года, за краем шкалы: нет описания";
    }
    void scaleText()
    {
        QFETCH(qint64, difference);
        QFETCH(QString, text);
        QCOMPARE(AgeDifferenceScale::textEquivalent(FixedPoint::fromRaw(difference)), text);
    }

    // Each band is one colour to its outermost device pixels, with the window around it.
    void scaleBandsAreCrisp_data() { ratioRows(); }
    void scaleBandsAreCrisp()
    {
        QFETCH(double, ratio);
        const QColor window = testPalette().color(QPalette::Window);
        const QRectF area(0.5, 0.25, 351, 90); // off the pixel grid on purpose
        const QImage image = painted(QSize(360, 90), ratio, [&](QPainter& p) {
            AgeDifferenceScale::paint(p, area, FixedPoint::fromInt(-100), testPalette());
        });
        const AgeDifferenceScale::Layout l =
            AgeDifferenceScale::layout(area, interfaceMetrics(image));
        const double px = 1 / ratio;
        const double top = std::round(l.band.top() * ratio) / ratio;
        const double bottom = std::round(l.band.bottom() * ratio) / ratio;
        const int bounds[] = {-30, -9, -3, 3, 9, 30};
        QSet<QRgb> colours;
        for (int i = 0; i + 1 < 6; ++i) {
            const double from = std::round(l.xFor(FixedPoint::fromInt(bounds[i])) * ratio) / ratio;
            const double to =
                std::round(l.xFor(FixedPoint::fromInt(bounds[i + 1])) * ratio) / ratio;
            const QColor inside = at(image, (from + to) / 2, (top + bottom) / 2);
            colours.insert(inside.rgb());
            for (double y : {top + px / 2, bottom - px / 2}) {
                QCOMPARE(at(image, from + px / 2, y), inside);
                QCOMPARE(at(image, to - px / 2, y), inside);
            }
            QCOMPARE(at(image, (from + to) / 2, top - px / 2), window);
        }
        QCOMPARE(colours.size(), 5);
        QVERIFY(!colours.contains(window.rgb()));
    }

    // The legend shows a swatch of every colour on the band, beside the title of its verdict,
    // and a caption says what the scale measures.
    void scaleLegendNamesEveryBand_data() { ratioRows(); }
    void scaleLegendNamesEveryBand()
    {
        QFETCH(double, ratio);
        const QRectF area(0, 0, 360, 120);
        const QImage image = painted(QSize(360, 120), ratio, [&](QPainter& p) {
            AgeDifferenceScale::paint(p, area, FixedPoint::fromInt(100), testPalette());
        });
        const AgeDifferenceScale::Layout l =
            AgeDifferenceScale::layout(area, interfaceMetrics(image));
        // The colours inside each title's row, left of its text.
        QVector<QSet<QRgb>> swatches;
        for (const AgeDifferenceScale::Title& t : l.titles) {
            QSet<QRgb> seen;
            const double y = t.rect.center().y();
            for (double x = t.rect.left(); x < t.rect.left() + t.rect.height() * 2; x += 0.5)
                seen.insert(at(image, x, y).rgb());
            swatches.append(seen);
        }
        const int bounds[] = {-30, -9, -3, 3, 9, 30};
        const int group[] = {0, 0, 1, 2, 2};
        for (int i = 0; i < 5; ++i) {
            const double x = (l.xFor(FixedPoint::fromInt(bounds[i])) +
                              l.xFor(FixedPoint::fromInt(bounds[i + 1]))) /
                             2;
            const QRgb band = at(image, x, l.band.center().y() + 2).rgb();
            const auto title = std::find_if(l.titles.begin(), l.titles.end(),
                                            [&](const auto& t) { return t.group == group[i]; });
            QVERIFY(title != l.titles.end());
            QVERIFY2(swatches.at(int(title - l.titles.begin())).contains(band),
                     qPrintable(QString::number(bounds[i])));
        }
        QCOMPARE(l.caption.text, AgeDifferenceScale::captionText());
        QVERIFY(l.caption.text.contains(QStringLiteral("минус")));
        QVERIFY(area.contains(l.caption.rect));
        QVERIFY(l.caption.rect.top() >= l.tickLabelTop + interfaceMetrics(image).height() - 1);
        for (const AgeDifferenceScale::Title& t : l.titles)
            QVERIFY(!t.rect.intersects(l.caption.rect));
        QVERIFY(l.height <= AgeDifferenceScale::heightFor(area.width(), interfaceMetrics(image)));
    }

    // The marker stands at the difference (leaning into the band a boundary belongs to); a
    // difference no band holds gets an arrow beyond that end instead.
    void scaleMarker_data()
    {
        QTest::addColumn<qint64>("difference");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("arrow"); // -1 left, 0 none, 1 right
        for (double ratio : {1.0, 2.0}) {
            const auto row = [ratio](const char* name, qint64 d, int arrow) {
                QTest::addRow("%s @%g", name, ratio) << d << ratio << arrow;
            };
            row("faster", 202300, 0);
            row("zero", 0, 0);
            row("on −3", -30000, 0);
            row("on 3", 30000, 0);
            row("on −30", -300000, 0);
            row("far above", 1037150, 1);
            row("on 30", 300000, 1);
            row("far below", -1134500, -1);
        }
    }
    void scaleMarker()
    {
        QFETCH(qint64, difference);
        QFETCH(double, ratio);
        QFETCH(int, arrow);
        const FixedPoint d = FixedPoint::fromRaw(difference);
        const QPalette palette = testPalette();
        const QColor text = palette.color(QPalette::WindowText);
        const QColor window = palette.color(QPalette::Window);
        const QRectF area(0, 0, 360, 90);
        const QImage image = painted(QSize(360, 90), ratio, [&](QPainter& p) {
            AgeDifferenceScale::paint(p, area, d, palette);
        });
        const QFontMetricsF metrics = interfaceMetrics(image);
        const AgeDifferenceScale::Layout l = AgeDifferenceScale::layout(area, metrics);
        const double u = ChartStyle::unit(metrics);
        const QRectF band = l.band;
        const double middle = band.center().y();
        const double px = 1 / ratio;

        const double right = band.right() + u + l.arrowLength / 3;
        const double left = band.left() - u - l.arrowLength / 3;
        if (arrow == 0) {
            const double x = AgeDifferenceScale::markerX(l, d, u);
            QCOMPARE(at(image, x, middle), text);
            QVERIFY(std::abs(x - l.xFor(d)) <= 2 * u + px);
            if (difference == -30000) // −3 is slower: the marker lies left of the boundary
                QVERIFY(at(image, l.xFor(d) + u + px, middle) != text);
            if (difference == 30000)
                QVERIFY(at(image, l.xFor(d) - u - px, middle) != text);
            QCOMPARE(at(image, right, middle), window);
            QCOMPARE(at(image, left, middle), window);
        } else {
            QCOMPARE(at(image, arrow > 0 ? right : left, middle), text);
            QCOMPARE(at(image, arrow > 0 ? left : right, middle), window);
            // No marker on the band itself.
            for (double x = band.left() + px; x < band.right(); x += px)
                QVERIFY2(at(image, x, middle) != text, qPrintable(QString::number(x)));
        }
    }

    // Titles stay inside the width and apart; a wide page has room for them on one row.
    void scaleLayout_data()
    {
        QTest::addColumn<double>("width");
        QTest::newRow("narrowest") << 0.0;
        QTest::newRow("results window") << 350.0;
        QTest::newRow("page") << 700.0;
    }
    void scaleLayout()
    {
        QFETCH(double, width);
        const QImage device(1, 1, QImage::Format_ARGB32);
        const QFontMetricsF metrics = interfaceMetrics(device);
        if (width == 0)
            width = AgeDifferenceScale::minimumWidth(metrics);
        const QRectF area(10, 5, width, 100);
        const AgeDifferenceScale::Layout l = AgeDifferenceScale::layout(area, metrics);
        QCOMPARE(l.titles.size(), 3);
        QStringList texts;
        for (const AgeDifferenceScale::Title& t : l.titles) {
            texts.append(t.text);
            QVERIFY(area.contains(t.rect));
            QVERIFY(t.rect.width() > metrics.horizontalAdvance(t.text));
            for (const AgeDifferenceScale::Title& other : l.titles)
                QVERIFY(&t == &other || !t.rect.intersects(other.rect));
        }
        texts.sort();
        QCOMPARE(texts, QStringList({QStringLiteral("Замедленное старение."),
                                     QStringLiteral("Соответствие биологического возраста "
                                                    "календарному."),
                                     QStringLiteral("Ускоренное старение.")}));
        QVERIFY(l.titles.at(0).rect.left() < l.titles.at(1).rect.left()); // slower, then faster
        QVERIFY(area.left() < l.band.left() && l.band.right() < area.right());
        QVERIFY(l.height <= AgeDifferenceScale::heightFor(width, metrics));
        if (width >= 700)
            QVERIFY(AgeDifferenceScale::heightFor(width, metrics) <
                    AgeDifferenceScale::heightFor(350, metrics));
    }

    void historyText_data()
    {
        QTest::addColumn<QVector<HistoryPoint>>("points");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << QVector<HistoryPoint>{} << QStringLiteral("Записей нет");
        QTest::newRow("one") << QVector<HistoryPoint>{point(Start, 48.2, 44.4, 41)}
                             << QStringLiteral("1 запись от 01.02.26: биологический возраст "
                                               "48,2 года, полный 44,4 года, календарный 41 год");
        const QVector<HistoryPoint> three = {
            point(Start, 48, 44.4, 41), point(Start.addDays(100), 50.5, 44.4, 41),
            point(QDateTime(QDate(2026, 12, 10), QTime(9, 0)), 51, 45.03, 42)};
        const QString threeText = QStringLiteral(
            "3 записи с 01.02.26 по 10.12.26; биологический возраст от 48 до 51 года; в "
            "последней записи биологический возраст 51 год, полный 45,03 года, календарный "
            "42 года");
        QTest::newRow("three") << three << threeText;
        QTest::newRow("unsorted, with an invalid time")
            << QVector<HistoryPoint>{three[2], point(QDateTime(), 10, 10, 10), three[0], three[1]}
            << threeText;
        QVector<HistoryPoint> sameDay;
        for (int k = 0; k < 5; ++k)
            sameDay.append(point(Start.addSecs(k * 600), 48 + k, 44.4, 41));
        QTest::newRow("one day")
            << sameDay
            << QStringLiteral("5 записей за 01.02.26; биологический возраст от 48 до 52 лет; в "
                              "последней записи биологический возраст 52 года, полный 44,4 "
                              "года, календарный 41 год");
        QVector<HistoryPoint> many;
        for (int k = 0; k < 21; ++k)
            many.append(point(Start.addDays(k), -1.5, 30, 20));
        QTest::newRow("21, all alike")
            << many
            << "21 запись с 01.02.26 по 21.02.26; биологический возраст " + Minus +
                   "1,5 года; в последней записи биологический возраст " + Minus +
                   "1,5 года, полный 30 лет, календарный 20 лет";
    }
    void historyText()
    {
        QFETCH(QVector<HistoryPoint>, points);
        QFETCH(QString, text);
        QCOMPARE(HistoryChart::textEquivalent(points), text);
    }

    // The same sentences in English, their numbers and dates in the American way.
    void historyTextInEnglish_data()
    {
        QTest::addColumn<QVector<HistoryPoint>>("points");
        QTest::addColumn<QString>("text");
        QTest::newRow("one") << QVector<HistoryPoint>{point(Start, 48.2, 44.4, 41)}
                             << QStringLiteral("1 record of 2/1/26: biological age 48.2 years, "
                                               "proper 44.4 years, calendar 41 years");
        QTest::newRow("three") << QVector<HistoryPoint>{point(Start, 48, 44.4, 1),
                                                        point(Start.addDays(100), 50.5, 44.4, 1),
                                                        point(Start.addDays(300), 51, 45.03, 1)}
                               << QStringLiteral("3 records from 2/1/26 to 11/28/26; biological "
                                                 "age from 48 to 51 years; in the latest record "
                                                 "biological age 51 years, proper 45.03 years, "
                                                 "calendar 1 year");
    }
    void historyTextInEnglish()
    {
        QFETCH(QVector<HistoryPoint>, points);
        QFETCH(QString, text);
        DisplayLocale::set(UiLanguage::English, QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(installTranslations(*qApp, UiLanguage::English));
        const QString english = HistoryChart::textEquivalent(points);
        DisplayLocale::set(UiLanguage::Russian, QLocale(QLocale::Russian, QLocale::Russia));
        QVERIFY(installTranslations(*qApp, UiLanguage::Russian));
        QCOMPARE(english, text);
    }

    // Whatever the spread of the records: every record lies in the plot, the years cover all
    // three series, and the date labels are dd.MM.yy, in order, apart and inside the chart.
    void historyLayout_data()
    {
        QTest::addColumn<QVector<HistoryPoint>>("points");
        QTest::addColumn<double>("width");
        QVector<HistoryPoint> sameInstant, sameDay, years, century, twoDays, empty;
        for (int k = 0; k < 6; ++k) {
            sameInstant.append(point(Start, 40 + k, 44, 41));
            sameDay.append(point(Start.addSecs(k * 3000), 40 + k, 44, 41));
        }
        for (int k = 0; k < 40; ++k)
            years.append(point(Start.addDays(k * 29), 60 - k * 0.4, 50 + k * 0.05, 50 + k / 12));
        century = {point(Start, -18.2, 21.745, 5), point(Start.addYears(100), 125.46, 69.59, 90)};
        twoDays = {point(Start, 48, 44, 41), point(Start.addDays(1), 49, 44, 41)};
        for (double width : {200.0, 360.0, 700.0}) {
            const auto row = [width](const char* name, const QVector<HistoryPoint>& points) {
                QTest::addRow("%s, %g wide", name, width) << points << width;
            };
            row("one", {point(Start, 48.2, 44.4, 41)});
            row("many at one instant", sameInstant);
            row("one day", sameDay);
            row("two days", twoDays);
            row("three years", years);
            row("a century", century);
            row("none", empty);
        }
    }
    void historyLayout()
    {
        QFETCH(QVector<HistoryPoint>, points);
        QFETCH(double, width);
        const QImage device(1, 1, QImage::Format_ARGB32);
        const QFontMetricsF metrics = interfaceMetrics(device);
        const QRectF area(5, 5, width, 200);
        const HistoryChart::Layout l = HistoryChart::layout(area, points, metrics);
        QVERIFY(area.contains(l.plot));
        for (const QRectF& entry : l.legend)
            QVERIFY(area.contains(entry) && !entry.intersects(l.plot));

        if (points.isEmpty()) {
            QVERIFY(l.dateTicks.isEmpty() && l.yearTicks.isEmpty());
            return;
        }
        for (const HistoryPoint& p : points) {
            for (double years :
                 {p.biologicalAge.toDouble(), p.properAge.toDouble(), double(p.calendarAge)}) {
                QVERIFY(l.lowYears <= years && years <= l.highYears);
                // Clear of the axes by at least a marker's half.
                const QPointF at = l.pointAt(p.when, years);
                const double u = ChartStyle::unit(metrics);
                QVERIFY(l.plot.contains(at));
                QVERIFY2(at.y() - l.plot.top() >= 4 * u && l.plot.bottom() - at.y() >= 4 * u,
                         qPrintable(QString::number(years)));
            }
        }
        QVERIFY(l.yearTicks.size() >= 2);
        for (int i = 1; i < l.yearTicks.size(); ++i)
            QVERIFY(l.yearTicks[i].position < l.yearTicks[i - 1].position - metrics.height());

        QVERIFY(!l.dateTicks.isEmpty());
        const QRegularExpression shortDate(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d\\d$"));
        double previousRight = area.left();
        for (const HistoryChart::Tick& tick : l.dateTicks) {
            QVERIFY2(shortDate.match(tick.label).hasMatch(), qPrintable(tick.label));
            const double half = metrics.horizontalAdvance(tick.label) / 2;
            QVERIFY(tick.position >= l.plot.left() && tick.position <= l.plot.right());
            QVERIFY(tick.position - half >= previousRight);
            QVERIFY(tick.position + half <= area.right());
            previousRight = tick.position + half;
        }
    }

    // Whatever the rectangle and the values, the year axis is worked out with a bounded number
    // of ticks (a plot a few lines high once never finished), and they cover the values.
    void historyAxisEnds_data()
    {
        QTest::addColumn<QVector<HistoryPoint>>("points");
        QTest::addColumn<double>("height");
        const QVector<HistoryPoint> straddling = {point(Start, -1.5, 0.5, 1),
                                                  point(Start.addDays(9), 2.25, -3, 4)};
        const QVector<HistoryPoint> huge = {
            {Start, FixedPoint::fromRaw(std::numeric_limits<qint64>::min() / 2),
             FixedPoint::fromRaw(std::numeric_limits<qint64>::max() / 2), 0},
            point(Start.addYears(500), 0, 0, std::numeric_limits<int>::max())};
        const QVector<HistoryPoint> rows[] = {{},
                                              {point(Start, 48.2, 44.4, 41)},
                                              {point(Start, -7.5, -20, -3)},
                                              {point(Start, 0, 0, 0), point(Start, 0, 0, 0)},
                                              {point(Start, 40, 40, 40)},
                                              straddling,
                                              huge};
        const char* names[] = {"none",  "one",          "negative",  "all zero",
                               "equal", "straddling 0", "huge range"};
        for (double height : {0.0, 1.0, 40.0, 60.0, 80.0, 400.0}) {
            for (size_t i = 0; i < std::size(rows); ++i)
                QTest::addRow("%s, %g high", names[i], height) << rows[i] << height;
        }
    }
    void historyAxisEnds()
    {
        QFETCH(QVector<HistoryPoint>, points);
        QFETCH(double, height);
        const QImage device(1, 1, QImage::Format_ARGB32);
        const QFontMetricsF metrics = interfaceMetrics(device);
        const HistoryChart::Layout l =
            HistoryChart::layout(QRectF(0, 0, 360, height), points, metrics);
        const int most = std::max(3, int(l.plot.height() / (metrics.height() * 1.5)) + 1);
        QVERIFY2(l.yearTicks.size() <= most, qPrintable(QString::number(l.yearTicks.size())));
        QVERIFY(l.dateTicks.size() <= 360);
        if (points.isEmpty())
            return;
        QVERIFY(l.yearTicks.size() >= 2);
        QVERIFY(l.lowYears < l.highYears);
        for (const HistoryPoint& p : points) {
            for (double years :
                 {p.biologicalAge.toDouble(), p.properAge.toDouble(), double(p.calendarAge)})
                QVERIFY(l.lowYears <= years && years <= l.highYears);
        }
    }

    // A single record is a mark in each series' colour at its place, at either ratio, and the
    // rules are sharp.
    void historyOnePointDraws_data() { ratioRows(); }
    void historyOnePointDraws()
    {
        QFETCH(double, ratio);
        const QVector<HistoryPoint> one = {point(Start, 58, 44.4, 30)};
        const QPalette palette = testPalette();
        const QRectF area(0, 0, 360, 200);
        const QImage image = painted(QSize(360, 200), ratio, [&](QPainter& p) {
            HistoryChart::paint(p, area, one, palette);
        });
        const HistoryChart::Layout l = HistoryChart::layout(area, one, interfaceMetrics(image));
        const QPointF biological = l.pointAt(Start, 58);
        const QPointF proper = l.pointAt(Start, 44.4);
        const QPointF calendar = l.pointAt(Start, 30);
        QCOMPARE(at(image, biological.x(), biological.y()).rgb(),
                 HistoryChart::seriesColour(HistoryChart::Biological, palette).rgb());
        QCOMPARE(at(image, proper.x(), proper.y()).rgb(),
                 HistoryChart::seriesColour(HistoryChart::Proper, palette).rgb());
        QCOMPARE(at(image, calendar.x(), calendar.y()).rgb(),
                 HistoryChart::seriesColour(HistoryChart::Calendar, palette).rgb());
        // The axis is one sharp device column with the bare plot beside it.
        const double px = 1 / ratio;
        const double edge = std::round(l.plot.left() * ratio) / ratio;
        const double y = (biological.y() + proper.y()) / 2 + 0.5;
        const QColor axis = at(image, edge - px / 2, y);
        QVERIFY(axis != palette.color(QPalette::Base));
        QCOMPARE(at(image, edge - px / 2, l.plot.top() + 2), axis);
        const double u = ChartStyle::unit(interfaceMetrics(image));
        QCOMPARE(at(image, edge - u + px / 2, y), axis);
        QCOMPARE(at(image, edge - u - px / 2, y), palette.color(QPalette::Window));
        QCOMPARE(at(image, edge + px / 2, y), palette.color(QPalette::Base));
    }

    // A known pace lays its trend line over the chart from the first record to the last, where
    // no series runs; an unknown one draws nothing.
    void historyTrendLine_data() { ratioRows(); }
    void historyTrendLine()
    {
        QFETCH(double, ratio);
        QList<HistoryEntry> entries;
        QVector<HistoryPoint> points;
        for (int i = 0; i < 3; ++i) {
            HistoryEntry e;
            e.recordedAt = Start.addSecs(qint64(180) * 24 * 60 * 60 * i);
            e.biologicalAge = FixedPoint::fromInt(i == 1 ? 60 : 50);
            entries.append(e);
            points.append({e.recordedAt, e.biologicalAge, FixedPoint::fromInt(30), 20});
        }
        const AgingPace pace = AgingPace::of(entries);
        QVERIFY(pace.isKnown());
        const QPalette palette = testPalette();
        const QRectF area(0, 0, 360, 200);
        const auto draw = [&](const AgingPace& shown) {
            return painted(QSize(360, 200), ratio, [&](QPainter& p) {
                HistoryChart::paint(p, area, points, palette);
                HistoryChart::paintTrend(p, area, points, shown, palette);
            });
        };
        const QImage with = draw(pace);
        const QImage without = draw(AgingPace());
        const HistoryChart::Layout l = HistoryChart::layout(area, points, interfaceMetrics(with));
        // Records evenly spaced, the middle one higher: level at the mean, 53 1/3, between the
        // first record and the middle one.
        int onLine = 0;
        const int samples = 40;
        for (int i = 0; i < samples; ++i) {
            const QDateTime when = Start.addSecs(qint64(i + 1) * 60 * 60 * 24 * 150 / samples);
            const QPointF on = l.pointAt(when, pace.trendAt(when));
            QCOMPARE(on.y(), l.pointAt(when, 50 + 10.0 / 3).y());
            if (at(with, on.x(), on.y()) != at(without, on.x(), on.y()))
                ++onLine;
            const QPointF below = l.pointAt(when, 45);
            QCOMPARE(at(with, below.x(), below.y()), at(without, below.x(), below.y()));
        }
        QVERIFY2(onLine > samples / 3, qPrintable(QString::number(onLine))); // dashed
    }

    void seriesColoursDiffer()
    {
        for (const QPalette& palette : {testPalette(), QPalette(QColor(0x30, 0x30, 0x30))}) {
            const QColor a = HistoryChart::seriesColour(HistoryChart::Biological, palette);
            const QColor b = HistoryChart::seriesColour(HistoryChart::Proper, palette);
            const QColor c = HistoryChart::seriesColour(HistoryChart::Calendar, palette);
            QVERIFY(a != b && b != c && a != c);
        }
    }

    // The widgets are charts to a screen reader, named by their text equivalent, and Tab
    // reaches them.
    void widgetsReadAndReached()
    {
        QWidget host;
        host.setFont(AppFonts::tahoma());
        auto* field = new QLineEdit(&host);
        auto* scale = new AgeDifferenceScaleWidget(&host);
        auto* chart = new HistoryChartWidget(&host);
        auto* layout = new QVBoxLayout(&host);
        layout->addWidget(field);
        layout->addWidget(scale);
        layout->addWidget(chart);
        scale->setDifference(FixedPoint::fromRaw(202300));
        chart->setPoints({point(Start, 48.2, 44.4, 41)});
        host.show();
        QVERIFY(QTest::qWaitForWindowActive(&host));

        QAccessibleInterface* scaleAccess = QAccessible::queryAccessibleInterface(scale);
        QVERIFY(scaleAccess);
        QCOMPARE(scaleAccess->role(), QAccessible::Chart);
        QCOMPARE(scaleAccess->text(QAccessible::Name),
                 QStringLiteral("Разница 20,23 года: ускоренное старение"));
        QVERIFY(scaleAccess->text(QAccessible::Description).contains(QStringLiteral("от 3")));
        QAccessibleInterface* chartAccess = QAccessible::queryAccessibleInterface(chart);
        QVERIFY(chartAccess);
        QCOMPARE(chartAccess->role(), QAccessible::Chart);
        QCOMPARE(chartAccess->text(QAccessible::Name),
                 HistoryChart::textEquivalent(chart->points()));

        field->setFocus();
        QTest::keyClick(field, Qt::Key_Tab);
        QTRY_VERIFY(scale->hasFocus());
        QTest::keyClick(scale, Qt::Key_Tab);
        QTRY_VERIFY(chart->hasFocus());
        QVERIFY(scale->heightForWidth(360) >= scale->minimumSizeHint().height() / 2);
    }
};

QTEST_MAIN(TestCharts)
#include "tst_charts.moc"
