#include "core/assessment/ComputeAssessment.h"
#include "core/assessment/YearsString.h"
#include "widgets/charts/AgeDifferenceScaleWidget.h"
#include "widgets/support/AppFonts.h"
#include "windows/results/BreakdownPage.h"
#include "windows/results/ResultForm.h"

#include <QAccessible>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

Q_DECLARE_METATYPE(AssessmentRecord)

namespace {

const QString Minus = QStringLiteral("\u2212");

// The widest texts the inputs allow, and a record whose steps change the verdict.
QVector<QPair<const char*, AssessmentRecord>> records()
{
    AssessmentRecord female;
    female.sex = Sex::Female;
    female.systolicPressure = 40;
    female.diastolicPressure = 240;
    female.bodyMass = 200;
    female.calendarAge = 90;
    female.statements[3] = 1;
    AssessmentRecord male;
    male.systolicPressure = 360;
    male.diastolicPressure = 40;
    male.calendarAge = 5;
    male.breathHold = 5;
    male.balance = 1;
    for (int i = 0; i < 24; ++i)
        male.statements[static_cast<size_t>(i)] = 1;
    male.healthRating = 3;
    AssessmentRecord boundary; // D = 3.000
    boundary.calendarAge = 40;
    boundary.breathHold = 41;
    AssessmentRecord femaleHints;
    femaleHints.sex = Sex::Female;
    femaleHints.statements[0] = 1;
    femaleHints.systolicPressure = 250;
    femaleHints.diastolicPressure = 40;
    femaleHints.bodyMass = 200;
    return {{"male defaults", AssessmentRecord()},
            {"female 40/240, 200 kg", female},
            {"male 360/40, every complaint", male},
            {"steps change the verdict", boundary},
            {"female, every hint, wide numbers", femaleHints}};
}

QStringList rowTexts(const QTableWidget* table, int row)
{
    QStringList texts;
    for (int c = 0; c < table->columnCount(); ++c)
        texts.append(table->item(row, c)->text());
    return texts;
}

} // namespace

class TestBreakdownPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(AppFonts::registerTahoma()); }

    // Put as a second tab into the results window as it is, the page shows everything in full:
    // no column cut, no row hidden, nothing past the page's edge.
    void fitsTheResultsWindow_data()
    {
        QTest::addColumn<AssessmentRecord>("record");
        for (const auto& r : records())
            QTest::newRow(r.first) << r.second;
    }
    void fitsTheResultsWindow()
    {
        QFETCH(AssessmentRecord, record);
        ResultForm form;
        auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("TabStrip1"));
        QVERIFY(tabs);
        auto* page = new BreakdownPage;
        page->setRecord(record);
        tabs->addTab(page, QStringLiteral("Разбор"));
        tabs->setCurrentWidget(page);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QTableWidget* table = page->table();
        // Each text whole in its cell, inside the style's text margins.
        const int margin = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        for (int r = 0; r < table->rowCount(); ++r) {
            for (int c = 0; c < table->columnCount(); ++c) {
                const QTableWidgetItem* item = table->item(r, c);
                const QFont font =
                    item->data(Qt::FontRole).isValid() ? item->font() : table->font();
                const int width = QFontMetrics(font).horizontalAdvance(item->text());
                QVERIFY2(width + margin <= table->visualItemRect(item).width(),
                         qPrintable(item->text()));
            }
        }
        for (int c = 0; c < table->columnCount(); ++c)
            QVERIFY(table->columnWidth(c) >= table->horizontalHeader()->sectionSizeHint(c));
        int right = 0;
        for (int c = 0; c < table->columnCount(); ++c)
            right += table->columnWidth(c);
        QVERIFY(right <= table->viewport()->width());
        QVERIFY(table->rowViewportPosition(table->rowCount() - 1) +
                    table->rowHeight(table->rowCount() - 1) <=
                table->viewport()->height());

        for (QWidget* child : page->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!child->isVisible())
                continue;
            QVERIFY2(page->rect().contains(child->geometry()), qPrintable(child->objectName()));
            if (child->hasHeightForWidth())
                QVERIFY2(child->height() >= child->heightForWidth(child->width()),
                         qPrintable(child->objectName()));
            QVERIFY(child->width() >= child->minimumSizeHint().width());
        }
    }

    void contents()
    {
        BreakdownPage page;
        page.setRecord(AssessmentRecord());
        const QTableWidget* table = page.table();
        QCOMPARE(table->rowCount(), 6);
        QCOMPARE(rowTexts(table, 0), QStringList({QStringLiteral("Постоянная"), QString(),
                                                  QStringLiteral("27"), QString()}));
        QCOMPARE(rowTexts(table, 3),
                 QStringList({QStringLiteral("Задержка дыхания"), QStringLiteral("10 сек"),
                              Minus + QStringLiteral("1,5"),
                              QStringLiteral("+10 → ") + Minus + QStringLiteral("1,5")}));
        // The total is the biological age itself.
        QCOMPARE(rowTexts(table, 5), QStringList({QStringLiteral("Биологический возраст"),
                                                  QString(), QStringLiteral("51,41"), QString()}));
        QVERIFY(table->item(5, 2)->font().bold());
        QCOMPARE(table->item(2, BreakdownPage::YearsColumn)->toolTip(),
                 QStringLiteral("110 × 0,22 = 24,2"));
        QCOMPARE(table->item(2, BreakdownPage::YearsColumn)->textAlignment(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(page.findChild<QLabel*>(QStringLiteral("ProperAge"))->text(),
                 QStringLiteral("Полный биологический возраст: 20 × 0,629 + 18,6 = 31,18 года\n"
                                "Разница биологического и полного: +20,23 года"));
        QVERIFY(page.findChild<QLabel*>(QStringLiteral("VerdictNote"))->isHidden());
        QCOMPARE(page.scale()->difference().raw(), qint64(202300));
    }

    // A lower pressure not below the upper is told in one line above the table, for either
    // sex; the terms stay as the formula has them.
    void pressureNote_data()
    {
        QTest::addColumn<int>("sex");
        QTest::addColumn<int>("systolic");
        QTest::addColumn<int>("diastolic");
        QTest::addColumn<bool>("told");
        for (Sex sex : {Sex::Male, Sex::Female}) {
            const char* name = sex == Sex::Male ? "man" : "woman";
            QTest::addRow("%s 110/80", name) << int(sex) << 110 << 80 << false;
            QTest::addRow("%s 81/80", name) << int(sex) << 81 << 80 << false;
            QTest::addRow("%s 80/80", name) << int(sex) << 80 << 80 << true;
            QTest::addRow("%s 40/240", name) << int(sex) << 40 << 240 << true;
        }
    }
    void pressureNote()
    {
        QFETCH(int, sex);
        QFETCH(int, systolic);
        QFETCH(int, diastolic);
        QFETCH(bool, told);
        AssessmentRecord record;
        record.sex = Sex(sex);
        record.systolicPressure = systolic;
        record.diastolicPressure = diastolic;
        BreakdownPage page;
        page.setRecord(record);
        const QLabel* note = page.findChild<QLabel*>(QStringLiteral("PressureNote"));
        QVERIFY(note);
        QCOMPARE(note->isHidden(), !told);
        if (told) {
            QCOMPARE(note->text(), QStringLiteral("Нижнее давление (%1) не ниже верхнего (%2): "
                                                  "проверьте введённое давление.")
                                       .arg(diastolic)
                                       .arg(systolic));
            QVERIFY(!note->text().contains(QLatin1Char('\n')));
        }
        // The total is still the calculation's own.
        const QTableWidget* table = page.table();
        QCOMPARE(table->item(table->rowCount() - 1, BreakdownPage::YearsColumn)->text(),
                 DecimalString(ComputeAssessment(record).biologicalAge));
    }

    // Steps that change the verdict are marked, and the note says to which.
    void verdictNote()
    {
        BreakdownPage page;
        AssessmentRecord boundary;
        boundary.calendarAge = 40;
        boundary.breathHold = 41;
        boundary.statements[2] = 1;
        page.setRecord(boundary);
        const QTableWidget* table = page.table();
        // The complaint takes D from 3.72 to 3, still faster; the breath from 3.72 to 2.22.
        QCOMPARE(table->item(1, BreakdownPage::StepColumn)->text(), QStringLiteral("−1 → −0,72"));
        QCOMPARE(table->item(3, BreakdownPage::StepColumn)->text(), QStringLiteral("+10 → −1,5*"));
        const QLabel* note = page.findChild<QLabel*>(QStringLiteral("VerdictNote"));
        QVERIFY(!note->isHidden());
        QCOMPARE(note->text(), QStringLiteral("* Вывод станет: «Соответствие биологического "
                                              "возраста календарному.»"));

        page.setRecord(AssessmentRecord());
        QVERIFY(note->isHidden());
        QVERIFY(!table->item(3, BreakdownPage::StepColumn)->text().endsWith('*'));
    }

    // A screen reader gets a table with column headers and whole sentences in the cells; the
    // table cannot be edited; arrows move inside it and Tab moves on to the scale.
    void readAsATable()
    {
        QWidget host;
        host.setFont(AppFonts::tahoma());
        auto* page = new BreakdownPage(&host);
        page->setRecord(AssessmentRecord());
        host.resize(360, 300);
        host.show();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        QTableWidget* table = page->table();

        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(table);
        QVERIFY(access);
        QCOMPARE(access->role(), QAccessible::Table);
        QAccessibleTableInterface* grid = access->tableInterface();
        QVERIFY(grid);
        QCOMPARE(grid->rowCount(), 6);
        QCOMPARE(grid->columnCount(), 4);
        QCOMPARE(grid->columnDescription(0), QStringLiteral("Слагаемое"));
        QCOMPARE(grid->columnDescription(BreakdownPage::StepColumn), QStringLiteral("Шаг → годы"));
        QAccessibleInterface* step = grid->cellAt(3, BreakdownPage::StepColumn);
        QVERIFY(step);
        QCOMPARE(step->text(QAccessible::Name),
                 QStringLiteral("+10 сек задержки дыхания: ") + Minus + "1,5 года");
        QCOMPARE(grid->cellAt(1, BreakdownPage::YearsColumn)->text(QAccessible::Name),
                 QStringLiteral("2,16 года"));
        QCOMPARE(grid->cellAt(5, BreakdownPage::YearsColumn)->text(QAccessible::Name),
                 QStringLiteral("51,41 года"));

        table->setFocus();
        QVERIFY(table->hasFocus());
        table->setCurrentCell(1, 0);
        QTest::keyClick(table, Qt::Key_Down);
        QCOMPARE(table->currentRow(), 2);
        QTest::keyClick(table, Qt::Key_F2);
        QTest::keyClick(table, Qt::Key_X);
        QVERIFY(table->viewport()->findChildren<QWidget*>().isEmpty()); // no editor
        QVERIFY(table->hasFocus());
        QCOMPARE(table->item(2, 0)->text(), QStringLiteral("Верхнее давление"));
        for (int r = 0; r < table->rowCount(); ++r) {
            for (int c = 0; c < table->columnCount(); ++c)
                QVERIFY(!(table->item(r, c)->flags() & Qt::ItemIsEditable));
        }

        QTest::keyClick(table, Qt::Key_Tab);
        QTRY_VERIFY(page->scale()->hasFocus());
        QAccessibleInterface* scale = QAccessible::queryAccessibleInterface(page->scale());
        QCOMPARE(scale->text(QAccessible::Name),
                 QStringLiteral("Разница 20,23 года: ускоренное старение"));
        QVERIFY(scale->text(QAccessible::Description)
                    .startsWith(QStringLiteral("Полный биологический возраст: 20 × 0,629 + 18,6 "
                                               "= 31,18 года")));
    }
};

QTEST_MAIN(TestBreakdownPage)
#include "tst_breakdownpage.moc"
