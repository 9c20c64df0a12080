#include "year_command.h"

#include "duty_tool/assignment_text.h"
#include "duty_tool/command_parts.h"
#include "duty_tool/mark_parts.h"
#include "schedule/duty_rotation.h"
#include "year_sheet/year_sheet.h"

#include <QFileInfo>
#include <QPageSize>
#include <string>

namespace {

// A page size by its key as QPageSize names it: A4, Letter, Legal, A3, Tabloid and the rest.
QPageSize PageSizeNamed(const QString& text) {
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto size = static_cast<QPageSize::PageSizeId>(id);
        if (size != QPageSize::Custom &&
            QPageSize::key(size).compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return QPageSize(size);
    }
    FailUsage(QStringLiteral("unknown page size '%1': use A4, Letter, Legal, A3 or another standard name")
                  .arg(text));
}

constexpr int FirstSheetYear = 2022;
constexpr int LastSheetYear = 2100;

int SheetYear(const QString& text) {
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    if (!ok)
        FailUsage(QStringLiteral("'%1' is not a year").arg(text));
    if (year < FirstSheetYear || year > LastSheetYear)
        FailUsage(QStringLiteral("%1 lies outside the duty schedule's years, %2 to %3")
                      .arg(year)
                      .arg(FirstSheetYear)
                      .arg(LastSheetYear));
    return year;
}

// The year's marks as the sheet draws them, each counted when it fits its day under the group, and a
// legend key for every kind.
void AddMarks(YearSheetRequest& request, const DayMarks& marks) {
    ScheduleState schedule;
    SelectAssignment(schedule, request.Assignment);
    for (const auto& [date, mark] : marks)
        request.Marks.emplace(
            date, YearSheetMark{MarkKindLetter(mark.Kind), MarkFits(mark.Kind, DutyCodeOf(schedule, date))});
    for (const MarkKind kind : MarkKinds)
        request.MarkKeys.push_back(
            {MarkKindLetter(kind), QString::fromStdString(std::string(MarkKindName(kind)))});
}

int RunYear(const QStringList& arguments, const DutyToolEnvironment& env) {
    QCommandLineParser parser;
    PrepareParser(parser, "Draw a printable sheet of a group's duty year as a PDF or a PNG.");
    parser.addPositionalArgument(QStringLiteral("YEAR"), QStringLiteral("2022 to 2100. Default: this year."),
                                 QStringLiteral("[YEAR]"));
    const QCommandLineOption paydays(
        QStringLiteral("paydays"),
        QStringLiteral("Underline the paydays (also when the saved payday switch is on)."));
    const QCommandLineOption pageSize(
        QStringLiteral("page-size"),
        QStringLiteral("Paper size, such as A4, Letter, Legal or A3. Default: Letter "
                       "where the locale measures in inches, else A4."),
        QStringLiteral("SIZE"));
    const QCommandLineOption output(
        QStringList{QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write to FILE.pdf or FILE.png; - (the default) is standard "
                       "output, as PDF."),
        QStringLiteral("FILE"));
    parser.addOptions({AssignmentOption(), paydays, pageSize, output, OpenOption()});
    if (!ParseSubcommand(parser, "year", arguments, env))
        return 0;
    const QStringList operands = Operands(parser, 1);
    if (parser.isSet(OpenOption()) && parser.isSet(output))
        FailUsage(QStringLiteral("--open and --output exclude each other"));
    const int year = operands.isEmpty() ? static_cast<int>(YearMonthDayOf(env.Clock->Today()).year())
                                        : SheetYear(operands.front());
    if (operands.isEmpty() && (year < FirstSheetYear || year > LastSheetYear))
        FailUsage(
            QStringLiteral("this year, %1, lies outside the duty schedule's years: name a year").arg(year));
    const QString file = parser.isSet(output) ? parser.value(output) : QStringLiteral("-");
    bool png = false;
    if (file != QLatin1String("-")) {
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (suffix != QLatin1String("pdf") && suffix != QLatin1String("png"))
            FailUsage(QStringLiteral("%1: the year sheet is written as a .pdf or a .png file").arg(file));
        png = suffix == QLatin1String("png");
    }
    YearSheetRequest request;
    request.PageSize =
        parser.isSet(pageSize) ? PageSizeNamed(parser.value(pageSize)) : DefaultYearSheetPageSize(env.Locale);
    const ToolSettings settings = ReadToolSettings(env, true);
    request.Year = year;
    request.Assignment = GroupFor(parser, settings.Loaded);
    request.Settings = settings.State;
    request.ShowPaydays = parser.isSet(paydays) || settings.Loaded.ShowPaydays;
    request.Locale = env.Locale;
    AddMarks(request, ReadDayMarks(settings, DayRange{DateSerial(year, 1, 1), DateSerial(year, 12, 31)}));
    const QByteArray sheet = png ? YearSheetPng(request) : YearSheetPdf(request);
    const std::string bytes(sheet.constData(), static_cast<std::size_t>(sheet.size()));
    if (parser.isSet(OpenOption())) {
        WriteAndOpen(bytes,
                     QStringLiteral("%1 duty %2.pdf").arg(AssignmentName(request.Assignment)).arg(year), env);
    } else {
        WriteOutput(bytes, file, env);
    }
    return 0;
}

} // namespace

DutySubcommand YearSubcommand() {
    return {"year", &RunYear};
}
