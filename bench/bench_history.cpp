// Cost of the results history on a large store: 100,000 entries over 1,000 profiles.
// Each operation is timed on its own; the counters give the median and the spread (ms).
#include "core/history/HistoryCsv.h"
#include "core/history/HistoryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int profileCount = 1000;
constexpr int perProfile = 100;
const QDateTime firstDay(QDate(2020, 1, 1), QTime(9, 0), Qt::UTC);

QString profileName(int p)
{
    return QStringLiteral("Профиль %1").arg(p);
}

// The k-th entry of profile p: one a day, ageing slowly.
HistoryEntry entry(int p, int k)
{
    AssessmentRecord in;
    in.sex = p % 2 ? Sex::Female : Sex::Male;
    in.calendarAge = 20 + p % 60 + k / 365;
    in.bodyMass = 50 + p % 50;
    in.systolicPressure = 110 + 10 * (k % 5);
    in.breathHold = 10 + k % 50;
    in.statements[k % AssessmentRecord::StatementCount] = 1;
    AssessmentResult r;
    r.healthIndex = 3 + k % 10;
    r.biologicalAge = FixedPoint::fromRaw(400000 + 37 * k + p);
    r.properBiologicalAge = FixedPoint::fromRaw(380000 + 6290 * (k / 365));
    r.ageDifference = r.biologicalAge - r.properBiologicalAge;
    r.verdictCase = 3;
    return HistoryEntry::fromAssessment(profileName(p), in, r, firstDay.addDays(k).addSecs(p));
}

// Built once, in one transaction; interleaved as years of use leave it: each day's entries
// belong to all the profiles.
QString templateDatabase()
{
    static QTemporaryDir root;
    static QString path;
    if (path.isEmpty()) {
        HistoryStore store(root.path());
        QList<HistoryEntry> all;
        all.reserve(profileCount * perProfile);
        for (int k = 0; k < perProfile; ++k)
            for (int p = 0; p < profileCount; ++p)
                all.append(entry(p, k));
        if (store.addAll(all))
            path = store.location();
    }
    return path;
}

// A private copy of the template that a benchmark may change.
class WorkingCopy
{
public:
    WorkingCopy()
    {
        ok = QFile::copy(templateDatabase(), m_dir.filePath(HistoryStore::fileName()));
    }
    QString folder() const { return m_dir.path(); }
    bool ok = false;

private:
    QTemporaryDir m_dir;
};

// A working copy with its store in use, as in the program after the history was first shown.
class OpenStore
{
public:
    OpenStore() : store(copy.folder()) { ok = copy.ok && store.entries(profileName(0)); }
    WorkingCopy copy;
    HistoryStore store;
    bool ok = false;
};

// Times each operation on its own and gives the median, the 10th and 90th percentiles, the
// least and the most (ms) as counters.
class Spread
{
public:
    template <typename Operation> auto time(Operation&& operation)
    {
        QElapsedTimer timer;
        timer.start();
        auto result = operation();
        m_ms.push_back(timer.nsecsElapsed() / 1e6);
        return result;
    }
    void report(benchmark::State& state)
    {
        if (m_ms.empty())
            return;
        std::sort(m_ms.begin(), m_ms.end());
        const auto at = [this](double q) {
            return m_ms[static_cast<size_t>(q * (m_ms.size() - 1))];
        };
        state.counters["median_ms"] = at(0.5);
        state.counters["p10_ms"] = at(0.1);
        state.counters["p90_ms"] = at(0.9);
        state.counters["min_ms"] = m_ms.front();
        state.counters["max_ms"] = m_ms.back();
    }

private:
    std::vector<double> m_ms;
};

// Recording one entry for a profile picked at random.
void BM_Record(benchmark::State& state)
{
    OpenStore open;
    if (!open.ok)
        return state.SkipWithError("no database");
    std::mt19937 random(1);
    Spread spread;
    int k = perProfile;
    for (auto _ : state) {
        const HistoryEntry e = entry(static_cast<int>(random() % profileCount), k++);
        if (!spread.time([&] { return open.store.add(e); }))
            state.SkipWithError("not recorded");
    }
    spread.report(state);
}

// One profile's whole history, newest first.
void BM_OpenProfileHistory(benchmark::State& state)
{
    OpenStore open;
    if (!open.ok)
        return state.SkipWithError("no database");
    std::mt19937 random(2);
    Spread spread;
    for (auto _ : state) {
        const QString name = profileName(static_cast<int>(random() % profileCount));
        const auto found = spread.time([&] { return open.store.entries(name); });
        if (!found || found->size() != perProfile)
            state.SkipWithError("wrong history");
    }
    spread.report(state);
}

// The first use in a session: opening the file, checking it, then one history.
void BM_FirstUse(benchmark::State& state)
{
    WorkingCopy copy;
    if (!copy.ok)
        return state.SkipWithError("no database");
    std::mt19937 random(3);
    Spread spread;
    for (auto _ : state) {
        const QString name = profileName(static_cast<int>(random() % profileCount));
        const auto found = spread.time([&] { return HistoryStore(copy.folder()).entries(name); });
        if (!found || found->size() != perProfile)
            state.SkipWithError("wrong history");
    }
    state.counters["file_MB"] =
        QFileInfo(QDir(copy.folder()).filePath(HistoryStore::fileName())).size() / 1e6;
    spread.report(state);
}

// Every profile's history written as one CSV file: read from the store, formatted, synced and
// renamed into place.
void BM_ExportCsv(benchmark::State& state)
{
    OpenStore open;
    if (!open.ok)
        return state.SkipWithError("no database");
    const QString path = QDir(open.copy.folder()).filePath(QStringLiteral("history.csv"));
    const HistoryCsv csv;
    Spread spread;
    for (auto _ : state) {
        if (!spread.time([&] { return csv.exportHistory(open.store, path, std::nullopt); }))
            state.SkipWithError("not written");
    }
    state.counters["file_MB"] = QFileInfo(path).size() / 1e6;
    spread.report(state);
}

// The formatting alone: the 100,000 entries already in memory, turned into the file's bytes.
void BM_CsvText(benchmark::State& state)
{
    QList<HistoryEntry> all;
    all.reserve(profileCount * perProfile);
    for (int p = 0; p < profileCount; ++p)
        for (int k = 0; k < perProfile; ++k)
            all.append(entry(p, k));
    const HistoryCsv csv;
    Spread spread;
    for (auto _ : state) {
        if (spread.time([&] { return csv.text(all); }).isEmpty())
            state.SkipWithError("nothing written");
    }
    spread.report(state);
}

} // namespace

BENCHMARK(BM_Record)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_OpenProfileHistory)->Unit(benchmark::kMillisecond)->Iterations(1000);
BENCHMARK(BM_FirstUse)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CsvText)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
