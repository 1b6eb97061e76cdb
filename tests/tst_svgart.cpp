#include "widgets/support/HandCursor.h"
#include "widgets/support/SvgArt.h"
#include "widgets/support/SvgIconEngine.h"

#include <QDirIterator>
#include <QPainter>
#include <QPixmapCache>
#include <QtTest>

class TestSvgArt : public QObject
{
    Q_OBJECT
private slots:
    // Every picture under resources/ is embedded and renders.
    void artworkIsEmbedded()
    {
        QVERIFY(QFile::exists(QStringLiteral(":/icons/app.svg")));
        QStringList pictures;
        QDirIterator it(QStringLiteral(":/"), {QStringLiteral("*.svg")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            pictures << it.next();
        QVERIFY(pictures.size() >= 13);
        for (const QString& picture : pictures) {
            const QImage image = SvgArt::pixmap(picture, QSize(16, 16), 1).toImage();
            QVERIFY2(!image.isNull(), qPrintable(picture));
            bool drawn = false;
            for (int y = 0; y < image.height() && !drawn; ++y) {
                for (int x = 0; x < image.width() && !drawn; ++x)
                    drawn = image.pixelColor(x, y).alpha() > 0;
            }
            QVERIFY2(drawn, qPrintable(picture));
        }
    }

    // Pictures are drawn ahead on another thread, possibly before the program's font is
    // registered, so their lettering is outlines. Only the stopwatch's face, drawn when its
    // window opens, sets text.
    void letteringIsOutlines()
    {
        QDirIterator it(QStringLiteral(":/"), {QStringLiteral("*.svg")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString picture = it.next();
            if (picture.startsWith(QStringLiteral(":/stopwatch/display")))
                continue;
            QFile file(picture);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(!file.readAll().contains("<text"), qPrintable(picture));
        }
    }

    void crispAtTheRatioShown_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("1") << 1.0 << QSize(24, 24);
        QTest::newRow("1.5") << 1.5 << QSize(36, 36);
        QTest::newRow("2") << 2.0 << QSize(48, 48);
    }
    void crispAtTheRatioShown()
    {
        QFETCH(qreal, ratio);
        QFETCH(QSize, pixels);
        const QPixmap picture =
            SvgArt::pixmap(QStringLiteral(":/icons/link.svg"), QSize(24, 24), ratio);
        QCOMPARE(picture.size(), pixels);
        QCOMPARE(picture.devicePixelRatio(), ratio);
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(24, 24));
        // Rendered once: the same picture comes back.
        QCOMPARE(
            SvgArt::pixmap(QStringLiteral(":/icons/link.svg"), QSize(24, 24), ratio).cacheKey(),
            picture.cacheKey());
    }

    // A picture drawn ahead on another thread is the very picture drawn when asked for.
    void preparedPictureIsTheDrawnOne_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("banner") << ":/banner/banner.svg" << QSize(258, 52) << 1.0;
        QTest::newRow("banner at 2") << ":/banner/banner-lit-en.svg" << QSize(258, 52) << 2.0;
        QTest::newRow("hand at 1.5") << ":/cursors/hand.svg" << QSize(32, 32) << 1.5;
        QTest::newRow("missing") << ":/no/such.svg" << QSize(16, 16) << 1.0;
    }
    void preparedPictureIsTheDrawnOne()
    {
        QFETCH(QString, picture);
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        QPixmapCache::clear();
        const QPixmap drawn = SvgArt::pixmap(picture, size, ratio);
        QPixmapCache::clear();
        SvgArt::prepare(picture, size, ratio);
        SvgArt::prepare(picture, size, ratio); // asked twice, drawn once
        const QPixmap prepared = SvgArt::pixmap(picture, size, ratio);
        QCOMPARE(prepared.isNull(), drawn.isNull());
        QCOMPARE(prepared.devicePixelRatio(), drawn.devicePixelRatio());
        QCOMPARE(prepared.toImage(), drawn.toImage());
    }

    // Pictures asked for ahead in a row are drawn in turn; each is the right one whatever order
    // they are taken in, and asking again once the others are done starts the drawing again.
    void preparedInARowEachTheirOwn()
    {
        const QList<std::pair<QString, QSize>> pictures{
            {QStringLiteral(":/icons/save.svg"), QSize(16, 16)},
            {QStringLiteral(":/icons/del.svg"), QSize(16, 16)},
            {QStringLiteral(":/icons/data.svg"), QSize(24, 24)},
            {QStringLiteral(":/slider/thumb.svg"), QSize(20, 10)},
            {QStringLiteral(":/no/such.svg"), QSize(16, 16)},
            {QStringLiteral(":/banner/banner.svg"), QSize(258, 52)}};
        QList<QImage> drawn;
        QPixmapCache::clear();
        for (const auto& [picture, size] : pictures)
            drawn << SvgArt::pixmap(picture, size, 2).toImage();
        QPixmapCache::clear();
        for (const auto& [picture, size] : pictures)
            SvgArt::prepare(picture, size, 2);
        for (qsizetype i = pictures.size() - 1; i >= 0; --i)
            QCOMPARE(SvgArt::pixmap(pictures[i].first, pictures[i].second, 2).toImage(), drawn[i]);

        QPixmapCache::clear();
        SvgArt::prepare(pictures[0].first, pictures[0].second, 2);
        QCOMPARE(SvgArt::pixmap(pictures[0].first, pictures[0].second, 2).toImage(), drawn[0]);
    }

