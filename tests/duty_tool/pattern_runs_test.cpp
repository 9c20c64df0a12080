#include "duty_tool/pattern_runs.h"
#include "schedule/duty_rotation.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// The runs of each code put back together give the pattern, and no two runs of a code touch.
TEST(PatternRuns, RebuildThePatternFromMaximalRuns) {
    std::string rebuilt(ShiftPattern.size(), '?');
    for (const char code : {DutyOn, DutyOff, DutyRdo}) {
        for (const PatternRun& run : PatternRuns(code)) {
            for (int day = 0; day < run.Length; ++day) {
                char& slot = rebuilt[static_cast<std::size_t>((run.Position + day) % 98)];
                EXPECT_EQ(slot, '?') << "position covered twice";
                slot = code;
            }
            EXPECT_NE(ShiftPattern[static_cast<std::size_t>((run.Position + 97) % 98)], code) << run.Position;
            EXPECT_NE(ShiftPattern[static_cast<std::size_t>((run.Position + run.Length) % 98)], code)
                << run.Position;
        }
    }
    EXPECT_EQ(rebuilt, ShiftPattern);
}

TEST(PatternRuns, RegularDaysOffComeInFiveBlocks) {
    const std::vector<PatternRun> runs = PatternRuns(DutyRdo);
    ASSERT_EQ(runs.size(), 5u);
    const int positions[] = {14, 32, 54, 72, 90};
    const int lengths[] = {4, 4, 4, 4, 8};
    for (std::size_t index = 0; index < runs.size(); ++index) {
        EXPECT_EQ(runs[index].Position, positions[index]);
        EXPECT_EQ(runs[index].Length, lengths[index]);
    }
    EXPECT_EQ(PatternRuns(DutyOn).size(), 21u);
    EXPECT_TRUE(PatternRuns(DutyNone).empty());
}

} // namespace
