#pragma once
// Runs of consecutive days with one duty code in the 98-day rotation, read cyclically: a run that
// would wrap from position 97 to 0 is one run starting at its first position.

#include <vector>

struct PatternRun {
    int Position; // [0, 97], the run's first day in the rotation
    int Length;   // [1, 98]
};

// The runs of `code` in ShiftPattern, in order of position.
std::vector<PatternRun> PatternRuns(char code);
