#include "file_helpers.h"
#include "member_days/days_store.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t Stamp = 1799573400; // 2027-01-10 09:30:00 UTC

class DaysStoreTest : public testing::Test {
protected:
    fs::path File() const { return folder_.Path() / "vnTolmere-days.ics"; }
    DaysStore Store() const {
        return DaysStore(File(), [] { return Stamp; });
    }
    // A fresh store's view of the file.
    DayMarks MarksInFile() const {
        DaysStore store = Store();
        EXPECT_NE(store.Load(), DaysStore::LoadStatus::Unreadable) << store.Problem();
        return store.Marks();
    }
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_.Path()))
            names.push_back(Utf8Text(entry.path().filename()));
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder folder_;
};

using Status = DaysStore::Outcome::Status;

std::string Repeated(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// Every kind, with notes in several scripts and with what iCalendar must escape, written to the file
// and read back by another store.
TEST_F(DaysStoreTest, EveryKindAndNoteRoundTrips) {
    const struct {
        TDateTime Date;
        DayMark Mark;
        char Code;
    } rows[] = {
        {DateSerial(2027, 1, 4),
         {MarkKind::Leave, "Urlaub: Café in Österreich, Grüße an Zoë", std::nullopt},
         'L'},
        {DateSerial(2027, 1, 5), {MarkKind::Sick, "Άρρωστος — πυρετός 38,5°", std::nullopt}, 'L'},
        {DateSerial(2027, 1, 6), {MarkKind::TradedAway, "和田さんと交代、夜勤の代わり", std::nullopt}, 'L'},
        {DateSerial(2027, 1, 7), {MarkKind::ExtraShift, "🚒🔥 Überstunden 👩‍🚒", 7.5}, 'K'},
        {DateSerial(2027, 1, 8), {MarkKind::ExtraShift, "", std::nullopt}, 'Y'},
        {DateSerial(2027, 1, 9),
         {MarkKind::NoteOnly, "court, room 3; bring \\ papers\nsecond line\n\ttabbed \"quoted\": done",
          std::nullopt},
         'Z'},
        {DateSerial(2027, 1, 10),
         {MarkKind::NoteOnly, Repeated("語", 120) + Repeated("🚒", 80), std::nullopt},
         'K'},
        {DateSerial(2027, 1, 11), {MarkKind::NoteOnly, "", std::nullopt}, 'L'},
        {DateSerial(2021, 12, 31), {MarkKind::NoteOnly, "before the schedule", std::nullopt}, 'Z'},
        {DateSerial(2100, 12, 31), {MarkKind::Sick, "last day", std::nullopt}, 'L'},
    };
    DaysStore store = Store();
    ASSERT_EQ(store.Load(), DaysStore::LoadStatus::Missing);
    DayMarks expected;
    for (const auto& row : rows) {
        const DaysStore::Outcome outcome = store.SetMark(row.Date, row.Mark, row.Code);
        ASSERT_EQ(outcome.State, Status::Written) << outcome.Message;
        expected.emplace(row.Date, row.Mark);
    }
    EXPECT_EQ(store.Marks(), expected);
    EXPECT_EQ(MarksInFile(), expected);

    const std::string text = ReadBytes(File());
    std::string unfolded = text;
    for (std::size_t fold; (fold = unfolded.find("\r\n ")) != std::string::npos;)
        unfolded.erase(fold, 3);
    EXPECT_NE(unfolded.find(
                  "\r\nDESCRIPTION:court\\, room 3\\; bring \\\\ papers\\nsecond line\\n\ttabbed \"quoted\": "
                  "done\r\n"),
              std::string::npos)
        << text;
    // Folded at 75 octets, as RFC 5545 asks.
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        EXPECT_LE(end - at, 75u) << text.substr(at, end - at);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{".vnTolmere-days.ics.lock", "vnTolmere-days.ics"}));
}

