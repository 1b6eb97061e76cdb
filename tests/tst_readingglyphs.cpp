#include "widgets/support/AppFonts.h"
#include "windows/stopwatch/ReadingGlyphs.h"

#include <QPainter>
#include <QtTest>

// The reading drawn from laid-out glyphs must be the very pixels of the text drawn the
// ordinary way, and its width the text's width.
class TestReadingGlyphs : public QObject
{
    Q_OBJECT
private:
    static QFont font(const QString& family)
    {
        QFont f = family.isEmpty() ? AppFonts::tahoma() : QFont(family);
        f.setPixelSize(53);
        return f;
    }

    static QImage render(qreal dpr, const std::function<void(QPainter&)>& draw)
    {
        QImage image(QSize(260, 80) * dpr, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(dpr);
        image.fill(QColor(0xd8, 0xe4, 0xcc));
        QPainter p(&image);
        p.setPen(QColor(0x1f, 0x2a, 0x1b));
        draw(p);
        return image;
    }

private slots:
    void initTestCase() { AppFonts::registerTahoma(); }

    void sameAsShapedText_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qreal>("dpr");
        const char* texts[] = {"00:00:00", "01:05:30", "59:59:99", "11:11:11", "07:48:26"};
        for (const char* text : texts) {
            for (qreal dpr : {1.0, 2.0})
                QTest::addRow("%s at %g", text, dpr)
                    << QString() << QString::fromLatin1(text) << dpr;
        }
        // Characters outside the reading's set take the ordinary way.
        QTest::addRow("other characters") << QString() << QStringLiteral("1:00:100 сек") << 1.0;
        QTest::addRow("another font")
            << QStringLiteral("DejaVu Serif") << QStringLiteral("12:34:56") << 1.0;
    }
    void sameAsShapedText()
    {
        QFETCH(QString, family);
        QFETCH(QString, text);
        QFETCH(qreal, dpr);
        const QFont f = font(family);
        const ReadingGlyphs glyphs(f);
        const QPointF origin(17, 60);
        const QImage shaped = render(dpr, [&](QPainter& p) {
            p.setFont(f);
            p.drawText(origin, text);
        });
        const QImage laidOut = render(dpr, [&](QPainter& p) { glyphs.draw(p, origin, text); });
        QCOMPARE(laidOut, shaped);
        QCOMPARE(glyphs.advance(text), QFontMetricsF(f).horizontalAdvance(text));
        QCOMPARE(glyphs.advance(text.left(5)), QFontMetricsF(f).horizontalAdvance(text.left(5)));
    }
};

QTEST_MAIN(TestReadingGlyphs)
#include "tst_readingglyphs.moc"
