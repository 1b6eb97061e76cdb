// Backup and restore of a large home: 100,000 records over 1,000 profiles, and 1,000 profiles
// of 36 keys each. Each timed run is one whole command as the user starts it.
#include "core/data/DataTransfer.h"
#include "core/history/HistoryStore.h"
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int profileCount = 1000;
constexpr int perProfile = 100;
const QDateTime firstDay(QDate(2020, 1, 1), QTime(9, 0), Qt::UTC);

QString profileName(int p)
{
    return QStringLiteral("Профиль %1").arg(p);
}

HistoryEntry entry(int p, int k)
{
    AssessmentRecord in;
    in.sex = p % 2 ? Sex::Female : Sex::Male;
    in.calendarAge = 20 + p % 60 + k / 365;
    in.bodyMass = 50 + p % 50;
    in.systolicPressure = 110 + 10 * (k % 5);
    in.breathHold = 10 + k % 50;
    in.statements[size_t(k % AssessmentRecord::StatementCount)] = 1;
    AssessmentResult r;
    r.healthIndex = 3 + k % 10;
    r.biologicalAge = FixedPoint::fromRaw(400000 + 37 * k + p);
    r.properBiologicalAge = FixedPoint::fromRaw(380000 + 6290 * (k / 365));
    r.ageDifference = r.biologicalAge - r.properBiologicalAge;
    r.verdictCase = 3;
    return HistoryEntry::fromAssessment(profileName(p), in, r, firstDay.addDays(k).addSecs(p));
}

ProfileInputs inputs(int p)
{
    ProfileInputs in;
    in.calendarAge = 20 + p % 60;
    in.bodyMass = 50 + p % 50;
    in.systolic = 11;
    in.diastolic = 8;
    in.breathHold = 30;
    in.balance = 10;
    in.male = p % 2 == 0;
    in.female = p % 2 != 0;
    for (auto& s : in.statements)
        s = p % 2;
    in.healthRating = 1;
    return in;
}

// The large home, built once: <root>/settings and <root>/data.
QString templateHome()
{
    static QTemporaryDir root;
    static bool built = false;
    if (!built) {
        SettingsStore settings(root.filePath(QStringLiteral("settings")));
        ProfileStore profiles(settings);
        for (int p = 0; p < profileCount; ++p)
            profiles.Save(profileName(p), false, inputs(p));
        HistoryStore history(root.filePath(QStringLiteral("data")));
        QList<HistoryEntry> all;
        all.reserve(profileCount * perProfile);
        for (int k = 0; k < perProfile; ++k)
            for (int p = 0; p < profileCount; ++p)
                all.append(entry(p, k));
        built = bool(history.addAll(all));
    }
    return built ? root.path() : QString();
}

// The template's copy, made once.
QString templateCopy()
{
    static QTemporaryDir root;
    static QString path;
    if (path.isEmpty() && !templateHome().isEmpty()) {
        SettingsStore settings(templateHome() + QStringLiteral("/settings"));
        HistoryStore history(templateHome() + QStringLiteral("/data"));
        const QString target = root.filePath(QStringLiteral("home.kvbackup"));
        if (DataTransfer(settings, history).backup(target).ok)
            path = target;
    }
    return path;
}

// --backup onto an existing file (every run but the first replaces the one before).
void BM_Backup(benchmark::State& state)
{
    if (templateHome().isEmpty())
        return state.SkipWithError("no home");
    QTemporaryDir out;
    SettingsStore settings(templateHome() + QStringLiteral("/settings"));
    HistoryStore history(templateHome() + QStringLiteral("/data"));
    const QString target = out.filePath(QStringLiteral("copy.kvbackup"));
    for (auto _ : state) {
        if (!DataTransfer(settings, history).backup(target).ok)
            state.SkipWithError("backup failed");
    }
    state.counters["file_MB"] = QFileInfo(target).size() / 1e6;
}

// --restore of that copy into a home with nothing stored yet.
void BM_RestoreIntoEmptyHome(benchmark::State& state)
{
    const QString copy = templateCopy();
    if (copy.isEmpty())
        return state.SkipWithError("no copy");
    for (auto _ : state) {
        state.PauseTiming();
        auto home = std::make_unique<QTemporaryDir>();
        SettingsStore settings(home->filePath(QStringLiteral("settings")));
        HistoryStore history(home->filePath(QStringLiteral("data")));
        state.ResumeTiming();
        if (!DataTransfer(settings, history).restore(copy, DataTransfer::Mode::Merge).ok)
            state.SkipWithError("restore failed");
        state.PauseTiming();
        const auto restored = history.allEntries();
        if (!restored || restored->size() != profileCount * perProfile ||
            ProfileStore(settings).LoadPresets().size() != profileCount)
            state.SkipWithError("not all restored");
        home.reset();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_RestoreIntoEmptyHome)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
