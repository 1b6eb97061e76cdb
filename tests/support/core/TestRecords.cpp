#include "TestRecords.h"

AssessmentRecord maleRecord(int age, int systolic, int breathHold, int balance)
{
    AssessmentRecord r;
    r.calendarAge = age;
    r.systolicPressure = systolic;
    r.breathHold = breathHold;
    r.balance = balance;
    return r;
}

QString describe(const AssessmentRecord& r)
{
    QString statements;
    for (int s : r.statements)
        statements += QString::number(s);
    return QStringLiteral("%1 %2 %3 %4/%5 %6 %7 %8 %9")
        .arg(r.sex == Sex::Male ? "male" : "female")
        .arg(r.calendarAge)
        .arg(r.bodyMass)
        .arg(r.systolicPressure)
        .arg(r.diastolicPressure)
        .arg(r.breathHold)
        .arg(r.balance)
        .arg(statements)
        .arg(r.healthRating);
}
