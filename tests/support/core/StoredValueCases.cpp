#include "StoredValueCases.h"

const QList<StoredValueCase>& storedValueCases()
{
    static const QList<StoredValueCase> cases = {
        {"age", "C30", "33", "S2=33", "S2=33"},
        {"age above range", "C30", "500", "S2=500", "S2=90"},
        {"age below range", "C30", "-7", "S2=-7", "S2=5"},
        {"age not a number", "C30", "abc", "", ""},
        {"age empty", "C30", "", "", ""},
        {"age decimal", "C30", "33.5", "", ""},
        {"age past int", "C30", "99999999999", "", ""},
        {"mass", "C31", "77", "S3=77", "S3=77"},
        {"systolic", "C14", "20", "S4=20", "S4=20"},
        {"diastolic", "C15", "12", "S5=12", "S5=12"},
        {"breath-holding", "C16", "99", "S6=99", "S6=99"},
        {"balance", "C17", "33", "S7=33", "S7=33"},
        {"female", "C27", "True", "O1=True", "O1=True O0=False"},
        {"female, other case and blanks", "C27", " true ", "O1=True", "O1=True O0=False"},
        {"male cleared", "C28", "False", "O0=False", "O0=False"},
        {"option garbage", "C28", "Maybe", "", ""},
        {"option number", "C27", "1", "", ""},
        {"statement checked", "C39", "1", "K0=1", "K=100000000000000000000000000"},
        {"statement with blanks", "C40", " 1 ", "K1=1", "K=010000000000000000000000000"},
        {"statement greyed", "C65", "2", "K26=2", "K=000000000000000000000000002"},
        {"statement out of range", "C39", "3", "", ""},
        {"statement negative", "C39", "-1", "", ""},
        {"rating", "C66", "0", "R=0", "R=0"},
        {"rating none", "C66", "-1", "R=-1", "R=-1"},
        {"rating past list", "C66", "4", "", ""},
        {"rating below none", "C66", "-2", "", ""},
        {"rating garbage", "C66", "x", "", ""},
        {"not a saved control", "C1", "5", "", ""},
    };
    return cases;
}
