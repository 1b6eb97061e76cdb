#include "core/assessment/AgeString.h"
#include "core/assessment/AssessmentResult.h"
#include "core/assessment/ComputeAssessment.h"
#include "core/assessment/LeadingNumber.h"
#include "core/assessment/YearsString.h"
#include "core/history/HistoryStore.h"
#include "core/report/ReportFileName.h"
#include "widgets/charts/HistoryChartWidget.h"
#include "widgets/controls/Panel3d.h"
#include "widgets/support/AppFonts.h"
#include "widgets/support/Twips.h"
#include "windows/mainwindow/Form1.h"
#include "windows/results/HistoryPage.h"
#include "windows/results/ResultForm.h"

#include "MainWindowProbe.h"
#include "ModalProbe.h"
#include "PermissionsBind.h"
#include "RefusedWrites.h"
#include "ScriptedMessageBoxes.h"
#include "StoreFolder.h"
#include "WindowStores.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

enum class Trouble
{
    NoFolder,
    DiskFull,
    DiskFullDelete,
    NewerRecord,
    NewerRead,
    Unreadable
};

using Kind = ScriptedMessageBoxes::Kind;

const QDateTime calculatedAt(QDate(2026, 12, 10), QTime(14, 5));

template <typename T> T* child(const QWidget& root, const char* name)
{
    T* found = root.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

QPushButton* button(const QWidget& root, const char* name)
{
    return child<QPushButton>(root, name);
}

// Every combination of the ends of the inputs' ranges; the formulas are linear in each input,
// so their least and greatest results lie among these. Statements run from none counted (the
// complaints clear, the good-health signs marked) to all counted twice (greyed), the rating
// from "хорошее" to "очень плохое".
QVector<AssessmentRecord> rangeCorners(Sex sex)
{
    QVector<AssessmentRecord> corners;
    for (int bits = 0; bits < 1 << 7; ++bits) {
        const auto end = [bits](int bit, int low, int high) {
            return bits & (1 << bit) ? high : low;
        };
        AssessmentRecord r;
        r.sex = sex;
        r.calendarAge = end(0, 5, 90);
        r.bodyMass = end(1, 10, 200);
        r.systolicPressure = end(2, 40, 360);
        r.diastolicPressure = end(3, 40, 240);
        r.breathHold = end(4, 5, 300);
        r.balance = end(5, 1, 60);
        const bool counted = bits & (1 << 6);
        for (int i = 0; i < AssessmentRecord::StatementCount; ++i)
            r.statements[static_cast<size_t>(i)] = counted ? 2 : (i >= 24 ? 1 : 0);
        r.healthRating = counted ? 3 : 0;
        corners.append(r);
    }
    return corners;
}

QString boxesSaid(const ScriptedMessageBoxes& boxes)
{
    QStringList said;
    for (const auto& shown : boxes.shown())
        said << shown.text;
    return said.join(QStringLiteral(" | "));
}

QStringList rowTexts(const QTableWidget* table, int row)
{
    QStringList texts;
    for (int c = 0; c < table->columnCount(); ++c)
        texts.append(table->item(row, c)->text());
    return texts;
}

HistoryEntry entryAt(const QString& name, const QDateTime& when, int breathHold,
                     int calendarAge = 20)
{
    AssessmentRecord r;
    r.breathHold = breathHold;
    r.calendarAge = calendarAge;
    return HistoryEntry::fromAssessment(name, r, ComputeAssessment(r), when);
}

// A results window filled as the main window fills it.
struct Showing
{
    explicit Showing(HistoryStore* store, const QString& boxText = QStringLiteral("Иван"),
                     const AssessmentRecord& record = AssessmentRecord())
    {
        form.fill(ComputeAssessment(record), AgeString(record.calendarAge));
        form.setInputs(record, calculatedAt);
        form.setHistory(store, boxText);
    }
    QTabWidget* tabs() const { return child<QTabWidget>(form, "TabStrip1"); }
    HistoryPage* history() const { return child<HistoryPage>(form, "HistoryPage"); }
    QTableWidget* table() const { return history()->table(); }
    void showTab(int index)
    {
        tabs()->setCurrentIndex(index);
        if (!form.isVisible())
            form.show();
    }

    ResultForm form;
};

} // namespace

Q_DECLARE_METATYPE(AssessmentRecord)
Q_DECLARE_METATYPE(Trouble)

class TestResultForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->path(); }

