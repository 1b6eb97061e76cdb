#include "widgets/controls/FlatButton.h"
#include "widgets/support/AppStyle.h"
#include "widgets/support/DeferredIconEngine.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

enum class Control
{
    PushButton,
    FlatButton,
    ToolButton,
    TabBar,
    ReadOnlyText,
    Table
};

// Pixels of exactly the highlight colour: the focus outline is drawn in it, solid.
int highlightPixels(QWidget* widget, const QRect& area)
{
    const QImage image = widget->grab(area).toImage();
    const QRgb highlight = widget->palette().color(QPalette::Highlight).rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == highlight;
    return count;
}

QImage picture(const QIcon& icon, int extent, qreal dpr, QIcon::Mode mode)
{
    return icon.pixmap(QSize(extent, extent), dpr, mode).toImage();
}

} // namespace

Q_DECLARE_METATYPE(Control)

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

    // Reached by Tab, each kind of control that takes the focus shows it with a solid outline
    // round its edge (a tab: round the current tab).
    void focusIsShown_data()
    {
        QTest::addColumn<Control>("control");
        QTest::newRow("push button") << Control::PushButton;
        QTest::newRow("flat button") << Control::FlatButton;
        QTest::newRow("tool button in a tool bar") << Control::ToolButton;
        QTest::newRow("tab bar") << Control::TabBar;
        QTest::newRow("read-only text") << Control::ReadOnlyText;
        QTest::newRow("table") << Control::Table;
    }
    void focusIsShown()
    {
        QFETCH(Control, control);
        QApplication::setStyle(new AppStyle(QStringLiteral("Fusion")));
        QWidget host;
        auto* layout = new QVBoxLayout(&host);
        auto* before = new QLineEdit(&host);
        layout->addWidget(before);
        QWidget* target = nullptr;
        QWidget* shown = nullptr;
        QRect area;
        switch (control) {
        case Control::PushButton:
            target = new QPushButton(QStringLiteral("Закрыть"), &host);
            break;
        case Control::FlatButton: {
            auto* button = new FlatButton(QStringLiteral("Закрыть"), &host);
            MakeFlat(button);
            target = button;
            break;
        }
        case Control::ToolButton: {
            auto* bar = new QToolBar(&host);
            bar->setIconSize(QSize(16, 16));
            QPixmap icon(16, 16);
            icon.fill(Qt::darkGray);
            QWidget* button = bar->widgetForAction(bar->addAction(QIcon(icon), QString()));
            button->setFocusPolicy(Qt::TabFocus);
            target = bar;
            shown = button;
            break;
        }
        case Control::TabBar: {
            auto* tabs = new QTabWidget(&host);
            tabs->addTab(new QWidget, QStringLiteral("Ваш результат"));
            tabs->addTab(new QWidget, QStringLiteral("Разбор"));
            target = tabs;
            shown = tabs->tabBar();
            break;
        }
        case Control::ReadOnlyText: {
            auto* text = new QPlainTextEdit(QStringLiteral("Ускоренное старение."), &host);
            text->setReadOnly(true);
            target = text;
            break;
        }
        case Control::Table:
            target = new QTableWidget(2, 2, &host);
            break;
        }
        layout->addWidget(target);
        if (!shown)
            shown = target;
        host.show();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        if (auto* bar = qobject_cast<QTabBar*>(shown))
            area = bar->tabRect(0);
        else
            area = shown->rect();
        before->setFocus();
        const int without = highlightPixels(shown, area);
        QTest::keyClick(before, Qt::Key_Tab);
        QTRY_VERIFY(shown->hasFocus());
        const int with = highlightPixels(shown, area);
        QVERIFY2(with - without >= area.width() + area.height(),
                 qPrintable(QStringLiteral("%1 → %2").arg(without).arg(with)));
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
