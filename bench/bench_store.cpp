// The profile commands at the level of the settings store, on stores of 100, 1,000 and 10,000
// profiles of 36 keys each (the keys the program writes), numbered up to 32,000 with gaps.
// Each command is what the profile store asks of the settings store: the list section's keys,
// then one batch. Each runs three times; tools/bench-report shows the median and the range.
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"

#include "BenchFolders.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>

namespace {

constexpr qint64 lastIndex = 32000;
const QString app = ProfileStore::application();
const QString list = ProfileStore::listSection();

QString profileName(qint64 n)
{
    return QStringLiteral("Профиль %1").arg(n);
}

QString nameKey(qint64 n)
{
    return QLatin1Char('_') + QString::number(n) + QLatin1Char('_');
}

// The keys and texts of one profile as the program writes them (sliders, the two options, 27
// statements and the rating), the values varied with the number.
void addProfile(SettingsStore::Batch& batch, const QString& name, qint64 number)
{
    batch.save(list, nameKey(number), name);
    const int n = int(number % 50);
    ProfileInputs p;
    p.systolic = 34 + n;
    p.diastolic = 35 + n;
    p.breathHold = 36 + n;
    p.balance = 37 + n;
    p.female = number % 2 == 0;
    p.male = number % 2 == 1;
    p.calendarAge = 50 + n;
    p.bodyMass = 51 + n;
    for (size_t k = 0; k < p.statements.size(); ++k)
        p.statements[k] = (int(k) + n) % 3 ? 0 : 1;
    p.healthRating = int(number % 4);
    const QHash<QString, QString> texts = ProfileStore::texts(p);
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        batch.save(ProfileStore::profileSection(name), it.key(), it.value());
}

// The numbered names of the list section, as the profile store reads them.
struct Numbers
{
    std::map<qint64, QString> names;
    qint64 last = 0;
};

Numbers numbers(const SettingsStore& store)
{
    Numbers result;
    const QHash<QString, QString> keys = store.keys(app, list);
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        const QString& k = it.key();
        if (k.size() > 2 && k.startsWith(QLatin1Char('_')) && k.endsWith(QLatin1Char('_'))) {
            if (const qint64 n = k.mid(1, k.size() - 2).toLongLong())
                result.names.emplace(n, it.value());
        }
    }
    result.last = keys.value(QStringLiteral("LastIndex")).toLongLong();
    if (!result.names.empty())
        result.last = std::max(result.last, result.names.rbegin()->first);
    return result;
}

qint64 numberOf(const Numbers& numbers, const QString& name)
{
    for (const auto& [n, stored] : numbers.names) {
        if (stored == name)
            return n;
    }
    return 0;
}

// A store with `count` profiles spread evenly over the numbers 1..32000, written once per size
// and kind in one batch through the store itself, and copied for every run that changes it.
// Kept by QSettings, it is the settings file of earlier versions, which the store carries over
// into its database when first opened.
QString templateFolder(int count, SettingsStore::Backend kind = SettingsStore::Backend::Database)
{
    static QTemporaryDir root;
    static std::map<std::pair<int, SettingsStore::Backend>, QString> built;
    if (auto it = built.find({count, kind}); it != built.end())
        return it->second;
    const QString folder = root.filePath(QStringLiteral("%1-%2").arg(count).arg(int(kind)));
    {
        SettingsStore store(folder, kind);
        SettingsStore::Batch batch;
        for (int k = 0; k < count; ++k) {
            const qint64 n = 1 + k * (lastIndex / count);
            addProfile(batch, profileName(n), n);
        }
        batch.save(list, QStringLiteral("LastIndex"), QString::number(lastIndex));
        if (!store.apply(app, batch))
            qFatal("bench_store: the template store could not be written");
    }
    built.emplace(std::pair(count, kind), folder);
    return folder;
}

// A private copy of the template, open and read as in the running program.
class WorkingStore
{
public:
    explicit WorkingStore(int count, SettingsStore::Backend kind = SettingsStore::Backend::Database)
        : count(count)
    {
        copyFolder(templateFolder(count, kind), m_dir.path());
        store = std::make_unique<SettingsStore>(m_dir.path());
        numbers(*store);
    }
    QString folder() const { return m_dir.path(); }
    const int count;
    std::unique_ptr<SettingsStore> store;

private:
    QTemporaryDir m_dir;
};

