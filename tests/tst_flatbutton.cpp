#include "widgets/controls/FlatButton.h"

#include <QPushButton>
#include <QtTest>

class TestFlatButton : public QObject
{
    Q_OBJECT
private slots:
    void makeFlatKeepsTabStop_data()
    {
        QTest::addColumn<Qt::FocusPolicy>("policy");
        QTest::newRow("tab stop") << Qt::StrongFocus;
        QTest::newRow("no tab stop") << Qt::ClickFocus;
        QTest::newRow("no focus") << Qt::NoFocus;
    }
    void makeFlatKeepsTabStop()
    {
        QFETCH(Qt::FocusPolicy, policy);
        QPushButton button(QStringLiteral("Рассчитать"));
        button.setFocusPolicy(policy);
        MakeFlat(&button);
        QVERIFY(button.isFlat());
        QCOMPARE(button.focusPolicy(), policy);
    }
};

QTEST_MAIN(TestFlatButton)
#include "tst_flatbutton.moc"
