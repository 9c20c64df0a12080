#include "mark_commands.h"

#include "assignment_text.h"
#include "command_parts.h"
#include "date_argument.h"
#include "mark_parts.h"
#include "member_days/days_store.h"
#include "member_days/mark_tally.h"
#include "schedule/duty_rotation.h"

namespace {

constexpr int FirstTallyYear = 2022;
constexpr int LastTallyYear = 2100;

char CodeOf(int assignment, TDateTime date) {
    ScheduleState schedule;
    SelectAssignment(schedule, assignment);
    return DutyCodeOf(schedule, date);
}

// "a duty day", "an off-duty day", "a regular day off".
QString DayWords(char code) {
    switch (code) {
    case DutyOn:
        return QStringLiteral("a duty day");
    case DutyOff:
        return QStringLiteral("an off-duty day");
    default:
        return QStringLiteral("a regular day off");
    }
}

// Why the tool cannot take a mark of `kind` on `date`, as one line.
[[noreturn]] void FailMisfit(MarkKind kind, char code, TDateTime date, int assignment) {
    const QString reason = QString::fromStdString(MisfitReason(kind, code));
    if (code == DutyNone)
        FailUsage(QStringLiteral("%1 has no schedule for %2: %3")
                      .arg(IsoDateText(date), AssignmentName(assignment), reason));
    FailUsage(QStringLiteral("%1 is %2 for %3: %4")
                  .arg(IsoDateText(date), DayWords(code), AssignmentName(assignment), reason));
}

TDateTime MarkableDate(const QString& text, const DutyToolEnvironment& env) {
    const TDateTime date = DateOperand(text, env);
    if (!IsMarkableDay(date))
        FailUsage(
            QStringLiteral("%1 lies outside the calendar, %2 to %3")
                .arg(IsoDateText(date), IsoDateText(MarkableDays.First), IsoDateText(MarkableDays.Last)));
    return date;
}

int RunMark(const QStringList& arguments, const DutyToolEnvironment& env) {
    QCommandLineParser parser;
    PrepareParser(parser, "Put a mark on a day of your own calendar, or take it off.");
    parser.addPositionalArgument(QStringLiteral("DATE"), QStringLiteral("YYYY-MM-DD, today or tomorrow."));
    parser.addPositionalArgument(
        QStringLiteral("KIND"),
        QStringLiteral(
            "leave, sick or traded-away (on a duty day), extra-shift (on a day off) or note (any day)."),
        QStringLiteral("[KIND]"));
    const QCommandLineOption note(QStringLiteral("note"), QStringLiteral("A note of up to 200 characters."),
                                  QStringLiteral("TEXT"));
    const QCommandLineOption hours(QStringLiteral("hours"),
                                   QStringLiteral("The hours of an extra shift, above 0 and below 48."),
                                   QStringLiteral("N"));
    const QCommandLineOption clear(QStringLiteral("clear"), QStringLiteral("Take the day's mark off."));
    parser.addOptions({AssignmentOption(), note, hours, clear});
    if (!ParseSubcommand(parser, "mark", arguments, env))
        return 0;
    const QStringList operands = Operands(parser, 2);
    if (operands.isEmpty())
        FailUsage(QStringLiteral("no date given: varnok-duty mark DATE KIND, or DATE --clear"));
    const TDateTime date = MarkableDate(operands.front(), env);

    std::optional<DayMark> mark;
    if (parser.isSet(clear)) {
        if (operands.size() > 1 || parser.isSet(note) || parser.isSet(hours))
            FailUsage(QStringLiteral("--clear takes no kind, --note or --hours"));
    } else {
        if (operands.size() < 2)
            FailUsage(
                QStringLiteral("no kind given: leave, sick, traded-away, extra-shift or note; or --clear"));
        const std::optional<MarkKind> kind = MarkKindFromArgument(operands.at(1));
        if (!kind)
            FailUsage(QStringLiteral("unknown kind '%1': use leave, sick, traded-away, extra-shift or note")
                          .arg(operands.at(1)));
        mark = DayMark{*kind, {}, std::nullopt};
        if (parser.isSet(note)) {
            mark->Note = NormalizedNote(parser.value(note).toStdString());
            if (mark->Note.empty())
                FailUsage(QStringLiteral("the note is empty: leave out --note for a mark without one"));
        }
        if (parser.isSet(hours)) {
            if (*kind != MarkKind::ExtraShift)
                FailUsage(QStringLiteral("--hours goes with extra-shift only"));
            mark->Hours = HoursFromText(parser.value(hours).trimmed().toStdString());
            if (!mark->Hours)
                FailUsage(QStringLiteral("'%1' is not a number of hours: use a number above 0 and below 48")
                              .arg(parser.value(hours)));
        }
        if (const std::string problem = MarkProblem(*mark); !problem.empty())
            FailUsage(QString::fromStdString(problem));
    }

    const ToolSettings settings = ReadToolSettings(env, false);
    const int assignment = AnyAssignmentFor(parser, settings.Loaded);
    const char code = CodeOf(assignment, date);
    if (mark && !MarkFits(mark->Kind, code))
        FailMisfit(mark->Kind, code, date, assignment);

    DaysStore store(DaysFileOf(settings), [&env] { return env.StampTime; });
    if (store.Load(DayRange{date, date}) == DaysStore::LoadStatus::Unreadable)
        throw ToolFailure{IoError, QString::fromStdString(store.ProblemMessage())};
    const DaysStore::Outcome outcome = mark ? store.SetMark(date, *mark, code) : store.ClearMark(date);
    switch (outcome.State) {
    case DaysStore::Outcome::Status::Written:
        return 0;
    case DaysStore::Outcome::Status::Refused:
        FailUsage(QString::fromStdString(outcome.Message));
    case DaysStore::Outcome::Status::Blocked:
    case DaysStore::Outcome::Status::NotWritten:
        break;
    }
    throw ToolFailure{IoError, QString::fromStdString(outcome.Message)};
}

int RunMarks(const QStringList& arguments, const DutyToolEnvironment& env) {
    QCommandLineParser parser;
    PrepareParser(parser, "List the marks of your own calendar, one line a mark.");
    parser.addOptions({AssignmentOption(), FromOption(), ToOption()});
    if (!ParseSubcommand(parser, "marks", arguments, env))
        return 0;
    Operands(parser, 0);
    const DayRange range = RangeOptions(parser, env, MarkableDays.First, MarkableDays.Last);
    const ToolSettings settings = ReadToolSettings(env, false);
    const int assignment = AnyAssignmentFor(parser, settings.Loaded);
    QString lines;
    for (const auto& [date, mark] : ReadDayMarks(settings, range))
        lines += IsoDateText(date) + QLatin1Char(' ') + MarkSummary(mark, CodeOf(assignment, date)) +
                 QLatin1Char('\n');
    Print(*env.Out, lines);
    return 0;
}

TDateTime FirstOfYear(int year) {
    return DateSerial(year, 1, 1);
}

TDateTime LastOfYear(int year) {
    return DateSerial(year, 12, 31);
}

int TallyYear(const QString& text) {
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    if (!ok)
        FailUsage(QStringLiteral("'%1' is not a year").arg(text));
    if (year < FirstTallyYear || year > LastTallyYear)
        FailUsage(QStringLiteral("%1 lies outside the duty schedule's years, %2 to %3")
                      .arg(year)
                      .arg(FirstTallyYear)
                      .arg(LastTallyYear));
    return year;
}

// The year, --from and --to as csv takes them (--to defaults to the end of --from's year), or this year.
DayRange TallySpan(const QCommandLineParser& parser, const QStringList& operands,
                   const DutyToolEnvironment& env) {
    const bool fromOrTo = parser.isSet(FromOption()) || parser.isSet(ToOption());
    if (!operands.isEmpty()) {
        if (fromOrTo)
            FailUsage(QStringLiteral("a YEAR and --from or --to exclude each other"));
        const int year = TallyYear(operands.front());
        return {FirstOfYear(year), LastOfYear(year)};
    }
    const int thisYear = static_cast<int>(YearMonthDayOf(env.Clock->Today()).year());
    const DayRange span = RangeOptions(parser, env, FirstOfYear(thisYear), std::nullopt);
    RequireScheduledRange(span);
    return span;
}

QString Days(int count) {
    return count == 1 ? QStringLiteral("1 day") : QStringLiteral("%1 days").arg(count);
}

QString HoursWords(double hours) {
    return QString::fromStdString(HoursText(hours)) +
           (hours == 1 ? QStringLiteral(" hour") : QStringLiteral(" hours"));
}

int RunTally(const QStringList& arguments, const DutyToolEnvironment& env) {
    QCommandLineParser parser;
    PrepareParser(parser,
                  "Count a year or a span against the rotation: the duty days, each kind of mark, the "
                  "days worked.");
    parser.addPositionalArgument(QStringLiteral("YEAR"), QStringLiteral("2022 to 2100. Default: this year."),
                                 QStringLiteral("[YEAR]"));
    const QCommandLineOption shiftHours(
        QStringLiteral("shift-hours"),
        QStringLiteral("Count hours too, a duty day's shift being HOURS long (above 0, below 48)."),
        QStringLiteral("HOURS"));
    parser.addOptions({AssignmentOption(), FromOption(), ToOption(), shiftHours});
    if (!ParseSubcommand(parser, "tally", arguments, env))
        return 0;
    const QStringList operands = Operands(parser, 1);
    const DayRange span = TallySpan(parser, operands, env);
    std::optional<double> shift;
    if (parser.isSet(shiftHours)) {
        shift = HoursFromText(parser.value(shiftHours).trimmed().toStdString());
        if (!shift)
            FailUsage(QStringLiteral("'%1' is not a shift length: use a number of hours above 0 and below 48")
                          .arg(parser.value(shiftHours)));
    }
    const ToolSettings settings = ReadToolSettings(env, false);
    const int group = GroupFor(parser, settings.Loaded);
    const MarkTally tally = TallyMarks(ReadDayMarks(settings, span), group, span);

    // One line a figure; with a shift length, days and hours.
    const auto line = [&](const QString& label, int days, std::optional<double> hours) {
        QString text = label + QStringLiteral(": ") + Days(days);
        if (hours)
            text += QStringLiteral(", ") + HoursWords(*hours);
        return text + QLatin1Char('\n');
    };
    const auto at = [&](int days) { return shift ? std::optional(days * *shift) : std::nullopt; };
    QString text = AssignmentName(group) + QStringLiteral(", ") + IsoDateText(span.First) +
                   QStringLiteral(" to ") + IsoDateText(span.Last);
    if (shift)
        text += QStringLiteral(", shifts of ") + HoursWords(*shift);
    text += QLatin1Char('\n');
    text += line(QStringLiteral("Scheduled duty"), tally.ScheduledDutyDays, at(tally.ScheduledDutyDays));
    for (const MarkKind kind : {MarkKind::Leave, MarkKind::Sick, MarkKind::TradedAway})
        text += line(QString::fromStdString(std::string(MarkKindName(kind))), tally.Count(kind),
                     at(tally.Count(kind)));
    const int extra = tally.Count(MarkKind::ExtraShift);
    text += line(QStringLiteral("Extra shifts"), extra,
                 shift ? std::optional(tally.ExtraShiftHours + tally.ExtraShiftsWithoutHours * *shift)
                       : std::nullopt);
    text += QStringLiteral("Notes: %1\n").arg(tally.Count(MarkKind::NoteOnly));
    text += line(QStringLiteral("Worked"), tally.DaysWorked(),
                 shift ? std::optional(tally.HoursWorked(*shift)) : std::nullopt);
    text += tally.LeftOut == 1
                ? QStringLiteral("Left out: 1 mark that no longer fits its day\n")
                : QStringLiteral("Left out: %1 marks that no longer fit their days\n").arg(tally.LeftOut);
    Print(*env.Out, text);
    return 0;
}

} // namespace

std::vector<DutySubcommand> MarkSubcommands() {
    return {{"mark", &RunMark}, {"marks", &RunMarks}, {"tally", &RunTally}};
}
