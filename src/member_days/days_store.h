#pragma once
// The member's own days: the days file "vnTolmere-days.ics" beside the settings file, one iCalendar
// event per marked day (see mark_event.h). It is the member's data, not a preference: every change is
// written at once, through the atomic writer, and never waits for a Save.
//
// Several processes may change the file (the window and varnok-duty mark). A writer takes the lock
// file ".vnTolmere-days.ics.lock" beside it, reads the file anew, changes only the events of the days
// it changes and replaces the file, all under the lock; so two writers marking different days lose
// neither. Readers need no lock. A file that cannot be read (not an iCalendar file, broken
// structure, a mark that cannot be read) is never written: the store reports which file and why, and
// refuses changes until a later Load finds it fixed or removed.
//
// A change that cannot be written (a full disk, a read-only folder, the lock held too long) is kept as
// an unwritten change and shown in Marks(); the next change, or WriteUnwritten, writes it with the
// next change on top of a fresh read of the file.
//
// Reading a mark through libical costs about 15 µs; Load and ReadDaysFile take a range so that a
// reader that needs a few days reads only their marks (the structure of the whole file is still
// checked, and a change never needs the other marks: their events are kept as they are).

#include "day_mark.h"
#include "days_document.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

inline constexpr std::string_view DaysFileName = "vnTolmere-days.ics";

// The days file in the folder of the settings file.
std::filesystem::path DaysFileBeside(const std::filesystem::path& settingsFile);

// What one read of the days file found.
struct DaysSnapshot {
    enum class Status {
        Read,       // Document holds the file, with the marks of Range read
        Missing,    // no file (or an empty one): no marks
        Unreadable, // Problem says why; Document is empty
    };
    Status State = Status::Missing;
    DaysDocument Document;
    DayRange Range = MarkableDays;
    std::string Problem;
};

// Reads the days file and the marks of the days in `range`. Touches nothing shared, so it may run on
// another thread (libical keeps its scratch memory per thread).
DaysSnapshot ReadDaysFile(const std::filesystem::path& file, const DayRange& range = MarkableDays);

// Seconds since 1970 (UTC) now: the stamp of a changed mark's event.
std::int64_t SystemStampTime();

class DaysStore {
public:
    using StampClock = std::function<std::int64_t()>;

    // A store of `file`, with no marks until Load. `stampClock` stamps the changed events.
    explicit DaysStore(std::filesystem::path file, StampClock stampClock = SystemStampTime);

    const std::filesystem::path& File() const { return file_; }
    // The file's path as UTF-8 text, for messages.
    std::string FileText() const;

    enum class LoadStatus {
        Read,       // the file was read (for the first time, or changed by another program)
        Unchanged,  // the file holds what this store read or wrote last; newly asked-for marks are read
        Missing,    // there is no file (or an empty one): no marks
        Unreadable, // the file cannot be read: no marks from it, and changes are refused
    };
    // Reads the file when its contents differ from what this store read or wrote last, and the marks
    // of the days in `range` (kept for the next reads and writes). Unwritten changes stay on top.
    LoadStatus Load(const DayRange& range = MarkableDays);
    // Takes a snapshot of this file read elsewhere (see ReadDaysFile) as if Load had read it.
    LoadStatus Adopt(DaysSnapshot snapshot);
    // Shows the marks of the days in `range` in place of those shown so far, reading the ones not read
    // yet from the file's text as last read or written, without touching the file: for a reader that
    // moves through the calendar, whose file is read once and whose marks are read as their days are
    // first shown. Unchanged, Missing, or Unreadable when such a mark cannot be read (or the file could
    // not be read before).
    LoadStatus ShowDays(const DayRange& range);

    // False while the file cannot be read: marking is off.
    bool IsReadable() const { return problem_.empty(); }
    // Why the file cannot be read, such as "line 12: END:VTODO does not close BEGIN:VEVENT of line 9";
    // empty while it can.
    const std::string& Problem() const { return problem_; }
    // "the days file <path> cannot be read: <Problem>".
    std::string ProblemMessage() const;

    // The marks of the days read so far, unwritten changes on top.
    const DayMarks& Marks() const { return shown_; }
    // The mark of a day, or nullptr.
    const DayMark* MarkOn(TDateTime date) const;
    bool HasUnwrittenChanges() const { return !unwritten_.empty(); }

    struct Outcome {
        enum class Status {
            Written,    // the file holds the change, and every unwritten one before it
            Refused,    // the change is invalid: a day outside MarkableDays, a bad note or hours, a
                        // kind that does not fit the day; Message says why; nothing changed
            Blocked,    // the file cannot be read (ProblemMessage): nothing changed, nothing kept
            NotWritten, // the change is kept as unwritten and shown; the file is as it was
        };
        Status State = Status::Written;
        std::string Message; // "cannot write <path>", the reason of a refusal, ProblemMessage()
    };

    // Puts `mark` on a whole `date` whose duty code under the current assignment is `code`, in place of
    // the day's mark; a mark that does not fit the code is refused (MisfitReason). The note's line
    // breaks are made LF.
    Outcome SetMark(TDateTime date, const DayMark& mark, char code);
    // Takes the mark off a day; a day without a mark is left as it is.
    Outcome ClearMark(TDateTime date);
    // Writes the unwritten changes; Written when there are none.
    Outcome WriteUnwritten();

private:
    Outcome Change(TDateTime date, std::optional<DayMark> mark);
    void BecomeUnreadable(std::string problem);
    void Show();

    std::filesystem::path file_;
    StampClock stampClock_;
    DaysDocument document_; // the file as last read or written
    DayRange range_ = MarkableDays;
    std::string problem_;
    DayChanges unwritten_;
    DayMarks shown_;
};