qint64 storedNumber(int count, int k)
{
    return 1 + k * (lastIndex / count);
}

// Start-up: opening the store and reading the list.
void loadPresets(benchmark::State& state, const QString& folder)
{
    for (auto _ : state) {
        SettingsStore store(folder);
        const Numbers n = numbers(store);
        if (static_cast<qint64>(n.names.size()) != state.range(0))
            state.SkipWithError("wrong list");
        benchmark::DoNotOptimize(n);
    }
    state.counters["store_MB"] = folderMegabytes(folder);
}

void BM_LoadPresets(benchmark::State& state)
{
    loadPresets(state, templateFolder(static_cast<int>(state.range(0))));
}

void BM_SaveNew(benchmark::State& state)
{
    WorkingStore working(static_cast<int>(state.range(0)));
    int k = 0;
    for (auto _ : state) {
        const Numbers n = numbers(*working.store);
        SettingsStore::Batch batch;
        addProfile(batch, QStringLiteral("Новый %1").arg(++k), n.last + 1);
        batch.save(list, QStringLiteral("LastIndex"), QString::number(n.last + 1));
        if (!working.store->apply(app, batch))
            state.SkipWithError("save failed");
    }
    state.counters["store_MB"] = folderMegabytes(working.folder());
}

// The old record's name key and section go, the profile takes the next number.
void BM_Overwrite(benchmark::State& state)
{
    WorkingStore working(static_cast<int>(state.range(0)));
    int k = 0;
    for (auto _ : state) {
        const QString name = profileName(storedNumber(working.count, k++ % working.count));
        const Numbers n = numbers(*working.store);
        const qint64 old = numberOf(n, name);
        SettingsStore::Batch batch;
        batch.deleteKey(list, nameKey(old));
        batch.deleteSection(ProfileStore::profileSection(name));
        addProfile(batch, name, n.last + 1);
        batch.save(list, QStringLiteral("LastIndex"), QString::number(n.last + 1));
        if (!old || !working.store->apply(app, batch))
            state.SkipWithError("overwrite failed");
    }
}

void BM_Delete(benchmark::State& state)
{
    WorkingStore working(static_cast<int>(state.range(0)));
    int k = working.count;
    for (auto _ : state) {
        const QString name = profileName(storedNumber(working.count, --k));
        const qint64 old = numberOf(numbers(*working.store), name);
        SettingsStore::Batch batch;
        batch.deleteKey(list, nameKey(old));
        batch.deleteSection(ProfileStore::profileSection(name));
        if (k < 0 || !old || !working.store->apply(app, batch))
            state.SkipWithError("delete failed");
    }
}

// The first start after an update: the settings file of earlier versions carried over whole
// into the database, then the list read. Each run starts from a fresh copy of that file alone.
void BM_FirstStartCarryingOver(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const QString earlier = templateFolder(count, SettingsStore::Backend::QSettings);
    for (auto _ : state) {
        state.PauseTiming();
        auto fresh = std::make_unique<QTemporaryDir>();
        copyFolder(earlier, fresh->path());
        state.ResumeTiming();
        {
            SettingsStore store(fresh->path());
            const Numbers n = numbers(store);
            if (static_cast<qint64>(n.names.size()) != count)
                state.SkipWithError("wrong list");
        }
        state.PauseTiming();
        fresh.reset();
        state.ResumeTiming();
    }
    state.counters["store_MB"] = folderMegabytes(earlier);
}

void commands(benchmark::internal::Benchmark* b)
{
    b->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
    // Every run is reported; tools/bench-report gives their median with the range.
    b->Repetitions(3);
}

} // namespace

BENCHMARK(BM_LoadPresets)->Apply(commands);
BENCHMARK(BM_SaveNew)->Apply(commands)->Iterations(10);
BENCHMARK(BM_Overwrite)->Apply(commands)->Iterations(10);
BENCHMARK(BM_Delete)->Apply(commands)->Iterations(10);
BENCHMARK(BM_FirstStartCarryingOver)->Apply(commands)->Iterations(1);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