TEST_F(DaysStoreTest, ChangesReplaceAndClearTheDaysMarkOnly) {
    DaysStore store = Store();
    store.Load();
    const TDateTime day = DateSerial(2027, 1, 15);
    ASSERT_EQ(store.SetMark(day, {MarkKind::Leave, "a\r\nb", std::nullopt}, 'L').State, Status::Written);
    ASSERT_EQ(store.SetMark(day + 1, {MarkKind::NoteOnly, "keep", std::nullopt}, 'L').State, Status::Written);
    ASSERT_EQ(store.SetMark(day, {MarkKind::Sick, "", std::nullopt}, 'L').State, Status::Written);
    EXPECT_EQ(MarksInFile(), (DayMarks{{day, {MarkKind::Sick, "", std::nullopt}},
                                       {day + 1, {MarkKind::NoteOnly, "keep", std::nullopt}}}));
    ASSERT_EQ(store.ClearMark(day).State, Status::Written);
    ASSERT_EQ(store.ClearMark(day + 5).State, Status::Written);
    EXPECT_EQ(MarksInFile(), (DayMarks{{day + 1, {MarkKind::NoteOnly, "keep", std::nullopt}}}));
    EXPECT_EQ(ReadBytes(File()).find("mark-20270115"), std::string::npos);
    // Line breaks are stored as LF.
    ASSERT_EQ(store.SetMark(day, {MarkKind::Leave, "a\r\nb", std::nullopt}, 'L').State, Status::Written);
    EXPECT_EQ(store.MarkOn(day)->Note, "a\nb");
}

TEST_F(DaysStoreTest, ClearingADayWithoutAMarkWritesNothing) {
    DaysStore store = Store();
    store.Load();
    EXPECT_EQ(store.ClearMark(DateSerial(2027, 1, 15)).State, Status::Written);
    EXPECT_FALSE(fs::exists(File()));
}

TEST_F(DaysStoreTest, AnInvalidChangeIsRefusedWithItsReasonAndWritesNothing) {
    DaysStore store = Store();
    store.Load();
    const struct {
        TDateTime Date;
        DayMark Mark;
        char Code;
        const char* Reason;
    } rows[] = {
        {DateSerial(2027, 1, 16), {MarkKind::Leave, "", std::nullopt}, 'K', "Leave needs a duty day"},
        {DateSerial(2027, 1, 16),
         {MarkKind::ExtraShift, "", std::nullopt},
         'L',
         "an extra shift needs a day off"},
        {DateSerial(2027, 1, 16),
         {MarkKind::Sick, "", std::nullopt},
         'Z',
         "only a note fits a day without a schedule"},
        {DateSerial(2101, 1, 1),
         {MarkKind::NoteOnly, "", std::nullopt},
         'Z',
         "a mark goes on a day from 2021-12-31 to 2100-12-31"},
        {DateSerial(2027, 1, 16) + 0.5,
         {MarkKind::NoteOnly, "", std::nullopt},
         'K',
         "a mark goes on a day from 2021-12-31 to 2100-12-31"},
        {DateSerial(2027, 1, 16),
         {MarkKind::NoteOnly, Repeated("x", 201), std::nullopt},
         'K',
         "the note has 201 characters, more than 200"},
        {DateSerial(2027, 1, 16),
         {MarkKind::ExtraShift, "", 48.0},
         'K',
         "48 is not a number of hours above 0 and below 48"},
    };
    for (const auto& row : rows) {
        const DaysStore::Outcome outcome = store.SetMark(row.Date, row.Mark, row.Code);
        EXPECT_EQ(outcome.State, Status::Refused);
        EXPECT_EQ(outcome.Message, row.Reason);
    }
    EXPECT_TRUE(store.Marks().empty());
    EXPECT_FALSE(store.HasUnwrittenChanges());
    EXPECT_TRUE(FolderEntries().empty());
}

// Strips the mark events (BEGIN:VEVENT to END:VEVENT with one of our UIDs) from a file's text.
std::string WithoutMarkEvents(std::string text) {
    for (std::size_t at = 0; (at = text.find("BEGIN:VEVENT\r\n", at)) != std::string::npos;) {
        const std::size_t end = text.find("END:VEVENT\r\n", at) + 12;
        if (text.substr(at, end - at).find("\r\nUID:mark-") != std::string::npos)
            text.erase(at, end - at);
        else
            at = end;
    }
    return text;
}