    // An icon drawn ahead for a size and ratio is the one its use draws.
    void preparedIconIsTheDrawnOne()
    {
        const QString picture = QStringLiteral(":/icons/stopwatch.svg");
        QPixmapCache::clear();
        const QImage drawn = SvgArt::icon(picture).pixmap(QSize(12, 12), 1.5).toImage();
        QPixmapCache::clear();
        SvgIconEngine::prepare(picture, QSize(12, 12), 1.5);
        const QPixmap prepared = SvgArt::icon(picture).pixmap(QSize(12, 12), 1.5);
        QCOMPARE(prepared.devicePixelRatio(), 1.5);
        QCOMPARE(prepared.toImage(), drawn);
        // A window's icon is offered at the sizes drawn ahead for it.
        QCOMPARE(SvgArt::icon(picture).availableSizes(), SvgIconEngine::offeredSizes());
    }

    // Icons are drawn at the size and ratio each use asks for; a disabled one looks it.
    void iconDrawsAsAsked_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("16 at 1") << QSize(16, 16) << 1.0;
        QTest::newRow("24 at 1.5") << QSize(24, 24) << 1.5;
        QTest::newRow("16 at 2") << QSize(16, 16) << 2.0;
    }
    void iconDrawsAsAsked()
    {
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        const QIcon icon = SvgArt::icon(QStringLiteral(":/icons/save.svg"));
        QVERIFY(!icon.isNull());
        const QPixmap normal = icon.pixmap(size, ratio);
        QCOMPARE(normal.size(), size * ratio);
        QCOMPARE(normal.devicePixelRatio(), ratio);
        QCOMPARE(normal.toImage(),
                 SvgArt::pixmap(QStringLiteral(":/icons/save.svg"), size, ratio).toImage());
        const QPixmap disabled = icon.pixmap(size, ratio, QIcon::Disabled);
        QCOMPARE(disabled.size(), normal.size());
        QVERIFY(disabled.toImage() != normal.toImage());
        // Painted through a painter, as tool buttons draw it.
        QImage canvas(size * ratio, QImage::Format_ARGB32_Premultiplied);
        canvas.setDevicePixelRatio(ratio);
        canvas.fill(Qt::transparent);
        QPainter p(&canvas);
        icon.paint(&p, QRect(QPoint(0, 0), size));
        p.end();
        QImage expected = normal.toImage().convertToFormat(canvas.format());
        expected.setDevicePixelRatio(ratio);
        QCOMPARE(canvas, expected);
        QVERIFY(SvgArt::icon(QStringLiteral(":/no/such.svg")).pixmap(size, ratio).isNull());
    }

    void missingPictureIsNull()
    {
        QVERIFY(SvgArt::pixmap(QStringLiteral(":/no/such.svg"), QSize(16, 16), 1).isNull());
    }

    // Drawn onto a ground of the caller's, as the stopwatch's display is.
    void renderedOverAGround()
    {
        QImage ground(250, 75, QImage::Format_ARGB32_Premultiplied);
        ground.fill(Qt::magenta);
        QPainter p(&ground);
        SvgArt::render(p, QStringLiteral(":/stopwatch/display.svg"));
        p.end();
        // The picture covers the middle; its rounded corners leave the ground.
        QVERIFY(ground.pixelColor(125, 37) != QColor(Qt::magenta));
        QCOMPARE(ground.pixelColor(0, 0), QColor(Qt::magenta));
    }

    // The fingertip stays at the same place on the screen whatever the pixel ratio.
    void handHotSpot_data()
    {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QPoint>("hotSpot");
        QTest::newRow("X11") << "xcb" << 1.0 << QPoint(6, 0);
        QTest::newRow("X11 at 1.5") << "xcb" << 1.5 << QPoint(9, 0);
        QTest::newRow("X11 at 2") << "xcb" << 2.0 << QPoint(12, 0);
        QTest::newRow("Wayland at 2") << "wayland" << 2.0 << QPoint(6, 0);
        QTest::newRow("Windows at 2") << "windows" << 2.0 << QPoint(6, 0);
    }
    void handHotSpot()
    {
        QFETCH(QString, platform);
        QFETCH(qreal, ratio);
        QFETCH(QPoint, hotSpot);
        QCOMPARE(HandCursor::hotSpot(ratio, platform), hotSpot);
    }

    void handIsTheProgramsPicture_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1") << 1.0;
        QTest::newRow("2") << 2.0;
    }
    void handIsTheProgramsPicture()
    {
        QFETCH(qreal, ratio);
        const QCursor hand = HandCursor::make(ratio);
        QCOMPARE(hand.shape(), Qt::BitmapCursor);
        QCOMPARE(hand.pixmap().deviceIndependentSize(), QSizeF(32, 32));
        QCOMPARE(hand.pixmap().devicePixelRatio(), ratio);
        QCOMPARE(hand.hotSpot(), HandCursor::hotSpot(ratio, QGuiApplication::platformName()));
        // The finger tip is drawn at the hot spot.
        const QPoint tip = HandCursor::hotSpot(ratio, QStringLiteral("xcb"));
        QCOMPARE(hand.pixmap().toImage().pixelColor(tip).alpha(), 255);
    }
};

QTEST_MAIN(TestSvgArt)
#include "tst_svgart.moc"
