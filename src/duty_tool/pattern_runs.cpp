#include "pattern_runs.h"

#include "schedule/duty_rotation.h"

#include <algorithm>

std::vector<PatternRun> PatternRuns(char code) {
    const int length = static_cast<int>(ShiftPattern.size());
    const auto at = [&](int position) { return ShiftPattern[static_cast<std::size_t>(position % length)]; };
    std::vector<PatternRun> runs;
    if (ShiftPattern.find(code) == std::string_view::npos)
        return runs;
    if (ShiftPattern.find_first_not_of(code) == std::string_view::npos)
        return {{0, length}};
    // Start after a change of code so that no run is split across the end of the pattern.
    int start = 0;
    while (at(start) == at(start + length - 1))
        ++start;
    for (int offset = 0; offset < length;) {
        const int position = start + offset;
        int run = 1;
        while (offset + run < length && at(position + run) == at(position))
            ++run;
        if (at(position) == code)
            runs.push_back({position % length, run});
        offset += run;
    }
    std::sort(runs.begin(), runs.end(),
              [](const PatternRun& a, const PatternRun& b) { return a.Position < b.Position; });
    return runs;
}
