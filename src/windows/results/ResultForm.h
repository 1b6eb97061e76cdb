#pragma once

#include <QDialog>

struct AssessmentResult;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// "Результаты": the calendar age, the proper biological age, the biological age and the
// verdict of one calculation. A new window for every showing.
class ResultForm : public QDialog
{
    Q_OBJECT
public:
    explicit ResultForm(QWidget* parent = nullptr);

    // Fills every row; the calendar age is shown exactly as the main window wrote it.
    void fill(const AssessmentResult& result, const QString& calendarAgeText);

private:
    QTabWidget* TabStrip1 = nullptr;
    QLabel* Label2 = nullptr; // calendar age
    QLabel* Label6 = nullptr; // proper biological age
    QLabel* Label3 = nullptr; // biological age
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
};