// A days file that another calendar program has written to: time zones, its own events with alarms,
// a to-do, a component and properties of its own, a parameter libical does not know, folded lines,
// and its own additions to one of our events. Changing marks rewrites only the marks' events.
TEST_F(DaysStoreTest, WhatAnotherProgramWroteSurvivesChanges) {
    const std::string before = ReadBytes(fs::path(MEMBER_DAYS_TEST_DATA_DIR) / "other_program.ics");
    ASSERT_FALSE(before.empty());
    WriteBytes(File(), before);
    DaysStore store = Store();
    ASSERT_EQ(store.Load(), DaysStore::LoadStatus::Read) << store.Problem();
    const TDateTime leave = DateSerial(2027, 1, 15);
    const TDateTime note = DateSerial(2027, 1, 20);
    const TDateTime extra = DateSerial(2027, 2, 1);
    EXPECT_EQ(store.Marks(), (DayMarks{{leave, {MarkKind::Leave, "family", std::nullopt}},
                                       {note, {MarkKind::NoteOnly, "dentist", std::nullopt}}}));

    ASSERT_EQ(store.SetMark(leave, {MarkKind::Sick, "flu", std::nullopt}, 'L').State, Status::Written);
    ASSERT_EQ(store.SetMark(extra, {MarkKind::ExtraShift, "for Dana", 12.0}, 'K').State, Status::Written);
    ASSERT_EQ(store.ClearMark(note).State, Status::Written);

    const std::string after = ReadBytes(File());
    EXPECT_EQ(WithoutMarkEvents(after), WithoutMarkEvents(before));
    // The other program's additions to the changed event stay with it.
    const std::size_t event = after.rfind("BEGIN:VEVENT", after.find("UID:mark-20270115@"));
    const std::string changed = after.substr(event, after.find("END:VEVENT", event) - event);
    for (const char* kept :
         {"CATEGORIES:Personal", "X-OTHER-LASTACK:20270114T200000Z", "DESCRIPTION:Leave tomorrow"})
        EXPECT_NE(changed.find(kept), std::string::npos) << kept << " in\n" << changed;
    EXPECT_EQ(MarksInFile(), (DayMarks{{leave, {MarkKind::Sick, "flu", std::nullopt}},
                                       {extra, {MarkKind::ExtraShift, "for Dana", 12.0}}}));
    // Still a calendar libical reads whole.
    icalcomponent* calendar = icalparser_parse_string(after.c_str());
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(icalcomponent_isa(calendar), ICAL_VCALENDAR_COMPONENT);
    EXPECT_EQ(icalcomponent_count_components(calendar, ICAL_VEVENT_COMPONENT), 3);
    icalcomponent_free(calendar);
}

TEST_F(DaysStoreTest, AFileThatCannotBeReadIsNeverWritten) {
    const std::string broken =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:mark-20270115@varnok.orvane"
        ".example\r\nCATEGORIES:Leave\r\n";
    WriteBytes(File(), broken);
    DaysStore store = Store();
    EXPECT_EQ(store.Load(), DaysStore::LoadStatus::Unreadable);
    EXPECT_FALSE(store.IsReadable());
    EXPECT_EQ(store.Problem(), "it ends inside BEGIN:VEVENT of line 3");
    EXPECT_EQ(store.ProblemMessage(),
              "the days file " + Utf8Text(File()) + " cannot be read: it ends inside BEGIN:VEVENT of line 3");
    EXPECT_TRUE(store.Marks().empty());
    for (const DaysStore::Outcome& outcome :
         {store.SetMark(DateSerial(2027, 1, 16), {MarkKind::NoteOnly, "", std::nullopt}, 'K'),
          store.ClearMark(DateSerial(2027, 1, 15))}) {
        EXPECT_EQ(outcome.State, Status::Blocked);
        EXPECT_EQ(outcome.Message, store.ProblemMessage());
    }
    EXPECT_FALSE(store.HasUnwrittenChanges());
    EXPECT_EQ(ReadBytes(File()), broken);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"vnTolmere-days.ics"});

    // Removed: marking works again.
    fs::remove(File());
    EXPECT_EQ(store.Load(), DaysStore::LoadStatus::Missing);
    EXPECT_TRUE(store.IsReadable());
    EXPECT_EQ(store.SetMark(DateSerial(2027, 1, 16), {MarkKind::NoteOnly, "", std::nullopt}, 'K').State,
              Status::Written);
}

