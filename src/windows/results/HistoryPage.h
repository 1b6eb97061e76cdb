#pragma once

#include "core/history/AgingPace.h"
#include "core/history/HistoryEntry.h"
#include "widgets/charts/HistoryPoint.h"

#include <QList>
#include <QVector>
#include <QWidget>

class ElidedLabel;
class HistoryChartWidget;
class HistoryStore;
class QLabel;
class QPushButton;
class QTableWidget;

// The "История" page: for one profile name, the chart of the biological, proper and calendar
// age over the dates and a table of the entries, newest first, where one can be deleted after
// a question. The entries are read when the page is first shown, not before.
class HistoryPage : public QWidget
{
    Q_OBJECT
public:
    enum Column
    {
        DateColumn,
        BiologicalColumn,
        ProperColumn,
        CalendarColumn,
        VerdictColumn,
        ColumnCount
    };

    explicit HistoryPage(QWidget* parent = nullptr);

    // The store and the name the entries are kept under; `shownName` is how that name reads.
    void setHistory(HistoryStore* store, const QString& profileName, const QString& shownName);
    // Reads the entries again (troubles are told in message boxes).
    void reload();
    bool isLoaded() const { return m_loaded; }
    const QList<HistoryEntry>& entries() const { return m_entries; }

    // Asks whether to delete the selected entry, and deletes it on Yes.
    void deleteSelected();

    // "10.12.2026 14:05", in local time: how the page and its questions name an entry.
    static QString dateText(const QDateTime& when);
    // The entries as the history chart draws them.
    static QVector<HistoryPoint> chartPoints(const QList<HistoryEntry>& entries);

    HistoryChartWidget* chart() const { return m_chart; }
    QTableWidget* table() const { return m_table; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* exportButton() const { return m_export; }
    QLabel* paceLabel() const { return m_pace; }
    const AgingPace& pace() const { return m_agingPace; }

signals:
    void entryRemoved(qint64 id);
    // "Экспорт в CSV…" pressed while entries are shown.
    void exportRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fill();
    void updateDeleteButton();

    HistoryStore* m_store = nullptr;
    QString m_profileName;
    bool m_loaded = false;
    bool m_readable = true;
    QList<HistoryEntry> m_entries;
    AgingPace m_agingPace;

    ElidedLabel* m_heading = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_pace = nullptr;
    HistoryChartWidget* m_chart = nullptr;
    QTableWidget* m_table = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_export = nullptr;
};
