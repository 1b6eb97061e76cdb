#pragma once

#include "core/assessment/AssessmentRecord.h"

#include <QWidget>

class AgeDifferenceScaleWidget;
class QLabel;
class QTableWidget;

// The "Разбор" page: every term of the formula with its contribution in years and, beside each
// input a person can change, what one step of it does; then the proper age the result is
// compared with and the scale of the difference.
class BreakdownPage : public QWidget
{
    Q_OBJECT
public:
    enum Column
    {
        TermColumn,
        ValueColumn,
        YearsColumn,
        StepColumn,
        ColumnCount
    };

    explicit BreakdownPage(QWidget* parent = nullptr);

    void setRecord(const AssessmentRecord& record);

    QTableWidget* table() const { return m_table; }
    AgeDifferenceScaleWidget* scale() const { return m_scale; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void fill();
    void fitTable();

    AssessmentRecord m_record;
    QLabel* m_pressureNote = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_verdictNote = nullptr;
    QLabel* m_properAge = nullptr;
    AgeDifferenceScaleWidget* m_scale = nullptr;
};