TEST_F(DaysStoreTest, AFolderWhereTheFileShouldBeCannotBeRead) {
    fs::create_directory(File());
    DaysStore store = Store();
    EXPECT_EQ(store.Load(), DaysStore::LoadStatus::Unreadable);
    EXPECT_EQ(store.Problem(), "it cannot be read");
    EXPECT_EQ(store.SetMark(DateSerial(2027, 1, 16), {MarkKind::NoteOnly, "", std::nullopt}, 'K').State,
              Status::Blocked);
    EXPECT_TRUE(fs::is_directory(File()));
}

// Another program breaks the file between this store's read and its next change: the change is kept,
// unwritten, the file is left alone, and once the file is fixed the change goes in.
TEST_F(DaysStoreTest, AFileBrokenSinceTheLastReadKeepsTheChangeUnwritten) {
    DaysStore store = Store();
    store.Load();
    const TDateTime first = DateSerial(2027, 1, 15);
    const TDateTime second = DateSerial(2027, 1, 16);
    ASSERT_EQ(store.SetMark(first, {MarkKind::Leave, "", std::nullopt}, 'L').State, Status::Written);
    const std::string fixed = ReadBytes(File());
    WriteBytes(File(), "garbage");
    const DaysStore::Outcome outcome =
        store.SetMark(second, {MarkKind::NoteOnly, "court", std::nullopt}, 'K');
    EXPECT_EQ(outcome.State, Status::NotWritten);
    EXPECT_EQ(outcome.Message, store.ProblemMessage());
    EXPECT_FALSE(store.IsReadable());
    EXPECT_TRUE(store.HasUnwrittenChanges());
    EXPECT_EQ(store.MarkOn(second)->Note, "court");
    EXPECT_EQ(ReadBytes(File()), "garbage");

    WriteBytes(File(), fixed);
    EXPECT_EQ(store.Load(), DaysStore::LoadStatus::Read);
    EXPECT_EQ(store.WriteUnwritten().State, Status::Written);
    EXPECT_EQ(MarksInFile().size(), 2u);
}

// A regular file stands where the folder should be: nothing can be written, the mark stays in the
// store, and the next change after the way is clear writes both.
TEST_F(DaysStoreTest, AFailedWriteKeepsTheMarkForTheNextChange) {
    WriteBytes(folder_.Path() / "Varnok", "not a folder");
    const fs::path file = folder_.Path() / "Varnok" / "vnTolmere-days.ics";
    DaysStore store(file, [] { return Stamp; });
    EXPECT_EQ(store.Load(), DaysStore::LoadStatus::Missing);
    const TDateTime first = DateSerial(2027, 1, 15);
    const TDateTime second = DateSerial(2027, 1, 16);
    const DaysStore::Outcome failed = store.SetMark(first, {MarkKind::Leave, "tried", std::nullopt}, 'L');
    EXPECT_EQ(failed.State, Status::NotWritten);
    EXPECT_EQ(failed.Message, "cannot write " + Utf8Text(file));
    EXPECT_TRUE(store.HasUnwrittenChanges());
    EXPECT_EQ(store.MarkOn(first)->Note, "tried");
    // A reload keeps it on top.
    store.Load();
    ASSERT_NE(store.MarkOn(first), nullptr);

    fs::remove(folder_.Path() / "Varnok");
    EXPECT_EQ(store.SetMark(second, {MarkKind::NoteOnly, "next", std::nullopt}, 'K').State, Status::Written);
    EXPECT_FALSE(store.HasUnwrittenChanges());
    DaysStore reader(file);
    reader.Load();
    EXPECT_EQ(reader.Marks(), (DayMarks{{first, {MarkKind::Leave, "tried", std::nullopt}},
                                        {second, {MarkKind::NoteOnly, "next", std::nullopt}}}));
}

