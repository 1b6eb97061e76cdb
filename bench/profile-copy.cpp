// Writes a backup copy holding COUNT saved profiles and no history, for the start-up probe's
// start with a database of profiles: tools/bench-report restores it with the program itself
// into a template data folder that every such start gets a fresh copy of.
//   profile-copy FILE COUNT
#include "core/data/CopyFile.h"
#include "core/data/DataCopy.h"
#include "core/profiles/ProfileStore.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    bool ok = false;
    const int count = argc == 3 ? QString::fromLocal8Bit(argv[2]).toInt(&ok) : 0;
    if (!ok || count < 0) {
        std::fprintf(stderr, "usage: profile-copy FILE COUNT\n");
        return 2;
    }
    DataCopy copy;
    for (int n = 1; n <= count; ++n) {
        const QString name = QStringLiteral("Профиль %1").arg(n);
        ProfileInputs in;
        in.calendarAge = 20 + n % 60;
        in.bodyMass = 50 + n % 50;
        in.systolic = 11;
        in.diastolic = 8;
        in.breathHold = 30 + n % 20;
        in.balance = 10;
        in.male = n % 2 == 0;
        in.female = n % 2 != 0;
        for (size_t k = 0; k < in.statements.size(); ++k)
            in.statements[k] = int((k + size_t(n)) % 3);
        in.healthRating = n % 4;
        copy.listKeys.insert(ProfileStore::nameKey(n), name);
        copy.profiles.insert(name, ProfileStore::texts(in));
    }
    copy.listKeys.insert(ProfileStore::lastIndexKey(), QString::number(count));
    if (const auto error = CopyFile::write(QString::fromLocal8Bit(argv[1]), copy)) {
        std::fprintf(stderr, "profile-copy: %s\n", qPrintable(*error));
        return 1;
    }
    return 0;
}
