#include "windows/results/BreakdownPage.h"

#include "core/assessment/AssessmentBreakdown.h"
#include "core/assessment/ComputeAssessment.h"
#include "core/assessment/YearsString.h"
#include "widgets/charts/AgeDifferenceScale.h"
#include "widgets/charts/AgeDifferenceScaleWidget.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The mark on a step that would change the verdict, explained under the table.
const QString ChangeMark = QStringLiteral("*");

QTableWidgetItem* cell(const QString& text, bool number)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

BreakdownPage::BreakdownPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BreakdownPage"));

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("BreakdownTable"));
    m_table->setAccessibleName(tr("Из чего складывается биологический возраст"));
    m_table->setHorizontalHeaderLabels(
        {tr("Слагаемое"), tr("Значение"), tr("Годы"), tr("Шаг → годы")});
    m_table->horizontalHeaderItem(YearsColumn)->setToolTip(tr("Вклад в биологический возраст"));
    m_table->horizontalHeaderItem(StepColumn)
        ->setToolTip(tr("На сколько лет сдвинет результат один шаг этого показателя"));
    m_table->horizontalHeaderItem(TermColumn)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c : {ValueColumn, YearsColumn, StepColumn})
        m_table->horizontalHeaderItem(c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(TermColumn, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionsClickable(false);
    m_table->horizontalHeader()->setHighlightSections(false);
    // Read only: arrows move between the cells, Tab moves on to the scale.
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_pressureNote = new QLabel(this);
    m_pressureNote->setObjectName(QStringLiteral("PressureNote"));
    m_pressureNote->setWordWrap(true);
    m_pressureNote->setTextFormat(Qt::PlainText);
    m_verdictNote = new QLabel(this);
    m_verdictNote->setObjectName(QStringLiteral("VerdictNote"));
    m_verdictNote->setWordWrap(true);
    m_properAge = new QLabel(this);
    m_properAge->setObjectName(QStringLiteral("ProperAge"));
    m_properAge->setWordWrap(true);
    m_scale = new AgeDifferenceScaleWidget(this);
    m_scale->setObjectName(QStringLiteral("AgeDifferenceScale"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(m_pressureNote);
    layout->addWidget(m_table);
    layout->addWidget(m_verdictNote);
    layout->addWidget(m_properAge);
    layout->addWidget(m_scale);
    layout->addStretch(1);
    setTabOrder(m_table, m_scale);

    fill();
}

void BreakdownPage::setRecord(const AssessmentRecord& record)
{
    m_record = record;
    fill();
}

void BreakdownPage::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fill();
}

void BreakdownPage::fill()
{
    const AssessmentBreakdown breakdown(m_record);
    const QVector<BreakdownTerm>& terms = breakdown.terms();
    m_pressureNote->setText(breakdown.pressureWarning());
    m_pressureNote->setVisible(!m_pressureNote->text().isEmpty());
    m_table->setRowCount(terms.size() + 1);
    QStringList newVerdicts;
    for (int row = 0; row < terms.size(); ++row) {
        const BreakdownTerm& term = terms.at(row);
        m_table->setItem(row, TermColumn, cell(term.title, false));
        m_table->setItem(row, ValueColumn, cell(term.valueText, true));
        QTableWidgetItem* years = cell(DecimalString(term.contribution), true);
        years->setToolTip(term.formula);
        years->setData(Qt::AccessibleTextRole, YearsString(term.contribution));
        m_table->setItem(row, YearsColumn, years);

        QTableWidgetItem* step = cell(QString(), true);
        if (const StepHint* hint = breakdown.stepFor(term.input)) {
            step->setText(hint->verdictChanges ? hint->shortText + ChangeMark : hint->shortText);
            step->setToolTip(hint->text);
            step->setData(Qt::AccessibleTextRole, hint->text);
            const QString title = VerdictTitle(hint->verdictCase);
            if (hint->verdictChanges && !newVerdicts.contains(title))
                newVerdicts.append(title);
        }
        m_table->setItem(row, StepColumn, step);
    }

    const int total = terms.size();
    QFont bold = m_table->font();
    bold.setBold(true);
    const QString totalValue = DecimalString(breakdown.total());
    const QStringList totalTexts = {tr("Биологический возраст"), QString(), totalValue, QString()};
    for (int c = 0; c < ColumnCount; ++c) {
        QTableWidgetItem* item = cell(totalTexts.at(c), c != TermColumn);
        item->setFont(bold);
        m_table->setItem(total, c, item);
    }
    m_table->item(total, YearsColumn)
        ->setData(Qt::AccessibleTextRole, YearsString(breakdown.total()));

    m_verdictNote->setVisible(!newVerdicts.isEmpty());
    QStringList quoted;
    for (const QString& title : newVerdicts)
        quoted.append(tr("«%1»").arg(title));
    m_verdictNote->setText(ChangeMark + QLatin1Char(' ') +
                           tr("Вывод станет: %1").arg(quoted.join(tr(" или "))));

    const QString proper =
        tr("Полный биологический возраст: %1 = %2")
            .arg(breakdown.properAgeFormula(), YearsString(breakdown.properAge()));
    m_properAge->setText(
        proper + QLatin1Char('\n') +
        tr("Разница биологического и полного: %1")
            .arg(YearsString(breakdown.result().ageDifference, SignStyle::Explicit)));
    m_scale->setDifference(breakdown.result().ageDifference);
    m_scale->setAccessibleDescription(proper + QStringLiteral(". ") +
                                      AgeDifferenceScale::description());
    fitTable();
}

// Every row shows: the table is as high as its header and rows, and never scrolls.
void BreakdownPage::fitTable()
{
    const int rowHeight = m_table->fontMetrics().height() + 6;
    int height = m_table->horizontalHeader()->sizeHint().height() + 2 * m_table->frameWidth();
    for (int row = 0; row < m_table->rowCount(); ++row) {
        m_table->setRowHeight(row, rowHeight);
        height += rowHeight;
    }
    m_table->setFixedHeight(height);
}
