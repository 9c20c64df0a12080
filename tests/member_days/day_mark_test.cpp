#include "member_days/day_mark.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <set>

namespace {

// Every kind against every duty code: which fit, and the reason given when one does not.
struct KindOnCode {
    MarkKind Kind;
    char Code;
    const char* Reason; // empty: fits
};

class KindOnCodeTest : public testing::TestWithParam<KindOnCode> {};

TEST_P(KindOnCodeTest, FitsOrSaysWhyNot) {
    const KindOnCode& row = GetParam();
    EXPECT_EQ(MarkFits(row.Kind, row.Code), std::string_view(row.Reason).empty());
    EXPECT_EQ(MisfitReason(row.Kind, row.Code), row.Reason);
}

constexpr const char* OnlyNotes = "only a note fits a day without a schedule";

INSTANTIATE_TEST_SUITE_P(
    Table, KindOnCodeTest,
    testing::Values(KindOnCode{MarkKind::Leave, 'L', ""}, KindOnCode{MarkKind::Sick, 'L', ""},
                    KindOnCode{MarkKind::TradedAway, 'L', ""},
                    KindOnCode{MarkKind::ExtraShift, 'L', "an extra shift needs a day off"},
                    KindOnCode{MarkKind::NoteOnly, 'L', ""},
                    KindOnCode{MarkKind::Leave, 'K', "Leave needs a duty day"},
                    KindOnCode{MarkKind::Sick, 'K', "Sick needs a duty day"},
                    KindOnCode{MarkKind::TradedAway, 'K', "Traded away needs a duty day"},
                    KindOnCode{MarkKind::ExtraShift, 'K', ""}, KindOnCode{MarkKind::NoteOnly, 'K', ""},
                    KindOnCode{MarkKind::Leave, 'Y', "Leave needs a duty day"},
                    KindOnCode{MarkKind::Sick, 'Y', "Sick needs a duty day"},
                    KindOnCode{MarkKind::TradedAway, 'Y', "Traded away needs a duty day"},
                    KindOnCode{MarkKind::ExtraShift, 'Y', ""}, KindOnCode{MarkKind::NoteOnly, 'Y', ""},
                    KindOnCode{MarkKind::Leave, 'Z', OnlyNotes}, KindOnCode{MarkKind::Sick, 'Z', OnlyNotes},
                    KindOnCode{MarkKind::TradedAway, 'Z', OnlyNotes},
                    KindOnCode{MarkKind::ExtraShift, 'Z', OnlyNotes},
                    KindOnCode{MarkKind::NoteOnly, 'Z', ""}),
    [](const testing::TestParamInfo<KindOnCode>& info) {
        std::string name(MarkKindName(info.param.Kind));
        std::erase(name, ' ');
        return name + "On" + info.param.Code;
    });

TEST(DayMark, TheMenuOffersTheKindsThatFitInOrder) {
    using enum MarkKind;
    EXPECT_EQ(KindsThatFit('L'), (std::vector<MarkKind>{Leave, Sick, TradedAway, NoteOnly}));
    EXPECT_EQ(KindsThatFit('K'), (std::vector<MarkKind>{ExtraShift, NoteOnly}));
    EXPECT_EQ(KindsThatFit('Y'), (std::vector<MarkKind>{ExtraShift, NoteOnly}));
    EXPECT_EQ(KindsThatFit('Z'), (std::vector<MarkKind>{NoteOnly}));
}

TEST(DayMark, NamesAndLettersTellTheKindsApart) {
    std::set<std::string_view> names;
    std::set<char> letters;
    for (const MarkKind kind : MarkKinds) {
        names.insert(MarkKindName(kind));
        letters.insert(MarkKindLetter(kind));
        EXPECT_EQ(MarkKindNamed(MarkKindName(kind)), kind);
    }
    EXPECT_EQ(names.size(), MarkKinds.size());
    EXPECT_EQ(letters.size(), MarkKinds.size());
    EXPECT_EQ(MarkKindNamed("TRADED AWAY"), MarkKind::TradedAway);
    EXPECT_EQ(MarkKindNamed("Vacation"), std::nullopt);
    EXPECT_EQ(MarkKindNamed("Leave "), std::nullopt);
}

TEST(DayMark, TheMarkableDaysAreThePickersWholeDays) {
    EXPECT_TRUE(IsMarkableDay(DateSerial(2021, 12, 31)));
    EXPECT_TRUE(IsMarkableDay(DateSerial(2100, 12, 31)));
    EXPECT_FALSE(IsMarkableDay(DateSerial(2021, 12, 30)));
    EXPECT_FALSE(IsMarkableDay(DateSerial(2101, 1, 1)));
    EXPECT_FALSE(IsMarkableDay(DateSerial(2027, 1, 15) + 0.5));
}

struct MarkCheck {
    const char* Name;
    DayMark Mark;
    const char* Problem;
};

class MarkCheckTest : public testing::TestWithParam<MarkCheck> {};

TEST_P(MarkCheckTest, GivesTheProblem) {
    EXPECT_EQ(MarkProblem(GetParam().Mark), GetParam().Problem);
}

std::string Repeated(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// Lengths count code points: 200 emoji (800 bytes) are a full note.
INSTANTIATE_TEST_SUITE_P(
    Table, MarkCheckTest,
    testing::Values(
        MarkCheck{"NoNote", {MarkKind::Leave, "", std::nullopt}, ""},
        MarkCheck{"TabsAndLineFeeds", {MarkKind::NoteOnly, "court\troom 3\nbring papers", std::nullopt}, ""},
        MarkCheck{"TwoHundredEmoji", {MarkKind::NoteOnly, Repeated("\U0001F692", 200), std::nullopt}, ""},
        MarkCheck{"TwoHundredAndOne",
                  {MarkKind::NoteOnly, Repeated("\u00E9", 201), std::nullopt},
                  "the note has 201 characters, more than 200"},
        MarkCheck{
            "CutSequence", {MarkKind::Sick, "flu \xE2\x82", std::nullopt}, "the note is not UTF-8 text"},
        MarkCheck{"OverlongSlash", {MarkKind::Sick, "a\xC0\xAF", std::nullopt}, "the note is not UTF-8 text"},
        MarkCheck{"OverlongThreeBytes",
                  {MarkKind::Sick, "\xE0\x80\xAF", std::nullopt},
                  "the note is not UTF-8 text"},
        MarkCheck{"Surrogate", {MarkKind::Sick, "\xED\xA0\x80", std::nullopt}, "the note is not UTF-8 text"},
        MarkCheck{
            "AboveUnicode", {MarkKind::Sick, "\xF4\x90\x80\x80", std::nullopt}, "the note is not UTF-8 text"},
        MarkCheck{"ControlCharacter",
                  {MarkKind::NoteOnly, "bell\a", std::nullopt},
                  "the note holds a control character"},
        MarkCheck{"CarriageReturn",
                  {MarkKind::NoteOnly, "a\rb", std::nullopt},
                  "the note holds a control character"},
        MarkCheck{"ExtraShiftHours", {MarkKind::ExtraShift, "", 47.5}, ""},
        MarkCheck{"HoursOnLeave", {MarkKind::Leave, "", 8.0}, "only an extra shift has hours"},
        MarkCheck{
            "ZeroHours", {MarkKind::ExtraShift, "", 0.0}, "0 is not a number of hours above 0 and below 48"},
        MarkCheck{"FortyEightHours",
                  {MarkKind::ExtraShift, "", 48.0},
                  "48 is not a number of hours above 0 and below 48"},
        MarkCheck{"NotANumber",
                  {MarkKind::ExtraShift, "", std::numeric_limits<double>::quiet_NaN()},
                  "nan is not a number of hours above 0 and below 48"}),
    [](const testing::TestParamInfo<MarkCheck>& info) { return std::string(info.param.Name); });

TEST(DayMark, NotesKeepTheirLineBreaksAsLineFeeds) {
    EXPECT_EQ(NormalizedNote("a\r\nb\rc\nd\r"), "a\nb\nc\nd\n");
}

TEST(DayMark, HoursAreReadFromPlainDecimalsOnly) {
    const struct {
        const char* Text;
        std::optional<double> Hours;
    } rows[] = {{"12", 12.0},          {"7.5", 7.5},          {".5", 0.5},           {"47.99", 47.99},
                {"0", std::nullopt},   {"48", std::nullopt},  {"-1", std::nullopt},  {"+1", std::nullopt},
                {"1e1", std::nullopt}, {"12.", std::nullopt}, {".", std::nullopt},   {"", std::nullopt},
                {" 12", std::nullopt}, {"12h", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt},
                {"1,5", std::nullopt}};
    for (const auto& row : rows)
        EXPECT_EQ(HoursFromText(row.Text), row.Hours) << row.Text;
    for (const double hours : {0.25, 7.5, 12.0, 47.999})
        EXPECT_EQ(HoursFromText(HoursText(hours)), hours) << hours;
    EXPECT_EQ(MarkText({MarkKind::ExtraShift, "", 12.0}), "Extra shift, 12 hours");
    EXPECT_EQ(MarkText({MarkKind::ExtraShift, "", 1.0}), "Extra shift, 1 hour");
    EXPECT_EQ(MarkText({MarkKind::TradedAway, "x", std::nullopt}), "Traded away");
}

TEST(DayMark, InWordsAMarkSaysWhyItIsNotCountedAndEndsWithItsNote) {
    const struct {
        DayMark Mark;
        char Code;
        const char* Words;
    } rows[] = {
        {{MarkKind::Leave, "court", std::nullopt}, 'L', "Leave: court"},
        {{MarkKind::ExtraShift, "", 12.0}, 'K', "Extra shift, 12 hours"},
        {{MarkKind::Leave, "", std::nullopt}, 'K', "Leave (not counted: Leave needs a duty day)"},
        {{MarkKind::ExtraShift, "for Dana\nnights", 7.5},
         'L',
         "Extra shift, 7.5 hours (not counted: an extra shift needs a day off): for Dana\nnights"},
        {{MarkKind::Sick, "", std::nullopt},
         'Z',
         "Sick (not counted: only a note fits a day without a schedule)"},
        {{MarkKind::NoteOnly, "swap", std::nullopt}, 'Z', "Note: swap"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(MarkInWords(row.Mark, row.Code), row.Words);
}

} // namespace
