#pragma once

#include "core/assessment/AssessmentRecord.h"

#include <QList>
#include <QObject>

class GroupFrame;
class QComboBox;
class QWidget;
class StatementCheckBox;

// The group "Отметьте верные утверждения": the 27 statements in two columns and the
// self-rating of health below them.
class StatementsList : public QObject
{
    Q_OBJECT
public:
    explicit StatementsList(QWidget* window);

    // Lays the rows out again at their loaded height and selects the start rating.
    void load();

    StatementCheckBox* statement(int index) const { return m_statements.value(index); }
    const QList<StatementCheckBox*>& statements() const { return m_statements; }
    QComboBox* ratingBox() const { return m_ratingBox; }

private:
    GroupFrame* m_frame = nullptr;
    QList<StatementCheckBox*> m_statements;
    QComboBox* m_ratingBox = nullptr;
};