private slots:
    void initTestCase()
    {
        AppFonts::registerTahoma();
        // The main window's stores: test copies under the test's home.
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("Kalder_Programming"));
        QCoreApplication::setApplicationName(QStringLiteral("kalder-vitalon-test"));
    }
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { m_dir.reset(); }

    void wholeAgesRoundDown_data()
    {
        QTest::addColumn<double>("biological");
        QTest::addColumn<double>("proper");
        QTest::addColumn<QString>("biologicalShown");
        QTest::addColumn<QString>("properShown");
        QTest::newRow("fractions drop") << 52.76 << 21.99 << "52 года"
                                        << "21 год";
        QTest::newRow("negative goes down") << -18.2 << 31.18 << "-19 лет"
                                            << "31 год";
        QTest::newRow("whole stays") << 30.0 << 26.0 << "30 лет"
                                     << "26 лет";
    }
    void wholeAgesRoundDown()
    {
        QFETCH(double, biological);
        QFETCH(double, proper);
        QFETCH(QString, biologicalShown);
        QFETCH(QString, properShown);
        AssessmentResult result;
        result.biologicalAge = FixedPoint::fromDouble(biological);
        result.properBiologicalAge = FixedPoint::fromDouble(proper);
        result.verdictText =
            QStringLiteral("Нет описания.\r\nВы уверены, что правильно ввели данные?");
        ResultForm form;
        form.fill(result, QStringLiteral("37 лет"));
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label3"))->text(), biologicalShown);
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label6"))->text(), properShown);
        // The calendar age is the main window's text, not recomputed.
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("37 лет"));
        QCOMPARE(form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText(),
                 QStringLiteral("Нет описания.\nВы уверены, что правильно ввели данные?"));
    }

    void windowParts()
    {
        ResultForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Результаты"));
        auto* tabs = form.findChild<QTabWidget*>();
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Ваш результат"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Разбор"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("История"));
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->isReadOnly());
        const QList<QPair<const char*, QString>> buttons = {
            {"RecordButton", QStringLiteral("Записать в историю")},
            {"SaveReportButton", QStringLiteral("Сохранить отчёт…")},
            {"PrintButton", QStringLiteral("Печать…")},
            {"Command1", QStringLiteral("Закрыть")}};
        for (const auto& [name, caption] : buttons) {
            QCOMPARE(button(form, name)->text(), caption);
            QVERIFY(button(form, name)->isFlat());
        }
        // Without a history nothing can be recorded.
        QVERIFY(!button(form, "RecordButton")->isEnabled());
        form.show();
        QTest::mouseClick(button(form, "Command1"), Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }

    // The first tab keeps its design: every caption, value, separator and the verdict box at
    // its place in the tab.
    void firstTabAsDesigned()
    {
        ResultForm form;
        const QList<QPair<const char*, QRect>> places = {
            {"Label1", Twips::rect(165, 150, 4410, 255)},
            {"Label4", Twips::rect(165, 630, 4410, 255)},
            {"Label5", Twips::rect(165, 1380, 4410, 255)},
            {"Label7", Twips::rect(165, 2280, 4965, 255)},
            {"Text1", Twips::rect(165, 2565, 4965, 1575)},
            {"Panel3d1", Twips::rect(165, 510, 4965, 30)},
            {"Panel3d2", Twips::rect(165, 1260, 4965, 30)},
            {"Panel3d3", Twips::rect(165, 2160, 4950, 30)},
        };
        for (const auto& [name, rect] : places)
            QCOMPARE(child<QWidget>(form, name)->geometry(), rect);
        for (const auto& [name, top] :
             {std::pair{"Label2", 150}, {"Label6", 630}, {"Label3", 1380}})
            QCOMPARE(child<QLabel>(form, name)->geometry().topLeft(), Twips::point(4575, top));
    }

    // Every caption and button text fits its place in the window's font.
    void captionsFit()
    {
        ResultForm form;
        for (QLabel* label : form.findChildren<QLabel*>()) {
            if (label->wordWrap() || label->text().isEmpty())
                continue;
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->text()));
        }
        for (QPushButton* b : form.findChildren<QPushButton*>()) {
            for (const QString& text : {b->text(), ResultForm::recordedCaption()}) {
                QVERIFY2(b->fontMetrics().horizontalAdvance(text) + 12 <= b->width(),
                         qPrintable(text));
            }
        }
    }

    // Every age the inputs' ranges can give fits its value label, in the window's font. The
    // ranges' ends are run through the calculation; every whole number between its least and
    // greatest result can be shown.
    void valuesFitTheirLabels_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        for (Sex sex : {Sex::Male, Sex::Female}) {
            int lowBa = INT_MAX, highBa = INT_MIN, lowPba = INT_MAX, highPba = INT_MIN;
            for (const AssessmentRecord& r : rangeCorners(sex)) {
                const AssessmentResult result = ComputeAssessment(r);
                lowBa = std::min(lowBa, result.wholeBiologicalAge());
                highBa = std::max(highBa, result.wholeBiologicalAge());
                lowPba = std::min(lowPba, result.wholeProperBiologicalAge());
                highPba = std::max(highPba, result.wholeProperBiologicalAge());
            }
            const char* who = sex == Sex::Male ? "male" : "female";
            QTest::addRow("biological, %s", who) << "Label3" << lowBa << highBa;
            QTest::addRow("proper, %s", who) << "Label6" << lowPba << highPba;
        }
        QTest::newRow("calendar") << "Label2" << 5 << 90;
    }
    void valuesFitTheirLabels()
    {
        QFETCH(QString, label);
        QFETCH(int, low);
        QFETCH(int, high);
        // The ranges reach the ages the issue found cut.
        if (label == QLatin1String("Label3"))
            QVERIFY(high >= 125 || low <= -92);
        ResultForm form;
        const QLabel* value = child<QLabel>(form, qPrintable(label));
        const QFontMetrics metrics(value->font());
        QString widest;
        for (int n = low; n <= high; ++n) {
            if (metrics.horizontalAdvance(AgeString(n)) > metrics.horizontalAdvance(widest))
                widest = AgeString(n);
        }
        QVERIFY2(metrics.horizontalAdvance(widest) <= value->contentsRect().width(),
                 qPrintable(widest));
    }

    // The two results the issue found cut, shown whole.
    void widestResultsShownWhole_data()
    {
        QTest::addColumn<AssessmentRecord>("record");
        QTest::addColumn<QString>("biological");
        AssessmentRecord male;
        male.calendarAge = 90;
        male.systolicPressure = 360;
        male.diastolicPressure = 40;
        male.breathHold = 5;
        male.balance = 1;
        for (int i = 0; i < 24; ++i)
            male.statements[static_cast<size_t>(i)] = 1;
        male.healthRating = 3;
        AssessmentRecord female;
        female.sex = Sex::Female;
        female.calendarAge = 30;
        female.systolicPressure = 40;
        female.diastolicPressure = 240;
        female.bodyMass = 10;
        female.balance = 60;
        for (int i = 24; i < 27; ++i)
            female.statements[static_cast<size_t>(i)] = 1;
        QTest::newRow("male") << male << QStringLiteral("125 лет");
        QTest::newRow("female") << female << QStringLiteral("-92 года");
    }
    void widestResultsShownWhole()
    {
        QFETCH(AssessmentRecord, record);
        QFETCH(QString, biological);
        ResultForm form;
        form.fill(ComputeAssessment(record), AgeString(record.calendarAge));
        const QLabel* label = child<QLabel>(form, "Label3");
        QCOMPARE(label->text(), biological);
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <=
                label->contentsRect().width());
    }

    // "Записать в историю" records this calculation under the name in the profile box, once;
    // nothing reaches the database before the press.
    void recordsOnPress_data()
    {
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<QString>("keptAs");
        QTest::addColumn<QString>("heading");
        QTest::newRow("named") << QStringLiteral("Иван") << QStringLiteral("Иван")
                               << QStringLiteral("Профиль: Иван");
        QTest::newRow("blank") << QString() << QString() << QStringLiteral("Профиль: без имени");
        QTest::newRow("blanks only")
            << QStringLiteral("   ") << QString() << QStringLiteral("Профиль: без имени");
        // As the profile is saved: untrimmed.
        QTest::newRow("blanks around") << QStringLiteral(" Иван ") << QStringLiteral(" Иван ")
                                       << QStringLiteral("Профиль:  Иван ");
    }
    void recordsOnPress()
    {
        QFETCH(QString, boxText);
        QFETCH(QString, keptAs);
        QFETCH(QString, heading);
        ScriptedMessageBoxes boxes;
        HistoryStore store(folder());
        AssessmentRecord record;
        record.sex = Sex::Female;
        record.statements[3] = 1;
        record.healthRating = -1;
        Showing showing(&store, boxText, record);
        showing.showTab(1);
        showing.showTab(2);
        QCOMPARE(child<QLabel>(showing.form, "HistoryHeading")->text(), heading);
        QCOMPARE(showing.table()->rowCount(), 0);
        QVERIFY2(!QFile::exists(store.location()), "the history was written before the press");

        QPushButton* record_ = button(showing.form, "RecordButton");
        QVERIFY(record_->isEnabled());
        QTest::mouseClick(record_, Qt::LeftButton);
        QVERIFY2(boxes.shown().isEmpty(), qPrintable(boxesSaid(boxes)));
        QCOMPARE(record_->text(), QStringLiteral("Записано"));
        QVERIFY(!record_->isEnabled());
        showing.form.recordResult(); // a second time by any route: no second entry

        const auto entries = store.entries(keptAs);
        QVERIFY(entries);
        QCOMPARE(entries->size(), 1);
        const HistoryEntry& e = entries->constFirst();
        const AssessmentResult result = ComputeAssessment(record);
        QCOMPARE(e.recordedAt, calculatedAt.toUTC());
        QCOMPARE(e.profileName, keptAs);
        QCOMPARE(e.inputs.sex, Sex::Female);
        QCOMPARE(e.inputs.statements, record.statements);
        QCOMPARE(e.inputs.healthRating, -1);
        QCOMPARE(e.healthIndex, result.healthIndex);
        QCOMPARE(e.biologicalAge, result.biologicalAge);
        QCOMPARE(e.properBiologicalAge, result.properBiologicalAge);
        QCOMPARE(e.ageDifference, result.ageDifference);
        QCOMPARE(e.verdictCase, result.verdictCase);
        // The tab shown already shows it.
        QCOMPARE(showing.table()->rowCount(), 1);
    }

    // The tab shows the named profile's entries only, newest first, as a table a screen reader
    // reads cell by cell, and the chart of the same entries.
    void historyTab()
    {
        HistoryStore store(folder());
        const QDateTime first(QDate(2026, 1, 5), QTime(9, 30));
        QVERIFY(store.add(entryAt(QStringLiteral("Иван"), first, 10)));
        QVERIFY(store.add(entryAt(QStringLiteral("Иван"), first.addMonths(6), 41)));
        QVERIFY(store.add(entryAt(QStringLiteral("Иван"), first.addMonths(3), 10, 52)));
        QVERIFY(store.add(entryAt(QStringLiteral("иван"), first, 10)));
        QVERIFY(store.add(entryAt(QString(), first, 10)));
        Showing showing(&store);
        QCOMPARE(showing.history()->isLoaded(), false);
        showing.showTab(2);
        const QTableWidget* table = showing.table();
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(rowTexts(table, 0),
                 (QStringList{HistoryPage::dateText(first.addMonths(6)), QStringLiteral("46,76"),
                              QStringLiteral("31,18"), QStringLiteral("20"),
                              QStringLiteral("Ускоренное старение.")}));
        // The ages line up: two decimals in every row, whatever the exact value.
        const QRegularExpression twoDecimals(QStringLiteral("^\\x{2212}?\\d+,\\d\\d$"));
        for (int row = 0; row < table->rowCount(); ++row)
            for (int column : {int(HistoryPage::BiologicalColumn), int(HistoryPage::ProperColumn)})
                QVERIFY2(twoDecimals.match(table->item(row, column)->text()).hasMatch(),
                         qPrintable(table->item(row, column)->text()));
        QCOMPARE(table->item(1, 0)->text(), HistoryPage::dateText(first.addMonths(3)));
        QCOMPARE(table->item(2, 0)->text(), QStringLiteral("05.01.2026 09:30"));
        QCOMPARE(table->item(0, HistoryPage::BiologicalColumn)->data(Qt::AccessibleTextRole),
                 QVariant(QStringLiteral("46,76 года")));
        QCOMPARE(table->item(0, HistoryPage::CalendarColumn)->data(Qt::AccessibleTextRole),
                 QVariant(QStringLiteral("20 лет")));
        QCOMPARE(showing.history()->chart()->points().size(), 3);
        QVERIFY(
            showing.history()->chart()->accessibleName().startsWith(QStringLiteral("3 записи")));
        QVERIFY(table->item(0, 0)->isSelected());
        QVERIFY(showing.history()->deleteButton()->isEnabled());
        QVERIFY(showing.history()->exportButton()->isEnabled());
        // Three records over half a year: the pace, and its trend line on the chart.
        QVERIFY(showing.history()->paceLabel()->isVisible());
        QVERIFY2(
            showing.history()->paceLabel()->text().startsWith(QStringLiteral("Темп старения: ")) &&
                showing.history()->paceLabel()->text().endsWith(QStringLiteral("(ожидается 0,63)")),
            qPrintable(showing.history()->paceLabel()->text()));
        QVERIFY(showing.history()->chart()->pace().isKnown());
    }

    // Without records there is nothing to export and no pace to speak of; with too few the line
    // says what is missing.
    void paceAndExportFollowTheRecords_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("paceText");
        QTest::newRow("none") << 0 << QString();
        QTest::newRow("two") << 2 << QStringLiteral("сейчас 2 записи.");
    }
    void paceAndExportFollowTheRecords()
    {
        QFETCH(int, records);
        QFETCH(QString, paceText);
        HistoryStore store(folder());
        for (int i = 0; i < records; ++i)
            QVERIFY(store.add(entryAt(QStringLiteral("Иван"),
                                      QDateTime(QDate(2026, 1, 5), QTime(9, 30)).addDays(i), 10)));
        Showing showing(&store);
        showing.showTab(2);
        HistoryPage* page = showing.history();
        QCOMPARE(page->exportButton()->isEnabled(), records > 0);
        QCOMPARE(page->paceLabel()->isVisible(), records > 0);
        QVERIFY(!page->chart()->pace().isKnown());
        if (records > 0)
            QVERIFY2(page->paceLabel()->text().endsWith(paceText),
                     qPrintable(page->paceLabel()->text()));
    }

    // "Экспорт в CSV…" offers "<profile> — <date>.csv" in the program's font and writes the
    // shown history, oldest first; a file that cannot be written is refused, saying where.
    void csvExport_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("written") << true;
        QTest::newRow("no such folder") << false;
    }
    void csvExport()
    {
        QFETCH(bool, writable);
        HistoryStore store(folder());
        const QDateTime first(QDate(2026, 1, 5), QTime(9, 30));
        QVERIFY(store.add(entryAt(QStringLiteral("Иван"), first.addDays(1), 41)));
        QVERIFY(store.add(entryAt(QStringLiteral("Иван"), first, 10)));
        ScriptedMessageBoxes boxes;
        Showing showing(&store);
        showing.showTab(2);
        QTemporaryDir target;
        const QString path = writable ? target.filePath(QStringLiteral("выгрузка"))
                                      : target.filePath(QStringLiteral("нет/выгрузка"));
        QString offered;
        QFont dialogFont;
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog)
                return;
            dialogFont = dialog->font();
            offered = QFileInfo(dialog->selectedFiles().value(0)).fileName();
            dialog->selectFile(path); // as typed, without the extension
            static_cast<QDialog*>(dialog)->accept();
        });
        showing.history()->exportButton()->click();
        QCOMPARE(offered, ReportFileName(QStringLiteral("Иван"), QDate::currentDate(),
                                         QStringLiteral("csv")));
        QCOMPARE(dialogFont, AppFonts::tahoma());
        const QString file = path + QStringLiteral(".csv");
        if (!writable) {
            QCOMPARE(boxes.shown().size(), 1);
            QCOMPARE(boxes.shown().at(0).kind, Kind::Refusal);
            QVERIFY2(boxes.shown().at(0).text.contains(QDir::toNativeSeparators(file)),
                     qPrintable(boxes.shown().at(0).text));
            QVERIFY(!QFile::exists(file));
            return;
        }
        QVERIFY2(boxes.shown().isEmpty(), qPrintable(boxesSaid(boxes)));
        QFile csv(file);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv.readAll().split('\n');
        // A header, the two records from the oldest, and nothing after the last line break.
        QCOMPARE(lines.size(), 4);
        QVERIFY(
            lines.at(1).contains(first.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8()));
        QVERIFY(lines.at(2).contains(
            first.addDays(1).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8()));
    }

    // Delete (the key on the table, or the button) asks first; Yes deletes the entry, No keeps
    // it. Deleting the entry this window recorded lets it be recorded again.
    void deleteAsksFirst_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<bool>("yes");
        QTest::newRow("key, yes") << true << true;
        QTest::newRow("key, no") << true << false;
        QTest::newRow("button, yes") << false << true;
        QTest::newRow("button, no") << false << false;
    }
    void deleteAsksFirst()
    {
        QFETCH(bool, byKey);
        QFETCH(bool, yes);
        ScriptedMessageBoxes boxes;
        HistoryStore store(folder());
        const QDateTime older(QDate(2026, 3, 1), QTime(8, 0));
        QVERIFY(store.add(entryAt(QStringLiteral("Иван"), older, 20)));
        Showing showing(&store);
        showing.showTab(2);
        QVERIFY(QTest::qWaitForWindowExposed(&showing.form));
        QTest::mouseClick(button(showing.form, "RecordButton"), Qt::LeftButton);
        QTableWidget* table = showing.table();
        QCOMPARE(table->rowCount(), 2);
        QVERIFY(table->item(0, 0)->isSelected()); // the newest: the one just recorded

        boxes.queueAnswer(yes);
        if (byKey) {
            table->setFocus();
            QTest::keyClick(table, Qt::Key_Delete);
        } else {
            QTest::mouseClick(showing.history()->deleteButton(), Qt::LeftButton);
        }
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().at(0).kind, Kind::Question);
        QCOMPARE(boxes.shown().at(0).text,
                 QStringLiteral("Удалить запись от 10.12.2026 14:05:00 (биологический возраст "
                                "51,41 года) из истории?"));
        QCOMPARE(store.entries(QStringLiteral("Иван"))->size(), yes ? 1 : 2);
        QCOMPARE(table->rowCount(), yes ? 1 : 2);
        QCOMPARE(table->item(table->rowCount() - 1, 0)->text(), HistoryPage::dateText(older));
        QPushButton* record = button(showing.form, "RecordButton");
        QCOMPARE(record->isEnabled(), yes);
        QCOMPARE(record->text(), yes ? ResultForm::recordCaption() : ResultForm::recordedCaption());
    }

    // A name or a verdict wider than its place ends in "…" and is whole in the tool tip; one
    // that fits is shown as it is.
    void historyCutsNothingSilently_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("short") << QStringLiteral("Иван");
        QTest::newRow("long")
            << QStringLiteral("Анна-Мария Константинопольская-Преображенская").repeated(3);
    }
    void historyCutsNothingSilently()
    {
        QFETCH(QString, name);
        HistoryStore store(folder());
        // Matching verdicts: the longest title.
        QVERIFY(store.add(entryAt(name, calculatedAt.addDays(-1), 10, 52)));
        Showing showing(&store, name);
        showing.showTab(2);
        QVERIFY(QTest::qWaitForWindowExposed(&showing.form));
        const auto* heading = child<QLabel>(showing.form, "HistoryHeading");
        const QString full = QStringLiteral("Профиль: ") + name;
        const int room = heading->contentsRect().width();
        QVERIFY(heading->fontMetrics().horizontalAdvance(heading->text()) <= room);
        QVERIFY(showing.history()->rect().contains(heading->geometry()));
        const bool fits = heading->fontMetrics().horizontalAdvance(full) <= room;
        if (fits) {
            QCOMPARE(heading->text(), full);
        } else {
            QVERIFY(heading->text().endsWith(QStringLiteral("…")));
            QVERIFY(full.startsWith(heading->text().chopped(1)));
        }
        QCOMPARE(heading->toolTip(), fits ? QString() : full);
        QCOMPARE(heading->accessibleName(), full);
        QCOMPARE(fits, name.size() < 10);

        const QTableWidget* table = showing.table();
        const QTableWidgetItem* verdict = table->item(0, HistoryPage::VerdictColumn);
        QCOMPARE(verdict->text(), VerdictTitle(3));
        QCOMPARE(verdict->toolTip(), verdict->text());
        QCOMPARE(table->textElideMode(), Qt::ElideRight);
    }

    // Two entries of one minute: the question about either names that one, not the other.
    void deleteTellsSameMinuteApart_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("newer") << 0;
        QTest::newRow("older") << 1;
    }
    void deleteTellsSameMinuteApart()
    {
        QFETCH(int, row);
        ScriptedMessageBoxes boxes;
        HistoryStore store(folder());
        const QDateTime minute(QDate(2026, 3, 1), QTime(8, 0));
        const HistoryEntry older = entryAt(QStringLiteral("Иван"), minute.addSecs(10), 20);
        const HistoryEntry newer = entryAt(QStringLiteral("Иван"), minute.addSecs(40), 60);
        QVERIFY(store.add(older) && store.add(newer));
        Showing showing(&store);
        showing.showTab(2);
        QTableWidget* table = showing.table();
        QCOMPARE(table->item(0, 0)->text(), table->item(1, 0)->text());
        table->selectRow(row);
        boxes.queueAnswer(false);
        showing.history()->deleteSelected();
        QCOMPARE(boxes.shown().size(), 1);
        const QString asked = boxes.shown().at(0).text;
        const HistoryEntry& meant = row == 0 ? newer : older;
        const HistoryEntry& other = row == 0 ? older : newer;
        for (const HistoryEntry* e : {&meant, &other}) {
            const bool named =
                asked.contains(e->recordedAt.toLocalTime().toString(QStringLiteral("HH:mm:ss"))) &&
                asked.contains(YearsString(e->biologicalAge));
            QVERIFY2(named == (e == &meant), qPrintable(asked));
        }
    }

    // Troubles with the database are told in a message box and the window goes on working.
    void refusals_data()
    {
        QTest::addColumn<Trouble>("trouble");
        QTest::addColumn<QString>("message");
        const QString recordRefused = QStringLiteral(
            "Результат не записан в историю: папка «%1» недоступна для записи (нет прав или "
            "места на диске).");
        const QString newer = QStringLiteral("История записана более новой версией программы. "
                                             "Эта версия не может её ни показать, ни дополнить.");
        QTest::newRow("folder cannot be made, record") << Trouble::NoFolder << recordRefused;
        QTest::newRow("disk full, record") << Trouble::DiskFull << recordRefused;
        QTest::newRow("disk full, delete")
            << Trouble::DiskFullDelete
            << QStringLiteral("Запись не удалена из истории: папка «%1» недоступна для записи.");
        QTest::newRow("newer program, record") << Trouble::NewerRecord << newer;
        QTest::newRow("newer program, read") << Trouble::NewerRead << newer;
        QTest::newRow("unreadable, read-only folder")
            << Trouble::Unreadable << QStringLiteral("Историю не удалось прочитать из папки «%1».");
    }
    void refusals()
    {
        QFETCH(Trouble, trouble);
        QFETCH(QString, message);
        const bool full = trouble == Trouble::DiskFull || trouble == Trouble::DiskFullDelete;
        if (full && !RefusedWrites::available())
            QSKIP("no file-size limit on this platform");
        QString where = folder();
        if (trouble == Trouble::NoFolder) {
            // A regular file where the data folder's parent would be.
            QFile blocker(where + QStringLiteral("/data"));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            where = blocker.fileName() + QStringLiteral("/history");
        } else {
            HistoryStore earlier(where);
            QVERIFY(earlier.add(entryAt(QStringLiteral("Иван"), calculatedAt.addDays(-1), 10)));
        }
        const QString file = QDir(where).filePath(HistoryStore::fileName());
        if (trouble == Trouble::NewerRecord || trouble == Trouble::NewerRead) {
            {
                QSqlDatabase db =
                    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
                db.setDatabaseName(file);
                QVERIFY(db.open());
                QVERIFY(
                    QSqlQuery(db).exec(QStringLiteral("UPDATE schema_version SET version = 99")));
            }
            QSqlDatabase::removeDatabase(QStringLiteral("peek"));
        }
        // A file that cannot be read in a folder that cannot be written: it cannot even be
        // moved aside.
        std::unique_ptr<PermissionsBind> permissions;
        if (trouble == Trouble::Unreadable) {
            QVERIFY(QFile::setPermissions(file, {}));
            QVERIFY(QFile::setPermissions(where, QFile::ReadOwner | QFile::ExeOwner));
            permissions = std::make_unique<PermissionsBind>();
            if (!permissions->active())
                QSKIP("permissions cannot be made to bind");
        }

        ScriptedMessageBoxes boxes;
        HistoryStore store(where);
        Showing showing(&store);
        const bool reading = trouble == Trouble::NewerRead || trouble == Trouble::Unreadable;
        if (reading)
            showing.showTab(2);
        if (trouble == Trouble::DiskFullDelete) {
            showing.showTab(2);
            QCOMPARE(showing.table()->rowCount(), 1);
            RefusedWrites refused;
            showing.history()->deleteSelected();
        } else if (!reading) {
            std::unique_ptr<RefusedWrites> refused;
            if (full)
                refused = std::make_unique<RefusedWrites>();
            showing.form.recordResult();
        }
        permissions.reset();
        QFile::setPermissions(where, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);

        // The delete question comes first.
        const QList<ScriptedMessageBoxes::Shown> shown =
            trouble == Trouble::DiskFullDelete ? boxes.shown().mid(1) : boxes.shown();
        QVERIFY2(shown.size() == 1, qPrintable(boxesSaid(boxes)));
        QCOMPARE(shown.at(0).kind, Kind::Refusal);
        QCOMPARE(shown.at(0).text, message.arg(QDir::toNativeSeparators(where)));
        // The window goes on: the result can still be recorded, every tab shows.
        QPushButton* record = button(showing.form, "RecordButton");
        QVERIFY(record->isEnabled());
        QCOMPARE(record->text(), ResultForm::recordCaption());
        for (int tab = 0; tab < 3; ++tab)
            showing.showTab(tab);
        QVERIFY(showing.form.isVisible());
        if (trouble == Trouble::DiskFullDelete)
            QCOMPARE(showing.table()->rowCount(), 1);
        if (reading)
            QCOMPARE(child<QLabel>(showing.form, "HistoryStatus")->text(),
                     QStringLiteral("История недоступна."));
    }

    // A damaged database is told of once, kept under another name, and the history goes on
    // in a new one, in this window and the next.
    void damagedDatabaseToldOnce()
    {
        QFile damaged(folder() + QLatin1Char('/') + HistoryStore::fileName());
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray(4096, 'x'));
        damaged.close();

        ScriptedMessageBoxes boxes;
        HistoryStore store(folder());
        {
            Showing showing(&store);
            showing.showTab(2);
            QCOMPARE(boxes.shown().size(), 1);
            QCOMPARE(boxes.shown().at(0).kind, Kind::Refusal);
            const QStringList kept =
                QDir(folder()).entryList({QStringLiteral("kalder-vitalon.damaged-*")});
            QCOMPARE(kept.size(), 1);
            QCOMPARE(boxes.shown().at(0).text,
                     QStringLiteral("Файл истории повреждён или не читается. Он сохранён под "
                                    "именем «%1», история начата заново.")
                         .arg(QDir::toNativeSeparators(QDir(folder()).filePath(kept.at(0)))));
            QFile keptFile(QDir(folder()).filePath(kept.at(0)));
            QVERIFY(keptFile.open(QIODevice::ReadOnly));
            QCOMPARE(keptFile.readAll(), QByteArray(4096, 'x'));
            QCOMPARE(showing.table()->rowCount(), 0);
            showing.form.recordResult();
            QCOMPARE(showing.table()->rowCount(), 1);
        }
        Showing next(&store);
        next.showTab(2);
        QCOMPARE(next.table()->rowCount(), 1);
        QCOMPARE(boxes.shown().size(), 1);
    }

    // Tab goes through the shown tab's parts, then the commands left to right; Ctrl+Tab and
    // Ctrl+PgDown (Ctrl+Shift+Tab, Ctrl+PgUp) go to the next (previous) tab from anywhere.
    void keyboard_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("chain");
        const QStringList commands = {QStringLiteral("RecordButton"),
                                      QStringLiteral("SaveReportButton"),
                                      QStringLiteral("PrintButton"), QStringLiteral("Command1")};
        QTest::newRow("Ваш результат") << 0 << QStringList{QStringLiteral("Text1")} + commands;
        QTest::newRow("Разбор") << 1
                                << QStringList{QStringLiteral("BreakdownTable"),
                                               QStringLiteral("AgeDifferenceScale")} +
                                       commands;
        QTest::newRow("История") << 2
                                 << QStringList{QStringLiteral("HistoryChart"),
                                                QStringLiteral("HistoryTable"),
                                                QStringLiteral("DeleteEntryButton"),
                                                QStringLiteral("ExportCsvButton")} +
                                        commands;
    }
    void keyboard()
    {
        QFETCH(int, tab);
        QFETCH(QStringList, chain);
        HistoryStore store(folder());
        QVERIFY(store.add(entryAt(QStringLiteral("Иван"), calculatedAt.addDays(-1), 10)));
        Showing showing(&store);
        showing.showTab(tab);
        QApplication::setActiveWindow(&showing.form);
        QVERIFY(QTest::qWaitForWindowActive(&showing.form));
        QTabBar* bar = showing.tabs()->tabBar();
        bar->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), bar);
        QStringList visited;
        for (int i = 0; i < chain.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, chain);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), bar);

        // From "Закрыть" and from the tab strip alike.
        const QList<QPair<QKeyCombination, int>> steps = {
            {Qt::CTRL | Qt::Key_Tab, 1},
            {Qt::CTRL | Qt::Key_PageDown, 1},
            {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
            {Qt::CTRL | Qt::Key_PageUp, -1}};
        for (QWidget* from : {static_cast<QWidget*>(button(showing.form, "Command1")),
                              static_cast<QWidget*>(bar)}) {
            for (const auto& [keys, by] : steps) {
                from->setFocus();
                const int before = showing.tabs()->currentIndex();
                QTest::keyClick(from, keys.key(), keys.keyboardModifiers());
                QCOMPARE(showing.tabs()->currentIndex(), (before + by + 3) % 3);
            }
        }
    }

    // Enter and Space press the focused command.
    void enterAndSpacePressButtons_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void enterAndSpacePressButtons()
    {
        QFETCH(int, key);
        ScriptedMessageBoxes boxes;
        HistoryStore store(folder());
        Showing showing(&store);
        showing.showTab(0);
        QApplication::setActiveWindow(&showing.form);
        QVERIFY(QTest::qWaitForWindowActive(&showing.form));
        QPushButton* record = button(showing.form, "RecordButton");
        record->setFocus();
        QTest::keyClick(record, Qt::Key(key));
        QCOMPARE(store.entries(QStringLiteral("Иван"))->size(), 1);
        QVERIFY(showing.form.isVisible());
    }

    // The main window hands the results window its inputs, the profile box's name and the
    // history it was handed; nothing of the database is touched until the history is used, and a
    // profile deleted from the settings keeps its history.
    void fromTheMainWindow()
    {
        StoreFolder settings;
        settings.useForNativeStore();
        ScriptedMessageBoxes boxes;
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        const QString data = formStores.historyFolder();
        form.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        form.show();
        MainWindowProbe probe(form);
        const auto calculate = [&form](std::function<void(ResultForm&)> inside) {
            onNextModal([&](QWidget* w) {
                if (auto* results = qobject_cast<ResultForm*>(w))
                    inside(*results);
            });
            form.onCalculate();
        };

        calculate([](ResultForm&) {});
        QVERIFY(QSqlDatabase::connectionNames().isEmpty());
        QVERIFY(!QFile::exists(QDir(data).filePath(HistoryStore::fileName())));

        probe.profileBox()->setEditText(QStringLiteral("Иван"));
        probe.profileButton("save")->trigger();
        MainWindowProbe::stepTo(probe.slider(2), 40);
        calculate([](ResultForm& results) { results.recordResult(); });
        QVERIFY(QFile::exists(QDir(data).filePath(HistoryStore::fileName())));

        probe.pick(QStringLiteral("Иван"));
        probe.profileButton("del")->trigger();
        QVERIFY(!probe.entries().contains(QStringLiteral("Иван")));
        probe.profileBox()->setEditText(QStringLiteral("Иван"));
        QStringList rows;
        calculate([&rows](ResultForm& results) {
            child<QTabWidget>(results, "TabStrip1")->setCurrentIndex(2);
            const QTableWidget* table = child<HistoryPage>(results, "HistoryPage")->table();
            for (int r = 0; r < table->rowCount(); ++r)
                rows << table->item(r, HistoryPage::CalendarColumn)->text();
        });
        QCOMPARE(rows, QStringList{QStringLiteral("40")});
        // Saved, the delete question, and nothing else.
        QVERIFY2(boxes.shown().size() == 2, qPrintable(boxesSaid(boxes)));
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("age") << "20 лет" << 20;
        QTest::newRow("seconds") << "300 сек" << 300;
        QTest::newRow("negative") << "-19 лет" << -19;
        QTest::newRow("leading blank") << " 65 кг" << 65;
        QTest::newRow("no number") << "лет" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QCOMPARE(LeadingNumber(text), number);
    }
};

QTEST_MAIN(TestResultForm)
#include "tst_resultform.moc"
