// How long the duty schedule takes for one day, one month grid, and a whole grid's duty codes.

#include "schedule/duty_rotation.h"
#include "schedule/month_navigation.h"

#include <benchmark/benchmark.h>

namespace {

// The dates walk forward from 22 September 2023 and start over before 2100, so every call does the
// whole work: past the year 9999 the grid would stop at its validity check.
const double FirstDate = DateSerial(2023, 9, 22);
const double LastDate = DateSerial(2100, 1, 1);

double Next(double date, double step) {
    return date + step > LastDate ? FirstDate : date + step;
}

void BM_DutyCodeOf(benchmark::State& bench) {
    ScheduleState state;
    SelectAssignment(state, 3);
    double date = FirstDate;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(DutyCodeOf(state, date));
        date = Next(date, 1);
    }
}
BENCHMARK(BM_DutyCodeOf);

void BM_FillGridDates(benchmark::State& bench) {
    ScheduleState state;
    double date = FirstDate;
    for (auto _ : bench) {
        FillGridDates(state, date);
        benchmark::DoNotOptimize(state.GridDates);
        date = Next(date, 31);
    }
}
BENCHMARK(BM_FillGridDates);

// What painting asks for one month: the grid, then the code of each of its 42 days.
void BM_WholeGridCodes(benchmark::State& bench) {
    ScheduleState state;
    SelectAssignment(state, 3);
    state.CurrentDate = FirstDate;
    char codes[GridCellCount];
    for (auto _ : bench) {
        FillGridDates(state, state.CurrentDate);
        for (int i = 0; i < GridCellCount; ++i)
            codes[i] = DutyCodeOf(state, state.GridDates[static_cast<std::size_t>(i)]);
        benchmark::DoNotOptimize(codes);
        state.CurrentDate = Next(state.CurrentDate, 1);
    }
}
BENCHMARK(BM_WholeGridCodes);

} // namespace
