#include "windows/results/HistoryPage.h"

#include "core/app/DisplayLocale.h"
#include "core/assessment/AgeString.h"
#include "core/assessment/ComputeAssessment.h"
#include "core/assessment/YearsString.h"
#include "core/history/HistoryStore.h"
#include "widgets/charts/HistoryChartWidget.h"
#include "widgets/controls/ElidedLabel.h"
#include "widgets/controls/FlatButton.h"
#include "widgets/support/MessageBoxes.h"
#include "windows/results/HistoryMessages.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The ages in the table line up in a column of two decimals; the screen reader hears them
// exactly, as the breakdown shows them.
constexpr int TableDecimals = 2;

QTableWidgetItem* cell(const QString& text, const QString& spoken, bool number)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (!spoken.isEmpty())
        item->setData(Qt::AccessibleTextRole, spoken);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

HistoryPage::HistoryPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("HistoryPage"));

    m_heading = new ElidedLabel(this);
    m_heading->setObjectName(QStringLiteral("HistoryHeading"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("HistoryStatus"));
    m_status->setWordWrap(true);
    m_status->setForegroundRole(QPalette::PlaceholderText);

    m_pace = new QLabel(this);
    m_pace->setObjectName(QStringLiteral("AgingPace"));
    m_pace->setTextFormat(Qt::PlainText);
    m_pace->setWordWrap(true);

    m_chart = new HistoryChartWidget(this);
    m_chart->setObjectName(QStringLiteral("HistoryChart"));

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("HistoryTable"));
    m_table->setAccessibleName(tr("Записи истории"));
    m_table->setHorizontalHeaderLabels(
        {tr("Дата и время"), tr("Биологический"), tr("Полный"), tr("Календарный"), tr("Вывод")});
    const QStringList tips = {QString(), tr("Биологический возраст, лет"),
                              tr("Полный биологический возраст, лет"),
                              tr("Календарный возраст, лет"), QString()};
    for (int c = 0; c < ColumnCount; ++c) {
        QTableWidgetItem* header = m_table->horizontalHeaderItem(c);
        header->setToolTip(tips.at(c));
        const bool number = c != DateColumn && c != VerdictColumn;
        header->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(VerdictColumn, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionsClickable(false);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    // Arrows move between the entries, Tab moves on to the button.
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &HistoryPage::updateDeleteButton);
    auto* deleteKey =
        new QShortcut(QKeySequence::Delete, m_table, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, &HistoryPage::deleteSelected);

    m_delete = new FlatButton(tr("Удалить запись"), this);
    m_delete->setObjectName(QStringLiteral("DeleteEntryButton"));
    m_delete->setAutoDefault(false);
    MakeFlat(m_delete);
    connect(m_delete, &QPushButton::clicked, this, &HistoryPage::deleteSelected);

    m_export = new FlatButton(tr("Экспорт в CSV…"), this);
    m_export->setObjectName(QStringLiteral("ExportCsvButton"));
    m_export->setToolTip(tr("Записать историю профиля в файл CSV для электронной таблицы"));
    m_export->setAutoDefault(false);
    MakeFlat(m_export);
    connect(m_export, &QPushButton::clicked, this, &HistoryPage::exportRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_delete);
    buttons->addWidget(m_export);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(m_heading);
    layout->addWidget(m_chart, 3);
    layout->addWidget(m_pace);
    layout->addWidget(m_table, 2);
    layout->addLayout(buttons);
    setTabOrder(m_chart, m_table);
    setTabOrder(m_table, m_delete);
    setTabOrder(m_delete, m_export);

    fill();
}

void HistoryPage::setHistory(HistoryStore* store, const QString& profileName,
                             const QString& shownName)
{
    m_store = store;
    m_profileName = profileName;
    m_heading->setFullText(tr("Профиль: %1").arg(shownName));
    m_loaded = false;
    m_entries.clear();
    if (isVisible())
        reload();
    else
        fill();
}

