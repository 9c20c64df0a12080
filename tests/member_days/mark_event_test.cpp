#include "member_days/mark_event.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t Stamp = 1799573400; // 2027-01-10 09:30:00 UTC

// The whole event, as calendar programs and a later read see it.
TEST(MarkEvent, HoldsTheMarkInStandardPropertiesAndTheHoursInItsOwn) {
    EXPECT_EQ(MarkEventText(DateSerial(2027, 1, 16), {MarkKind::ExtraShift, "swap with Dana", 7.5}, Stamp),
              "BEGIN:VEVENT\r\n"
              "UID:mark-20270116@varnok.orvane.example\r\n"
              "DTSTAMP:20270110T093000Z\r\n"
              "DTSTART;VALUE=DATE:20270116\r\n"
              "DTEND;VALUE=DATE:20270117\r\n"
              "SUMMARY:Extra shift\\, 7.5 hours: swap with Dana\r\n"
              "CATEGORIES:Extra shift\r\n"
              "DESCRIPTION:swap with Dana\r\n"
              "X-VARNOK-HOURS:7.5\r\n"
              "TRANSP:OPAQUE\r\n"
              "END:VEVENT\r\n");
    EXPECT_EQ(MarkEventText(DateSerial(2021, 12, 31),
                            {MarkKind::NoteOnly, "first line\nsecond", std::nullopt}, Stamp),
              "BEGIN:VEVENT\r\n"
              "UID:mark-20211231@varnok.orvane.example\r\n"
              "DTSTAMP:20270110T093000Z\r\n"
              "DTSTART;VALUE=DATE:20211231\r\n"
              "DTEND;VALUE=DATE:20220101\r\n"
              "SUMMARY:Note: first line\r\n"
              "CATEGORIES:Note\r\n"
              "DESCRIPTION:first line\\nsecond\r\n"
              "TRANSP:TRANSPARENT\r\n"
              "END:VEVENT\r\n");
}

TEST(MarkEvent, UidsAreOursOnlyInTheirOwnForm) {
    const struct {
        const char* Uid;
        bool Ours;
        std::optional<TDateTime> Date;
    } rows[] = {
        {"mark-20270115@varnok.orvane.example", true, DateSerial(2027, 1, 15)},
        {"mark-21001231@varnok.orvane.example", true, DateSerial(2100, 12, 31)},
        {"mark-21010101@varnok.orvane.example", true, std::nullopt},
        {"mark-2027015@varnok.orvane.example", true, std::nullopt},
        {"mark-2027O115@varnok.orvane.example", true, std::nullopt},
        {"mark-20270115@other.example", false, std::nullopt},
        {"group3-duty-0@varnok.orvane.example", false, std::nullopt},
        {"", false, std::nullopt},
    };
    for (const auto& row : rows) {
        const MarkUidMatch match = MatchMarkUid(row.Uid);
        EXPECT_EQ(match.Ours, row.Ours) << row.Uid;
        EXPECT_EQ(match.Date, row.Date) << row.Uid;
    }
    EXPECT_EQ(MarkUid(DateSerial(2027, 1, 15)), "mark-20270115@varnok.orvane.example");
}

// What another program added to the event stays when the mark changes: its alarm, its own category,
// its own properties. What this program writes is there once.
TEST(MarkEvent, ARewriteKeepsWhatAnotherProgramAddedToTheEvent) {
    const std::string previous =
        "BEGIN:VEVENT\r\n"
        "UID:mark-20270115@varnok.orvane.example\r\n"
        "DTSTAMP:20270101T080000Z\r\n"
        "DTSTART;VALUE=DATE:20270115\r\n"
        "DTEND;VALUE=DATE:20270116\r\n"
        "SUMMARY:Leave: family\r\n"
        "CATEGORIES:Leave,Personal\r\n"
        "DESCRIPTION:family\r\n"
        "X-OTHER-LASTACK:20270114T200000Z\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Leave tomorrow\r\nTRIGGER:-PT12H\r\n"
        "END:VALARM\r\n"
        "END:VEVENT\r\n";
    const std::string text =
        MarkEventText(DateSerial(2027, 1, 15), {MarkKind::Sick, "flu", std::nullopt}, Stamp, previous);
    for (const char* kept :
         {"\r\nCATEGORIES:Personal\r\n", "\r\nX-OTHER-LASTACK:20270114T200000Z\r\n",
          "\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Leave tomorrow\r\nTRIGGER:-PT12H\r\n"
          "END:VALARM\r\n",
          "\r\nCATEGORIES:Sick\r\n", "\r\nDESCRIPTION:flu\r\n", "\r\nDTSTAMP:20270110T093000Z\r\n"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept << "\nin\n" << text;
    for (const char* gone : {"CATEGORIES:Leave", "family", "20270101T080000Z"})
        EXPECT_EQ(text.find(gone), std::string::npos) << gone;
    for (const char* once : {"UID:", "DTSTART", "DTEND", "SUMMARY:", "TRANSP:"})
        EXPECT_EQ(text.find(once), text.rfind(once)) << once;
    const MarkEventRead read = ReadMarkEvent(text);
    EXPECT_EQ(read.Mark, (DayMark{MarkKind::Sick, "flu", std::nullopt})) << read.Problem;
}

// libical reads a category list that begins with a control character, but writes that item back as a
// CATEGORIES it then cannot read: such an event is written afresh, so the file stays readable.
TEST(MarkEvent, AnEventLibicalCannotWriteBackIsWrittenAfresh) {
    const std::string previous = "BEGIN:VEVENT\r\nUID:mark-20270115@varnok.orvane.example\r\n"
                                 "CATEGORIES:\f,Leave\r\nX-OTHER:kept if it could be\r\nEND:VEVENT\r\n";
    ASSERT_TRUE(ReadMarkEvent(previous).Mark.has_value());
    const DayMark sick{MarkKind::Sick, "", std::nullopt};
    const std::string text = MarkEventText(DateSerial(2027, 1, 15), sick, Stamp, previous);
    EXPECT_EQ(ReadMarkEvent(text).Mark, sick) << text;
    EXPECT_EQ(text, MarkEventText(DateSerial(2027, 1, 15), sick, Stamp));
}

// libical takes "UID;:x" for the value ":x" where the file's scan, like RFC 5545, finds "x": a rewrite
// writes the day's UID anew, first in the event.
TEST(MarkEvent, ARewriteWritesTheDaysUidFirst) {
    const std::string previous =
        "BEGIN:VEVENT\r\nCATEGORIES:Sick\r\nUID;:mark-20270115@varnok.orvane.example\r\n"
        "END:VEVENT\r\n";
    const std::string text =
        MarkEventText(DateSerial(2027, 1, 15), {MarkKind::Leave, "", std::nullopt}, Stamp, previous);
    EXPECT_TRUE(text.starts_with("BEGIN:VEVENT\r\nUID:mark-20270115@varnok.orvane.example\r\n")) << text;
    EXPECT_EQ(text.find("UID:"), text.rfind("UID:"));
}

} // namespace
