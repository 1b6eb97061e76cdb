#include "core/assessment/ComputeAssessment.h"
#include "core/history/HistoryStore.h"
#include "core/report/ReportFileName.h"
#include "widgets/support/AppFonts.h"
#include "windows/results/ReportPage.h"
#include "windows/results/ResultForm.h"

#include "ModalProbe.h"
#include "RefusedWrites.h"
#include "ScriptedMessageBoxes.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(ReportContent)

namespace {

const QDateTime calculatedAt(QDate(2026, 12, 10), QTime(14, 5));
// A4 in points, and the report's margins of 15 mm.
constexpr double PageWidth = 595.28;
constexpr double PageHeight = 841.89;
constexpr double Margin = 15 / 25.4 * 72;

QString output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("(%1 failed: %2)").arg(program, process.errorString());
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString& path)
{
    return output(QStringLiteral("pdftotext"),
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
}

// pdfinfo's account of a file of one A4 page.
bool oneA4Page(const QString& info)
{
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+1\\n"));
    static const QRegularExpression a4(
        QStringLiteral("Page size:\\s+59[45](\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"));
    return info.contains(pages) && info.contains(a4);
}

ReportContent content(const QString& name, const AssessmentRecord& record, int historySize)
{
    ReportContent c;
    c.calculatedAt = calculatedAt;
    c.profileName = name;
    c.record = record;
    c.result = ComputeAssessment(record);
    QList<HistoryEntry> entries;
    for (int i = 0; i < historySize; ++i) {
        AssessmentRecord earlier = record;
        earlier.breathHold = 5 + i % 50;
        const AssessmentResult r = ComputeAssessment(earlier);
        entries.append(HistoryEntry::fromAssessment(name, earlier, r,
                                                    calculatedAt.addDays(-7 * (historySize - i))));
        c.history.append({entries.last().recordedAt, r.biologicalAge, r.properBiologicalAge,
                          earlier.calendarAge});
    }
    c.pace = AgingPace::of(entries);
    return c;
}

// Every input at the end of its range that gives the longest texts, every statement marked
// (two greyed), and a long name.
AssessmentRecord everything()
{
    AssessmentRecord r;
    r.sex = Sex::Female;
    r.calendarAge = 90;
    r.bodyMass = 200;
    r.systolicPressure = 360;
    r.diastolicPressure = 240;
    r.breathHold = 300;
    r.balance = 60;
    r.statements.fill(1);
    r.statements[5] = 2;
    r.statements[26] = 2;
    r.healthRating = 3;
    return r;
}

enum class Output
{
    PdfWriter,
    Printer
};

bool produce(Output kind, const QString& path, const ReportContent& c)
{
    if (kind == Output::PdfWriter) {
        QString error;
        return ReportPage::writePdf(path, c, &error);
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(ReportPage::pageLayout());
    return ReportPage::print(printer, c);
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(AppFonts::registerTahoma());
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
                 "pdftotext (poppler-utils, scripts/install-deps) is needed");
    }

    // The saved PDF and the printed page: one A4 page with the key texts, nothing drawn past
    // the margins, the history chart only where there is a history.
    void onePageWithTheKeyTexts_data()
    {
        QTest::addColumn<Output>("kind");
        QTest::addColumn<ReportContent>("report");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");

        AssessmentRecord headache;
        headache.statements[0] = 1;
        const QString longName = QStringLiteral("Анна-Мария Константинопольская-Преображенская");
        for (Output kind : {Output::PdfWriter, Output::Printer}) {
            const char* device = kind == Output::PdfWriter ? "pdf" : "printer";
            QTest::addRow("%s: man, one statement, no history", device)
                << kind << content(QStringLiteral("Иван Петров"), headache, 0)
                << QStringList{QStringLiteral("Иван Петров"),
                               QStringLiteral("10.12.2026"),
                               QStringLiteral("20 лет"),
                               QStringLiteral("31 год"),
                               QStringLiteral("52 года"),
                               QStringLiteral("Ускоренное старение."),
                               QStringLiteral("Меня беспокоит головная боль"),
                               QStringLiteral("110 / 80"),
                               QStringLiteral("удовлетворительное")}
                << QStringList{QStringLiteral("Я легко просыпаюсь от любого шума"),
                               QStringLiteral("История"), QStringLiteral("не ниже верхнего"),
                               QStringLiteral("Темп старения")};
            AssessmentRecord inverted;
            inverted.sex = Sex::Female;
            inverted.systolicPressure = 100;
            inverted.diastolicPressure = 120;
            QTest::addRow("%s: woman, lower pressure above the upper", device)
                << kind << content(QStringLiteral("Анна"), inverted, 0)
                << QStringList{QStringLiteral("100 / 120"),
                               QStringLiteral("Нижнее давление (120) не ниже верхнего (100): "
                                              "проверьте введённое давление.")}
                << QStringList{};
            QTest::addRow("%s: everything marked, long history", device)
                << kind << content(longName, everything(), 150)
                << QStringList{longName,
                               QStringLiteral("90 лет"),
                               QStringLiteral("Нет описания."),
                               QStringLiteral("Я бываю на пляже"),
                               QStringLiteral("(отмечено серым)"),
                               QStringLiteral("История: ") + longName,
                               QStringLiteral("года за год (ожидается 0,58)"),
                               QStringLiteral("очень плохое")}
                << QStringList{};
            QTest::addRow("%s: blank profile, one record", device)
                << kind << content(QStringLiteral("без имени"), AssessmentRecord(), 1)
                << QStringList{QStringLiteral("без имени"),
                               QStringLiteral("Ни одно утверждение не отмечено."),
                               QStringLiteral("Темп старения будет виден с трёх записей")}
                << QStringList{QStringLiteral("Меня беспокоит головная боль")};
        }
    }
    void onePageWithTheKeyTexts()
    {
        QFETCH(Output, kind);
        QFETCH(ReportContent, report);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("report.pdf"));
        QVERIFY(produce(kind, path, report));

        const QString info = output(QStringLiteral("pdfinfo"), {path});
        QVERIFY2(oneA4Page(info), qPrintable(info));

        // pdftotext breaks lines where the page does; a blank stands for any white space.
        const QString text = pdfText(path).simplified();
        for (const QString& wanted : present)
            QVERIFY2(text.contains(wanted), qPrintable(wanted + QStringLiteral(" in: ") + text));
        for (const QString& unwanted : absent)
            QVERIFY2(!text.contains(unwanted), qPrintable(unwanted));

        // Every word inside the margins: the page was not drawn past its end.
        const QString boxes = output(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-bbox"), path, QStringLiteral("-")});
        static const QRegularExpression word(
            QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                           "yMax=\"([\\d.]+)\">([^<]*)</word>"));
        int words = 0;
        for (const QRegularExpressionMatch& m : word.globalMatch(boxes)) {
            ++words;
            const QString what = m.captured(5);
            QVERIFY2(m.captured(1).toDouble() >= Margin - 1, qPrintable(what));
            QVERIFY2(m.captured(2).toDouble() >= Margin - 1, qPrintable(what));
            QVERIFY2(m.captured(3).toDouble() <= PageWidth - Margin + 1, qPrintable(what));
            QVERIFY2(m.captured(4).toDouble() <= PageHeight - Margin + 1, qPrintable(what));
        }
        QVERIFY(words > 50);
    }

    // A write that fails leaves no report behind, and what stood at the path before stays.
    void refusedWriteLeavesNothingHalfWritten_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<bool>("earlierFile");
        QTest::newRow("full disk, new file") << true << false;
        QTest::newRow("full disk, earlier report") << true << true;
        QTest::newRow("no such folder") << false << false;
    }
    void refusedWriteLeavesNothingHalfWritten()
    {
        QFETCH(bool, fullDisk);
        QFETCH(bool, earlierFile);
        if (fullDisk && !RefusedWrites::available())
            QSKIP("no file-size limit on this platform");
        QTemporaryDir dir;
        const QString path = fullDisk ? dir.filePath(QStringLiteral("Иван — 10.12.2026.pdf"))
                                      : dir.filePath(QStringLiteral("missing/report.pdf"));
        const QByteArray before("an earlier report");
        if (earlierFile) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(before);
        }
        ScriptedMessageBoxes boxes;
        ResultForm form;
        form.fill(ComputeAssessment(AssessmentRecord()), QStringLiteral("20 лет"));
        form.setInputs(AssessmentRecord(), calculatedAt);
        {
            std::unique_ptr<RefusedWrites> refused;
            if (fullDisk)
                refused = std::make_unique<RefusedWrites>();
            QVERIFY(!form.writeReport(path));
        }
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().at(0).kind, ScriptedMessageBoxes::Kind::Refusal);
        QCOMPARE(boxes.shown().at(0).text,
                 QStringLiteral("Отчёт не сохранён: файл «%1» не удалось записать (нет прав или "
                                "места на диске).")
                     .arg(QDir::toNativeSeparators(path)));
        const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, earlierFile ? QStringList{QFileInfo(path).fileName()} : QStringList{});
        if (earlierFile) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), before);
        }
    }

    // "Сохранить отчёт…": the save dialog offers the profile's name and the date in the user's
    // documents; the report written carries the profile's history as recorded.
    void saveDialog_data()
    {
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<QString>("shown");
        QTest::newRow("named") << QStringLiteral("Иван/Пётр") << QStringLiteral("Иван/Пётр");
        QTest::newRow("blank") << QStringLiteral("  ") << QStringLiteral("без имени");
    }
    void saveDialog()
    {
        QFETCH(QString, boxText);
        QFETCH(QString, shown);
        QTemporaryDir data;
        QTemporaryDir target;
        HistoryStore store(data.path());
        const AssessmentRecord record;
        const AssessmentResult result = ComputeAssessment(record);
        const QString keptAs = boxText.trimmed().isEmpty() ? QString() : boxText;
        QVERIFY(store.add(
            HistoryEntry::fromAssessment(keptAs, record, result, calculatedAt.addDays(-30))));

        ScriptedMessageBoxes boxes;
        ResultForm form;
        form.fill(result, QStringLiteral("20 лет"));
        form.setInputs(record, calculatedAt);
        form.setHistory(&store, boxText);
        const QString expectedName = ReportFileName(shown, calculatedAt.date());
        QCOMPARE(form.proposedFileName(), expectedName);

        const QString path = target.filePath(QStringLiteral("отчёт"));
        QString offered;
        bool saving = false;
        QFont dialogFont;
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog)
                return;
            saving = dialog->acceptMode() == QFileDialog::AcceptSave;
            dialogFont = dialog->font();
            offered = QFileInfo(dialog->selectedFiles().value(0)).fileName();
            // As typed without the extension: the dialog adds it.
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
        });
        form.findChild<QPushButton*>(QStringLiteral("SaveReportButton"))->click();
        QVERIFY(saving);
        QCOMPARE(offered, expectedName);
        QCOMPARE(dialogFont, AppFonts::tahoma());
        QVERIFY(boxes.shown().isEmpty());
        QVERIFY(QFile::exists(path + QStringLiteral(".pdf")));
        const QString text = pdfText(path + QStringLiteral(".pdf")).simplified();
        QVERIFY2(text.contains(QStringLiteral("Профиль: ") + shown), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("История: ") + shown), qPrintable(text));
    }

    // "Печать…" opens the print dialog on the report's A4 layout and prints the page there;
    // cancelled, it prints nothing.
    void printDialog_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("printed") << true;
        QTest::newRow("cancelled") << false;
    }
    void printDialog()
    {
        QFETCH(bool, accept);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("printed.pdf"));
        ScriptedMessageBoxes boxes;
        ResultForm form;
        form.fill(ComputeAssessment(AssessmentRecord()), QStringLiteral("20 лет"));
        form.setInputs(AssessmentRecord(), calculatedAt);
        form.setHistory(nullptr, QStringLiteral("Иван"));
        QPageLayout layout;
        QString docName;
        QFont dialogFont;
        bool printDialog = false;
        bool toFile = false;
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QPrintDialog*>(modal);
            printDialog = dialog != nullptr;
            if (!dialog)
                return;
            layout = dialog->printer()->pageLayout();
            docName = dialog->printer()->docName();
            dialogFont = dialog->font();
            // Without a print server the dialog's one printer is a PDF file.
            if (auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"))) {
                toFile = true;
                file->setText(path);
            }
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
        form.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
        QVERIFY(printDialog);
        QCOMPARE(layout.pageSize().id(), QPageSize::A4);
        QCOMPARE(layout.margins(QPageLayout::Millimeter), QMarginsF(15, 15, 15, 15));
        QCOMPARE(dialogFont, AppFonts::tahoma());
        // The dialog offers the document's name, its last suffix replaced by ".pdf", for a
        // file: that keeps the whole date, as the save dialog does.
        QCOMPARE(QFileInfo(docName).completeBaseName() + QStringLiteral(".pdf"),
                 ReportFileName(QStringLiteral("Иван"), calculatedAt.date()));
        QVERIFY2(boxes.shown().isEmpty(), qPrintable(boxes.shown().value(0).text));
        if (!toFile)
            QSKIP("the print dialog offers no file to print to");
        QCOMPARE(QFile::exists(path), accept);
        if (accept) {
            const QString info = output(QStringLiteral("pdfinfo"), {path});
            QVERIFY2(oneA4Page(info), qPrintable(info));
            const QString text = pdfText(path).simplified();
            QVERIFY2(text.contains(QStringLiteral("Профиль: Иван")), qPrintable(text));
        }
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
