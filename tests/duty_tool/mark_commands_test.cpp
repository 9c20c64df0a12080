// mark, marks, tally and the marks in day and csv, run in process against a days file in a temporary
// settings folder.

#include "duty_tool/duty_command.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace {

class MarkCommandsTest : public testing::Test {
protected:
    MarkCommandsTest() {
        environment_.Clock = &clock_;
        environment_.SettingsBase = std::filesystem::path(folder_.path().toStdString());
        environment_.Locale = QLocale(QLocale::English, QLocale::UnitedStates);
        environment_.Out = &out_;
        environment_.Err = &err_;
        environment_.StampTime = 1799573400;
        QDir(folder_.path()).mkpath(QStringLiteral("Orvane/Varnok"));
    }

    QString DaysFile() const { return folder_.filePath(QStringLiteral("Orvane/Varnok/vnTolmere-days.ics")); }

    void SaveAssignment(const char* assignment) const {
        QFile file(folder_.filePath(QStringLiteral("Orvane/Varnok/vnTolmere.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("[Config]\nWorkAssign=") + assignment + "\n");
    }

    // Runs the command; its exit code, with standard output and error kept for the test.
    int Run(QStringList arguments) {
        out_.str({});
        err_.str({});
        arguments.prepend(QStringLiteral("varnok-duty"));
        return RunDutyTool(arguments, environment_, CoreSubcommands());
    }

    QTemporaryDir folder_;
    FixedTodayClock clock_{46402}; // Friday 15 January 2027
    std::ostringstream out_;
    std::ostringstream err_;
    DutyToolEnvironment environment_;
};

TEST_F(MarkCommandsTest, MarkedDaysShowInMarksDayAndCsv) {
    SaveAssignment("Group 3");
    ASSERT_EQ(Run({"mark", "today", "leave", "--note", "court, room 3"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "");
    ASSERT_EQ(Run({"mark", "2027-01-16", "extra-shift", "--hours", "12", "--note", "for Dana\nnight"}), 0)
        << err_.str();
    ASSERT_EQ(Run({"mark", "2021-12-31", "Note", "--note", "back\\slash"}), 0) << err_.str();
    ASSERT_EQ(Run({"mark", "2027-01-17", "TRADED_AWAY", "-a", "5"}), 0) << err_.str();

    ASSERT_EQ(Run({"marks"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "2021-12-31 Note: back\\\\slash\n"
                          "2027-01-15 Leave: court, room 3\n"
                          "2027-01-16 Extra shift, 12 hours: for Dana\\nnight\n"
                          "2027-01-17 Traded away (not counted: Traded away needs a duty day)\n");
    ASSERT_EQ(Run({"marks", "--from", "2027-01-16", "--to", "2027-01-16"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "2027-01-16 Extra shift, 12 hours: for Dana\\nnight\n");

    ASSERT_EQ(Run({"day"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "Friday, January 15, 2027: Group 3 on duty, payday; Leave: court, room 3\n");
    ASSERT_EQ(Run({"day", "2027-01-16", "-a", "4"}), 0) << err_.str();
    EXPECT_EQ(out_.str(),
              "Saturday, January 16, 2027: Group 4 on duty; Extra shift, 12 hours (not counted: an "
              "extra shift needs a day off): for Dana\\nnight\n");
    ASSERT_EQ(Run({"day", "2027-01-18"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "Monday, January 18, 2027: Group 3 regular day off\n");

    ASSERT_EQ(Run({"csv", "--from", "2027-01-15", "--to", "2027-01-16"}), 0) << err_.str();
    EXPECT_EQ(out_.str(),
              "date,weekday,assignment,duty,payday,mark,note\r\n"
              "2027-01-15,Friday,Group 3,on duty,yes,Leave,\"court, room 3\"\r\n"
              "2027-01-16,Saturday,Group 3,regular day off,no,\"Extra shift, 12 hours\",\"for Dana\n"
              "night\"\r\n");

    ASSERT_EQ(Run({"mark", "today", "--clear"}), 0) << err_.str();
    ASSERT_EQ(Run({"marks", "--from", "today", "--to", "today"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "");
}

TEST_F(MarkCommandsTest, TallyCountsTheYearInDaysOrHours) {
    SaveAssignment("Group 3");
    for (const QStringList& mark :
         {QStringList{"2027-01-15", "leave"}, QStringList{"2027-01-14", "sick"},
          QStringList{"2027-01-11", "traded-away"},
          QStringList{"2027-01-18", "extra-shift", "--hours", "7.5"},
          QStringList{"2027-01-19", "extra-shift"}, QStringList{"2027-01-22", "note"},
          QStringList{"2027-01-17", "leave", "-a", "5"}, QStringList{"2028-01-01", "leave", "-a", "1"}})
        ASSERT_EQ(Run(QStringList{"mark"} + mark), 0) << err_.str();

    ASSERT_EQ(Run({"tally"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "Group 3, 2027-01-01 to 2027-12-31\n"
                          "Scheduled duty: 156 days\n"
                          "Leave: 1 day\n"
                          "Sick: 1 day\n"
                          "Traded away: 1 day\n"
                          "Extra shifts: 2 days\n"
                          "Notes: 1\n"
                          "Worked: 155 days\n"
                          "Left out: 1 mark that no longer fits its day\n");
    ASSERT_EQ(Run({"tally", "2027", "--shift-hours", "24"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "Group 3, 2027-01-01 to 2027-12-31, shifts of 24 hours\n"
                          "Scheduled duty: 156 days, 3744 hours\n"
                          "Leave: 1 day, 24 hours\n"
                          "Sick: 1 day, 24 hours\n"
                          "Traded away: 1 day, 24 hours\n"
                          "Extra shifts: 2 days, 31.5 hours\n"
                          "Notes: 1\n"
                          "Worked: 155 days, 3703.5 hours\n"
                          "Left out: 1 mark that no longer fits its day\n");
    ASSERT_EQ(Run({"tally", "--from", "2027-01-16", "--to", "2028-01-31", "-a", "1"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "Group 1, 2027-01-16 to 2028-01-31\n"
                          "Scheduled duty: 165 days\n"
                          "Leave: 1 day\n"
                          "Sick: 0 days\n"
                          "Traded away: 0 days\n"
                          "Extra shifts: 0 days\n"
                          "Notes: 1\n"
                          "Worked: 164 days\n"
                          "Left out: 3 marks that no longer fit their days\n");
}

// Under TFD, or without a saved assignment, only notes fit: the department has no rotation.
TEST_F(MarkCommandsTest, WithoutARotationOnlyNotesFit) {
    EXPECT_EQ(Run({"mark", "2027-01-15", "leave"}), 2);
    EXPECT_EQ(err_.str(), "varnok-duty: 2027-01-15 has no schedule for TFD: only a note fits a day without a "
                          "schedule\n");
    EXPECT_EQ(Run({"mark", "2027-01-15", "note", "--note", "training"}), 0) << err_.str();
    EXPECT_FALSE(QFile::exists(folder_.filePath(QStringLiteral("Orvane/Varnok/vnTolmere.ini"))));
    ASSERT_EQ(Run({"marks"}), 0);
    EXPECT_EQ(out_.str(), "2027-01-15 Note: training\n");
}

TEST_F(MarkCommandsTest, AMarkThatDoesNotFitTheDayIsRefusedAndNothingIsWritten) {
    SaveAssignment("Group 3");
    const struct {
        QStringList Arguments;
        const char* Message;
    } rows[] = {
        {{"2027-01-16", "leave"}, "2027-01-16 is a regular day off for Group 3: Leave needs a duty day"},
        {{"2027-01-03", "sick", "-a", "1"},
         "2027-01-03 is an off-duty day for Group 1: Sick needs a duty day"},
        {{"2027-01-15", "extra-shift"},
         "2027-01-15 is a duty day for Group 3: an extra shift needs a day off"},
        {{"2021-12-31", "extra-shift"},
         "2021-12-31 has no schedule for Group 3: only a note fits a day without a schedule"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Run(QStringList{"mark"} + row.Arguments), 2);
        EXPECT_EQ(err_.str(), std::string("varnok-duty: ") + row.Message + "\n");
    }
    EXPECT_FALSE(QFile::exists(DaysFile()));
}

// ics finds the days file where day and csv do; --no-marks leaves it unread, even when it is broken.
TEST_F(MarkCommandsTest, IcsTakesTheMarksUnlessToldNot) {
    SaveAssignment("Group 3");
    // 2027-01-15 lies inside its series: its duty day becomes an EXDATE.
    const QStringList range{"ics", "--from", "2026-10-01", "--to", "2027-06-30"};
    ASSERT_EQ(Run(range), 0) << err_.str();
    const std::string plain = out_.str();
    ASSERT_EQ(Run({"mark", "2027-01-15", "leave", "--note", "court"}), 0) << err_.str();
    ASSERT_EQ(Run({"mark", "2027-01-18", "extra-shift", "--hours", "12"}), 0) << err_.str();
    ASSERT_EQ(Run({"mark", "2027-07-01", "note", "--note", "after the range"}), 0) << err_.str();

    ASSERT_EQ(Run(range), 0) << err_.str();
    const std::string marked = out_.str();
    for (const char* line :
         {"\r\nUID:myday-20270115@varnok.orvane.example\r\n", "\r\nSUMMARY:Leave \xe2\x80\x93 Group 3\r\n",
          "\r\nDESCRIPTION:court\r\n", "\r\nEXDATE;VALUE=DATE:20270115\r\n",
          "\r\nUID:myday-20270118@varnok.orvane.example\r\n",
          "\r\nSUMMARY:Extra shift \xe2\x80\x93 Group 3 (12 h)\r\n"})
        EXPECT_NE(marked.find(line), std::string::npos) << line;
    EXPECT_EQ(marked.find("myday-20270701"), std::string::npos);

    QFile days(DaysFile());
    ASSERT_TRUE(days.open(QIODevice::WriteOnly | QIODevice::Truncate));
    days.write("BEGIN:VCALENDAR\r\n");
    days.close();
    ASSERT_EQ(Run(range + QStringList{"--no-marks"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), plain);
    EXPECT_EQ(Run(range), 1);
    EXPECT_EQ(err_.str(), "varnok-duty: the days file " + DaysFile().toStdString() +
                              " cannot be read: it ends inside BEGIN:VCALENDAR of line 1\n");
    EXPECT_EQ(out_.str(), "");
}

} // namespace
