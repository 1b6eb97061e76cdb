#pragma once

#include "core/assessment/AssessmentRecord.h"
#include "core/assessment/AssessmentResult.h"
#include "windows/results/ReportContent.h"

#include <QDateTime>
#include <QDialog>

#include <optional>

class BreakdownPage;
class HistoryPage;
class HistoryStore;
class QLabel;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QTabWidget;

// "Результаты": the calendar age, the proper biological age, the biological age and the
// verdict of one calculation; what drives the result ("Разбор"); the profile's history
// ("История"); and the commands that record the result, save the report and print it. A new
// window for every showing.
class ResultForm : public QDialog
{
    Q_OBJECT
public:
    explicit ResultForm(QWidget* parent = nullptr);

    // Fills every row; the calendar age is shown exactly as the main window wrote it.
    void fill(const AssessmentResult& result, const QString& calendarAgeText);
    // The inputs the result was computed from and when: the breakdown, the report and what
    // "Записать в историю" records.
    void setInputs(const AssessmentRecord& record, const QDateTime& calculatedAt);
    // The history of the profile named in the profile box (a blank box: no name). Nothing is
    // read until the history is used. Without a store nothing can be recorded.
    void setHistory(HistoryStore* store, const QString& profileBoxText);

    // "без имени" for a blank profile box, else the box's text.
    static QString shownName(const QString& profileBoxText);

    // Records this calculation; the button then says it is done.
    void recordResult();
    // The save dialog, then the PDF.
    void saveReport();
    // Writes the report to a path; a refusal is told in a message box.
    bool writeReport(const QString& path);
    // The print dialog, then the page.
    void printReport();
    // What the report shows; reads the profile's history.
    ReportContent reportContent();
    // The file name the save dialog offers.
    QString proposedFileName() const;
    // The save dialog, then the shown profile's history as a CSV file.
    void exportCsv();
    // Writes the shown history as CSV; a refusal is told in a message box.
    bool writeCsv(const QString& path);
    // The CSV file name the save dialog offers.
    QString proposedCsvFileName() const;

    static QString recordCaption() { return tr("Записать в историю"); }
    static QString recordedCaption() { return tr("Записано"); }

private:
    // The page layout and the document name the print dialog starts from.
    void preparePrinter(QPrinter& printer) const;
    void stepTab(int by);
    // The save dialog in the program's font; an empty path when cancelled.
    QString askSavePath(const QString& title, const QString& filter, const QString& suffix,
                        const QString& proposed);
    void entryRemoved(qint64 id);

    QTabWidget* m_tabs = nullptr;
    QLabel* m_calendarAgeLabel = nullptr;   // calendar age
    QLabel* m_properAgeLabel = nullptr;     // proper biological age
    QLabel* m_biologicalAgeLabel = nullptr; // biological age
    QPlainTextEdit* m_verdictText = nullptr;
    QPushButton* m_closeButton = nullptr;
    BreakdownPage* m_breakdown = nullptr;
    HistoryPage* m_historyPage = nullptr;
    QPushButton* m_recordButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_printButton = nullptr;

    AssessmentRecord m_inputs;
    AssessmentResult m_result;
    QDateTime m_calculatedAt;
    HistoryStore* m_store = nullptr;
    QString m_profileName; // the name entries are kept under: empty for a blank box
    QString m_shownName;
    std::optional<qint64> m_recordedId;
};
