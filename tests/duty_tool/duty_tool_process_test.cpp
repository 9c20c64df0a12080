#include "tool_process.h"

#include <QDate>
#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

// Bad input: one line on standard error, nothing on standard output, exit 2 for usage and 1 for I/O.
struct BadInput {
    const char* Name;
    friend void PrintTo(const BadInput& row, std::ostream* out) { *out << row.Name; }
    QStringList Arguments;
    const char* Settings; // settings file contents; nullptr for none
    const char* Message;  // {config} stands for the configuration folder
    int ExitCode;
    const char* Days = nullptr; // days file contents; nullptr for none
};

class BadInputTest : public testing::TestWithParam<BadInput> {};

TEST_P(BadInputTest, OneLineAndTheExitCode) {
    const ToolHome home;
    if (GetParam().Settings != nullptr)
        home.WriteSettings(GetParam().Settings);
    if (GetParam().Days != nullptr)
        home.WriteDays(GetParam().Days);
    const ToolRun run = home.Run(GetParam().Arguments);
    EXPECT_EQ(run.ExitCode, GetParam().ExitCode);
    const QString message =
        QString::fromUtf8(GetParam().Message).replace(QStringLiteral("{config}"), home.ConfigHome());
    EXPECT_EQ(run.Err.toStdString(), "varnok-duty: " + message.toStdString() + "\n");
    EXPECT_TRUE(run.Out.isEmpty()) << run.Out.toStdString();
    // Bad input never writes a days file, nor changes one.
    if (GetParam().Days != nullptr)
        EXPECT_EQ(home.DaysBytes(), QByteArray(GetParam().Days));
    else
        EXPECT_FALSE(QFile::exists(home.DaysFile()));
}

constexpr const char* Group3 = "[Config]\nWorkAssign=Group 3\n";
constexpr const char* CutOffDays = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\n";

