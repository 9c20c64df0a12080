// How long the duty schedule takes for one day, one month grid, and a whole grid's duty codes.

#include "schedule/duty_rotation.h"
#include "schedule/month_navigation.h"

#include <benchmark/benchmark.h>

namespace {

void BM_DutyCodeOf(benchmark::State& bench) {
    ScheduleState state;
    SelectAssignment(state, 3);
    double date = DateSerial(2023, 9, 22);
    for (auto _ : bench) {
        benchmark::DoNotOptimize(DutyCodeOf(state, date));
        date += 1;
    }
}
BENCHMARK(BM_DutyCodeOf);

void BM_FillGridDates(benchmark::State& bench) {
    ScheduleState state;
    double date = DateSerial(2023, 9, 22);
    for (auto _ : bench) {
        FillGridDates(state, date);
        benchmark::DoNotOptimize(state.GridDates);
        date += 31;
    }
}
BENCHMARK(BM_FillGridDates);

// What painting asks for one month: the grid, then the code of each of its 42 days.
void BM_WholeGridCodes(benchmark::State& bench) {
    ScheduleState state;
    SelectAssignment(state, 3);
    state.CurrentDate = DateSerial(2023, 9, 22);
    char codes[GridCellCount];
    for (auto _ : bench) {
        FillGridDates(state, state.CurrentDate);
        for (int i = 0; i < GridCellCount; ++i)
            codes[i] = DutyCodeOf(state, state.GridDates[static_cast<std::size_t>(i)]);
        benchmark::DoNotOptimize(codes);
        state.CurrentDate += 1;
    }
}
BENCHMARK(BM_WholeGridCodes);

} // namespace
