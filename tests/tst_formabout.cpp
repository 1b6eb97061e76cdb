#include "core/app/BuildConfig.h"
#include "core/app/BuildInfo.h"
#include "widgets/controls/BannerPicture.h"
#include "widgets/controls/LinkLabel.h"
#include "widgets/support/AppFonts.h"
#include "windows/about/FormAbout.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

// Catches the addresses the window hands to the desktop.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class TestFormAbout : public QObject
{
    Q_OBJECT

    QPixmap lit, plain;
    UrlCatcher catcher;

    static LinkLabel* link(const FormAbout& w, int index)
    {
        for (auto* l : w.findChildren<LinkLabel*>(QStringLiteral("Mail")))
            if (l->index() == index)
                return l;
        return nullptr;
    }
    static QColor shownAt(const FormAbout& w, int x)
    {
        return w.findChild<BannerPicture*>(QStringLiteral("Picture5"))
            ->picture()
            .toImage()
            .pixelColor(x, 10);
    }

private slots:
    void initTestCase()
    {
        AppFonts::registerTahoma();
        lit = QPixmap(258, 52);
        lit.fill(Qt::red);
        plain = QPixmap(258, 52);
        plain.fill(Qt::blue);
        for (const char* scheme : {"https", "http", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher, "open");
    }

    void contents()
    {
        FormAbout w(nullptr, lit, plain);
        QCOMPARE(w.windowTitle(), QStringLiteral("О программе \"Kalder Vitalon\""));
        QCOMPARE(w.width(), 352);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label3"))->text(), VersionString());
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label5"))->text(), AuthorsString());
        QVERIFY(link(w, 0)->toolTip().startsWith(QLatin1String("mailto:")));
        QVERIFY(link(w, 1)->toolTip().startsWith(QLatin1String("http")));
        QVERIFY(w.findChild<QPushButton*>(QStringLiteral("Command2"))->isFlat());
    }

    // The band goes on where the last opening of the window left it.
    void sweepOutlivesTheWindow()
    {
        const float start = FormAbout::sweepX();
        {
            FormAbout w(nullptr, lit, plain);
            w.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
            for (int i = 0; i < 3; ++i)
                w.sweepTick();
        }
        QCOMPARE(FormAbout::sweepX(), start + 180.0f);
        FormAbout again(nullptr, lit, plain);
        again.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        again.sweepTick();
        const int litPx = static_cast<int>((start + 180) / 15);
        QCOMPARE(shownAt(again, litPx + 1), QColor(Qt::red));
        QCOMPARE(shownAt(again, litPx - 3), QColor(Qt::blue));
        QCOMPARE(FormAbout::sweepX(), start + 240.0f);
    }

    void linksHoverPressRelease()
    {
        FormAbout w(nullptr, lit, plain);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        LinkLabel* site = link(w, 1);
        LinkLabel* mail = link(w, 0);
        const QColor blue(0, 0, 255), red(255, 0, 0);
        // Blue and underlined before any move; underlined whatever happens after.
        const auto bothUnderlined = [&] { return site->underlined() && mail->underlined(); };
        QVERIFY(bothUnderlined());
        QCOMPARE(site->color(), blue);

        QTest::mouseMove(site, site->rect().center());
        QTRY_COMPARE(site->color(), red);
        QCOMPARE(mail->color(), blue);
        QVERIFY(bothUnderlined());

        QTest::mouseMove(mail, mail->rect().center());
        QTRY_COMPARE(mail->color(), red);
        QCOMPARE(site->color(), blue);
        QVERIFY(bothUnderlined());

        catcher.opened.clear();
        QTest::mousePress(mail, Qt::LeftButton, {}, mail->rect().center());
        QCOMPARE(mail->color(), w.palette().color(QPalette::Highlight));
        QCOMPARE(catcher.opened.size(), 1);
        QCOMPARE(catcher.opened.first().scheme(), QStringLiteral("mailto"));
        QTest::mouseRelease(mail, Qt::LeftButton, {}, mail->rect().center());
        QCOMPARE(mail->color(), blue);
        QVERIFY(bothUnderlined());
        // The window's background makes them plain: blue, still underlined.
        QTest::mouseMove(site, site->rect().center());
        QTRY_COMPARE(site->color(), red);
        QTest::mouseMove(&w, QPoint(3, w.height() - 3));
        QTRY_COMPARE(site->color(), blue);
        QVERIFY(bothUnderlined());

        QTest::mousePress(site, Qt::LeftButton, {}, site->rect().center());
        QCOMPARE(catcher.opened.size(), 2);
        QCOMPARE(catcher.opened.last(), QUrl(site->toolTip()));
    }

    // The mail link opens the address it shows, as a valid mailto address: a display name in
    // front of the address would make it no URL at all.
    void mailLinkOpensTheAddress()
    {
        FormAbout w(nullptr, lit, plain);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        LinkLabel* mail = link(w, 0);
        QCOMPARE(mail->text(), QStringLiteral(VITALON_MAIL_TEXT));
        const QUrl target(mail->toolTip(), QUrl::StrictMode);
        QVERIFY2(target.isValid(), qPrintable(target.errorString()));
        catcher.opened.clear();
        QTest::mousePress(mail, Qt::LeftButton, {}, mail->rect().center());
        QTest::mouseRelease(mail, Qt::LeftButton, {}, mail->rect().center());
        QCOMPARE(catcher.opened.size(), 1);
        const QUrl opened = catcher.opened.first();
        QVERIFY(opened.isValid());
        QCOMPARE(opened.scheme(), QStringLiteral("mailto"));
        QCOMPARE(opened.path(), QStringLiteral(VITALON_MAIL_TEXT));
        QCOMPARE(opened.toString(QUrl::FullyEncoded), QStringLiteral("mailto:" VITALON_MAIL_TEXT));

        // A target that is no valid address is not guessed at: nothing opens.
        mail->setToolTip(QStringLiteral("mailto:Kalder Programming <" VITALON_MAIL_TEXT ">"));
        QTest::mousePress(mail, Qt::LeftButton, {}, mail->rect().center());
        QTest::mouseRelease(mail, Qt::LeftButton, {}, mail->rect().center());
        QCOMPARE(catcher.opened.size(), 1);
    }

    // The window opens on Ok: Enter right away closes it and opens no link. Tab goes on to
    // the links in reading order (site, mail) and back to Ok.
    void firstFocusOnOk_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void firstFocusOnOk()
    {
        QFETCH(int, key);
        FormAbout w(nullptr, lit, plain);
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* ok = w.findChild<QPushButton*>(QStringLiteral("Command2"));
        QTRY_COMPARE(QApplication::focusWidget(), ok);

        QList<QWidget*> chain;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            chain << QApplication::focusWidget();
        }
        QCOMPARE(chain, (QList<QWidget*>{link(w, 1), link(w, 0), ok}));

        catcher.opened.clear();
        QTest::keyClick(ok, Qt::Key(key));
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(catcher.opened.size(), 0);
    }

    // On the middle of the screen, wherever the main window stands.
    void centredOnTheScreen()
    {
        QWidget main;
        main.setGeometry(QRect(QPoint(10, 10), QSize(200, 120)));
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        FormAbout w(&main, lit, plain);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QPoint middle = main.screen()->availableGeometry().center();
        QVERIFY2((w.frameGeometry().center() - middle).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("centre (%1, %2), screen middle (%3, %4)")
                                .arg(w.frameGeometry().center().x())
                                .arg(w.frameGeometry().center().y())
                                .arg(middle.x())
                                .arg(middle.y())));
    }

    void escClosesEvenFromOk()
    {
        FormAbout w(nullptr, lit, plain);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* ok = w.findChild<QPushButton*>(QStringLiteral("Command2"));
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    }

    void okCloses()
    {
        FormAbout w(nullptr, lit, plain);
        w.show();
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    void otherKeysDoNothing()
    {
        FormAbout w(nullptr, lit, plain);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_F1);
        QTest::keyClick(&w, Qt::Key_A);
        QVERIFY(w.isVisible());
    }
};

QTEST_MAIN(TestFormAbout)
#include "tst_formabout.moc"