INSTANTIATE_TEST_SUITE_P(
    Table, BadInputTest,
    testing::Values(
        BadInput{"NoCommand", {}, nullptr, "no command given: try varnok-duty --help", 2},
        BadInput{"UnknownCommand", {"night"}, nullptr, "unknown command 'night': try varnok-duty --help", 2},
        BadInput{"UnknownOption", {"day", "--bogus"}, nullptr, "Unknown option 'bogus'.", 2},
        BadInput{"UnknownAssignment",
                 {"day", "--assignment", "Group 9"},
                 nullptr,
                 "unknown assignment 'Group 9': use 1 to 7 or \"Group 1\" to \"Group 7\"",
                 2},
        BadInput{"DepartmentGiven",
                 {"day", "-a", "TFD"},
                 nullptr,
                 "TFD has no duty rotation: choose a group, 1 to 7",
                 2},
        BadInput{"DepartmentSaved",
                 {"day"},
                 "[Config]\nWorkAssign=TFD\n",
                 "the saved assignment is TFD, which has no duty rotation: choose a group with --assignment",
                 2},
        BadInput{"NothingSaved",
                 {"day"},
                 nullptr,
                 "the saved assignment is TFD, which has no duty rotation: choose a group with --assignment",
                 2},
        BadInput{"MalformedDate",
                 {"day", "2027-02-30", "-a", "3"},
                 nullptr,
                 "'2027-02-30' is not a date: use YYYY-MM-DD, today or tomorrow",
                 2},
        BadInput{"TwoDates",
                 {"day", "2027-01-15", "2027-01-16", "-a", "3"},
                 nullptr,
                 "unexpected argument '2027-01-16'",
                 2},
        BadInput{"FromAfterTo",
                 {"csv", "-a", "3", "--from", "2027-02-01", "--to", "2027-01-31"},
                 nullptr,
                 "--from 2027-02-01 is after --to 2027-01-31",
                 2},
        BadInput{"MalformedFrom",
                 {"csv", "-a", "3", "--from", "15.01.2027"},
                 nullptr,
                 "'15.01.2027' is not a date: use YYYY-MM-DD, today or tomorrow",
                 2},
        BadInput{"CsvTakesNoOperand", {"csv", "-a", "3", "2027"}, nullptr, "unexpected argument '2027'", 2},
        BadInput{"UnwritableCsv",
                 {"csv", "-a", "3", "-o", "no-such-folder/duty.csv"},
                 nullptr,
                 "cannot write no-such-folder/duty.csv",
                 1},
        BadInput{"IcsBeforeTheSchedule",
                 {"ics", "-a", "3", "--from", "2021-12-31"},
                 nullptr,
                 "2021-12-31 lies outside the duty schedule, 2022-01-01 to 2100-12-31",
                 2},
        BadInput{"IcsAfterTheSchedule",
                 {"ics", "-a", "3", "--to", "2101-01-01"},
                 nullptr,
                 "2101-01-01 lies outside the duty schedule, 2022-01-01 to 2100-12-31",
                 2},
        BadInput{"IcsDepartment",
                 {"ics", "--assignment", "tfd"},
                 nullptr,
                 "TFD has no duty rotation: choose a group, 1 to 7",
                 2},
        BadInput{"ShiftStartAlone",
                 {"ics", "-a", "3", "--shift-start", "07:00"},
                 nullptr,
                 "--shift-start and --shift-hours go together",
                 2},
        BadInput{"ShiftStartNoTime",
                 {"ics", "-a", "3", "--shift-start", "24:00", "--shift-hours", "24"},
                 nullptr,
                 "'24:00' is not a time of day: use HH:MM, 00:00 to 23:59",
                 2},
        BadInput{"ShiftTooLong",
                 {"ics", "-a", "3", "--shift-start", "07:00", "--shift-hours", "25"},
                 nullptr,
                 "'25' is not a shift length: use a whole number of hours, 1 to 24",
                 2},
        BadInput{"RemindNoTime",
                 {"ics", "-a", "3", "--remind", "6pm"},
                 nullptr,
                 "'6pm' is not a reminder: use HH:MM for the evening before, or a time before the start "
                 "such as 90m, 2h or 1h30m, at most 7d",
                 2},
        BadInput{"RemindTooEarly",
                 {"ics", "-a", "3", "--remind", "8d"},
                 nullptr,
                 "'8d' is not a reminder: use HH:MM for the evening before, or a time before the start "
                 "such as 90m, 2h or 1h30m, at most 7d",
                 2},
        BadInput{"RemindEmpty",
                 {"ics", "-a", "3", "--remind", ""},
                 nullptr,
                 "'' is not a reminder: use HH:MM for the evening before, or a time before the start "
                 "such as 90m, 2h or 1h30m, at most 7d",
                 2},
        BadInput{"RunsWithShifts",
                 {"ics", "-a", "3", "--runs", "--shift-start", "07:00", "--shift-hours", "24"},
                 nullptr,
                 "--runs and --shift-start exclude each other: a shift is one event a day",
                 2},
        BadInput{"OpenWithOutput",
                 {"ics", "-a", "3", "--open", "-o", "x.ics"},
                 nullptr,
                 "--open and --output exclude each other",
                 2},
        BadInput{"UnwritableIcs",
                 {"ics", "-a", "3", "-o", "/proc/varnok.ics"},
                 nullptr,
                 "cannot write /proc/varnok.ics",
                 1},
        BadInput{"YearBeforeTheSchedule",
                 {"year", "2021", "-a", "3"},
                 nullptr,
                 "2021 lies outside the duty schedule's years, 2022 to 2100",
                 2},
        BadInput{"YearAfterTheSchedule",
                 {"year", "2101", "-a", "3"},
                 nullptr,
                 "2101 lies outside the duty schedule's years, 2022 to 2100",
                 2},
        BadInput{"YearNotANumber", {"year", "MMXXVII", "-a", "3"}, nullptr, "'MMXXVII' is not a year", 2},
        BadInput{"YearOtherFormat",
                 {"year", "2027", "-a", "3", "-o", "sheet.jpg"},
                 nullptr,
                 "sheet.jpg: the year sheet is written as a .pdf or a .png file",
                 2},
        BadInput{"UnknownPageSize",
                 {"year", "2027", "-a", "3", "--page-size", "Napkin"},
                 nullptr,
                 "unknown page size 'Napkin': use A4, Letter, Legal, A3 or another standard name",
                 2},
        BadInput{"YearDepartmentSaved",
                 {"year", "2027"},
                 "[Config]\nWorkAssign=TFD\n",
                 "the saved assignment is TFD, which has no duty rotation: choose a group with --assignment",
                 2},
        BadInput{"UnwritableYear",
                 {"year", "2027", "-a", "3", "-o", "no-such-folder/sheet.pdf"},
                 nullptr,
                 "cannot write no-such-folder/sheet.pdf",
                 1},
        BadInput{"AllWithAssignment",
                 {"day", "--all", "-a", "3"},
                 nullptr,
                 "--all and --assignment exclude each other",
                 2},
        BadInput{"MarkUnknownKind",
                 {"mark", "2027-01-15", "vacation"},
                 Group3,
                 "unknown kind 'vacation': use leave, sick, traded-away, extra-shift or note",
                 2},
        BadInput{"MarkNoKind",
                 {"mark", "2027-01-15"},
                 Group3,
                 "no kind given: leave, sick, traded-away, extra-shift or note; or --clear",
                 2},
        BadInput{"MarkBeforeTheCalendar",
                 {"mark", "2021-12-30", "note"},
                 Group3,
                 "2021-12-30 lies outside the calendar, 2021-12-31 to 2100-12-31",
                 2},
        BadInput{"MarkAfterTheCalendar",
                 {"mark", "2101-01-01", "note"},
                 Group3,
                 "2101-01-01 lies outside the calendar, 2021-12-31 to 2100-12-31",
                 2},
        BadInput{"MarkEmptyNote",
                 {"mark", "2027-01-15", "leave", "--note", ""},
                 Group3,
                 "the note is empty: leave out --note for a mark without one",
                 2},
        BadInput{"MarkLongNote",
                 {"mark", "2027-01-15", "note", "--note", QString(201, QChar(0x00E9))},
                 Group3,
                 "the note has 201 characters, more than 200",
                 2},
        BadInput{"MarkZeroHours",
                 {"mark", "2027-01-16", "extra-shift", "--hours", "0"},
                 Group3,
                 "'0' is not a number of hours: use a number above 0 and below 48",
                 2},
        BadInput{"MarkTooManyHours",
                 {"mark", "2027-01-16", "extra-shift", "--hours", "48"},
                 Group3,
                 "'48' is not a number of hours: use a number above 0 and below 48",
                 2},
        BadInput{"MarkHoursNoNumber",
                 {"mark", "2027-01-16", "extra-shift", "--hours", "twelve"},
                 Group3,
                 "'twelve' is not a number of hours: use a number above 0 and below 48",
                 2},
        BadInput{"MarkHoursOnLeave",
                 {"mark", "2027-01-15", "leave", "--hours", "8"},
                 Group3,
                 "--hours goes with extra-shift only",
                 2},
        BadInput{"MarkClearWithKind",
                 {"mark", "2027-01-15", "leave", "--clear"},
                 Group3,
                 "--clear takes no kind, --note or --hours",
                 2},
        BadInput{"MarkDoesNotFit",
                 {"mark", "2027-01-16", "leave"},
                 Group3,
                 "2027-01-16 is a regular day off for Group 3: Leave needs a duty day",
                 2},
        BadInput{"MarkCorruptDaysFile",
                 {"mark", "2027-01-15", "leave"},
                 Group3,
                 "the days file {config}/Orvane/Varnok/vnTolmere-days.ics cannot be read: it ends inside "
                 "BEGIN:VEVENT of line 3",
                 1,
                 CutOffDays},
        BadInput{"DayCorruptDaysFile",
                 {"day", "2027-01-15"},
                 Group3,
                 "the days file {config}/Orvane/Varnok/vnTolmere-days.ics cannot be read: it is not an "
                 "iCalendar file: it does not begin with BEGIN:VCALENDAR",
                 1,
                 "[Config]\nWorkAssign=Group 3\n"},
        BadInput{"MarksCorruptDaysFile",
                 {"marks"},
                 Group3,
                 "the days file {config}/Orvane/Varnok/vnTolmere-days.ics cannot be read: it ends inside "
                 "BEGIN:VEVENT of line 3",
                 1,
                 CutOffDays},
        BadInput{"IcsCorruptDaysFile",
                 {"ics", "--rdo"},
                 Group3,
                 "the days file {config}/Orvane/Varnok/vnTolmere-days.ics cannot be read: it ends inside "
                 "BEGIN:VEVENT of line 3",
                 1,
                 CutOffDays},
        BadInput{"TallyCorruptDaysFile",
                 {"tally", "2027"},
                 Group3,
                 "the days file {config}/Orvane/Varnok/vnTolmere-days.ics cannot be read: it ends inside "
                 "BEGIN:VEVENT of line 3",
                 1,
                 CutOffDays},
        BadInput{"TallyYearAndFrom",
                 {"tally", "2027", "--from", "2027-02-01"},
                 Group3,
                 "a YEAR and --from or --to exclude each other",
                 2},
        BadInput{"TallyBeforeTheSchedule",
                 {"tally", "--from", "2021-12-31", "--to", "2022-01-31"},
                 Group3,
                 "2021-12-31 lies outside the duty schedule, 2022-01-01 to 2100-12-31",
                 2},
        BadInput{"TallyYearOutside",
                 {"tally", "2101"},
                 Group3,
                 "2101 lies outside the duty schedule's years, 2022 to 2100",
                 2},
        BadInput{"TallyShiftHours",
                 {"tally", "--shift-hours", "50"},
                 Group3,
                 "'50' is not a shift length: use a number of hours above 0 and below 48",
                 2},
        BadInput{"TallyDepartment",
                 {"tally", "2027"},
                 "[Config]\nWorkAssign=TFD\n",
                 "the saved assignment is TFD, which has no duty rotation: choose a group with --assignment",
                 2}),
    [](const testing::TestParamInfo<BadInput>& info) { return std::string(info.param.Name); });

