#include "LegacyProfiles.h"

#include "ProfileInputsText.h"

namespace {

LegacyProfile profile(const char* name, int age, int mass, int systolic, int diastolic, int breath,
                      int balance, bool female, bool male, const char* statements, int rating)
{
    return {QString::fromUtf8(name), fullInputs(age, mass, systolic, diastolic, breath, balance,
                                                female, male, statements, rating)};
}

} // namespace

const QList<LegacyProfile>& legacyProfiles()
{
    // Names with blanks at both ends, quotes and INI syntax; two that differ only in letter
    // case; every rating; sliders at their ends and at their start values; neither sex.
    static const QList<LegacyProfile> profiles = {
        profile("  Мама Оля  ", 47, 88, 14, 9, 95, 21, true, false, "100000000000010000000000002",
                3),
        profile("Папа \"Большой\" и 'я'", 90, 10, 36, 4, 300, 1, false, true,
                "111111111111111111111111222", 0),
        profile("a=b; c [d] #e", 5, 200, 4, 24, 5, 60, true, false, "012012012012012012012012012",
                2),
        profile("Анна", 30, 55, 12, 8, 10, 3, true, false, "000000000000000000000000000", 1),
        profile("анна", 60, 70, 15, 10, 10, 7, true, false, "000001000000000000000000010", 2),
        profile("Утро", 33, 65, 12, 8, 45, 9, false, true, "000001000000000000000000100", 1),
        profile("Без пола", 25, 61, 10, 7, 20, 5, false, false, "000000000000000000000000222", 0),
    };
    return profiles;
}
