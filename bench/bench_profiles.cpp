// Cost of the profile routines on large stores: N profiles numbered up to 32,000 with gaps.
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"

#include "BenchFolders.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

constexpr qint64 lastIndex = 32000;

// A full set of inputs, as the main window saves them.
ProfileInputs inputs()
{
    ProfileInputs p;
    p.systolic = 14;
    p.diastolic = 15;
    p.breathHold = 16;
    p.balance = 17;
    p.female = false;
    p.male = true;
    p.calendarAge = 30;
    p.bodyMass = 31;
    for (int k = 0; k < 27; ++k)
        p.statements[size_t(k)] = k % 3 == 0 ? 1 : 0;
    p.healthRating = 0;
    return p;
}

QString profileName(qint64 n)
{
    return QStringLiteral("Профиль %1").arg(n);
}

// A store with `count` profiles spread evenly over the numbers 1..32000, written once per size
// in one batch and copied for every benchmark that changes it.
QString templateFolder(int count)
{
    static QTemporaryDir root;
    static std::map<int, QString> built;
    if (auto it = built.find(count); it != built.end())
        return it->second;
    const QString folder = root.filePath(QString::number(count));
    const QHash<QString, QString> texts = ProfileStore::texts(inputs());
    SettingsStore::Batch batch;
    for (int k = 0; k < count; ++k) {
        const qint64 n = 1 + k * (lastIndex / count);
        batch.save(ProfileStore::listSection(), QStringLiteral("_%1_").arg(n), profileName(n));
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            batch.save(ProfileStore::profileSection(profileName(n)), it.key(), it.value());
    }
    batch.save(ProfileStore::listSection(), QStringLiteral("LastIndex"),
               QString::number(lastIndex));
    if (!SettingsStore(folder).apply(ProfileStore::application(), batch))
        qFatal("bench_profiles: the template store could not be written");
    built.emplace(count, folder);
    return folder;
}

// A private copy of the template that the benchmark may change.
class WorkingStore
{
public:
    explicit WorkingStore(int count)
    {
        copyFolder(templateFolder(count), m_dir.path());
        store = std::make_unique<SettingsStore>(m_dir.path());
    }
    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> store;
};

// Start-up: opening the store (reading the file) and filling the list.
void BM_LoadPresets(benchmark::State& state)
{
    const QString folder = templateFolder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        SettingsStore store(folder);
        const QStringList names = ProfileStore(store).LoadPresets();
        if (names.size() != state.range(0))
            state.SkipWithError("wrong list");
        benchmark::DoNotOptimize(names);
    }
    state.counters["file_MB"] = folderMegabytes(folder);
}

void BM_SaveNew(benchmark::State& state)
{
    WorkingStore working(static_cast<int>(state.range(0)));
    ProfileStore profiles(*working.store);
    const ProfileInputs saved = inputs();
    profiles.LoadPresets(); // the store is open, as in the running program
    int k = 0;
    for (auto _ : state) {
        if (!profiles.Save(QStringLiteral("Новый %1").arg(++k), false, saved))
            state.SkipWithError("save failed");
    }
}

void BM_Delete(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    WorkingStore working(count);
    ProfileStore profiles(*working.store);
    profiles.LoadPresets();
    qint64 k = count;
    for (auto _ : state) {
        --k;
        if (k < 0 || !profiles.DelPreset(profileName(1 + k * (lastIndex / count))))
            state.SkipWithError("delete failed");
    }
}

} // namespace

BENCHMARK(BM_LoadPresets)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveNew)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK(BM_Delete)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
