#include "ProfileInputsText.h"

#include <QStringList>

#include <cstring>

namespace {

struct Field
{
    const char* name;
    std::optional<int> ProfileInputs::*value;
    std::optional<bool> ProfileInputs::*option;
};

// In the order the line shows them.
const Field fields[] = {
    {"S2", &ProfileInputs::calendarAge, nullptr}, {"S3", &ProfileInputs::bodyMass, nullptr},
    {"S4", &ProfileInputs::systolic, nullptr},    {"S5", &ProfileInputs::diastolic, nullptr},
    {"S6", &ProfileInputs::breathHold, nullptr},  {"S7", &ProfileInputs::balance, nullptr},
    {"O1", nullptr, &ProfileInputs::female},      {"O0", nullptr, &ProfileInputs::male},
};

QString text(const ProfileInputs& inputs, const Field& f)
{
    if (f.value)
        return inputs.*f.value ? QString::number(*(inputs.*f.value)) : QStringLiteral("-");
    const std::optional<bool>& on = inputs.*f.option;
    return on ? (*on ? QStringLiteral("True") : QStringLiteral("False")) : QStringLiteral("-");
}

} // namespace

QString describe(const ProfileInputs& inputs)
{
    QStringList parts;
    for (const Field& f : fields)
        parts << QLatin1String(f.name) + QLatin1Char('=') + text(inputs, f);
    QString statements;
    for (const std::optional<int>& s : inputs.statements)
        statements += s ? QString::number(*s) : QStringLiteral("-");
    parts << QStringLiteral("K=") + statements;
    parts << QStringLiteral("R=") + (inputs.healthRating ? QString::number(*inputs.healthRating)
                                                         : QStringLiteral("-"));
    return parts.join(QLatin1Char(' '));
}

QString describePresent(const ProfileInputs& inputs)
{
    QStringList parts;
    for (const Field& f : fields) {
        if ((f.value && inputs.*f.value) || (f.option && inputs.*f.option))
            parts << QLatin1String(f.name) + QLatin1Char('=') + text(inputs, f);
    }
    for (size_t k = 0; k < inputs.statements.size(); ++k) {
        if (inputs.statements[k])
            parts << QStringLiteral("K%1=%2").arg(k).arg(*inputs.statements[k]);
    }
    if (inputs.healthRating)
        parts << QStringLiteral("R=%1").arg(*inputs.healthRating);
    return parts.join(QLatin1Char(' '));
}

char* toString(const ProfileInputs& inputs)
{
    return qstrdup(describe(inputs).toUtf8().constData());
}

ProfileInputs startInputs()
{
    ProfileInputs inputs;
    inputs.systolic = 11;
    inputs.diastolic = 8;
    inputs.breathHold = 10;
    inputs.balance = 3;
    inputs.female = false;
    inputs.male = true;
    inputs.calendarAge = 20;
    inputs.bodyMass = 65;
    inputs.statements.fill(0);
    inputs.healthRating = 1;
    return inputs;
}

ProfileInputs withStatements(ProfileInputs inputs, const char* digits)
{
    for (size_t k = 0; k < inputs.statements.size() && k < std::strlen(digits); ++k)
        inputs.statements[k] = digits[k] - '0';
    return inputs;
}

ProfileInputs fullInputs(int age, int mass, int systolic, int diastolic, int breath, int balance,
                         bool female, bool male, const char* statements, int rating)
{
    ProfileInputs p = withStatements(startInputs(), statements);
    p.calendarAge = age;
    p.bodyMass = mass;
    p.systolic = systolic;
    p.diastolic = diastolic;
    p.breathHold = breath;
    p.balance = balance;
    p.female = female;
    p.male = male;
    p.healthRating = rating;
    return p;
}
