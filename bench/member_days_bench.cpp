// The days file in process, with 3,000 marks (a long career's worth) and with 300:
//   ReadDaysFile/all      read the file and every mark (what a reader of the whole file pays)
//   ReadDaysFile/month    read the file and one month's marks (what a window showing a month needs)
//   ScanDaysFile          the structure check and the mark index alone, without libical
//   SetMark               marking a day in a loaded store: lock, read, change, replace (fsync included)
// Wall clock; compare runs only on a quiet machine. Instruction counts (callgrind) do not depend on
// the load.

#include "days_file_text.h"
#include "member_days/days_store.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

fs::path Folder() {
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "varnok-days-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        return fs::path(pattern);
    }();
    return folder;
}

fs::path FileOf(int marks) {
    const fs::path file = Folder() / ("days-" + std::to_string(marks) + ".ics");
    if (!fs::exists(file))
        std::ofstream(file, std::ios::binary) << DaysFileText(marks);
    return file;
}

const DayRange January2027{DateSerial(2027, 1, 1), DateSerial(2027, 1, 31)};

void BM_ReadDaysFileAll(benchmark::State& state) {
    const fs::path file = FileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const DaysSnapshot snapshot = ReadDaysFile(file);
        if (snapshot.State != DaysSnapshot::Status::Read)
            state.SkipWithError("the file was not read");
        benchmark::DoNotOptimize(snapshot.Document.Marks().size());
    }
}
BENCHMARK(BM_ReadDaysFileAll)->Name("ReadDaysFile/all")->Arg(3000)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_ReadDaysFileMonth(benchmark::State& state) {
    const fs::path file = FileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const DaysSnapshot snapshot = ReadDaysFile(file, January2027);
        if (snapshot.State != DaysSnapshot::Status::Read)
            state.SkipWithError("the file was not read");
        benchmark::DoNotOptimize(snapshot.Document.Marks().size());
    }
}
BENCHMARK(BM_ReadDaysFileMonth)
    ->Name("ReadDaysFile/month")
    ->Arg(3000)
    ->Arg(300)
    ->Unit(benchmark::kMillisecond);

void BM_ScanDaysFile(benchmark::State& state) {
    std::ifstream stream(FileOf(static_cast<int>(state.range(0))), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(stream), {}};
    for (auto _ : state) {
        DaysDocument::Parsed parsed = DaysDocument::FromText(text);
        benchmark::DoNotOptimize(parsed.Document->MarkCount());
    }
}
BENCHMARK(BM_ScanDaysFile)->Name("ScanDaysFile")->Arg(3000)->Arg(300)->Unit(benchmark::kMillisecond);

// Each iteration changes the mark of 15 January 2027 (a duty day of Group 3), so every one writes.
void BM_SetMark(benchmark::State& state) {
    const int marks = static_cast<int>(state.range(0));
    const fs::path file = Folder() / ("set-" + std::to_string(marks) + ".ics");
    std::ofstream(file, std::ios::binary) << DaysFileText(marks);
    DaysStore store(file);
    store.Load(January2027);
    int i = 0;
    for (auto _ : state) {
        const DayMark mark{++i % 2 == 0 ? MarkKind::Leave : MarkKind::Sick, "", std::nullopt};
        if (store.SetMark(DateSerial(2027, 1, 15), mark, 'L').State != DaysStore::Outcome::Status::Written)
            state.SkipWithError("the mark was not written");
    }
}
BENCHMARK(BM_SetMark)->Name("SetMark")->Arg(3000)->Arg(300)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(Folder(), ignored);
    return 0;
}