TEST(DutyToolProcess, DayAnswersForTheSavedGroupAndTheGivenOne) {
    const ToolHome home;
    home.WriteSettings("[Config]\nWorkAssign=Group 5\n[Colors]\nOn-Duty=not a color\n");
    ToolRun run = home.Run({"day", "2027-01-15"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out.toStdString(), "Friday, January 15, 2027: Group 5 off duty, payday\n");

    run = home.Run({"day", "2027-01-15", "--assignment", "group 3"});
    EXPECT_EQ(run.Out.toStdString(), "Friday, January 15, 2027: Group 3 on duty, payday\n");
}

TEST(DutyToolProcess, AllGivesOneLinePerGroup) {
    const ToolHome home;
    const ToolRun run = home.Run({"day", "2022-01-01", "--all"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out.toStdString(), "Saturday, January 1, 2022: Group 1 on duty\n"
                                     "Saturday, January 1, 2022: Group 2 on duty\n"
                                     "Saturday, January 1, 2022: Group 3 regular day off\n"
                                     "Saturday, January 1, 2022: Group 4 off duty\n"
                                     "Saturday, January 1, 2022: Group 5 off duty\n"
                                     "Saturday, January 1, 2022: Group 6 off duty\n"
                                     "Saturday, January 1, 2022: Group 7 on duty\n");
}

TEST(DutyToolProcess, CsvGoesToTheFileOrToStandardOutput) {
    const ToolHome home;
    const QStringList arguments = {"csv", "-a", "4", "--from", "2027-01-14", "--to", "2027-01-15"};
    const std::string table = "date,weekday,assignment,duty,payday,mark,note\r\n"
                              "2027-01-14,Thursday,Group 4,regular day off,no,,\r\n"
                              "2027-01-15,Friday,Group 4,regular day off,yes,,\r\n";
    ToolRun run = home.Run(arguments);
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out.toStdString(), table);

    run = home.Run(arguments + QStringList{"-o", "duty.csv"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.isEmpty());
    QFile file(home.Path() + QStringLiteral("/duty.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), table);
}

TEST(DutyToolProcess, CsvCoversThisYearByDefault) {
    const ToolHome home;
    const ToolRun run = home.Run({"csv", "-a", "1"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QByteArray year = QByteArray::number(QDate::currentDate().year());
    EXPECT_TRUE(run.Out.contains("\r\n" + year + "-01-01,")) << run.Out.left(200).toStdString();
    EXPECT_TRUE(run.Out.contains("\r\n" + year + "-12-31,"));
    EXPECT_FALSE(run.Out.contains("\r\n" + QByteArray::number(QDate::currentDate().year() + 1) + "-01-01,"));
}

TEST(DutyToolProcess, OpenWithoutADesktopWritesTheFileAndSaysWhyItCannotOpenIt) {
    const ToolHome home;
    const struct {
        QStringList Arguments;
        const char* Name;
    } rows[] = {
        {{"ics", "-a", "3", "--open", "--from", "2027-01-01", "--to", "2027-12-31"}, "Group 3 duty 2027.ics"},
        {{"year", "2027", "-a", "3", "--open"}, "Group 3 duty 2027.pdf"}};
    for (const auto& row : rows) {
        const ToolRun run = home.Run(row.Arguments);
        const QString file = home.Path() + QStringLiteral("/Documents/") + QString::fromUtf8(row.Name);
        EXPECT_EQ(run.ExitCode, 1);
        EXPECT_EQ(run.Err.toStdString(),
                  "varnok-duty: cannot open " + file.toStdString() +
                      ": no desktop session (neither DISPLAY nor WAYLAND_DISPLAY is set)\n");
        EXPECT_TRUE(QFile::exists(file)) << row.Name;
    }
}

TEST(DutyToolProcess, IcsBytesRepeatWithSourceDateEpoch) {
    const ToolHome home;
    home.WriteSettings("[Config]\nWorkAssign=Group 2\n");
    QProcessEnvironment environment = home.Environment();
    environment.insert(QStringLiteral("SOURCE_DATE_EPOCH"), QStringLiteral("1700000000"));
    const ToolRun first = home.Run({"ics", "--rdo", "--paydays"}, environment);
    const ToolRun second = home.Run({"ics", "--rdo", "--paydays"}, environment);
    EXPECT_EQ(first.ExitCode, 0) << first.Err.toStdString();
    EXPECT_TRUE(first.Out.contains("\r\nDTSTAMP:20231114T221320Z\r\n"));
    EXPECT_TRUE(first.Out.contains("\r\nSUMMARY:On duty \xe2\x80\x93 Group 2\r\n"));
    EXPECT_EQ(first.Out, second.Out);
}

// The options reach the file: one series per day unless --runs, and the reminder's trigger.
TEST(DutyToolProcess, IcsFormAndReminderFollowTheOptions) {
    const ToolHome home;
    const QStringList january = {"ics", "-a", "3", "--from", "2027-01-01", "--to", "2027-01-31"};
    const struct {
        QStringList Extra;
        const char* Uid;
        const char* Trigger;
    } rows[] = {
        {{}, "\r\nUID:group3-dutyday-", nullptr},
        {{"--runs"}, "\r\nUID:group3-duty-", nullptr},
        {{"--remind", "18:00"}, "\r\nUID:group3-dutyday-", "\r\nTRIGGER:-PT6H\r\n"},
        {{"--runs", "--remind", "1h30m"}, "\r\nUID:group3-duty-", "\r\nTRIGGER:-PT1H30M\r\n"},
        {{"--shift-start", "07:00", "--shift-hours", "24", "--remind", "90M"},
         "\r\nUID:group3-shift-",
         "\r\nTRIGGER:-PT1H30M\r\n"},
    };
    for (const auto& row : rows) {
        const ToolRun run = home.Run(january + row.Extra);
        const std::string arguments = row.Extra.join(' ').toStdString();
        EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        EXPECT_TRUE(run.Out.contains(row.Uid)) << arguments;
        EXPECT_EQ(run.Out.contains("BEGIN:VALARM\r\nACTION:DISPLAY\r\n"), row.Trigger != nullptr)
            << arguments;
        if (row.Trigger != nullptr) {
            EXPECT_EQ(run.Out.count("BEGIN:VALARM"), run.Out.count(row.Trigger)) << arguments;
        }
    }
}

// Root ignores permission bits but not a file-size limit: the calendar cannot be written whole, so the
// command must fail and leave the old file as it was, with no temporary file beside it.
TEST(DutyToolProcess, AFailedWriteLeavesTheOldFile) {
    const ToolHome home;
    QDir(home.Path()).mkdir(QStringLiteral("out"));
    const QString target = home.Path() + QStringLiteral("/out/duty.ics");
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old calendar");
    old.close();
    const ToolRun run = home.Run({"ics", "-a", "3", "-o", target}, home.Environment(), [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err.toStdString(), "varnok-duty: cannot write " + target.toStdString() + "\n");
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old calendar"));
    EXPECT_EQ(QDir(home.Path() + QStringLiteral("/out"))
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("duty.ics")});
}

// Root may write into a read-only folder, but nobody can replace a folder by a file: the failed write
// must leave the folder as it was and no temporary file beside it.
TEST(DutyToolProcess, AFailedWriteLeavesNoTemporaryFile) {
    const ToolHome home;
    QDir(home.Path()).mkpath(QStringLiteral("out/duty.csv/inside"));
    const QString target = home.Path() + QStringLiteral("/out/duty.csv");
    const ToolRun run = home.Run({"csv", "-a", "3", "-o", target});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err.toStdString(), "varnok-duty: cannot write " + target.toStdString() + "\n");
    EXPECT_EQ(QDir(home.Path() + QStringLiteral("/out"))
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("duty.csv")});
    EXPECT_TRUE(QDir(target + QStringLiteral("/inside")).exists());
}

TEST(DutyToolProcess, ABadColorStopsTheYearSheetBeforeAnyFileIsWritten) {
    const ToolHome home;
    home.WriteSettings("[Config]\nWorkAssign=Group 3\n[Colors]\nRDO=Golden Rod\n");
    const ToolRun run = home.Run({"year", "2027", "-o", "sheet.pdf"});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err.toStdString(),
              "varnok-duty: settings file " + home.ConfigHome().toStdString() +
                  "/Orvane/Varnok/vnTolmere.ini: 'Golden Rod' is not a valid integer value\n");
    EXPECT_FALSE(QFile::exists(home.Path() + QStringLiteral("/sheet.pdf")));
    // The other commands use no color and still work.
    EXPECT_EQ(home.Run({"day", "2027-01-15"}).ExitCode, 0);
}

QString PdfPageSize(const QString& file) {
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {file});
    if (!pdfinfo.waitForFinished(30000) || pdfinfo.exitCode() != 0)
        return QStringLiteral("pdfinfo failed");
    for (const QByteArray& line : pdfinfo.readAllStandardOutput().split('\n')) {
        if (line.startsWith("Page size:"))
            return QString::fromUtf8(line.mid(10).trimmed());
    }
    return {};
}

TEST(DutyToolProcess, YearPageSizeFollowsTheLocaleUnlessNamed) {
    const ToolHome home;
    const QString sheet = home.Path() + QStringLiteral("/sheet.pdf");
    QProcessEnvironment british = home.Environment();
    british.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_GB.UTF-8"));
    struct {
        QStringList Extra;
        QProcessEnvironment Environment;
        const char* PageSize;
    } const rows[] = {{{}, home.Environment(), "612 x 792 pts (letter)"},
                      {{}, british, "595 x 842 pts (A4)"},
                      {{"--page-size", "a3"}, home.Environment(), "842 x 1191 pts (A3)"},
                      {{"--page-size", "Legal"}, british, "612 x 1008 pts"}};
    for (const auto& row : rows) {
        const ToolRun run =
            home.Run(QStringList{"year", "2027", "-a", "3", "-o", sheet} + row.Extra, row.Environment);
        EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        EXPECT_EQ(PdfPageSize(sheet).toStdString(), row.PageSize) << row.Extra.join(' ').toStdString();
    }
}

TEST(DutyToolProcess, YearWritesPdfToStandardOutputAndPngByExtension) {
    const ToolHome home;
    QProcessEnvironment unreachable = home.Environment();
    unreachable.insert(QStringLiteral("DISPLAY"), QStringLiteral(":97"));
    unreachable.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("varnok-no-such-display"));
    const ToolRun pdf = home.Run({"year", "2030", "-a", "6"}, unreachable);
    EXPECT_EQ(pdf.ExitCode, 0) << pdf.Err.toStdString();
    EXPECT_TRUE(pdf.Err.isEmpty()) << pdf.Err.toStdString();
    EXPECT_TRUE(pdf.Out.startsWith("%PDF-")) << pdf.Out.left(16).toStdString();

    const ToolRun png = home.Run({"year", "2030", "-a", "6", "-o", "sheet.PNG"});
    EXPECT_EQ(png.ExitCode, 0) << png.Err.toStdString();
    EXPECT_TRUE(png.Out.isEmpty());
    QFile file(home.Path() + QStringLiteral("/sheet.PNG"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("\x89PNG\r\n\x1a\n"));
}

// The payday marks come from --paydays or from the saved switch: the pictures show which (a PDF
// holds its time of making, a PNG only its pixels).
TEST(DutyToolProcess, YearUnderlinesPaydaysWhenAskedOrSaved) {
    const ToolHome home;
    const auto sheet = [&](const QStringList& extra) {
        const ToolRun run = home.Run(QStringList{"year", "2027", "-a", "3", "-o", "sheet.png"} + extra);
        EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        QFile file(home.Path() + QStringLiteral("/sheet.png"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    home.WriteSettings("[Config]\nShowPaydays=0\n");
    const QByteArray plain = sheet({});
    const QByteArray asked = sheet({"--paydays"});
    home.WriteSettings("[Config]\nShowPaydays=1\n");
    const QByteArray saved = sheet({});
    ASSERT_FALSE(plain.isEmpty());
    EXPECT_NE(plain, asked);
    EXPECT_EQ(saved, asked);
}

QStringList Listing(const QString& folder) {
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << it.next();
    entries.sort();
    return entries;
}

TEST(DutyToolProcess, ReadingTheSettingsCreatesNothing) {
    const ToolHome home;
    const QStringList before = Listing(home.Path());
    const ToolRun run = home.Run({"day", "today"});
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(Listing(home.Path()), before);
}

// With a display named that does not exist, a program that tried to connect would fail.
TEST(DutyToolProcess, RunsWithoutADisplayAndNeverConnectsToOne) {
    const ToolHome home;
    QProcessEnvironment unreachable = home.Environment();
    unreachable.insert(QStringLiteral("DISPLAY"), QStringLiteral(":97"));
    unreachable.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("varnok-no-such-display"));
    for (const QProcessEnvironment& environment : {home.Environment(), unreachable}) {
        const ToolRun run = home.Run({"day", "tomorrow", "-a", "2"}, environment);
        EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();
        EXPECT_TRUE(run.Out.contains(": Group 2 ")) << run.Out.toStdString();
    }
}

// Qt Gui and the graphics libraries behind it cost more start-up time than the whole answer; only
// the year sheet and --open may load them.
TEST(DutyToolProcess, DayCsvAndIcsLoadNoGraphicsLibrary) {
    const ToolHome home;
    QProcessEnvironment environment = home.Environment();
    environment.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("libs"));
    for (const QStringList& arguments : {QStringList{"day", "-a", "3"}, QStringList{"csv", "-a", "3"},
                                         QStringList{"ics", "-a", "3", "--rdo", "--paydays"}}) {
        const ToolRun run = home.Run(arguments, environment);
        EXPECT_EQ(run.ExitCode, 0) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.Err.contains("libQt6Core.so")) << "the loader's trace is missing";
        EXPECT_FALSE(run.Err.contains("libQt6Gui.so")) << arguments.join(' ').toStdString();
    }
    const ToolRun year = home.Run({"year", "2027", "-a", "3", "-o", "sheet.pdf"}, environment);
    EXPECT_EQ(year.ExitCode, 0);
    EXPECT_TRUE(year.Err.contains("libQt6Gui.so")) << "the year sheet is drawn by the helper, with Qt Gui";
}

TEST(DutyToolProcess, HelpAndVersion) {
    const ToolHome home;
    ToolRun run = home.Run({"--version"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out.toStdString(), "varnok-duty " VARNOK_VERSION "\n");
    run = home.Run({"--help"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.Out.startsWith("Usage: varnok-duty [options] COMMAND [options]\n"))
        << run.Out.toStdString();
    for (const char* command : {"day", "csv", "ics", "year", "mark", "marks", "tally"})
        EXPECT_TRUE(run.Out.contains(QByteArray("\n  ") + command + " ")) << command;
    run = home.Run({"day", "--help"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.Out.startsWith("Usage: varnok-duty day [options] [DATE]\n")) << run.Out.toStdString();
    EXPECT_TRUE(run.Out.contains("--all")) << run.Out.toStdString();
}

// A write past a file-size limit fails even for root: the mark is not written, the old days file
// stays as it was, and the command says so with exit 1. The shell ignores the limit's signal for it.
TEST(DutyToolProcess, AMarkThatCannotBeWrittenLeavesTheDaysFile) {
    const ToolHome home;
    home.WriteSettings("[Config]\nWorkAssign=Group 3\n");
    ASSERT_EQ(home.Run({"mark", "2027-01-15", "leave", "--note", QString(150, QLatin1Char('x'))}).ExitCode,
              0);
    const QByteArray old = home.DaysBytes();
    ASSERT_GT(old.size(), 512);
    QProcess shell;
    shell.setProcessEnvironment(home.Environment());
    shell.start(QStringLiteral("sh"),
                {QStringLiteral("-c"), QStringLiteral("trap '' XFSZ; ulimit -f 1; exec \"$0\" \"$@\""),
                 QStringLiteral(VARNOK_DUTY_EXECUTABLE), QStringLiteral("mark"), QStringLiteral("2027-01-14"),
                 QStringLiteral("sick")});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitCode(), 1);
    EXPECT_EQ(shell.readAllStandardError().toStdString(),
              "varnok-duty: cannot write " + home.DaysFile().toStdString() + "\n");
    EXPECT_EQ(home.DaysBytes(), old);
    EXPECT_EQ(QDir(home.ConfigHome() + QStringLiteral("/Orvane/Varnok"))
                  .entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{".vnTolmere-days.ics.lock", "vnTolmere-days.ics", "vnTolmere.ini"}));
}

// Two shells, each running varnok-duty mark for its own days one after another, at the same time:
// every process reads, changes and replaces the file under the lock, so no mark is lost.
TEST(DutyToolProcess, TwoProcessesMarkingDifferentDaysLoseNeither) {
    constexpr int MarksEach = 20;
    const ToolHome home;
    home.WriteSettings("[Config]\nWorkAssign=Group 3\n");
    std::vector<std::unique_ptr<QProcess>> shells;
    QString expected;
    for (int shell = 0; shell < 2; ++shell) {
        QStringList arguments{
            QStringLiteral("-c"),
            QStringLiteral("for day in \"$@\"; do \"$VARNOK_DUTY\" mark \"$day\" note --note \"shell %1\" "
                           "|| exit 1; done")
                .arg(shell),
            QStringLiteral("sh")};
        for (int i = 0; i < MarksEach; ++i)
            arguments << QDate(2027, 3, 1).addDays(2 * i + shell).toString(Qt::ISODate);
        QProcessEnvironment environment = home.Environment();
        environment.insert(QStringLiteral("VARNOK_DUTY"), QStringLiteral(VARNOK_DUTY_EXECUTABLE));
        shells.push_back(std::make_unique<QProcess>());
        shells.back()->setProcessEnvironment(environment);
        shells.back()->start(QStringLiteral("sh"), arguments);
    }
    for (const auto& shell : shells) {
        ASSERT_TRUE(shell->waitForFinished(120000));
        EXPECT_EQ(shell->exitCode(), 0) << shell->readAllStandardError().toStdString();
    }
    for (int day = 0; day < 2 * MarksEach; ++day)
        expected += QDate(2027, 3, 1).addDays(day).toString(Qt::ISODate) +
                    QStringLiteral(" Note: shell %1\n").arg(day % 2);
    const ToolRun marks = home.Run({"marks"});
    EXPECT_EQ(marks.ExitCode, 0);
    EXPECT_EQ(marks.Out.toStdString(), expected.toStdString());
}

// The manual page describes exactly the options the commands take.
TEST(DutyToolProcess, ManualPageNamesEveryOptionAndNoOther) {
    const ToolHome home;
    QFile page(QStringLiteral(VARNOK_DUTY_MANUAL_PAGE));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString manual = QString::fromUtf8(page.readAll());
    const QRegularExpression helpOption(QStringLiteral("--([a-z][a-z-]*)"));
    const QRegularExpression manualOption(QStringLiteral("\\\\-\\\\-([a-z][a-z\\\\-]*[a-z])"));
    QSet<QString> inHelp;
    for (const QStringList& arguments :
         {QStringList{"--help"}, QStringList{"day", "--help"}, QStringList{"csv", "--help"},
          QStringList{"ics", "--help"}, QStringList{"year", "--help"}, QStringList{"mark", "--help"},
          QStringList{"marks", "--help"}, QStringList{"tally", "--help"}}) {
        const ToolRun run = home.Run(arguments);
        ASSERT_EQ(run.ExitCode, 0);
        for (const QRegularExpressionMatch& match : helpOption.globalMatch(QString::fromUtf8(run.Out)))
            inHelp.insert(match.captured(1));
    }
    QSet<QString> inManual;
    for (const QRegularExpressionMatch& match : manualOption.globalMatch(manual))
        inManual.insert(match.captured(1).replace(QStringLiteral("\\-"), QStringLiteral("-")));
    EXPECT_EQ(inManual, inHelp) << "manual: " << QStringList(inManual.values()).join(' ').toStdString()
                                << "\nhelp: " << QStringList(inHelp.values()).join(' ').toStdString();
    EXPECT_GT(inHelp.size(), 10);
}

} // namespace