void HistoryPage::reload()
{
    m_loaded = true;
    m_entries.clear();
    m_readable = true;
    if (m_store) {
        const auto read = m_store->entries(m_profileName);
        m_readable = read.has_value();
        if (read)
            m_entries = *read;
        HistoryMessages::afterCall(this, *m_store, HistoryMessages::Action::Read, m_readable);
    }
    fill();
}

void HistoryPage::deleteSelected()
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    if (rows.isEmpty() || !m_store)
        return;
    const int row = rows.constFirst().row();
    const HistoryEntry entry = m_entries.value(row);
    // The table names entries to the minute; two made in one minute differ in the seconds or
    // in the age, so the question names both.
    const QString question =
        tr("Удалить запись от %1 (биологический возраст %2) из истории?")
            .arg(DisplayLocale::dateTime(entry.recordedAt, true), YearsString(entry.biologicalAge));
    if (!MessageBoxes::instance().question(this, question))
        return;
    const bool removed = m_store->remove(entry.id);
    HistoryMessages::afterCall(this, *m_store, HistoryMessages::Action::Delete, removed);
    if (!removed)
        return;
    reload();
    if (m_table->rowCount() > 0)
        m_table->selectRow(std::min(row, m_table->rowCount() - 1));
    emit entryRemoved(entry.id);
}

QString HistoryPage::dateText(const QDateTime& when)
{
    return DisplayLocale::dateTime(when);
}

QVector<HistoryPoint> HistoryPage::chartPoints(const QList<HistoryEntry>& entries)
{
    QVector<HistoryPoint> points;
    points.reserve(entries.size());
    for (const HistoryEntry& e : entries)
        points.append({e.recordedAt, e.biologicalAge, e.properBiologicalAge, e.inputs.calendarAge});
    return points;
}

void HistoryPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_loaded && m_store)
        reload();
}

void HistoryPage::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fill();
}

void HistoryPage::fill()
{
    m_chart->setPoints(chartPoints(m_entries));
    m_agingPace = AgingPace::of(m_entries);
    m_chart->setPace(m_agingPace);
    m_pace->setText(m_agingPace.text());
    m_pace->setVisible(!m_entries.isEmpty());
    m_export->setEnabled(!m_entries.isEmpty());
    m_table->clearSelection();
    m_table->setRowCount(m_entries.size());
    for (int row = 0; row < m_entries.size(); ++row) {
        const HistoryEntry& e = m_entries.at(row);
        m_table->setItem(row, DateColumn, cell(dateText(e.recordedAt), QString(), false));
        m_table->setItem(row, BiologicalColumn,
                         cell(FixedDecimalString(e.biologicalAge, TableDecimals),
                              YearsString(e.biologicalAge), true));
        m_table->setItem(row, ProperColumn,
                         cell(FixedDecimalString(e.properBiologicalAge, TableDecimals),
                              YearsString(e.properBiologicalAge), true));
        m_table->setItem(
            row, CalendarColumn,
            cell(QString::number(e.inputs.calendarAge), AgeString(e.inputs.calendarAge), true));
        // The view shortens a verdict wider than its column with "…"; the tip shows it whole.
        QTableWidgetItem* verdict = cell(VerdictTitle(e.verdictCase), QString(), false);
        verdict->setToolTip(verdict->text());
        m_table->setItem(row, VerdictColumn, verdict);
    }
    const int rowHeight = m_table->fontMetrics().height() + 6;
    m_table->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_table->verticalHeader()->setMinimumSectionSize(rowHeight);
    if (!m_entries.isEmpty())
        m_table->selectRow(0);

    if (!m_readable)
        m_status->setText(tr("История недоступна."));
    else if (m_loaded && m_entries.isEmpty())
        m_status->setText(tr("Записей пока нет: результат попадает сюда по кнопке «Записать в "
                             "историю»."));
    else
        m_status->clear();
    updateDeleteButton();
}

void HistoryPage::updateDeleteButton()
{
    m_delete->setEnabled(m_store && !m_table->selectionModel()->selectedRows().isEmpty());
}
