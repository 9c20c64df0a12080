#include "member_days/days_document.h"
#include "member_days/mark_event.h"

#include <gtest/gtest.h>

namespace {

std::string Calendar(std::string_view body) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n" + std::string(body) +
           "END:VCALENDAR\r\n";
}

std::string MarkEvent(std::string_view uidDate, std::string_view extra) {
    return "BEGIN:VEVENT\r\nUID:mark-" + std::string(uidDate) +
           "@varnok.orvane.example\r\nDTSTAMP:20270101T000000Z\r\nDTSTART;VALUE=DATE:" +
           std::string(uidDate) + "\r\n" + std::string(extra) + "END:VEVENT\r\n";
}

// Texts that are no days file a change may be written into: the problem names the line and says why.
struct Unreadable {
    const char* Name;
    std::string Text;
    const char* Problem;
};

class UnreadableTest : public testing::TestWithParam<Unreadable> {};

TEST_P(UnreadableTest, GivesTheProblem) {
    DaysDocument::Parsed parsed = DaysDocument::FromText(GetParam().Text);
    std::string problem = parsed.Problem;
    if (parsed.Document)
        problem = parsed.Document->ReadMarks(MarkableDays);
    EXPECT_EQ(problem, GetParam().Problem);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnreadableTest,
    testing::Values(
        Unreadable{"NoCalendar", "Hello\r\nworld\r\n",
                   "it is not an iCalendar file: it does not begin with BEGIN:VCALENDAR"},
        Unreadable{"IniFile", "[Config]\nWorkAssign=Group 3\n",
                   "it is not an iCalendar file: it does not begin with BEGIN:VCALENDAR"},
        Unreadable{"Binary", std::string("BEGIN:VCALENDAR\r\n\0\x01\x02", 20), "it is not a text file"},
        Unreadable{"CutOff", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:x\r\n",
                   "it ends inside BEGIN:VEVENT of line 3"},
        Unreadable{"NoCalendarEnd", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n",
                   "it ends inside BEGIN:VCALENDAR of line 1"},
        Unreadable{"WrongEnd", Calendar("BEGIN:VEVENT\r\nUID:x\r\nEND:VTODO\r\n"),
                   "line 6: END:VTODO does not close BEGIN:VEVENT of line 4"},
        Unreadable{"TextAfterTheEnd", Calendar("") + "X-AFTER:1\r\n", "line 5: text after END:VCALENDAR"},
        Unreadable{"TwoCalendars", Calendar("") + Calendar(""), "line 5: text after END:VCALENDAR"},
        Unreadable{"NestedCalendar", Calendar("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n"),
                   "line 4: a calendar inside the calendar of line 1"},
        Unreadable{"TwoMarksOnADay",
                   Calendar(MarkEvent("20270115", "CATEGORIES:Leave\r\n") +
                            MarkEvent("20270115", "CATEGORIES:Sick\r\n")),
                   "line 10: a second mark on 2027-01-15, the first is on line 4"},
        // Marks out of date order are sorted after the scan; a second mark still comes before a later
        // fault, as it does in order.
        Unreadable{"TwoMarksOnADayOutOfOrder",
                   Calendar(MarkEvent("20280101", "CATEGORIES:Leave\r\n") +
                            MarkEvent("20270115", "CATEGORIES:Leave\r\n") +
                            MarkEvent("20280101", "CATEGORIES:Sick\r\n") +
                            MarkEvent("20270115", "CATEGORIES:Sick\r\n") + "BEGIN:VTODO\r\nEND:VEVENT\r\n"),
                   "line 16: a second mark on 2028-01-01, the first is on line 4"},
        // An empty line continued by a folded one holds the folded line's content.
        Unreadable{"BeginFoldedAfterAnEmptyLine", Calendar("\r\n BEGIN:VTODO\r\n"),
                   "line 6: END:VCALENDAR does not close BEGIN:VTODO of line 4"},
        Unreadable{
            "NoSuchDay", Calendar(MarkEvent("20270230", "CATEGORIES:Leave\r\n")),
            "line 4: the UID mark-20270230@varnok.orvane.example names no day from 2021-12-31 to 2100-12-31"},
        Unreadable{
            "DayBeforeTheCalendar", Calendar(MarkEvent("20211230", "CATEGORIES:Note\r\n")),
            "line 4: the UID mark-20211230@varnok.orvane.example names no day from 2021-12-31 to 2100-12-31"},
        Unreadable{"UnknownKind", Calendar(MarkEvent("20270115", "CATEGORIES:Vacation\r\n")),
                   "line 4, the mark on 2027-01-15: it names no kind: CATEGORIES holds none of Leave, Sick, "
                   "Traded away, Extra shift, Note"},
        Unreadable{"TwoKinds", Calendar(MarkEvent("20270115", "CATEGORIES:Leave,Sick\r\n")),
                   "line 4, the mark on 2027-01-15: it names two kinds, Leave and Sick"},
        Unreadable{"BadHours",
                   Calendar(MarkEvent("20270115", "CATEGORIES:Extra shift\r\nX-VARNOK-HOURS:12h\r\n")),
                   "line 4, the mark on 2027-01-15: its hours '12h' are not a number above 0 and below 48"},
        Unreadable{"HoursOnLeave",
                   Calendar(MarkEvent("20270115", "CATEGORIES:Leave\r\nX-VARNOK-HOURS:8\r\n")),
                   "line 4, the mark on 2027-01-15: only an extra shift has hours"},
        Unreadable{"NoteNotUtf8",
                   Calendar(MarkEvent("20270115", "CATEGORIES:Note\r\nDESCRIPTION:caf\xE9\r\n")),
                   "line 4, the mark on 2027-01-15: its note is not UTF-8 text"},
        Unreadable{"BrokenLineInAMark", Calendar(MarkEvent("20270115", "CATEGORIES:Note\r\nJUNK\r\n")),
                   "line 4, the mark on 2027-01-15: Got a data line, but could not find a property name or "
                   "component begin tag: JUNK"}),
    [](const testing::TestParamInfo<Unreadable>& info) { return std::string(info.param.Name); });

