#pragma once
// The text of the days file and what the store knows of it. Reading checks the text's structure (one
// VCALENDAR, every BEGIN closed by its END) and finds the events that hold marks by their UIDs; the
// marks themselves are read through libical only for the days asked for, since libical's parser is
// the expensive part. A change rewrites only the events of the changed days: every other byte of the
// file, including what other programs added, stays exactly as it was.

#include "day_mark.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Changes by day: a mark to put on the day, or nothing to clear it.
using DayChanges = std::map<TDateTime, std::optional<DayMark>>;

class DaysDocument {
public:
    // A file that is missing or empty: no marks, and no text until the first change.
    DaysDocument() = default;

    // The document of `text`, or a problem such as "line 12: END:VTODO does not close BEGIN:VEVENT of
    // line 9". Blank text gives an empty document. No mark is read yet.
    struct Parsed;
    static Parsed FromText(std::string text);

    const std::string& Text() const { return text_; }

    // How many days have a mark, read or not.
    std::size_t MarkCount() const { return markBlocks_.size(); }

    // Reads the marks of the days in `range` that are not read yet; empty, or the problem of the first
    // mark that cannot be read ("line 40, the mark on 2027-01-15: its hours 'x' are not a number ...").
    std::string ReadMarks(const DayRange& range);

    // The marks read so far.
    const DayMarks& Marks() const { return marks_; }
    // Whether every mark in `range` has been read.
    bool HasRead(const DayRange& range) const;

    // The document with the changes made, each changed event stamped `stampTime` (seconds since 1970,
    // UTC); marks must be valid (MarkProblem empty). A problem when an event to change cannot be read.
    // The marks read so far stay read.
    Parsed Changed(const DayChanges& changes, std::int64_t stampTime) const;

private:
    struct Block {
        TDateTime Date = 0;    // the day of the mark
        std::size_t Begin = 0; // first byte of its BEGIN line
        std::size_t End = 0;   // one past its END line's line end
        int Line = 0;          // the number of its BEGIN line, from 1
    };

    // The first block of a day on or after `date`.
    std::vector<Block>::const_iterator BlockFrom(TDateTime date) const;

    std::string text_;
    std::vector<Block> markBlocks_; // by date, one a day
    std::size_t calendarEnd_ = 0;   // first byte of the END:VCALENDAR line
    DayMarks marks_;                // those read so far
};

struct DaysDocument::Parsed {
    std::optional<DaysDocument> Document;
    std::string Problem; // why there is no document
};