TEST_F(DaysStoreTest, ALoadSeesAnotherWritersChangesAndSkipsAnUnchangedFile) {
    DaysStore window = Store();
    DaysStore tool = Store();
    EXPECT_EQ(window.Load(), DaysStore::LoadStatus::Missing);
    const TDateTime first = DateSerial(2027, 1, 15);
    const TDateTime second = DateSerial(2027, 1, 16);
    ASSERT_EQ(tool.SetMark(first, {MarkKind::Leave, "", std::nullopt}, 'L').State, Status::Written);
    EXPECT_EQ(window.Load(), DaysStore::LoadStatus::Read);
    EXPECT_NE(window.MarkOn(first), nullptr);
    EXPECT_EQ(window.Load(), DaysStore::LoadStatus::Unchanged);
    ASSERT_EQ(window.SetMark(second, {MarkKind::ExtraShift, "", 8.0}, 'K').State, Status::Written);
    EXPECT_EQ(window.Load(), DaysStore::LoadStatus::Unchanged);
    EXPECT_EQ(tool.Load(), DaysStore::LoadStatus::Read);
    EXPECT_EQ(tool.Marks().size(), 2u);
}

// A store that needs a few days reads only their marks; a broken mark elsewhere stays as it is and
// does not keep these days from changing.
TEST_F(DaysStoreTest, ALoadOfSomeDaysReadsAndChangesOnlyThose) {
    const std::string brokenEvent = "BEGIN:VEVENT\r\nUID:mark-20300101@varnok.orvane.example\r\n"
                                    "CATEGORIES:Training\r\nEND:VEVENT\r\n";
    WriteBytes(File(), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + brokenEvent + "END:VCALENDAR\r\n");
    DaysStore store = Store();
    const DayRange january{DateSerial(2027, 1, 1), DateSerial(2027, 1, 31)};
    ASSERT_EQ(store.Load(january), DaysStore::LoadStatus::Read) << store.Problem();
    ASSERT_EQ(store.SetMark(DateSerial(2027, 1, 15), {MarkKind::Leave, "", std::nullopt}, 'L').State,
              Status::Written);
    EXPECT_NE(ReadBytes(File()).find(brokenEvent), std::string::npos);
    EXPECT_EQ(store.Load(), DaysStore::LoadStatus::Unreadable);
    EXPECT_EQ(store.Problem(),
              "line 3, the mark on 2030-01-01: it names no kind: CATEGORIES holds none of Leave, "
              "Sick, Traded away, Extra shift, Note");
}

// A reader that moves through the calendar reads the file once and each month's marks when it shows
// them, from the text it holds: another program's later change to the file is not seen until the
// next Load, and a broken mark turns the store unreadable only once its days are shown.
TEST_F(DaysStoreTest, ShowingOtherDaysReadsTheirMarksFromTheTextAlreadyRead) {
    const DayMark leave{MarkKind::Leave, "summer", std::nullopt};
    const DayMark note{MarkKind::NoteOnly, "court", std::nullopt};
    {
        DaysStore writer = Store();
        writer.Load();
        ASSERT_EQ(writer.SetMark(DateSerial(2027, 1, 15), leave, 'L').State, Status::Written);
        ASSERT_EQ(writer.SetMark(DateSerial(2027, 3, 2), note, 'K').State, Status::Written);
    }
    const std::string brokenEvent = "BEGIN:VEVENT\r\nUID:mark-20300101@varnok.orvane.example\r\n"
                                    "CATEGORIES:Training\r\nEND:VEVENT\r\n";
    std::string text = ReadBytes(File());
    text.insert(text.rfind("END:VCALENDAR"), brokenEvent);
    WriteBytes(File(), text);

    DaysStore store = Store();
    const DayRange january{DateSerial(2027, 1, 1), DateSerial(2027, 1, 31)};
    const DayRange march{DateSerial(2027, 3, 1), DateSerial(2027, 3, 31)};
    ASSERT_EQ(store.Load(january), DaysStore::LoadStatus::Read) << store.Problem();
    EXPECT_EQ(store.Marks(), (DayMarks{{DateSerial(2027, 1, 15), leave}}));

    // Changed on disk after the read: what is shown next still comes from the text read before.
    WriteBytes(File(), "garbage");
    EXPECT_EQ(store.ShowDays(march), DaysStore::LoadStatus::Unchanged);
    EXPECT_EQ(store.Marks(), (DayMarks{{DateSerial(2027, 3, 2), note}}));
    EXPECT_EQ(store.ShowDays(DayRange{DateSerial(2027, 1, 1), DateSerial(2027, 3, 31)}),
              DaysStore::LoadStatus::Unchanged);
    EXPECT_EQ(store.Marks(), (DayMarks{{DateSerial(2027, 1, 15), leave}, {DateSerial(2027, 3, 2), note}}));

    EXPECT_EQ(store.ShowDays(DayRange{DateSerial(2029, 12, 1), DateSerial(2030, 1, 31)}),
              DaysStore::LoadStatus::Unreadable);
    EXPECT_EQ(store.Problem(), "line 25, the mark on 2030-01-01: it names no kind: CATEGORIES holds none of "
                               "Leave, Sick, Traded away, Extra shift, Note");
    EXPECT_TRUE(store.Marks().empty());
    EXPECT_EQ(store.ShowDays(january), DaysStore::LoadStatus::Unreadable);
    EXPECT_EQ(ReadBytes(File()), "garbage");

    // No file: nothing to show, and marking works.
    fs::remove(File());
    DaysStore fresh = Store();
    ASSERT_EQ(fresh.Load(january), DaysStore::LoadStatus::Missing);
    EXPECT_EQ(fresh.ShowDays(march), DaysStore::LoadStatus::Missing);
    EXPECT_TRUE(fresh.Marks().empty());
}