TEST(DaysDocument, BlankTextIsAnEmptyDocument) {
    for (const std::string text : {"", "\r\n\r\n", " \t\n", "\xEF\xBB\xBF", "\xEF\xBB\xBF\r\n"}) {
        const DaysDocument::Parsed parsed = DaysDocument::FromText(text);
        ASSERT_TRUE(parsed.Document.has_value()) << parsed.Problem;
        EXPECT_TRUE(parsed.Document->Text().empty());
        EXPECT_EQ(parsed.Document->MarkCount(), 0u);
    }
}

// Folded lines, lower-case names, LF line ends and a byte order mark are all iCalendar a program may
// write; events of other programs are no marks, and neither are events nested in another component.
TEST(DaysDocument, FindsMarksByTheirUidsOnly) {
    const std::string text =
        "\xEF\xBB\xBF"
        "begin:vcalendar\n"
        "BEGIN:VEVENT\nUID:mark-2027\n 0115@varnok.orvane.example\nCATEGORIES:Leave\nEND:VEVENT\n"
        "BEGIN:VEVENT\nUID:someone-else@example.com\nCATEGORIES:Leave\nEND:VEVENT\n"
        "BEGIN:VTODO\nUID:mark-20270116@varnok.orvane.example\nEND:VTODO\n"
        "BEGIN:X-WRAPPER\nBEGIN:VEVENT\nUID:mark-20270117@varnok.orvane.example\nEND:VEVENT\n"
        "END:X-WRAPPER\n"
        "end:vcalendar\n";
    DaysDocument::Parsed parsed = DaysDocument::FromText(text);
    ASSERT_TRUE(parsed.Document.has_value()) << parsed.Problem;
    EXPECT_EQ(parsed.Document->MarkCount(), 1u);
    EXPECT_EQ(parsed.Document->ReadMarks(MarkableDays), "");
    EXPECT_EQ(parsed.Document->Marks(),
              (DayMarks{{DateSerial(2027, 1, 15), {MarkKind::Leave, "", std::nullopt}}}));
}

