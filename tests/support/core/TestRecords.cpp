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
