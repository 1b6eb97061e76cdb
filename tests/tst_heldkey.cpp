// A key held down acts once: the repeats of a held Enter or Space press a link once, and a
// window that appears while the key is down is not answered by them.
#include "ModalProbe.h"
#include "StoreFolder.h"
#include "WindowStores.h"
#include "widgets/controls/LinkLabel.h"
#include "widgets/support/AppFonts.h"
#include "widgets/support/ButtonEnterKey.h"
#include "windows/about/FormAbout.h"
#include "windows/mainwindow/Form1.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

namespace {

QString textOf(Qt::Key key)
{
    return key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r");
}

// The key events of a held key as the platform sends them to the active window: the press,
// then for every repeat a release and a press marked as repeats, and at last the release. A
// busy program may miss the marks: the repeat then comes as a release and a press at the same
// moment of the display's clock.
void keyDown(QWindow* window, Qt::Key key)
{
    // A press by hand comes later than the last release, never at the same moment.
    QTest::qWait(2);
    QTest::simulateEvent(window, true, key, Qt::NoModifier, textOf(key), false);
}
void keyRepeats(QWindow* window, Qt::Key key, int times, bool unmarked)
{
    static quint64 clock = 1000000;
    for (int i = 0; i < times; ++i) {
        if (!unmarked) {
            QTest::simulateEvent(window, false, key, Qt::NoModifier, textOf(key), true);
            QTest::simulateEvent(window, true, key, Qt::NoModifier, textOf(key), true);
            continue;
        }
        clock += 40;
        for (QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
            QKeyEvent event(type, key, Qt::NoModifier, textOf(key));
            event.setTimestamp(clock);
            QCoreApplication::sendEvent(window, &event);
        }
    }
}
void keyUp(QWindow* window, Qt::Key key)
{
    QTest::simulateEvent(window, false, key, Qt::NoModifier, textOf(key), false);
}

// What happened to a modal window that appeared while the key was down.
struct HeldOver
{
    QString title;
    bool active = false;
    bool stayedOpen = false;
};

// When the next modal window shows, the held key repeats and is let go on it.
HeldOver* holdOverNextModal(Qt::Key key, bool unmarked)
{
    auto* seen = new HeldOver;
    onNextModal([seen, key, unmarked](QWidget* modal) {
        if (!modal)
            return;
        seen->title = modal->windowTitle();
        seen->active = QTest::qWaitForWindowActive(modal);
        keyRepeats(modal->windowHandle(), key, 5, unmarked);
        QCoreApplication::processEvents();
        const bool openThroughRepeats = modal->isVisible();
        keyUp(modal->windowHandle(), key);
        QCoreApplication::processEvents();
        seen->stayedOpen = openThroughRepeats && modal->isVisible();
    });
    return seen;
}

// Catches the addresses the links hand to the desktop.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

} // namespace

class TestHeldKey : public QObject
{
    Q_OBJECT

    UrlCatcher catcher;

    static void keys(bool withSpace = true)
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<bool>("unmarked"); // repeats the platform did not mark as such
        QTest::newRow("Return") << Qt::Key_Return << false;
        QTest::newRow("Return, repeats unmarked") << Qt::Key_Return << true;
        QTest::newRow("keypad Enter") << Qt::Key_Enter << false;
        if (!withSpace)
            return;
        QTest::newRow("Space") << Qt::Key_Space << false;
        QTest::newRow("Space, repeats unmarked") << Qt::Key_Space << true;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        AppFonts::registerTahoma();
        for (const char* scheme : {"https", "http", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher, "open");
    }

    void linkActsOnce_data() { keys(); }
    void linkActsOnce()
    {
        QFETCH(Qt::Key, key);
        QFETCH(bool, unmarked);
        QWidget window;
        auto* link = new LinkLabel(QStringLiteral("О программе"), 1, &window);
        int activated = 0, released = 0;
        connect(link, &LinkLabel::activated, [&activated] { ++activated; });
        connect(link, &LinkLabel::released, [&released] { ++released; });
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        link->setFocus(Qt::TabFocusReason);
        keyDown(window.windowHandle(), key);
        keyRepeats(window.windowHandle(), key, 5, unmarked);
        keyUp(window.windowHandle(), key);
        QCOMPARE(activated, 1);
        QCOMPARE(released, 1);
    }

    // About's links: the address opens once, and About stays open.
    void aboutLinkOpensOnce_data() { keys(); }
    void aboutLinkOpensOnce()
    {
        QFETCH(Qt::Key, key);
        QFETCH(bool, unmarked);
        QPixmap banner(258, 52);
        banner.fill(Qt::blue);
        FormAbout about(nullptr, banner, banner);
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        const QList<LinkLabel*> links = about.findChildren<LinkLabel*>(QStringLiteral("Mail"));
        QVERIFY(!links.isEmpty());
        catcher.opened.clear();
        for (LinkLabel* link : links) {
            link->setFocus(Qt::TabFocusReason);
            keyDown(about.windowHandle(), key);
            keyRepeats(about.windowHandle(), key, 5, unmarked);
            keyUp(about.windowHandle(), key);
            QVERIFY(about.isVisible());
        }
        QCOMPARE(catcher.opened.size(), links.size());
    }

    // The main window's link opens About on the press; the repeats and the release that
    // follow reach About, which must stay open, and no second About opens.
    void mainWindowLinkOpensAboutOnce_data() { keys(); }
    void mainWindowLinkOpensAboutOnce()
    {
        QFETCH(Qt::Key, key);
        QFETCH(bool, unmarked);
        StoreFolder store;
        QVERIFY(store.isValid());
        store.useForNativeStore();
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        form.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.findChild<LinkLabel*>(QStringLiteral("Mail"))->setFocus(Qt::TabFocusReason);
        std::unique_ptr<HeldOver> about(holdOverNextModal(key, unmarked));
        keyDown(form.windowHandle(), key);
        QTRY_VERIFY(!about->title.isEmpty());
        QVERIFY(about->title.startsWith(QStringLiteral("О программе")));
        QVERIFY(about->active);
        QVERIFY(about->stayedOpen);
        QTest::qWait(50);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // A question a button asks on Enter is not answered by the repeats of that Enter.
    void questionNotAnsweredByRepeats_data() { keys(false); }
    void questionNotAnsweredByRepeats()
    {
        QFETCH(Qt::Key, key);
        QFETCH(bool, unmarked);
        ButtonEnterKey::install();
        QWidget window;
        auto* save = new QPushButton(QStringLiteral("Сохранить"), &window);
        int asked = 0;
        connect(save, &QPushButton::clicked, [&window, &asked] {
            ++asked;
            QMessageBox::question(&window, QStringLiteral("Kalder Vitalon"),
                                  QStringLiteral("Заменить?"));
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        save->setFocus(Qt::TabFocusReason);
        std::unique_ptr<HeldOver> question(holdOverNextModal(key, unmarked));
        keyDown(window.windowHandle(), key);
        QTRY_VERIFY(!question->title.isEmpty());
        QVERIFY(question->active);
        QVERIFY(question->stayedOpen);
        QCOMPARE(asked, 1);
    }
};

QTEST_MAIN(TestHeldKey)
#include "tst_heldkey.moc"