// Only the marks asked for are read: a broken one elsewhere is found when its days are asked for.
TEST(DaysDocument, ReadsTheMarksOfTheDaysAskedFor) {
    DaysDocument::Parsed parsed = DaysDocument::FromText(Calendar(
        MarkEvent("20270115", "CATEGORIES:Leave\r\n") + MarkEvent("20280301", "CATEGORIES:Bogus\r\n")));
    ASSERT_TRUE(parsed.Document.has_value());
    DaysDocument& document = *parsed.Document;
    const DayRange year2027{DateSerial(2027, 1, 1), DateSerial(2027, 12, 31)};
    EXPECT_FALSE(document.HasRead(year2027));
    EXPECT_EQ(document.ReadMarks(year2027), "");
    EXPECT_TRUE(document.HasRead(year2027));
    EXPECT_EQ(document.Marks().size(), 1u);
    EXPECT_NE(document.ReadMarks(MarkableDays), "");
}

// Another program may write the events in any order: each day's mark is found, read and changed.
TEST(DaysDocument, MarksOutOfDateOrder) {
    const std::string text = Calendar(
        MarkEvent("20280301", "CATEGORIES:Sick\r\n") + MarkEvent("20270115", "CATEGORIES:Leave\r\n") +
        MarkEvent("20290101", "CATEGORIES:Note\r\n") + MarkEvent("20270116", "CATEGORIES:Note\r\n"));
    DaysDocument::Parsed parsed = DaysDocument::FromText(text);
    ASSERT_TRUE(parsed.Document.has_value()) << parsed.Problem;
    DaysDocument& document = *parsed.Document;
    EXPECT_EQ(document.MarkCount(), 4u);
    ASSERT_EQ(document.ReadMarks({DateSerial(2027, 1, 1), DateSerial(2028, 12, 31)}), "");
    const DayMark note{MarkKind::NoteOnly, "", std::nullopt};
    EXPECT_EQ(document.Marks(), (DayMarks{{DateSerial(2027, 1, 15), {MarkKind::Leave, "", std::nullopt}},
                                          {DateSerial(2027, 1, 16), note},
                                          {DateSerial(2028, 3, 1), {MarkKind::Sick, "", std::nullopt}}}));
    const DaysDocument::Parsed changed = document.Changed({{DateSerial(2027, 1, 15), std::nullopt}}, 0);
    ASSERT_TRUE(changed.Document.has_value()) << changed.Problem;
    const std::string leave = MarkEvent("20270115", "CATEGORIES:Leave\r\n");
    std::string expected = text;
    expected.erase(expected.find(leave), leave.size());
    EXPECT_EQ(changed.Document->Text(), expected);
}

TEST(DaysDocument, AChangeOfNothingKeepsTheText) {
    const std::string text = Calendar(MarkEvent("20270115", "CATEGORIES:Leave\r\n"));
    DaysDocument::Parsed parsed = DaysDocument::FromText(text);
    ASSERT_TRUE(parsed.Document.has_value());
    ASSERT_EQ(parsed.Document->ReadMarks(MarkableDays), "");
    const DaysDocument::Parsed same =
        parsed.Document->Changed({{DateSerial(2027, 1, 15), DayMark{MarkKind::Leave, "", std::nullopt}},
                                  {DateSerial(2027, 1, 16), std::nullopt}},
                                 0);
    ASSERT_TRUE(same.Document.has_value());
    EXPECT_EQ(same.Document->Text(), text);
}

} // namespace
