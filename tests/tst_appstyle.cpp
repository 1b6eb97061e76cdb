#include "widgets/support/AppStyle.h"
#include "widgets/support/DeferredIconEngine.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

QImage picture(const QIcon& icon, int extent, qreal dpr, QIcon::Mode mode)
{
    return icon.pixmap(QSize(extent, extent), dpr, mode).toImage();
}

} // namespace

class TestAppStyle : public QObject
{
    Q_OBJECT
private slots:
    void iconIsMadeOnceWhenFirstDrawn()
    {
        int made = 0;
        QPixmap red(16, 16);
        red.fill(Qt::red);
        QIcon icon(new DeferredIconEngine([&made, red] {
            ++made;
            return QIcon(red);
        }));
        const QIcon copy = icon;
        QCOMPARE(made, 0);

        QCOMPARE(icon.pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::red));
        QCOMPARE(icon.actualSize(QSize(32, 32)), QSize(16, 16));
        QCOMPARE(copy.pixmap(8).size(), QSize(8, 8));
        QImage painted(16, 16, QImage::Format_ARGB32_Premultiplied);
        painted.fill(Qt::white);
        {
            QPainter p(&painted);
            copy.paint(&p, painted.rect());
        }
        QCOMPARE(painted.pixelColor(3, 3), QColor(Qt::red));
        QCOMPARE(made, 1);
    }

    void emptyResultIsNull()
    {
        QIcon icon(new DeferredIconEngine([] { return QIcon(); }));
        QVERIFY(icon.isNull());
        QVERIFY(icon.pixmap(16).isNull());
    }

    // The deferred arrow shows exactly what the wrapped style draws.
    void extensionArrowMatchesBaseStyle_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("extent");
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<int>("mode");
        const int horizontal = QStyle::SP_ToolBarHorizontalExtensionButton;
        const int vertical = QStyle::SP_ToolBarVerticalExtensionButton;
        QTest::newRow("horizontal 16") << horizontal << 16 << 1.0 << int(QIcon::Normal);
        QTest::newRow("horizontal 16 disabled") << horizontal << 16 << 1.0 << int(QIcon::Disabled);
        QTest::newRow("horizontal 16 at 2x") << horizontal << 16 << 2.0 << int(QIcon::Normal);
        QTest::newRow("horizontal 10") << horizontal << 10 << 1.0 << int(QIcon::Normal);
        QTest::newRow("vertical 32") << vertical << 32 << 1.0 << int(QIcon::Active);
        QTest::newRow("vertical 16 at 1.5x") << vertical << 16 << 1.5 << int(QIcon::Normal);
    }
    void extensionArrowMatchesBaseStyle()
    {
        QFETCH(int, which);
        QFETCH(int, extent);
        QFETCH(qreal, dpr);
        QFETCH(int, mode);
        const auto pixmap = static_cast<QStyle::StandardPixmap>(which);
        const auto iconMode = static_cast<QIcon::Mode>(mode);

        std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("Fusion")));
        AppStyle style(QStringLiteral("Fusion"));
        const QIcon expected = base->standardIcon(pixmap);
        const QIcon deferred = style.standardIcon(pixmap);
        QVERIFY(!expected.isNull());
        QCOMPARE(picture(deferred, extent, dpr, iconMode),
                 picture(expected, extent, dpr, iconMode));
        QCOMPARE(deferred.availableSizes(iconMode), expected.availableSizes(iconMode));
        QCOMPARE(deferred.actualSize(QSize(extent, extent), iconMode),
                 expected.actualSize(QSize(extent, extent), iconMode));
    }

    void otherIconsComeFromBaseStyle()
    {
        std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("Fusion")));
        AppStyle style(QStringLiteral("Fusion"));
        QCOMPARE(picture(style.standardIcon(QStyle::SP_ArrowUp), 16, 1.0, QIcon::Normal),
                 picture(base->standardIcon(QStyle::SP_ArrowUp), 16, 1.0, QIcon::Normal));
    }

    // Under the program's style a tool bar's extension button carries the style's arrow.
    void toolBarExtensionButtonShowsArrow()
    {
        QApplication::setStyle(new AppStyle(QStringLiteral("Fusion")));
        std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("Fusion")));
        QToolBar bar;
        auto* extension = bar.findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
        QVERIFY(extension);
        QCOMPARE(picture(extension->icon(), 16, 1.0, QIcon::Normal),
                 picture(base->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton), 16, 1.0,
                         QIcon::Normal));
    }
};

QTEST_MAIN(TestAppStyle)
#include "tst_appstyle.moc"
