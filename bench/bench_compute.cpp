// How many assessments per second the calculation manages, over a spread of inputs.
#include "core/assessment/ComputeAssessment.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

std::vector<AssessmentRecord> sampleRecords()
{
    std::vector<AssessmentRecord> records;
    for (int k = 0; k < 64; ++k) {
        AssessmentRecord r;
        r.sex = (k % 2 == 0) ? Sex::Male : Sex::Female;
        r.calendarAge = 5 + (k * 13) % 86;
        r.bodyMass = 10 + (k * 37) % 191;
        r.systolicPressure = 40 + 10 * ((k * 7) % 33);
        r.diastolicPressure = 40 + 10 * ((k * 5) % 21);
        r.breathHold = 5 + (k * 29) % 296;
        r.balance = 1 + (k * 11) % 60;
        for (int s = 0; s < AssessmentRecord::StatementCount; ++s)
            r.statements[s] = ((k + s) % 3 == 0) ? 1 : 0;
        r.healthRating = k % 4;
        records.push_back(r);
    }
    return records;
}

void BM_ComputeAssessment(benchmark::State& state)
{
    const std::vector<AssessmentRecord> records = sampleRecords();
    std::size_t next = 0;
    for (auto _ : state) {
        AssessmentResult result = ComputeAssessment(records[next]);
        benchmark::DoNotOptimize(result);
        next = (next + 1) % records.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComputeAssessment);

} // namespace

BENCHMARK_MAIN();