#ifndef _WIN32
// Root writes into read-only folders, but not past a file-size limit: the replace fails, the old
// file stays whole, the mark stays unwritten; another writer changes the file meanwhile, and the next
// change writes this store's two marks on top of the other's.
TEST_F(DaysStoreTest, AWriteThatFailsKeepsTheOldFileAndGoesOnTopOfTheNextRead) {
    DaysStore store = Store();
    store.Load();
    const TDateTime day = DateSerial(2027, 1, 15);
    ASSERT_EQ(store.SetMark(day, {MarkKind::Leave, "first", std::nullopt}, 'L').State, Status::Written);
    const std::string old = ReadBytes(File());

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const DaysStore::Outcome failed =
        store.SetMark(day + 1, {MarkKind::NoteOnly, "unwritten", std::nullopt}, 'L');
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
    EXPECT_EQ(failed.State, Status::NotWritten);
    EXPECT_EQ(ReadBytes(File()), old);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{".vnTolmere-days.ics.lock", "vnTolmere-days.ics"}));

    DaysStore other = Store();
    other.Load();
    ASSERT_EQ(other.SetMark(day + 2, {MarkKind::Sick, "other", std::nullopt}, 'L').State, Status::Written);
    ASSERT_EQ(store.SetMark(day + 3, {MarkKind::Sick, "next", std::nullopt}, 'L').State, Status::Written);
    EXPECT_EQ(MarksInFile(), (DayMarks{{day, {MarkKind::Leave, "first", std::nullopt}},
                                       {day + 1, {MarkKind::NoteOnly, "unwritten", std::nullopt}},
                                       {day + 2, {MarkKind::Sick, "other", std::nullopt}},
                                       {day + 3, {MarkKind::Sick, "next", std::nullopt}}}));
}

// Two processes marking different days at the same time, each change its own read-modify-write:
// neither loses a mark, because each writes under the lock.
TEST_F(DaysStoreTest, TwoProcessesMarkingDifferentDaysLoseNeither) {
    constexpr int MarksEach = 120;
    const TDateTime first = DateSerial(2027, 1, 1);
    const auto markEvery = [&](int offset) {
        DaysStore store(File());
        store.Load(DayRange{first, first});
        bool ok = true;
        for (int i = 0; i < MarksEach; ++i) {
            const DayMark mark{MarkKind::NoteOnly, "process " + std::to_string(offset), std::nullopt};
            ok = store.SetMark(first + 2 * i + offset, mark, 'K').State == Status::Written && ok;
        }
        return ok;
    };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        ::_exit(markEvery(1) ? 0 : 1);
    const bool parentOk = markEvery(0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child failed a write";
    EXPECT_TRUE(parentOk);
    const DayMarks marks = MarksInFile();
    EXPECT_EQ(marks.size(), static_cast<std::size_t>(2 * MarksEach));
    for (int day = 0; day < 2 * MarksEach; ++day) {
        const auto mark = marks.find(first + day);
        ASSERT_NE(mark, marks.end()) << "lost the mark of day " << day;
        EXPECT_EQ(mark->second.Note, "process " + std::to_string(day % 2));
    }
}
#endif

} // namespace
