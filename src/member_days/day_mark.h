#pragma once
// A mark on one day of the member's own calendar: what they did instead of, or besides, what the
// rotation says. One mark a day, of one kind, with an optional note; an extra shift may carry its
// hours. Which kinds fit which duty code, and the limits of dates, notes and hours.

#include "schedule/date_serial.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class MarkKind {
    Leave,      // the member does not work a duty day: leave
    Sick,       // ... is sick
    TradedAway, // ... gave the day to a colleague
    ExtraShift, // the member works a day the rotation gives off: a trade or overtime
    NoteOnly,   // a note on any day
};

// Every kind, in the order menus and legends list them.
inline constexpr std::array<MarkKind, 5> MarkKinds = {MarkKind::Leave, MarkKind::Sick, MarkKind::TradedAway,
                                                      MarkKind::ExtraShift, MarkKind::NoteOnly};

inline constexpr std::size_t MaxNoteLength = 200; // Unicode code points
inline constexpr double MaxShiftHours = 48;       // hours lie in (0, 48)

struct DayMark {
    MarkKind Kind = MarkKind::NoteOnly;
    std::string Note;            // UTF-8, line breaks as LF; empty: no note
    std::optional<double> Hours; // an extra shift's hours, in (0, 48); nothing for every other kind

    friend bool operator==(const DayMark&, const DayMark&) = default;
};

// Marks by whole-day serial.
using DayMarks = std::map<TDateTime, DayMark>;

// Whole days from First to Last, both included.
struct DayRange {
    TDateTime First = ScheduleCutoff;
    TDateTime Last = PickerMaxDate;

    bool Contains(TDateTime date) const { return date >= First && date <= Last; }
};

// The days that can be marked: 31 December 2021 (a day without a schedule: notes only) to
// 31 December 2100, the span of the window's date picker.
inline constexpr DayRange MarkableDays{ScheduleCutoff, PickerMaxDate};

// Whether `date` is a whole day in MarkableDays.
bool IsMarkableDay(TDateTime date);

// "Leave", "Sick", "Traded away", "Extra shift", "Note": the kind's name in the window, in the tool's
// output and as the CATEGORIES value of its event.
std::string_view MarkKindName(MarkKind kind);

// The kind whose name `text` is, in any letter case.
std::optional<MarkKind> MarkKindNamed(std::string_view text);

// The letter that stands for the kind where there is room for one (a marker on a day, a legend):
// L, S, T, E and N.
char MarkKindLetter(MarkKind kind);

// Whether a mark of `kind` fits a day whose duty code is `code` (L, K, Y or Z): Leave, Sick and
// Traded away need a duty day (L), Extra shift a day off (K or Y), Note only fits every day.
bool MarkFits(MarkKind kind, char code);

// Why a mark of `kind` does not fit a day of `code`, such as "Leave needs a duty day"; empty when it
// fits.
std::string MisfitReason(MarkKind kind, char code);

// The kinds that fit a day of `code`, in the order of MarkKinds.
std::vector<MarkKind> KindsThatFit(char code);

// The number of Unicode code points of UTF-8 text; nothing when it is not valid UTF-8.
std::optional<std::size_t> CodePointCount(std::string_view text);

// The note with its line breaks (CR LF, CR) made LF.
std::string NormalizedNote(std::string_view note);

// The kind's name, with an extra shift's hours: "Leave", "Extra shift, 12 hours".
std::string MarkText(const DayMark& mark);

// The mark in words on a day of duty code `code`: its text, why it is not counted where it does not
// fit the code, and its note as it is: "Leave: court", "Extra shift, 12 hours",
// "Leave (not counted: Leave needs a duty day)".
std::string MarkInWords(const DayMark& mark, char code);

// What is wrong with a mark, or empty: a note that is not UTF-8, is longer than 200 code points or
// holds a control character other than tab and line feed; hours on a kind other than Extra shift, or
// hours outside (0, 48).
std::string MarkProblem(const DayMark& mark);

// Whether `hours` lies in (0, 48).
bool AreShiftHours(double hours);

// Hours as the shortest decimal text that reads back as the same number ("12", "7.5").
std::string HoursText(double hours);

// Hours from a plain decimal text ("12", "7.5", ".5"; no sign, exponent or blanks), when it is one and
// lies in (0, 48).
std::optional<double> HoursFromText(std::string_view text);
